// The fixed limits of the system, each on the paths that fill it, at the limit and one past it.
#include "acquisition/core/device_answer.h"
#include "acquisition/core/drivers/lirc_receiver.h"
#include "base/core/analogue_base.h"
#include "base/core/base_file.h"
#include "base/core/capture_buffer.h"
#include "base/core/remote_description.h"
#include "firmware/core/action_map.h"
#include "formats/core/capture_file.h"
#include "formats/core/mode2.h"

#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <map>

using namespace ravlin;

namespace {

// Each path: given n items offered, how many it keeps.
const std::map<QString, std::function<int(int)>>& paths() {
    static const std::map<QString, std::function<int(int)>> table = {
        {"records: base file count line",
         [](int n) {
             QStringList lines = {"В этом пульте кнопок", QString::number(n), "Ну сами кнопки"};
             for (int i = 1; i <= n; ++i)
                 lines << QString::number(i) << "TV"
                       << "PW"
                       << "H" << QString::number(i, 16) << ""
                       << ""
                       << ""
                       << ""
                       << "";
             ButtonBase base;
             BaseFileSettings s;
             const BaseFileLoad load = readBaseFile(TextLines(lines), base, s);
             return load.leftOut.isEmpty() ? base.count() : -base.count(); // negative: a remainder told
         }},
        {"known remotes: key lines",
         [](int n) {
             QStringList lines;
             for (int i = 1; i <= n; ++i)
                 lines << QStringLiteral("K%1").arg(i, 4, 10, QLatin1Char('0')) << "/a.txt";
             AnalogueBase b;
             b.loadLines(lines);
             return b.count();
         }},
        {"zones: description file",
         [](int n) {
             std::vector<RemoteZone> zones(std::size_t(n), RemoteZone{1, 2, 3, 4, "PW"});
             return int(RemoteDescription::read(TextLines(RemoteDescription::lines(zones))).zones.size());
         }},
        {"durations: capture buffer",
         [](int n) {
             CaptureBuffer b;
             for (int i = 0; i < n; ++i)
                 b.append(10);
             return b.count;
         }},
        {"durations: capture file bytes",
         [](int n) { return int(CaptureFile::parse("0:" + QString(" 11").repeated(n)).bursts.size()) * n; }},
        {"durations: Linux IR device",
         [](int n) {
             // A frame of n durations read by the device backend, one byte per duration (USBtiny).
             QTemporaryDir dir;
             QFile f(dir.filePath("lirc"));
             f.open(QIODevice::WriteOnly);
             for (int i = 0; i <= n; ++i) {
                 const Mode2Sample s{i == n ? Mode2Sample::Type::Timeout
                                            : (i % 2 ? Mode2Sample::Type::Space : Mode2Sample::Type::Pulse),
                                     400};
                 const std::uint32_t w = encodeMode2Word(s);
                 f.write(reinterpret_cast<const char*>(&w), 4);
             }
             f.close();
             LircReceiver lirc(f.fileName(), [] { return std::int64_t(0); });
             lirc.setKind(ReceiverKind::USBtiny);
             std::array<std::uint8_t, 256> block{};
             std::int32_t count = 0;
             lirc.DoGetInfraCode(block.data(), 255, count);
             return int(count);
         }},
        {"action sets: .irf file",
         [](int n) {
             ActionMap full;
             for (auto& e : full.entries)
                 e = {"PW", "ABCDABCDABCDABCD", JoystickActionNames().at(1)};
             QStringList lines = irfLines(full);
             for (int k = ActionMap::kSets + 1; k <= n; ++k) // sets past the map's end in the file
                 lines << QStringLiteral("; Набор номер - %1").arg(k) << "1- PW"
                       << "2- 1111"
                       << "3- " + JoystickActionNames().at(1) << "";
             lines = lines.mid(0, 5 + 5 * n);
             ActionMap map;
             readIrf(map, TextLines(lines));
             return map.validCount();
         }},
    };
    return table;
}

} // namespace

class TestCaps : public QObject {
    Q_OBJECT

private slots:
    void limitAndOnePast_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("offered");
        QTest::addColumn<int>("kept");
        const struct {
            const char* path;
            int offered;
            int kept;
        } rows[] = {
            {"records: base file count line", 750, 750},
            {"records: base file count line", 751, -750}, // 750 loaded, the one left out told
            {"known remotes: key lines", 400, 400},
            {"known remotes: key lines", 401, 400},
            {"zones: description file", 100, 100},
            {"zones: description file", 101, 100},
            {"durations: capture buffer", 255, 255},
            {"durations: capture buffer", 256, 255},
            {"durations: capture file bytes", 255, 255},
            {"durations: capture file bytes", 256, 0}, // the line is refused, not cut
            {"durations: Linux IR device", 255, 255},
            {"durations: Linux IR device", 257, 255}, // cut after its last whole mark
            {"action sets: .irf file", 80, 80},
            {"action sets: .irf file", 81, 80},
        };
        for (const auto& r : rows)
            QTest::addRow("%s, %d", r.path, r.offered) << QString(r.path) << r.offered << r.kept;
    }
    void limitAndOnePast() {
        QFETCH(QString, path);
        QFETCH(int, offered);
        QFETCH(int, kept);
        QCOMPARE(paths().at(path)(offered), kept);
    }

    void everyAnswerFitsItsBuffer() {
        // Whatever the receiver sends, the answer text stays within the 60-character buffer.
        for (int type = 0; type < 256; ++type)
            for (int key = 0; key < 256; ++key) {
                std::array<std::uint8_t, 256> block{0xFF, 0xFF, std::uint8_t(type), 0, std::uint8_t(key)};
                AnswerBuffer buffer;
                std::int32_t length = -1;
                DecodeDeviceAnswer(block, 255, buffer, length);
                QVERIFY(length >= 0 && length <= kAnswerBufferLength);
                QCOMPARE(buffer.text.size(), kAnswerBufferLength);
            }
    }
};

QTEST_GUILESS_MAIN(TestCaps)
#include "test_caps.moc"
