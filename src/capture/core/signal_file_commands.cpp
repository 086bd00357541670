#include "capture/core/signal_file_commands.h"

#include "acquisition/core/receiver_kind.h"
#include "base/core/base_file.h"
#include "base/core/base_file_commands.h"
#include "base/core/base_order.h"
#include "formats/core/signal_file_choice.h"
#include "platform/core/regular_file.h"
#include "platform/core/text_file.h"

#include <QFileInfo>

#include <algorithm>

namespace ravlin {

namespace {

// The extension written for each format when the chosen name has none.
QString extensionOf(SignalFormat format) {
    switch (format) {
    case SignalFormat::Flipper:
        return QStringLiteral(".ir");
    case SignalFormat::Lircd:
        return QStringLiteral(".conf");
    case SignalFormat::Pronto:
        return QStringLiteral(".txt");
    case SignalFormat::Mode2:
        return QStringLiteral(".mode2");
    }
    return {};
}

// The formats' own tools read UTF-8 with LF line ends.
bool writeTextAtomically(const QString& path, const QString& text, QString* error) {
    return TextFileWriter::writeBytes(path, text.toUtf8(), error);
}

} // namespace

SignalFileCommands::SignalFileCommands(ButtonBase& base, Dialogs& dialogs, TimerFactory& timers,
                                       RescanFlags& flags, const ReceptionSettings& reception,
                                       HashPanelSettings& panel, const DecoderSettings& decoder,
                                       RecordCursor& cursor, ResultLog& log)
    : m_base(base), m_dialogs(dialogs), m_flags(flags), m_timer(timers.create(0)), m_reception(reception),
      m_panel(panel), m_decoder(decoder), m_cursor(cursor), m_log(log) {
    m_timer->setHandler([this] { tick(); });
}

SignalImportSettings SignalFileCommands::importSettings() const {
    return SignalImportSettings{ReceiverKinds::fromText(m_reception.kindText), m_panel, m_decoder};
}

void SignalFileCommands::log(const QString& line) const {
    m_log.append(line);
}

bool SignalFileCommands::refuse(const QString& message, const QString& memo) {
    m_dialogs.beep();
    m_dialogs.information(message);
    log(memo);
    return false;
}

SignalFormat SignalFileCommands::exportFormat(const QString& fileName, int selectedFilter) {
    if (const auto byExtension = signalFormatOfExtension(fileName)) return *byExtension;
    static constexpr SignalFormat kByFilter[] = {SignalFormat::Flipper, SignalFormat::Lircd,
                                                 SignalFormat::Pronto, SignalFormat::Mode2,
                                                 SignalFormat::Flipper};
    if (selectedFilter >= 0 && selectedFilter < 5) return kByFilter[selectedFilter];
    if (QFileInfo(fileName).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0)
        return SignalFormat::Pronto;
    return SignalFormat::Flipper;
}

void SignalFileCommands::importSignals() {
    if (m_run) {
        m_dialogs.beep(); // the previous import is still running
        return;
    }
    log(QStringLiteral(" "));
    log(QStringLiteral("Активировали диалог - \"Импорт сигналов\""));
    const QStringList chosen = m_dialogs.openFileNames(kImportFilter, m_importName);
    if (chosen.isEmpty()) return;
    m_importName = chosen.first();

    // Every file is read and checked before anything in memory changes. Reading a big file takes
    // a moment: the window shows it is busy meanwhile (no dialog is open then).
    Run run;
    QStringList fileLines;
    int signalCount = 0;
    struct Refusal {
        QString message;
        QString memo;
    };
    const auto readAll = [&]() -> std::optional<Refusal> {
        for (const QString& name : chosen) {
            const QString shown = QFileInfo(name).fileName();
            if (!pathExists(name))
                return Refusal{BaseFileCommands::kNotFound,
                               QStringLiteral("Но файла не оказалось - ") + shown};
            QString error;
            const std::optional<QString> text = readOutsideText(name, &error);
            if (!text)
                return Refusal{QStringLiteral("Ошибка чтения файла.\r\n") + error +
                                   QStringLiteral("\r\nБаза не изменена."),
                               QStringLiteral("Ошибка чтения файла - загрузка прервана")};
            const std::optional<SignalFormat> format = signalFormatOfFile(name, *text);
            if (!format)
                return Refusal{QStringLiteral("Формат файла не опознан:\r\n") + shown +
                                   QStringLiteral("\r\nОжидались Flipper .ir, lircd.conf, Pronto или "
                                                  "mode2.\r\nБаза не изменена."),
                               QStringLiteral("Формат файла не опознан - загрузка прервана")};
            ReadResult read = readSignals(*text, *format);
            QVector<Problem> problems = read.problems + read.warnings;
            sortProblems(problems);
            fileLines << QStringLiteral("Файл %1 (%2) - сигналов: %3")
                             .arg(shown, signalFormatName(*format))
                             .arg(read.bursts.size());
            fileLines << problemLines(problems);
            signalCount += static_cast<int>(read.bursts.size());
            run.files.push_back({shown, remoteNameFromPath(name), std::move(read.bursts)});
        }
        return std::nullopt;
    };
    emit busyChanged(true);
    const std::optional<Refusal> refusal = readAll();
    emit busyChanged(false);
    if (refusal) {
        refuse(refusal->message, refusal->memo);
        return;
    }
    if (signalCount == 0) {
        for (const QString& line : fileLines)
            log(line);
        refuse(QStringLiteral("В файле нет сигналов.\r\nБаза не изменена."),
               QStringLiteral("Сигналов не найдено - база не изменена"));
        return;
    }

    if (!BaseFileCommands::askMerge(m_base, m_dialogs, m_cursor, m_log)) return;
    for (const QString& line : fileLines)
        log(line);

    run.before = m_base.count();
    run.firstNew = run.before + 1;
    run.settings = importSettings();
    m_flags.rescanned = false;
    m_flags.withM96 = false;
    m_run = std::move(run);
    m_timer->start();
}

void SignalFileCommands::tick() {
    if (!m_run) {
        m_timer->stop();
        return;
    }
    Run& run = *m_run;
    if (run.files.empty()) {
        finish();
        return;
    }
    PendingFile& file = run.files.front();
    const qsizetype n = std::min<qsizetype>(kChunk, file.bursts.size() - run.next);
    const QVector<Burst> chunk = file.bursts.mid(run.next, n);
    run.next += n;
    // The room is taken anew each tick: received bursts may be stored meanwhile.
    const int room = std::max(ButtonBase::kCapacity - m_base.count(), 0);
    const SignalImport imported = importBursts(chunk, file.remoteName, run.settings, room);
    // "Порог" goes on from chunk to chunk as from reception to reception.
    run.settings.panel.threshold = imported.threshold;
    for (const ButtonRecord& record : imported.records)
        m_base.append(record); // never full here: at most `room` records were made
    run.leftOut += imported.leftOut;
    for (const CutSignal& cut : imported.cut)
        run.cutLines << cutSignalLine(file.name, cut);
    if (run.next >= file.bursts.size()) {
        run.files.pop_front();
        run.next = 0;
    }
    m_cursor.countChanged();
    if (run.files.empty()) finish();
}

void SignalFileCommands::finish() {
    m_timer->stop();
    const Run run = std::move(*m_run);
    m_run.reset();
    m_panel.threshold = run.settings.panel.threshold;
    for (const QString& line : run.cutLines)
        log(line);
    if (run.leftOut > 0)
        log(QStringLiteral("База заполнена (%1 записей) - не загружено записей из файла - %2")
                .arg(ButtonBase::kCapacity)
                .arg(run.leftOut));

    markLoadDuplicates(m_base);
    const int duplicates = removeMarkedRecords(m_base);

    m_cursor.countChanged();
    log(QStringLiteral("Записей в базе  - ") + QString::number(m_base.count()));
    log(QStringLiteral("Новых(из файла) - ") + QString::number(m_base.count() - run.before));
    log(QStringLiteral("Найдено дублей  - ") + QString::number(duplicates));

    // The first new record is shown (record 1 when the import brought nothing new).
    const int shown = run.firstNew <= m_base.count() ? run.firstNew : 1;
    m_cursor.setRecordNumber(shown);
    if (!m_base.isEmpty()) m_cursor.goToRecord();
    log(QStringLiteral("Действие завершилось успешно"));
}

void SignalFileCommands::exportSignals() {
    if (m_base.isEmpty()) {
        m_dialogs.beep();
        m_dialogs.information(BaseFileCommands::kNothingToSave);
        return;
    }
    const ReceiverKind kind = ReceiverKinds::fromText(m_reception.kindText);
    const std::vector<ButtonRecord> records = m_base.records();
    ExportLeftOut leftOut;
    const QVector<Burst> bursts = exportRecords(records, kind, &leftOut);
    for (int record : leftOut.unreadable)
        log(unreadableTimingsLine(record));
    if (bursts.isEmpty()) {
        refuse(QStringLiteral("В базе нет записей с таймингами - экспортировать нечего!!!"),
               QStringLiteral("Экспорт: в базе нет записей с таймингами"));
        return;
    }

    int filterIndex = -1;
    const QString chosen =
        m_dialogs.saveFileNameAndFilter(kExportFilter, m_exportName, QString(), &filterIndex);
    if (chosen.isEmpty()) return;
    const SignalFormat format = exportFormat(chosen, filterIndex);
    const QString name = QFileInfo(chosen).suffix().isEmpty() ? chosen + extensionOf(format) : chosen;
    m_exportName = name;

    const QFileInfo info(name);
    if (info.exists() && info.isFile() && info.size() > 0) {
        m_dialogs.beep();
        if (m_dialogs.askYesNo(BaseFileCommands::kOverwriteQuestion) != Answer::Yes) return;
    }

    const bool parsed = exportParsed(chosen, filterIndex);
    const QString text = writeSignals(bursts, format, records.front().remoteName, {parsed});
    QString error;
    if (text.isEmpty() || !writeTextAtomically(name, text, &error)) {
        refuse(QStringLiteral("Файл не сохранён.\r\n") +
                   (text.isEmpty()
                        ? QStringLiteral("Формат %1 не записывается.").arg(signalFormatName(format))
                        : error) +
                   QStringLiteral("\r\nПрежний файл не изменён."),
               QStringLiteral("Ошибка записи файла - сигналы не экспортированы"));
        return;
    }
    log(QStringLiteral("Экспорт (%1): сигналов - %2, файл %3")
            .arg(signalFormatName(format))
            .arg(bursts.size())
            .arg(info.fileName()));
    if (parsed) log(QStringLiteral("Из них по протоколам (parsed) - %1").arg(parsedSignalCount(text)));
    if (leftOut.withoutTimings > 0)
        log(QStringLiteral("Записей без таймингов (не экспортированы) - %1").arg(leftOut.withoutTimings));
}

} // namespace ravlin
