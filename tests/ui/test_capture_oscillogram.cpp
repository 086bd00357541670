#include "capture/ui/bitmap_save.h"
#include "capture/ui/oscillogram_widgets.h"
#include "capture/ui/zoom_settings_window.h"
#include "fakes/scripted_dialogs.h"
#include "platform/ui/refresh.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

using namespace ravlin;

namespace {

template <typename W> W* find(QWidget& root, const char* name) {
    W* w = root.findChild<W*>(QString::fromLatin1(name));
    if (!w) qFatal("missing control %s", name);
    return w;
}

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kGreen = qRgb(0, 128, 0);

} // namespace

class TestCaptureOscillogram : public QObject {
    Q_OBJECT

    CaptureBuffer m_buffer;
    ZoomSettings m_zoom;
    fakes::ScriptedDialogs m_dialogs;

private slots:
    void init() {
        m_buffer.clear();
        m_zoom = ZoomSettings();
        m_dialogs.events.clear();
    }

    void stripPaintsTheBurst() {
        // Total 763: one pixel per unit, the burst from pixel 10 to 773.
        for (int d : {100, 200, 463})
            m_buffer.append(d);
        Oscillogram osc(m_buffer, m_zoom, m_dialogs);
        osc.draw(true);
        OscillogramPanel panel(osc, [] { return 0.0512; });
        panel.refresh();
        QCOMPARE(panel.box()->size(), QSize(779, 79));
        QCOMPARE(panel.strip()->size(), QSize(775, 69));
        const QImage image = panel.strip()->grab().toImage();
        QCOMPARE(image.size(), QSize(775, 69));
        auto at = [&](int x, int y) { return image.pixel(x, y) & 0xFFFFFF; };
        QCOMPARE(at(5, 66), kYellow & 0xFFFFFF);   // lead-in on the low level
        QCOMPARE(at(5, 30), kBlack & 0xFFFFFF);    // background
        QCOMPARE(at(10, 40), kYellow & 0xFFFFFF);  // rising edge of the first mark
        QCOMPARE(at(50, 3), kYellow & 0xFFFFFF);   // high level
        QCOMPARE(at(50, 30), kGreen & 0xFFFFFF);   // filled mark
        QCOMPARE(at(200, 30), kBlack & 0xFFFFFF);  // space
        QCOMPARE(at(200, 66), kYellow & 0xFFFFFF); // low level
        QCOMPARE(at(500, 30), kGreen & 0xFFFFFF);  // second mark
        QCOMPARE(at(773, 30), kYellow & 0xFFFFFF); // its falling edge
        QCOMPARE(at(774, 30), kBlack & 0xFFFFFF);  // past the end
        QCOMPARE(panel.lengthLabel()->text(), QStringLiteral("Length : 3"));
    }

    void pointerReadsOut() {
        for (int d : {100, 200, 463})
            m_buffer.append(d);
        Oscillogram osc(m_buffer, m_zoom, m_dialogs);
        osc.draw(true);
        OscillogramPanel panel(osc, [] { return 0.0512; });
        QCOMPARE(find<QLabel>(panel, "LabelReadout1")->text(), QStringLiteral("N =00    RAW=000h"));
        QCOMPARE(find<QLabel>(panel, "LabelReadout6")->text(), QStringLiteral("00.00 МиллиСек"));
        QCOMPARE(find<QLabel>(panel, "LabelUnderMouse")->text(),
                 QStringLiteral("Под мышкой сейчас находится"));
        QMouseEvent move(QEvent::MouseMove, QPointF(150, 20), QPointF(150, 20), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(panel.strip(), &move);
        QCOMPARE(find<QLabel>(panel, "LabelReadout1")->text(), QStringLiteral("N = 002 RAW= 0C8h"));
        QCOMPARE(find<QLabel>(panel, "LabelReadout6")->text(), QStringLiteral("    10.240 МиллиСек"));
    }

    void stripBitmapIsSaved() {
        for (int d : {100, 200, 463})
            m_buffer.append(d);
        Oscillogram osc(m_buffer, m_zoom, m_dialogs);
        osc.draw(true);
        QTemporaryDir dir;
        m_dialogs.fileNames << dir.filePath("strip");
        QString name = QStringLiteral("Diagram.bmp");
        QVERIFY(saveBitmap(m_dialogs, dir.path(), name, renderStrip(osc.drawing())));
        QCOMPARE(name, dir.filePath("strip.bmp"));
        QImage saved(dir.filePath("strip.bmp"), "BMP");
        QCOMPARE(saved.size(), QSize(775, 69));
        QCOMPARE(saved.pixel(50, 30) & 0xFFFFFF, kGreen & 0xFFFFFF);
    }

    void settingsWindowDefaults() {
        ZoomSettingsWindow w(m_zoom);
        QCOMPARE(w.objectName(), QStringLiteral("TForm6"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Настройка графики и зума"));
        QCOMPARE(find<QGroupBox>(w, "GroupBoxZoom")->title(), QStringLiteral(" Параметры визуализации "));
        auto* automatic = find<QRadioButton>(w, "RadioButtonAuto");
        auto* manual = find<QRadioButton>(w, "RadioButtonManual");
        QCOMPARE(automatic->text(), QStringLiteral("Автозумм"));
        QCOMPARE(manual->text(), QStringLiteral("Ручной зумм"));
        QVERIFY(automatic->isChecked());
        QVERIFY(!manual->isChecked());
        auto* track = find<QSlider>(w, "TrackBarZoom");
        QCOMPARE(track->value(), 14);
        QCOMPARE(track->minimum(), 4);
        QCOMPARE(track->maximum(), 66);
        auto* fallback = find<QCheckBox>(w, "CheckBoxAutoFallback");
        QCOMPARE(fallback->text(), QStringLiteral("Включать автомат при сильном зашкаливании"));
        QVERIFY(fallback->isChecked());
        auto* narrowest = find<QLineEdit>(w, "EditNarrowest");
        QCOMPARE(narrowest->text(), QStringLiteral("04"));
        QCOMPARE(narrowest->maxLength(), 2);
    }

    void settingsWindowWritesTheSettings() {
        ZoomSettingsWindow w(m_zoom);
        find<QRadioButton>(w, "RadioButtonManual")->click();
        find<QSlider>(w, "TrackBarZoom")->setValue(30);
        find<QCheckBox>(w, "CheckBoxAutoFallback")->click();
        auto* narrowest = find<QLineEdit>(w, "EditNarrowest");
        narrowest->selectAll();
        QTest::keyClicks(narrowest, "0A");
        QVERIFY(!m_zoom.automatic);
        QCOMPARE(m_zoom.manualPosition, 30);
        QVERIFY(!m_zoom.autoFallback);
        QCOMPARE(m_zoom.narrowestFilled, QStringLiteral("0A"));
    }

    void settingsWindowShowsManualZoom() {
        m_zoom.automatic = false;
        m_zoom.manualPosition = 40;
        ZoomSettingsWindow w(m_zoom);
        QVERIFY(find<QRadioButton>(w, "RadioButtonManual")->isChecked());
        QVERIFY(!find<QRadioButton>(w, "RadioButtonAuto")->isChecked());
        QCOMPARE(find<QSlider>(w, "TrackBarZoom")->value(), 40);
        m_zoom.automatic = true;
        w.refresh();
        QVERIFY(find<QRadioButton>(w, "RadioButtonAuto")->isChecked());
        QVERIFY(m_zoom.automatic);
    }

    void settingsWindowIsCentredAndNonModal() {
        QCOMPARE(ui::centredOver(QRect(100, 50, 795, 580), QSize(300, 201)), QPoint(347, 239));
        QCOMPARE(ui::centredOver(QRect(0, 0, 200, 100), QSize(301, 151)), QPoint(50, 25));
        QWidget main;
        main.setGeometry(100, 50, 795, 580);
        ZoomSettingsWindow w(m_zoom);
        w.showCentredOver(main);
        QVERIFY(w.isVisible());
        QCOMPARE(w.windowModality(), Qt::NonModal);
    }
};

QTEST_MAIN(TestCaptureOscillogram)
#include "test_capture_oscillogram.moc"
