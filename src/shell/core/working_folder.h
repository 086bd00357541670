#pragma once

#include "platform/core/build_info.h"

#include <QString>
#include <QStringList>

namespace ravlin {

// What decides the workbench's working folder (its application directory).
struct WorkingFolderInputs {
    QString workdirOption; // --workdir DIR; empty when not given
    QString executableDir; // folder of the running executable
    QString currentDir;    // current directory at start
    QString xdgDataHome;   // $XDG_DATA_HOME; empty when unset
    QString home;          // the user's home folder
};

struct WorkingFolder {
    QString path;      // the application directory: every data file is read and written here
    QString seedFrom;  // installed data whose missing files are copied into `path`; empty for none
    QString guideFile; // first page of the user guide
    QString error;     // set when no folder can be used
};

// The installed layout, relative to the executable's folder ("../share/ravlin" and
// "../share/doc/ravlin/index.html" in the usual one).
inline const QString kInstalledDataFromBin = QStringLiteral(RAVLIN_DATA_FROM_BIN);
inline const QString kInstalledGuideFromBin = QStringLiteral(RAVLIN_GUIDE_FROM_BIN);

// --workdir DIR: DIR (relative to the current directory), which must exist. Started from an
// installed prefix (the shipped data are found beside the executable's folder):
// $XDG_DATA_HOME/ravlin, by default ~/.local/share/ravlin, seeded from the shipped data. Otherwise
// (the build tree, scripts/run): the current directory.
WorkingFolder chooseWorkingFolder(const WorkingFolderInputs& in);

// Creates `folder` and copies into it every file under `from` that it lacks (keeping the
// subfolders); a file already there, changed by the user or not, is never touched. Returns the
// problems, one readable line each; empty when everything is in place.
QStringList seedWorkingFolder(const QString& folder, const QString& from);

} // namespace ravlin
