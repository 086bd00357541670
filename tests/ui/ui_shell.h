#pragma once

#include "fakes/manual_scheduler.h"
#include "fakes/scripted_dialogs.h"
#include "fakes/scripted_receiver.h"
#include "fakes/simple_fakes.h"
#include "platform/core/text_file.h"
#include "shell/core/startup.h"
#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"
#include "shell/ui/main_window.h"
#include "shell/ui/shell_windows.h"

#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>
#include <optional>

namespace ravlin::test {

// With RAVLIN_SHOTS naming a folder, saves a picture of `w` there as `name`.png, for looking at
// the layout (run the widget tests under a virtual display with it set).
inline void saveShot(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("RAVLIN_SHOTS");
    if (!dir.isEmpty()) w.grab().save(dir + u'/' + name + QStringLiteral(".png"));
}

// The workbench and all its windows over fakes, in a temporary application directory holding
// Tarnisk/OpisPl. `baseLines`, when given, become the known-remotes file; with `scriptedReceiver`
// a ScriptedReceiver stands behind the USB port.
struct UiShell {
    QTemporaryDir dir;
    fakes::ScriptedDialogs dialogs;
    fakes::ManualScheduler scheduler;
    fakes::RecordingUrlOpener urls;
    fakes::FixedClock clock;
    fakes::ScriptedReceiver* receiver = nullptr;
    std::unique_ptr<Workbench> wb;
    // The workbench's parts, to arrange and inspect what its public face only shows.
    std::optional<WorkbenchParts> parts;
    std::unique_ptr<ShellWindows> windows;

    explicit UiShell(const QStringList& baseLines = {}, bool scriptedReceiver = false) {
        QDir(dir.path()).mkpath(QStringLiteral("Tarnisk/OpisPl"));
        if (!baseLines.isEmpty())
            TextFileWriter::write(dir.path() + QStringLiteral("/Tarnisk/OpisPl/BazaDannih.baz"), baseLines);
        wb = std::make_unique<Workbench>(dialogs, scheduler, urls, clock, dir.path());
        parts.emplace(partsOf(*wb));
        if (scriptedReceiver) {
            auto r = std::make_unique<fakes::ScriptedReceiver>();
            receiver = r.get();
            wb->setUsbDriver(std::move(r));
        }
        windows = std::make_unique<ShellWindows>(*wb);
    }

    MainWindow& main() { return windows->mainWindow(); }
    template <typename T> T* find(const char* name) {
        return main().findChild<T*>(QString::fromLatin1(name));
    }
};

} // namespace ravlin::test
