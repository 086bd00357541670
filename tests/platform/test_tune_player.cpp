// The match tune on FluidSynth: the shipped Beep.mid renders to sound that ends with its track, and
// bad or missing tune files leave the player silent.
#include "fakes/manual_scheduler.h"
#include "platform/core/fluid_tune_player.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <cstring>

using namespace ravlin;

namespace {
const QString kBeep = QStringLiteral(RAVLIN_SOURCE_DIR "/data/Tarnisk/OpisPl/Beep.mid");
constexpr int kBytesPerSecond = 44100 * 2 * 2; // 16-bit stereo
} // namespace

class TestTunePlayer : public QObject {
    Q_OBJECT

private slots:
    void beepRendersToSoundAndEndsWithItsTrack() {
        const QString soundFont = FluidTunePlayer::findSoundFont();
        if (soundFont.isEmpty()) QSKIP("no General MIDI soundfont installed");
        QTemporaryDir dir;
        const QByteArray raw =
            FluidTunePlayer::renderToRaw(kBeep, soundFont, dir.filePath(QStringLiteral("beep.raw")));
        QVERIFY(!raw.isEmpty());
        int peak = 0;
        for (qsizetype i = 0; i + 1 < raw.size(); i += 2) {
            std::int16_t sample;
            std::memcpy(&sample, raw.constData() + i, 2);
            peak = std::max(peak, std::abs(int(sample)));
        }
        QVERIFY2(peak > 1000, qPrintable(QStringLiteral("peak %1").arg(peak)));
        // Three quarter-second notes and a quarter second to ring out: the render stops there.
        const double seconds = double(raw.size()) / kBytesPerSecond;
        QVERIFY2(seconds > 0.9 && seconds < 1.3, qPrintable(QString::number(seconds)));
    }

    void badTuneFilesAreRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("taken");
        QTest::newRow("missing") << QByteArray() << false << false;
        QTest::newRow("empty") << QByteArray() << true << false;
        QTest::newRow("not MIDI") << QByteArrayLiteral("RIFF....WAVE") << true << false;
        QTest::newRow("truncated MIDI") << QByteArrayLiteral("MThd\0\0\0\6\0") << true << true;
        QFile beep(kBeep);
        QVERIFY(beep.open(QIODevice::ReadOnly));
        QTest::newRow("Beep.mid") << beep.readAll() << true << true;
    }
    void badTuneFilesAreRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, exists);
        QFETCH(bool, taken);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Beep.mid"));
        if (exists) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        fakes::ManualScheduler scheduler;
        FluidTunePlayer player(scheduler);
        QCOMPARE(player.open(path), taken);
        // Priming and playing never block and never crash, with or without a device.
        player.play();
        player.pause();
        player.play();
        if (!taken) QVERIFY(!player.isPlaying());
        scheduler.advance(3000);
        player.pause();
        QVERIFY(!player.isPlaying());
    }
};

QTEST_GUILESS_MAIN(TestTunePlayer)
#include "test_tune_player.moc"
