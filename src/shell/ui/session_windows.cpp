#include "shell/ui/session_windows.h"

#include "base/ui/capture_session_window.h"
#include "base/ui/match_window.h"
#include "capture/ui/zoom_settings_window.h"
#include "platform/ui/refresh.h"
#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"
#include "shell/ui/main_window.h"

#include <QAction>
#include <QLayout>
#include <QPushButton>

namespace ravlin {

std::unique_ptr<QWidget> makeCaptureSessionWindow(Workbench& wb, WorkbenchParts& p) {
    auto w = std::make_unique<CaptureSessionWindow>(p.captureSession);
    QObject::connect(&wb, &Workbench::changed, w.get(), &CaptureSessionWindow::refresh);
    QObject::connect(w.get(), &CaptureSessionWindow::changed, &wb, &Workbench::notifyChanged);
    QObject::connect(w.get(), &CaptureSessionWindow::closed, &wb, [&wb, &p] {
        p.captureSession.windowClosed();
        wb.notifyChanged();
    });
    return w;
}

std::unique_ptr<QWidget> makeMatchWindow(Workbench& wb, WorkbenchParts& p) {
    auto w = std::make_unique<MatchWindow>(p.matchVisualisation);
    QObject::connect(&wb, &Workbench::changed, w.get(), &MatchWindow::refresh);
    QObject::connect(w.get(), &MatchWindow::changed, &wb, &Workbench::notifyChanged);
    return w;
}

void assembleSessionWindows(Workbench& wb, MainWindow& main, QWidget* session, QWidget* match) {
    if (session)
        QObject::connect(main.actions().captureSession, &QAction::triggered, session, [&wb, &main, session] {
            wb.openCaptureSession();
            ui::showCentredOver(*session, main);
            wb.notifyChanged();
        });
    auto* open = new QPushButton(QStringLiteral("Действия при совпадении"), main.hexBazaPage());
    open->setObjectName(QStringLiteral("ButtonMatch"));
    main.hexBazaPage()->layout()->addWidget(open);
    if (match)
        QObject::connect(open, &QPushButton::clicked, match, [&wb, &main, match] {
            ui::showCentredOver(*match, main);
            wb.notifyChanged();
        });
}

} // namespace ravlin
