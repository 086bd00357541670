#include "base/core/key_names.h"

#include <array>

namespace ravlin::KeyNamTab {

namespace {

constexpr std::array<const char*, kCount> kNames = {
    "N/A",     "PW",    "Key 0",  "Key 1", "Key 2",  "Key 3",  "Key 4", "Key 5", "Key 6",    "Key 7",
    "Key 8",   "Key 9", "Key 10", "Mute",  "-/--",   "CH+",    "CH-",   "VOL+",  "VOL-",     "PreView",
    "OK",      "Up",    "Down",   "Left",  "Right",  "Menu",   "Sleep", "Timer", "Store",    "Zoom",
    "Red",     "Green", "Yellow", "Blue",  "Play",   "Stop",   "Pause", "Next",  "Prev",     "FR",
    "FF",      "REC",   "Eject",  "Slow",  "Enter",  "Cancel", "Shift", "End",   "Exit",     "Info",
    "TV/VCR",  "Audio", "Video",  "Radio", "TXT",    "Mouse",  "KeyBr", "Home",  "Subtitle", "Jump",
    "Display", "A/B",   "Mode",   "Hvost", "Obshaya"};

} // namespace

const QStringList& names() {
    static const QStringList list = [] {
        QStringList l;
        for (const char* n : kNames)
            l << QString::fromLatin1(n);
        return l;
    }();
    return list;
}

QString name(int index) {
    return index >= 0 && index < kCount ? names().at(index) : QString();
}

int indexOf(const QString& name) {
    return static_cast<int>(names().indexOf(name));
}

} // namespace ravlin::KeyNamTab
