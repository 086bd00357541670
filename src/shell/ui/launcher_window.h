#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ravlin {

class LinkLabel;
class Startup;
class Workbench;

// The launcher (TFormA): progress while the data load, then the three configuration buttons with
// the countdown on the first. Everything it shows comes from the workbench's LauncherView.
class LauncherWindow : public QWidget {
    Q_OBJECT

public:
    LauncherWindow(Workbench& workbench, Startup& startup, QWidget* parent = nullptr);

    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void choose(int button);

    Workbench& m_wb;
    Startup& m_startup;
    QProgressBar* m_progress;
    QLabel* m_labels[3];
    QPushButton* m_buttons[3];
    LinkLabel* m_link;
};

} // namespace ravlin
