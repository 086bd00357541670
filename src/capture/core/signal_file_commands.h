#pragma once

#include "acquisition/core/reception_settings.h"
#include "base/core/button_base.h"
#include "base/core/record_cursor.h"
#include "base/core/rescan_flags.h"
#include "capture/core/signal_import.h"
#include "formats/core/read_result.h"
#include "formats/core/signal_files.h"
#include "platform/core/dialogs.h"
#include "platform/core/result_log.h"
#include "platform/core/timer.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <optional>

namespace ravlin {

// "&File" -> "&Import Signals..." and "E&xport Signals...": remote-control files of other tools
// (Flipper ".ir", lircd.conf, Pronto, mode2 text) read into the button base as records, and the
// base's records written out in one of those formats. Progress goes to the results memo.
//
// Import reads and checks every chosen file before the base changes, asks Open's merge question,
// then turns the signals into records a chunk per timer tick, so a file of hundreds of signals
// never holds the window; duplicates are removed at the end as Open removes them.
class SignalFileCommands : public QObject {
    Q_OBJECT

public:
    // Filters of the import and export dialogs ("Description|patterns|..."), in SignalFormat order
    // for export, then Flipper with the signals of known protocols written as parsed ones.
    static inline const QString kImportFilter = QStringLiteral(
        "Файлы пультов|*.ir *.conf *.lircd *.txt *.mode2|Flipper IR|*.ir|LIRC|*.conf *.lircd|Pronto|*.txt|"
        "mode2|*.mode2 *.txt|Все файлы|*");
    static inline const QString kExportFilter = QStringLiteral(
        "Flipper IR|*.ir|LIRC|*.conf *.lircd|Pronto|*.txt|mode2|*.mode2 *.txt|Flipper IR, протоколы|*.ir");
    static constexpr int kParsedFlipperFilter = 4;
    // Signals turned into records per tick of the import timer.
    static constexpr int kChunk = 50;

    // Records are hashed with the receiver kind of `reception` and the settings of `panel` and
    // `decoder` as they are when an import starts; export reads the timing texts in that kind's
    // units. "Порог" is written back into `panel` after an import, the first new record is shown
    // through `cursor`, and progress goes to `log`.
    SignalFileCommands(ButtonBase& base, Dialogs& dialogs, TimerFactory& timers, RescanFlags& flags,
                       const ReceptionSettings& reception, HashPanelSettings& panel,
                       const DecoderSettings& decoder, RecordCursor& cursor, ResultLog& log);

    void importSignals();
    void exportSignals();
    // Whether an import is still turning signals into records.
    bool isImporting() const { return m_run.has_value(); }

    // The format a chosen export file is written in: its extension when that names one, else the
    // filter selected in the dialog (-1: unknown), else Pronto for ".txt", else Flipper.
    static SignalFormat exportFormat(const QString& fileName, int selectedFilter);
    // Whether the export writes Flipper signals of known protocols as parsed ones: the filter
    // "Flipper IR, протоколы" was selected and the file is written as Flipper.
    static bool exportParsed(const QString& fileName, int selectedFilter) {
        return selectedFilter == kParsedFlipperFilter &&
               exportFormat(fileName, selectedFilter) == SignalFormat::Flipper;
    }

signals:
    // The files are being read (true) / have been read (false): the window shows it is busy.
    void busyChanged(bool busy);

private:
    SignalImportSettings importSettings() const;

    struct PendingFile {
        QString name;
        QString remoteName;
        QVector<Burst> bursts;
    };
    struct Run {
        std::deque<PendingFile> files;
        qsizetype next = 0; // first burst of files.front() not yet imported
        SignalImportSettings settings;
        int before = 0; // the count before loading
        int firstNew = 0;
        int leftOut = 0;
        QStringList cutLines; // signals whose records keep only the first part of the burst
    };

    void log(const QString& line) const;
    bool refuse(const QString& message, const QString& memo);
    void tick();
    void finish();

    ButtonBase& m_base;
    Dialogs& m_dialogs;
    RescanFlags& m_flags;
    std::unique_ptr<Timer> m_timer;
    const ReceptionSettings& m_reception;
    HashPanelSettings& m_panel;
    const DecoderSettings& m_decoder;
    RecordCursor& m_cursor;
    ResultLog& m_log;
    QString m_importName = QStringLiteral("pult.ir");
    QString m_exportName = QStringLiteral("pult.ir");
    std::optional<Run> m_run;
};

} // namespace ravlin
