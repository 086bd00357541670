#pragma once

#include "base/core/capture_session.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QToolBar;

namespace ravlin {

// TForm4 "Создаём слепок кодировки": records several variants of one button. Tool bar "Принять",
// "Отменить", "Exit"; the target box; the stage labels (the active one enabled, the others greyed)
// and "Принято - N". Showing it saves the options a session takes; closing it ends the session.
class CaptureSessionWindow : public QWidget {
    Q_OBJECT

public:
    explicit CaptureSessionWindow(CaptureSession& session, QWidget* parent = nullptr);

    QToolBar* toolBar() const { return m_toolBar; }
    void refresh();

signals:
    // State changed by a user action here.
    void changed();
    // The window was closed (the session is cancelled by the owner).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void storeTarget();

    CaptureSession& m_session;
    QToolBar* m_toolBar;
    QLineEdit* m_target;               // Edit1
    std::array<QLabel*, 5> m_stages{}; // "Свободен", then stages 1..4
    QLabel* m_counter;                 // "Принято - N"
    bool m_refreshing = false;
};

} // namespace ravlin
