#pragma once

namespace ravlin {

// Which page of the main window is in front, for the cores that show a burst only while its page
// is visible. The workbench sets it on every page switch.
struct PageInFront {
    bool burstPage = false;   // " Kestrum "
    bool hashModules = false; // ... with its inner page "Модули ХЭШирования"
};

} // namespace ravlin
