#pragma once

#include "base/core/base_file_commands.h"
#include "base/core/rescan.h"

#include <QWidget>

class QProgressBar;
class QPushButton;

namespace ravlin {

namespace ui {
class Bindings;
}

// The base controls of the " HEX Baza " tab: what happens after a save, the rescan and duplicate
// removal with their options, the statistics with their basis, and the rescan progress bar.
// The controls are bound to the tab's settings; a button makes one call and announces the change;
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
    template <typename F> void run(F command);

    BaseFileCommands& m_files;
    Rescan& m_rescan;
    ui::Bindings* m_bindings;
    QPushButton* m_rescanButton; // Button4
    QProgressBar* m_progress;    // ProgressBar1
};

} // namespace ravlin
