#include "acquisition/core/drivers/driver_choice.h"
#include "platform/core/clock.h"
#include "platform/core/fluid_tune_player.h"
#include "platform/core/qt_timer.h"
#include "platform/ui/qt_dialogs.h"
#include "shell/core/folder_lock.h"
#include "shell/core/startup.h"
#include "shell/core/workbench.h"
#include "shell/ui/help_page.h"
#include "shell/ui/launcher_window.h"
#include "shell/ui/main_window.h"
#include "shell/ui/screenshot_tour.h"
#include "shell/ui/shell_windows.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include <cstdio>

using namespace ravlin;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ravlin"));
    QApplication::setApplicationVersion(QStringLiteral("1.1E"));
    // Qt's own dialogs and buttons ("Открыть", "Отмена", "Да") in Russian, as the program's texts are.
    QTranslator qtRussian;
    if (qtRussian.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtRussian);

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
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Start even when another Ravlin works in this folder."));
    parser.addOption(force);
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

    // One workbench per working folder: two would poll one receiver and write the same files.
    FolderLock lock(QDir::currentPath());
    if (!parser.isSet(force) && lock.acquire() == FolderLock::Result::HeldByAnother) {
        std::fprintf(stderr, "ravlin: another copy works in %s (--force starts one all the same)\n",
                     qPrintable(QDir::currentPath()));
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
