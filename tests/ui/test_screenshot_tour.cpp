// The screenshot tour writes a picture of every view at its window's size, and none is blank.
#include "shell/tour/screenshot_tour.h"
#include "shell/ui/launcher_window.h"
#include "shell/ui/main_window.h"
#include "ui/ui_shell.h"

#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace ravlin;

class TestScreenshotTour : public QObject {
    Q_OBJECT

private slots:
    void everyViewIsPictured();
};

void TestScreenshotTour::everyViewIsPictured() {
    QTemporaryDir out;
    const QString source = QStringLiteral(RAVLIN_SOURCE_DIR);
    const TourResult result = runScreenshotTour(
        {source + QStringLiteral("/data"), source + QStringLiteral("/data/captures/demo.cap"), out.path()});
    QVERIFY2(result.error.isEmpty(), qPrintable(result.error));

    // The views the guide shows, in the tour's order.
    const QStringList expected{"01-launcher",         "02-main-about",        "03-kestrum-received-data",
                               "04-zoom-settings",    "05-kestrum-reception", "06-kestrum-hash-modules",
                               "07-kestrum-module96", "08-hex-baza",          "09-settings",
                               "10-ir-distribution",  "11-sources",           "12-name-choice",
                               "13-name-picture",     "14-capture-session",   "15-match-blinking",
                               "16-fitting",          "17-action-map",        "18-eeprom",
                               "19-test-mode",        "20-recognition-check", "21-signal"};
    QStringList files;
    for (const TourShot& s : result.shots)
        files << QFileInfo(s.file).completeBaseName();
    QCOMPARE(files, expected);

    // The size each window has when the program shows it, from a workbench of its own.
    test::UiShell fresh;
    for (QWidget* w : fresh.windows->all()) {
        w->show();
        QCoreApplication::processEvents();
    }
    for (const TourShot& s : result.shots) {
        const QImage image(out.filePath(s.file));
        QVERIFY2(!image.isNull(), qPrintable(s.file));
        QWidget* window = fresh.windows->byName(s.form);
        QVERIFY2(window, qPrintable(s.form));
        const QSize size = window->size();
        if (s.form == QLatin1String("TForm1")) QCOMPARE(size, QSize(MainWindow::kWidth, MainWindow::kHeight));
        QCOMPARE(image.size(), size);

        // Not blank: many colours, and no colour covers nearly all of it.
        QHash<QRgb, int> counts;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                ++counts[image.pixel(x, y)];
        int most = 0;
        for (int c : counts)
            most = std::max(most, c);
        const int sampled = ((image.width() + 1) / 2) * ((image.height() + 1) / 2);
        QVERIFY2(counts.size() > 8, qPrintable(s.file));
        QVERIFY2(most < sampled * 97 / 100, qPrintable(s.file));
    }
}

QTEST_MAIN(TestScreenshotTour)
#include "test_screenshot_tour.moc"
