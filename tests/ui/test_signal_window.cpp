// The "Сигнал" window on the workbench: opened from the strip and the menu, a known burst drawn (not
// blank, shaded against the decoder's threshold), resized, exported as PNG and SVG, copied as a
// microsecond list the command-line tool reads.
#include "capture/ui/oscillogram_widgets.h"
#include "capture/ui/signal_window.h"
#include "formats/core/burst_list.h"
#include "formats/core/signal_generator.h"
#include "ui/ui_shell.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace ravlin;

class TestSignalWindow : public QObject {
    Q_OBJECT

private slots:
    void showsExportsAndCopiesABurst();
};

void TestSignalWindow::showsExportsAndCopiesABurst() {
    test::UiShell s;
    Workbench& wb = *s.wb;
    WorkbenchParts& parts = *s.parts;
    const std::vector<std::int32_t> nec = SignalGenerator::inUnits(SignalGenerator::nec(0x04, 0x08));
    for (std::int32_t d : nec)
        parts.capture.append(d);
    wb.drawBurst();

    // A double click on the strip opens the window; so does "&File" -> "&Сигнал…".
    SignalWindow& window = s.windows->signalWindow();
    QCOMPARE(window.objectName(), QStringLiteral("TFormSignal"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Сигнал"));
    auto* strip = s.find<OscillogramStrip>("ImageDiagram");
    QVERIFY(strip);
    QTest::mouseDClick(strip, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QVERIFY(window.isVisible());
    window.hide();
    s.main().actions().signal->trigger();
    QVERIFY(window.isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.findChild<QComboBox*>(QStringLiteral("ComboBoxSignalSource"))->currentText(),
             QStringLiteral("Сигнал на экране"));
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("LabelDecoded"))
                ->text()
                .contains(QStringLiteral("9608FB04")));

    // Drawn at the plot's size: the trace, short marks and the long leader mark in their colours.
    auto* plot = window.findChild<SignalPlot*>(QStringLiteral("SignalPlot"));
    QCOMPARE(parts.signalView.picture().width, plot->width());
    const QImage image = renderSignal(parts.signalView.picture());
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) & 0xFFFFFF];
    for (QRgb colour : {0xFFFF00u, 0x008000u, 0x008080u})
        QVERIFY2(counts.value(colour) > 50, qPrintable(QString::number(colour, 16)));
    QVERIFY(counts.value(0x000000) < image.width() * image.height() * 9 / 10);

    // A larger window draws the burst across its new width.
    window.resize(1400, 600);
    QCoreApplication::processEvents();
    QCOMPARE(parts.signalView.picture().width, plot->width());
    QVERIFY(plot->width() > 1300);

    // PNG and SVG of the view, then the microsecond list.
    const QString png = s.dir.filePath(QStringLiteral("view"));
    const QString svg = s.dir.filePath(QStringLiteral("view.svg"));
    s.dialogs.fileNames = {png, svg};
    window.findChild<QPushButton*>(QStringLiteral("ButtonSavePng"))->click();
    window.findChild<QPushButton*>(QStringLiteral("ButtonSaveSvg"))->click();
    QCOMPARE(QImage(png + QStringLiteral(".png")).size(), plot->size());
    QFile svgFile(svg);
    QVERIFY(svgFile.open(QIODevice::ReadOnly));
    const QByteArray svgText = svgFile.readAll();
    QVERIFY(svgText.contains("<svg"));
    QVERIFY(svgText.contains("#ffff00")); // the trace

    window.findChild<QPushButton*>(QStringLiteral("ButtonCopyMicros"))->click();
    const ReadResult read = readBurstList(QGuiApplication::clipboard()->text(), {true, parts.poller.kind()});
    QCOMPARE(read.bursts.size(), 1);
    QCOMPARE(std::vector<std::int32_t>(read.bursts[0].durations.begin(), read.bursts[0].durations.end()),
             nec);
    test::saveShot(window, QStringLiteral("signal-window"));
}

QTEST_MAIN(TestSignalWindow)
#include "test_signal_window.moc"
