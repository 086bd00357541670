#pragma once

#include "base/core/base_file_commands.h"
#include "base/core/rescan.h"

#include <QWidget>

class QCheckBox;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace ravlin {

// The base controls of the " HEX Baza " tab: what happens after a save, the rescan and duplicate
// removal with their options, the statistics with their basis, and the rescan progress bar.
// Handlers copy the controls into the tab's settings, make one call and announce the change;
// refresh() shows the settings and the rescan's view.
class BaseFilesPanel : public QWidget {
    Q_OBJECT

public:
    BaseFilesPanel(BaseFileCommands& files, Rescan& rescan, HexBazaSettings& settings,
                   QWidget* parent = nullptr);

    void refresh();

signals:
    void changed();

private:
    void copySettings();
    template <typename F> void run(F command);

    BaseFileCommands& m_files;
    Rescan& m_rescan;
    HexBazaSettings& m_settings;
    QRadioButton* m_saveOnly;
    QRadioButton* m_saveAndClear;
    QPushButton* m_rescanButton; // Button4
    QCheckBox* m_ignoreRemotes;
    QCheckBox* m_ignoreButtons;
    QRadioButton* m_byName;
    QRadioButton* m_byHash;
    QProgressBar* m_progress; // ProgressBar1
};

} // namespace ravlin
