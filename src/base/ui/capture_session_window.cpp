#include "base/ui/capture_session_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace ravlin {

namespace {
constexpr std::array kStageOrder{SessionStage::Idle, SessionStage::Press, SessionStage::Hold,
                                 SessionStage::Release, SessionStage::Wait};
}

CaptureSessionWindow::CaptureSessionWindow(CaptureSession& session, QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(session) {
    setWindowTitle(QStringLiteral("Создаём слепок кодировки"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto add = [this](const QString& text, const QString& name, auto handler) {
        QAction* a = m_toolBar->addAction(text);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, handler);
    };
    add(QStringLiteral("Принять"), QStringLiteral("ToolButtonStart"), [this] {
        storeTarget();
        m_session.start();
        emit changed();
    });
    add(QStringLiteral("Отменить"), QStringLiteral("ToolButtonCancel"), [this] {
        m_session.cancel();
        emit changed();
    });
    add(QStringLiteral("Exit"), QStringLiteral("ToolButtonExit"), [this] { close(); });
    column->addWidget(m_toolBar);

    auto* targetRow = new QHBoxLayout;
    targetRow->addWidget(new QLabel(QStringLiteral("Принять "), this));
    m_target = new QLineEdit(m_session.settings().target, this);
    m_target->setObjectName(QStringLiteral("Edit1"));
    m_target->setMaximumWidth(48);
    targetRow->addWidget(m_target);
    targetRow->addWidget(new QLabel(QStringLiteral("вариантов"), this));
    targetRow->addStretch();
    column->addLayout(targetRow);
    auto* what = new QLabel(QStringLiteral("кодировки ОДНОЙ кнопки"), this);
    what->setObjectName(QStringLiteral("LabelWhat"));
    column->addWidget(what);
    connect(m_target, &QLineEdit::textEdited, this, [this] {
        if (!m_refreshing) storeTarget();
    });

    const char* names[] = {"LabelIdle", "LabelStage1", "LabelStage2", "LabelStage3", "LabelStage4"};
    for (std::size_t i = 0; i < m_stages.size(); ++i) {
        m_stages[i] = new QLabel(CaptureSession::stageText(kStageOrder[i]), this);
        m_stages[i]->setObjectName(QString::fromLatin1(names[i]));
        QFont f = m_stages[i]->font();
        f.setBold(true);
        m_stages[i]->setFont(f);
    }
    for (std::size_t i = 1; i < m_stages.size(); ++i)
        column->addWidget(m_stages[i]);
    column->addWidget(m_stages[0]);
    m_counter = new QLabel(this);
    m_counter->setObjectName(QStringLiteral("LabelCount"));
    column->addWidget(m_counter);
    column->addStretch();
    refresh();
}

void CaptureSessionWindow::storeTarget() {
    m_session.settings().target = m_target->text();
}

void CaptureSessionWindow::refresh() {
    m_refreshing = true;
    const SessionView& v = m_session.view();
    for (std::size_t i = 0; i < m_stages.size(); ++i) {
        const bool on = kStageOrder[i] == v.stage;
        if (m_stages[i]->isEnabled() != on) m_stages[i]->setEnabled(on);
    }
    if (m_counter->text() != v.counterLabel) m_counter->setText(v.counterLabel);
    if (m_target->text() != m_session.settings().target) m_target->setText(m_session.settings().target);
    m_refreshing = false;
}

void CaptureSessionWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

} // namespace ravlin
