// ravlin-tour: the pictures of the user guide (scripts/screenshots runs it in data/).
#include "shell/tour/screenshot_tour.h"
#include "shell/ui/application_setup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include <cstdio>

using namespace ravlin;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto translator = setUpApplication();

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Walks through Ravlin's windows on the simulated receiver and writes one PNG "
                       "picture per view into DIR, then exits."));
    parser.addHelpOption();
    const QCommandLineOption data(QStringLiteral("data"),
                                  QStringLiteral("Folder holding Tarnisk/OpisPl (default: the current "
                                                 "directory); the tour works in a temporary copy."),
                                  QStringLiteral("DIR"));
    parser.addOption(data);
    const QCommandLineOption capture(
        QStringLiteral("capture"),
        QStringLiteral("Capture file the simulated receiver plays (default: captures/demo.cap in the "
                       "data folder)."),
        QStringLiteral("FILE"));
    parser.addOption(capture);
    parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("Where the pictures go."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        std::fprintf(stderr, "ravlin-tour: give one folder for the pictures\n");
        return 2;
    }

    const QString dataDir = parser.isSet(data) ? parser.value(data) : QDir::currentPath();
    const QString capturePath = parser.isSet(capture)
                                    ? parser.value(capture)
                                    : QDir(dataDir).filePath(QStringLiteral("captures/demo.cap"));
    const TourResult result = runScreenshotTour({dataDir, capturePath, parser.positionalArguments().first()});
    for (const TourShot& shot : result.shots)
        std::printf("%s\n", qPrintable(shot.file));
    if (!result.error.isEmpty()) std::fprintf(stderr, "ravlin-tour: %s\n", qPrintable(result.error));
    return result.error.isEmpty() ? 0 : 1;
}
