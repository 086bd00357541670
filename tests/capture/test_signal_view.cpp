// The signal view's geometry (fit, zoom around a point, pan limits, axis ticks), its cursors, the
// decoded fields it annotates and its microsecond list.
#include "base/core/receiver_units.h"
#include "capture/core/signal_import.h"
#include "capture/core/signal_view.h"
#include "formats/core/burst_list.h"
#include "formats/core/signal_generator.h"

#include <QtTest>

using namespace ravlin;

Q_DECLARE_METATYPE(ravlin::ReceiverKind)

namespace {

using Durations = std::vector<std::int32_t>;

struct Rig {
    CaptureBuffer screen;
    ButtonBase base;
    DecoderSettings decoder;
    ReceiverKind kind = ReceiverKind::IgorPlugUdp; // 51.2 µs
    SignalView view{screen, base, decoder, [this] { return kind; }};

    void show(const Durations& d) {
        screen.clear();
        for (std::int32_t x : d)
            screen.append(x);
        view.screenBurstChanged();
    }
};

} // namespace

class TestSignalView : public QObject {
    Q_OBJECT

private slots:
    void viewport_data();
    void viewport();
    void axis_data();
    void axis();
    void cursors_data();
    void cursors();
    void followsScreenUnlessHeld();
    void fields_data();
    void fields();
    void microsListRoundTrip_data();
    void microsListRoundTrip();
};

// A burst of 1000 units on 500 pixels from pixel 10: the range is -20..1020 (2 % margins).
void TestSignalView::viewport_data() {
    QTest::addColumn<std::int64_t>("total");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("span");
    QTest::addColumn<QString>("op");
    QTest::addColumn<double>("arg");
    QTest::addColumn<double>("arg2");
    QTest::addColumn<double>("wantStart");
    QTest::addColumn<double>("wantSpan");
    QTest::newRow("fit") << std::int64_t(1000) << 0.0 << 1.0 << "fit" << 0.0 << 0.0 << -20.0 << 1040.0;
    QTest::newRow("fit, margin at least a unit")
        << std::int64_t(10) << 0.0 << 1.0 << "fit" << 0.0 << 0.0 << -1.0 << 12.0;
    QTest::newRow("zoom x2 at the centre")
        << std::int64_t(1000) << -20.0 << 1040.0 << "zoom" << 260.0 << 2.0 << 240.0 << 520.0;
    QTest::newRow("zoom x2 at a quarter")
        << std::int64_t(1000) << -20.0 << 1040.0 << "zoom" << 135.0 << 2.0 << 110.0 << 520.0;
    QTest::newRow("zoom in to the least span")
        << std::int64_t(1000) << -20.0 << 1040.0 << "zoom" << 260.0 << 1000.0 << 498.0 << 4.0;
    QTest::newRow("zoom out stops at the range")
        << std::int64_t(1000) << 240.0 << 520.0 << "zoom" << 400.0 << 0.1 << -20.0 << 1040.0;
    QTest::newRow("pan right") << std::int64_t(1000) << 240.0 << 520.0 << "pan" << 100.0 << 0.0 << 136.0
                               << 520.0;
    QTest::newRow("pan to one pixel short of the start")
        << std::int64_t(1000) << 240.0 << 520.0 << "pan" << 249.0 << 0.0 << -18.96 << 520.0;
    QTest::newRow("pan exactly to the start")
        << std::int64_t(1000) << 240.0 << 520.0 << "pan" << 250.0 << 0.0 << -20.0 << 520.0;
    QTest::newRow("pan past the start")
        << std::int64_t(1000) << 240.0 << 520.0 << "pan" << 251.0 << 0.0 << -20.0 << 520.0;
    QTest::newRow("pan past the end")
        << std::int64_t(1000) << 240.0 << 520.0 << "pan" << -10000.0 << 0.0 << 500.0 << 520.0;
    QTest::newRow("whole view cannot pan")
        << std::int64_t(1000) << -20.0 << 1040.0 << "pan" << 50.0 << 0.0 << -20.0 << 1040.0;
}

void TestSignalView::viewport() {
    QFETCH(std::int64_t, total);
    QFETCH(double, start);
    QFETCH(double, span);
    QFETCH(QString, op);
    QFETCH(double, arg);
    QFETCH(double, arg2);
    const SignalRange range(total);
    const SignalViewport before{start, span, 10.0, 500.0};
    SignalViewport v;
    if (op == QLatin1String("fit"))
        v = range.fit(10.0, 500.0);
    else if (op == QLatin1String("zoom"))
        v = range.zoomAt(before, arg, arg2);
    else
        v = range.panBy(before, arg);
    QTEST(v.start, "wantStart");
    QTEST(v.span, "wantSpan");
    // Zooming away from the limits keeps the time under the pointer where it was.
    if (op == QLatin1String("zoom") && v.span > SignalRange::kMinSpan && v.span < range.maxSpan())
        QCOMPARE(v.tOf(arg), before.tOf(arg));
}

// Major ticks at a 1-2-5 step at least 80 pixels apart; the step moves up exactly when 80 pixels
// hold more than a step.
void TestSignalView::axis_data() {
    QTest::addColumn<double>("span");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("unitUs");
    QTest::addColumn<QStringList>("majors");
    QTest::newRow("200 µs step") << 1000.0 << 500.0 << 1.0
                                 << QStringList{"0", "200", "400", "600", "800", "1000"};
    QTest::newRow("units of 10 µs") << 1000.0 << 500.0 << 10.0
                                    << QStringList{"0", "2000", "4000", "6000", "8000", "10000"};
    QTest::newRow("80 px are exactly 100 µs")
        << 500.0 << 400.0 << 1.0 << QStringList{"0", "100", "200", "300", "400", "500"};
    QTest::newRow("80 px are just over 100 µs") << 500.0 << 399.0 << 1.0 << QStringList{"0", "200", "400"};
    QTest::newRow("fractions of a µs")
        << 10.0 << 800.0 << 0.5
        << QStringList{"0.0", "0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0", "4.5", "5.0"};
}

void TestSignalView::axis() {
    QFETCH(double, span);
    QFETCH(double, width);
    QFETCH(double, unitUs);
    QFETCH(QStringList, majors);
    const SignalViewport v{0.0, span, 10.0, width};
    QStringList labels;
    int minors = 0;
    for (const AxisTick& t : axisTicks(v, unitUs)) {
        QCOMPARE(t.x, v.xOf(t.micros / unitUs));
        QVERIFY(t.x >= v.left && t.x <= v.left + v.width);
        if (t.major)
            labels << t.label;
        else
            ++minors;
    }
    QCOMPARE(labels, majors);
    QVERIFY(minors >= majors.size() - 1);
}

// Durations 20, 10, 30, 10, 30 (edges 0, 20, 30, 60, 70, 100) fitted to 416 pixels from pixel 10:
// a quarter unit per pixel, edge e at pixel 18 + 4e. A cursor snaps to an edge up to 6 pixels
// (1.5 units) away.
void TestSignalView::cursors_data() {
    // Pixels clicked; after -1 a press and the pixel it is dragged to.
    QTest::addColumn<QList<double>>("clicks");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<QString>("dt");
    QTest::addColumn<QString>("inverse");
    QTest::addColumn<int>("between");
    QTest::newRow("leader") << QList<double>{18, 138} << 0.0 << 30.0 << "Δt = 1536.0 мкс"
                            << "1/Δt = 651.04 Гц" << 2;
    QTest::newRow("snapped 6 px away") << QList<double>{24, 292} << 0.0 << 70.0 << "Δt = 3584.0 мкс"
                                       << "1/Δt = 279.02 Гц" << 4;
    QTest::newRow("7 px away stays") << QList<double>{25, 305} << 1.75 << 71.75 << "Δt = 3584.0 мкс"
                                     << "1/Δt = 279.02 Гц" << 3;
    QTest::newRow("B before A") << QList<double>{258, 98} << 60.0 << 20.0 << "Δt = 2048.0 мкс"
                                << "1/Δt = 488.28 Гц" << 2;
    QTest::newRow("B dragged onto A") << QList<double>{98, 138, -1, 138, 99} << 20.0 << 20.0 << "Δt = 0.0 мкс"
                                      << "1/Δt = —" << 0;
    QTest::newRow("B dragged to the end")
        << QList<double>{18, 138, -1, 141, 418} << 0.0 << 100.0 << "Δt = 5120.0 мкс"
        << "1/Δt = 195.31 Гц" << 5;
    QTest::newRow("third click moves the nearer")
        << QList<double>{18, 138, 258} << 0.0 << 60.0 << "Δt = 3072.0 мкс"
        << "1/Δt = 325.52 Гц" << 3;
}

void TestSignalView::cursors() {
    QFETCH(QList<double>, clicks);
    Rig rig;
    rig.show({20, 10, 30, 10, 30});
    rig.view.setCanvasSize(436, 200);
    rig.view.fit();
    QCOMPARE(rig.view.viewport().unitsPerPixel(), 0.25);
    for (qsizetype i = 0; i < clicks.size(); ++i) {
        if (clicks[i] < 0) {
            rig.view.press(clicks[i + 1]);
            rig.view.drag(clicks[i + 2]);
            rig.view.release(clicks[i + 2]);
            i += 2;
            continue;
        }
        rig.view.press(clicks[i]);
        rig.view.release(clicks[i]);
    }
    QVERIFY(rig.view.cursorA() && rig.view.cursorB());
    QTEST(*rig.view.cursorA(), "a");
    QTEST(*rig.view.cursorB(), "b");
    const QString text = rig.view.cursorText();
    QFETCH(QString, dt);
    QFETCH(QString, inverse);
    QVERIFY2(text.contains(dt), qPrintable(text));
    QVERIFY2(text.contains(inverse), qPrintable(text));
    QFETCH(int, between);
    QVERIFY2(text.endsWith(QStringLiteral(": ") + QString::number(between)), qPrintable(text));
    // The view did not move: these were clicks, not pans.
    QCOMPARE(rig.view.viewport().start, -2.0);
}

void TestSignalView::followsScreenUnlessHeld() {
    Rig rig;
    rig.show({10, 20, 30});
    rig.view.setHold(true);
    rig.show({40, 50, 60});
    QCOMPARE(rig.view.snapshot().durations, (Durations{10, 20, 30}));
    rig.view.setHold(false); // catches up
    QCOMPARE(rig.view.snapshot().durations, (Durations{40, 50, 60}));

    rig.base.append({QStringLiteral("Демо"),
                     QStringLiteral("PW"),
                     QStringLiteral("X"),
                     {"00A00B00C", "", "", "", "", ""}});
    QCOMPARE(rig.view.sourceNames(), (QStringList{"Сигнал на экране", "Запись 1: Демо / PW"}));
    rig.view.setSource(1);
    QCOMPARE(rig.view.snapshot().durations, (Durations{10, 11, 12}));
    rig.show({70, 80, 90}); // a record stays while bursts arrive
    QCOMPARE(rig.view.snapshot().durations, (Durations{10, 11, 12}));
    rig.base.clear();
    rig.view.refresh();
    QCOMPARE(rig.view.source(), 0);
    QCOMPARE(rig.view.snapshot().durations, (Durations{70, 80, 90}));
}

// Fields of frames made by the signal generator, in Movrik units, read where the decoder reads them:
// "name first..last value".
void TestSignalView::fields_data() {
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("NEC 04/08") << "nec"
                               << QStringList{"Лидер 1..2 1A6/0D3", "Адрес 3..18 04", "Адрес инв. 19..34 FB",
                                              "Команда 35..50 08", "Команда инв. 51..66 F7"};
    // Sony bytes are inverted and straddle the 7-bit command and the 5-bit address, as the decoder reads
    // them.
    QTest::newRow("Sony 12-bit 15/01")
        << "sony12" << QStringList{"Лидер 1..2 071/01C", "Команда 3..17 6A", "Адрес 11..25 F6"};
    QTest::newRow("RC5 05/0C") << "rc5"
                               << QStringList{"Старт 1..2 ", "R 3..3 0", "Адрес 5..10 05",
                                              "Команда 11..19 0C"};
    QTest::newRow("JVC 12/34") << "jvc"
                               << QStringList{"Лидер 1..2 18A/0C5", "Адрес 3..18 ED", "Команда 19..34 CB"};
}

void TestSignalView::fields() {
    QFETCH(QString, frame);
    SignalGenerator::Micros micros;
    if (frame == QLatin1String("nec")) micros = SignalGenerator::nec(0x04, 0x08);
    if (frame == QLatin1String("sony12")) micros = SignalGenerator::sony12(0x15, 0x01);
    if (frame == QLatin1String("rc5")) micros = SignalGenerator::rc5(false, 5, 12);
    if (frame == QLatin1String("jvc")) micros = SignalGenerator::jvc(0x12, 0x34, true);
    const std::vector<std::int32_t> d = SignalGenerator::inUnits(micros);
    const DecoderMasks m = decoderMasks(DecoderSettings{});
    const DecoderResult result = ProtocolDecoder(d, m.group1, m.group2, m.group3);
    QVERIFY(result.recognised());
    const DecoderLayout layout = decoderLayout(d, result);
    QStringList fields;
    for (const DecodedField& f : layout.fields)
        fields << QStringLiteral("%1 %2..%3 %4").arg(f.name).arg(f.first).arg(f.last).arg(f.value);
    QTEST(fields, "fields");
    QVERIFY(layout.threshold.has_value());

    // The view shades against that threshold and puts every field under the axis.
    Rig rig;
    rig.kind = ReceiverKind::Movrik;
    rig.show(d);
    const SignalPicture pic = rig.view.picture();
    int longMarks = 0;
    for (const auto& box : pic.boxes)
        longMarks += box.fill == SignalInk::MarkLong;
    int expectedLong = 0;
    for (std::size_t k = 0; k < d.size(); k += 2)
        expectedLong += d[k] > *layout.threshold;
    QCOMPARE(longMarks, expectedLong);
    for (const QString& f : fields) {
        const QString label = f.section(u' ', 0, f.count(u' ') - 2) + u' ' + f.section(u' ', -1);
        QVERIFY2(std::any_of(pic.texts.begin(), pic.texts.end(),
                             [&](const SignalPicture::Text& t) { return t.text == label.trimmed(); }),
                 qPrintable(label));
    }
}

void TestSignalView::microsListRoundTrip_data() {
    QTest::addColumn<ReceiverKind>("kind");
    for (const ReceiverKindInfo& k : ReceiverKinds::table())
        QTest::newRow(k.text) << k.kind;
}

void TestSignalView::microsListRoundTrip() {
    QFETCH(ReceiverKind, kind);
    Rig rig;
    rig.kind = kind;
    // A burst as a receiver of the kind delivers it (on the steps of its byte format), which the
    // copied list reads back to exactly.
    const Durations raw{422, 211, 26, 79, 1, 4095, 27};
    Durations d;
    for (std::size_t i = 0; i < raw.size(); ++i)
        d.push_back(nanosToReceivedUnits(std::int64_t(unitsToMicros(raw[i], kind)) * 1000, kind, i));
    rig.show(d);
    const QString list = rig.view.microsList();
    QCOMPARE(list.count(u'\n'), 2);
    QVERIFY(list.startsWith(u'#'));
    const ReadResult read = readBurstList(list, {true, kind});
    QVERIFY(read.problems.isEmpty());
    QCOMPARE(read.bursts.size(), 1);
    QCOMPARE(std::vector<std::int32_t>(read.bursts[0].durations.begin(), read.bursts[0].durations.end()), d);
}

QTEST_GUILESS_MAIN(TestSignalView)
#include "test_signal_view.moc"
