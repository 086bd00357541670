#include "base/core/base_file.h"
#include "base/core/base_file_commands.h"
#include "base/core/capture_buffer.h"
#include "base/core/key_names.h"
#include "base/core/rescan.h"
#include "base/core/statistics.h"
#include "fakes/scripted_dialogs.h"
#include "platform/core/cp1251.h"
#include "platform/core/text_file.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace ravlin;

namespace {

// 750 records of 76 durations each, with names from the key table and one record in ten repeating
// an earlier one's name and timings (and hash), so that every pass has work to do.
ButtonBase generatedBase() {
    ButtonBase base;
    for (int i = 1; i <= ButtonBase::kCapacity; ++i) {
        const int source = i % 10 == 0 ? i - 7 : i;
        ButtonRecord r;
        r.remoteName = QStringLiteral("Пульт %1").arg(i % 4);
        r.buttonName = KeyNamTab::name(source % KeyNamTab::kCount);
        r.hash =
            QStringLiteral("00%1").arg(source * 2654435761u % 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
        std::vector<std::int32_t> d;
        for (int k = 0; k < 76; ++k)
            d.push_back((source * 31 + k * 17) % 0x400);
        r.timings = timingTextsOf(d);
        base.append(r);
    }
    return base;
}

} // namespace

class BenchBaseFiles : public QObject {
    Q_OBJECT

private slots:
    void openWithDuplicateMarkingAndRemoval() {
        QTemporaryDir dir;
        const QString path = dir.filePath("bench.txt");
        QVERIFY(TextFileWriter::write(path, baseFileLines(generatedBase(), BaseFileSettings())));
        QBENCHMARK {
            ButtonBase base;
            fakes::ScriptedDialogs dialogs;
            RescanFlags flags;
            HexBazaSettings tab;
            FileDialogPresets names;
            HeldSettings held;
            BaseEntry entry;
            RecordCursor cursor(entry, base);
            ResultLog log;
            BaseFileCommands cmd(base, dialogs, flags, tab, names, held, cursor, log);
            dialogs.fileNames << path;
            cmd.open();
            QCOMPARE(base.count(), 675);
        }
    }

    void save() {
        QTemporaryDir dir;
        ButtonBase base = generatedBase();
        fakes::ScriptedDialogs dialogs;
        RescanFlags flags;
        HexBazaSettings tab;
        tab.clearAfterSave = false;
        FileDialogPresets names;
        HeldSettings held;
        BaseEntry entry;
        RecordCursor cursor(entry, base);
        ResultLog log;
        BaseFileCommands cmd(base, dialogs, flags, tab, names, held, cursor, log);
        const QString path = dir.filePath("saved.txt");
        QBENCHMARK {
            dialogs.fileNames << path;
            dialogs.answers = {Answer::Yes};
            cmd.save();
        }
        QVERIFY(QFileInfo(path).size() > 0);
    }

    // The part of a save that is not the disk: the layout and its cp1251 bytes.
    void saveLayoutAndEncoding() {
        const ButtonBase base = generatedBase();
        QBENCHMARK {
            QByteArray bytes;
            for (const QString& line : baseFileLines(base, BaseFileSettings()))
                bytes += encodeCp1251(line) + "\r\n";
            QVERIFY(!bytes.isEmpty());
        }
    }

    void rescanFinishOrderingAndDuplicateRemoval() {
        const ButtonBase original = generatedBase();
        QBENCHMARK {
            ButtonBase base = original;
            Rescan::tidy(base);
            Rescan::removeHashDuplicates(base, DuplicateOptions());
        }
    }

    void statisticsByName() {
        const ButtonBase base = generatedBase();
        QBENCHMARK {
            statisticsLines(base, StatisticsBasis::ButtonName);
        }
    }

    void statisticsByHash() {
        const ButtonBase base = generatedBase();
        QBENCHMARK {
            statisticsLines(base, StatisticsBasis::Hash);
        }
    }
};

QTEST_GUILESS_MAIN(BenchBaseFiles)
#include "bench_base_files.moc"
