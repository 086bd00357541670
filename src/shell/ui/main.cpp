#include "acquisition/core/drivers/driver_choice.h"
#include "platform/core/clock.h"
#include "platform/core/fluid_tune_player.h"
#include "platform/core/qt_timer.h"
#include "platform/ui/qt_dialogs.h"
#include "shell/core/folder_lock.h"
#include "shell/core/startup.h"
#include "shell/core/workbench.h"
#include "shell/core/working_folder.h"
#include "shell/ui/application_setup.h"
#include "shell/ui/help_page.h"
#include "shell/ui/launcher_window.h"
#include "shell/ui/main_window.h"
#include "shell/ui/shell_windows.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

using namespace ravlin;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto translator = setUpApplication();

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Ravlin: a workbench for infrared remote controls. It reads and writes its files "
                       "(Tarnisk/OpisPl, bases, pictures) in its working folder: the folder given with "
                       "--workdir; when installed, $XDG_DATA_HOME/ravlin (~/.local/share/ravlin), filled "
                       "from the shipped data on start; otherwise the current directory."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption receiver(QStringLiteral("receiver"), QString::fromUtf8(kReceiverOptionHelp),
                                      QStringLiteral("sim:FILE|sim|lirc:/dev/lircN"));
    parser.addOption(receiver);
    const QCommandLineOption workdir(QStringLiteral("workdir"),
                                     QStringLiteral("Use DIR as the working folder (it must exist)."),
                                     QStringLiteral("DIR"));
    parser.addOption(workdir);
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Start even when another Ravlin works in this folder."));
    parser.addOption(force);
    parser.process(app);

    const WorkingFolder folder =
        chooseWorkingFolder({parser.value(workdir), QCoreApplication::applicationDirPath(),
                             QDir::currentPath(), qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath()});
    if (!folder.error.isEmpty()) {
        std::fprintf(stderr, "ravlin: %s\n", qPrintable(folder.error));
        return 2;
    }
    if (!folder.seedFrom.isEmpty()) {
        const QStringList problems = seedWorkingFolder(folder.path, folder.seedFrom);
        for (const QString& p : problems)
            std::fprintf(stderr, "ravlin: %s\n", qPrintable(p));
        if (!QFileInfo(folder.path).isDir()) return 2;
    }

    // One workbench per working folder: two would poll one receiver and write the same files.
    FolderLock lock(folder.path);
    if (!parser.isSet(force) && lock.acquire() == FolderLock::Result::HeldByAnother) {
        std::fprintf(stderr, "ravlin: another copy works in %s (--force starts one all the same)\n",
                     qPrintable(folder.path));
        // Said in a box too where someone can read it (not without a display).
        if (QApplication::platformName() != QLatin1String("offscreen"))
            QMessageBox::information(nullptr, QStringLiteral("Ravlin"), lock.refusal());
        return 3;
    }

    DriverChoice usb = makeUsbDriver(parser.value(receiver));
    if (!usb.error.isEmpty()) std::fprintf(stderr, "ravlin: %s\n", qPrintable(usb.error));
    if (!usb.driver) return 2;

    // The launcher ends the process itself, also while secondary windows are open.
    QApplication::setQuitOnLastWindowClosed(false);

    QtTimerFactory timers;
    QtDialogs dialogs;
    GuideUrlOpener urls;
    SystemClock clock;
    Workbench workbench(dialogs, timers, urls, clock, folder.path);
    workbench.setGuideFile(folder.guideFile);
    workbench.setUsbDriver(std::move(usb.driver));
    workbench.setTunePlayer(std::make_unique<FluidTunePlayer>(timers));

    // The launcher goes on screen first; the other windows are built while it counts down.
    ShellWindows windows(workbench, ShellWindows::Creation::LauncherFirst);
    dialogs.setParent(&windows.launcher());
    QObject::connect(&workbench.startup(), &Startup::showMainWindowRequested, &app,
                     [&] { dialogs.setParent(&windows.mainWindow()); });
    QObject::connect(&workbench, &Workbench::quitRequested, &app, [&] {
        windows.launcher().close();
        QCoreApplication::quit();
    });

    windows.showLauncher();
    QTimer::singleShot(0, &app, [&] {
        windows.createOtherWindows();
        workbench.beginStartup();
    });
    return QApplication::exec();
}
