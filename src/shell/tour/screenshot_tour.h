#pragma once

// The screenshot tour (the tool `ravlin-tour`, run by scripts/screenshots): the workbench and its
// real windows on the simulated receiver playing a capture file, driven headless: a clock that stands
// still, timers that run only when the tour advances them, dialogs that answer themselves. The tour
// presses the windows' own buttons and actions in a scripted order (start, receive and name the
// buttons of a remote, save and reopen the base, rescan, naming aids, capture session, match signal,
// fitting, action map, EEPROM, test mode, recognition check, the signal window) and writes one
// picture of the window in front after each step: DIR/01-launcher.png, ...
// Nothing waits for real time, so the whole tour takes a few seconds.

#include <QList>
#include <QSize>
#include <QString>

namespace ravlin {

struct TourOptions {
    // Folder holding Tarnisk/OpisPl (known remotes, remote pictures); copied into a temporary
    // application directory, so the tour never writes next to the user's data.
    QString dataDir;
    // Capture file the simulated receiver plays.
    QString capturePath;
    // Where the pictures go (created when missing).
    QString outDir;
};

struct TourShot {
    QString file; // file name inside the output folder
    QString form; // form name of the window pictured ("TForm1", "TFormA", ...)
    QSize size;   // size of the picture written
};

struct TourResult {
    QList<TourShot> shots;
    QString error; // empty when every picture was written
};

// Runs the tour; needs a QApplication. Windows are shown while it runs and hidden at its end.
TourResult runScreenshotTour(const TourOptions& options);

} // namespace ravlin
