#include "acquisition/core/drivers/driver_choice.h"
#include "platform/core/clock.h"
#include "platform/core/fluid_tune_player.h"
#include "platform/core/qt_timer.h"
#include "platform/ui/qt_dialogs.h"
#include "shell/core/startup.h"
#include "shell/core/workbench.h"
#include "shell/ui/launcher_window.h"
#include "shell/ui/main_window.h"
#include "shell/ui/screenshot_tour.h"
#include "shell/ui/shell_windows.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include <cstdio>

using namespace ravlin;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ravlin"));
    QApplication::setApplicationVersion(QStringLiteral("1.1E"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Ravlin: a workbench for infrared remote controls. Run it in the folder that holds "
                       "Tarnisk/OpisPl (the application directory is the working directory)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption receiver(QStringLiteral("receiver"), QString::fromUtf8(kReceiverOptionHelp),
                                      QStringLiteral("sim:FILE|sim|lirc:/dev/lircN"));
    parser.addOption(receiver);
    const QCommandLineOption tour(
        QStringLiteral("screenshot-tour"),
        QStringLiteral("Walk through the windows on the simulated receiver (the --receiver "
                       "sim:FILE capture, default captures/demo.cap) and write one PNG "
                       "picture per view into DIR, then exit."),
        QStringLiteral("DIR"));
    parser.addOption(tour);
    parser.process(app);

    if (parser.isSet(tour)) {
        QString capture = parser.value(receiver);
        capture =
            capture.startsWith(QStringLiteral("sim:")) ? capture.mid(4) : QStringLiteral("captures/demo.cap");
        const TourResult result = runScreenshotTour({QDir::currentPath(), capture, parser.value(tour)});
        for (const TourShot& shot : result.shots)
            std::printf("%s\n", qPrintable(shot.file));
        if (!result.error.isEmpty()) std::fprintf(stderr, "ravlin: %s\n", qPrintable(result.error));
        return result.error.isEmpty() ? 0 : 1;
    }

    DriverChoice usb = makeUsbDriver(parser.value(receiver));
    if (!usb.error.isEmpty()) std::fprintf(stderr, "ravlin: %s\n", qPrintable(usb.error));
    if (!usb.driver) return 2;

    // The launcher ends the process itself, also while secondary windows are open.
    QApplication::setQuitOnLastWindowClosed(false);

    QtTimerFactory timers;
    QtDialogs dialogs;
    DesktopUrlOpener urls;
    SystemClock clock;
    Workbench workbench(dialogs, timers, urls, clock, QDir::currentPath());
    workbench.setUsbDriver(std::move(usb.driver));
    workbench.setTunePlayer(std::make_unique<FluidTunePlayer>(timers));

    ShellWindows windows(workbench);
    dialogs.setParent(&windows.launcher());
    QObject::connect(&workbench.startup(), &Startup::showMainWindowRequested, &app,
                     [&] { dialogs.setParent(&windows.mainWindow()); });
    QObject::connect(&workbench, &Workbench::quitRequested, &app, [&] {
        windows.launcher().close();
        QCoreApplication::quit();
    });

    windows.showLauncher();
    workbench.startup().begin();
    return QApplication::exec();
}
