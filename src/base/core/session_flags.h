#pragma once

#include <QString>

namespace ravlin {

// Capture-session state shared by the session window and the processing run.
struct CaptureSessionFlags {
    bool running = false;    // every processed burst is added whatever the auto-add option says
    bool windowOpen = false; // the session window is shown: no lookup, no duplicate-name question
    int burstCounter = 0;    // bursts processed with a hash, stops at 50
    int sessionCounter = 0;  // bursts added during the session, stops at 500
    QString suffix;          // appended to the hash text of every record added during a session
};

// Settings of the match-visualisation window that the processing run reads after a lookup.
struct MatchSignalSettings {
    bool enabled = false; // "Включить"
    bool anyRecord = false; // "Любой от этого пульта" (else "При приёме заданной кнопки")
    QString recordNumber = QStringLiteral("5"); // "В качестве заданной выберем"
    bool sound = false; // "Включить звуковое подтверждение"
};

} // namespace ravlin
