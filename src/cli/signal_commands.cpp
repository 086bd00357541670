#include "cli/signal_commands.h"

#include "base/core/base_file.h"
#include "capture/core/known_remotes_builder.h"
#include "capture/core/signal_import.h"
#include "cli/cli_base.h"
#include "cli/hash_command.h"
#include "formats/core/signal_file_choice.h"
#include "formats/core/signal_files.h"
#include "platform/core/cp1251.h"
#include "platform/core/text_file.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <optional>

namespace ravlin::cli {

namespace {

// The options the three commands share.
struct SignalOptions {
    QStringList inputs;
    QString out;
    std::optional<SignalFormat> format;
    std::optional<ReceiverKind> kind;
    std::uint32_t gapMicros = kBurstGapMicros;
    bool parsed = false;                    // export --format flipper --parsed
    std::optional<DecoderSettings> decoder; // --decoders, import only
};

std::optional<SignalOptions> parseSignalOptions(const QStringList& args, bool formatNeeded, QString* error) {
    SignalOptions o;
    CommandLine line;
    line.value(QStringLiteral("out"), [&](const QString& v) {
        if (v.isEmpty()) return QStringLiteral("--out needs a file name");
        o.out = v;
        return QString();
    });
    line.value(QStringLiteral("format"), [&](const QString& v) { return takeFormat(v, o.format); });
    line.value(QStringLiteral("kind"), [&](const QString& v) {
        if (!ReceiverKinds::isKindText(v))
            return QStringLiteral("--kind needs one of %1")
                .arg(ReceiverKinds::comboItems().join(QStringLiteral(", ")));
        o.kind = ReceiverKinds::fromText(v);
        return QString();
    });
    line.value(QStringLiteral("gap"), [&](const QString& v) { return takeGap(v, o.gapMicros); });
    if (formatNeeded) // export, the one that needs --format
        line.flag(QStringLiteral("parsed"), [&] { o.parsed = true; });
    line.value(QStringLiteral("decoders"), [&](const QString& v) {
        DecoderSettings decoder;
        const QString why = takeDecoders(v, decoder);
        if (why.isEmpty()) o.decoder = decoder;
        return why;
    });
    line.positional([&](const QString& a) {
        o.inputs << a;
        return QString();
    });
    QString why = line.parse(args);
    if (why.isEmpty() && o.inputs.isEmpty()) why = QStringLiteral("an input is needed");
    if (why.isEmpty() && o.out.isEmpty()) why = QStringLiteral("--out is needed");
    if (why.isEmpty() && formatNeeded && !o.format) why = QStringLiteral("--format is needed");
    if (why.isEmpty() && o.parsed && o.format != SignalFormat::Flipper)
        why = QStringLiteral("--parsed needs --format flipper");
    if (why.isEmpty()) return o;
    *error = why;
    return std::nullopt;
}

// A remote-control file read whole (at most kWholeInputLimit bytes) in the given format or the one
// its content shows. Nothing, with a reason in *error, when it cannot be read or its format told.
std::optional<ReadResult> readSignalFile(const QString& path, std::optional<SignalFormat> format,
                                         std::uint32_t gapMicros, QString* error) {
    // Only a regular file within the limit (never a pipe or device named by mistake).
    const std::optional<QString> read = readOutsideText(path, error, kWholeInputLimit);
    if (!read) return std::nullopt;
    const QString& text = *read;
    if (!format) format = detectSignalFormat(text);
    if (!format) {
        *error = QStringLiteral("not a signal file of a known format (give it with --format)");
        return std::nullopt;
    }
    return readSignals(text, *format, {gapMicros});
}

void reportProblems(QTextStream& err, const QString& command, const QString& path, const ReadResult& r) {
    for (const Problem& p : r.warnings + r.problems)
        err << "ravlin-cli " << command << ": " << path << ": " << p.message() << "\n";
}

} // namespace

int runImport(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString error;
    const auto o = parseSignalOptions(args, false, &error);
    if (!o) return usageError(err, QStringLiteral("import"), error);
    SignalImportSettings settings;
    settings.kind = o->kind.value_or(ReceiverKind::Movrik);
    settings.decoder = o->decoder.value_or(DecoderSettings{});
    ButtonBase base;
    int leftOut = 0;
    bool bad = false;
    for (const QString& path : o->inputs) {
        const auto read = readSignalFile(path, o->format, o->gapMicros, &error);
        if (!read) {
            err << "ravlin-cli import: cannot read " << path << ": " << error << "\n";
            bad = true;
            continue;
        }
        reportProblems(err, QStringLiteral("import"), path, *read);
        bad = bad || !read->problems.isEmpty();
        const SignalImport imported = importBursts(read->bursts, remoteNameFromPath(path), settings,
                                                   ButtonBase::kCapacity - base.count());
        for (const CutSignal& cut : imported.cut)
            err << "ravlin-cli import: " << path << ": line " << cut.line << ": warning: the signal \""
                << cut.name << "\" of " << cut.durations << " durations was cut to the " << cut.kept
                << " a record holds\n";
        for (const ButtonRecord& r : imported.records)
            base.append(r);
        leftOut += imported.leftOut;
        settings.panel.threshold = imported.threshold; // the next file's bursts are the next receptions
    }
    if (leftOut > 0) {
        err << "ravlin-cli import: " << leftOut << " signals left out: a base holds at most "
            << ButtonBase::kCapacity << " records\n";
        bad = true;
    }
    // An existing file is replaced only by a base that holds something.
    if (base.isEmpty()) {
        err << "ravlin-cli import: no signal could be read; " << o->out << " was not written\n";
        return kExitProblems;
    }
    for (int i = 1; i <= base.count(); ++i)
        for (const QString& name : {base.record(i).remoteName, base.record(i).buttonName})
            if (!cp1251Holds(name))
                err << "ravlin-cli import: warning: the name \"" << name << "\" is stored as \""
                    << decodeCp1251(encodeCp1251(name))
                    << "\": code page 1251 lacks some of its characters\n";
    BaseFileSettings fileSettings;
    fileSettings.receiverKind = ReceiverKinds::text(settings.kind);
    if (!TextFileWriter::write(o->out, baseFileLines(base, fileSettings), &error))
        return writeFailed(err, QStringLiteral("import"), o->out, error);
    out << "ravlin-cli import: " << base.count() << " records written to " << o->out << "\n";
    return bad ? kExitProblems : kExitOk;
}

int runExport(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString error;
    const auto o = parseSignalOptions(args, true, &error);
    if (!o) return usageError(err, QStringLiteral("export"), error);
    if (o->decoder)
        return usageError(err, QStringLiteral("export"), QStringLiteral("--decoders applies to import only"));
    if (o->inputs.size() != 1)
        return usageError(err, QStringLiteral("export"), QStringLiteral("one base file"));
    ButtonBase base;
    BaseFileSettings fileSettings;
    if (!openBase(QStringLiteral("export"), o->inputs.first(), base, fileSettings, err)) return kExitUsage;
    const ReceiverKind kind = o->kind.value_or(ReceiverKinds::fromText(fileSettings.receiverKind));
    const std::vector<ButtonRecord> records = base.records();
    ExportLeftOut leftOut;
    const QVector<Burst> bursts = exportRecords(records, kind, &leftOut);
    const QString remote =
        records.empty() ? remoteNameFromPath(o->inputs.first()) : records.front().remoteName;
    const QString text = writeSignals(bursts, *o->format, remote, {o->parsed});
    if (!bursts.isEmpty() && text.isEmpty()) {
        err << "ravlin-cli export: the " << signalFormatName(*o->format) << " format cannot be written\n";
        return kExitProblems;
    }
    if (!TextFileWriter::writeBytes(o->out, text.toUtf8(), &error))
        return writeFailed(err, QStringLiteral("export"), o->out, error);
    if (leftOut.withoutTimings > 0)
        err << "ravlin-cli export: " << leftOut.withoutTimings << " records without timings were left out\n";
    for (int record : leftOut.unreadable)
        err << "ravlin-cli export: record " << record
            << ": left out: its timing texts give no usable durations (a character that is no hexadecimal "
               "digit, "
               "or a duration of 0)\n";
    out << "ravlin-cli export: " << bursts.size() << " signals written to " << o->out;
    if (o->parsed) out << " (" << parsedSignalCount(text) << " parsed)";
    out << "\n";
    return leftOut.unreadable.isEmpty() ? kExitOk : kExitProblems;
}

int runKnownRemotes(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString error;
    const auto o = parseSignalOptions(args, false, &error);
    if (!o) return usageError(err, QStringLiteral("known-remotes"), error);
    if (o->decoder)
        return usageError(err, QStringLiteral("known-remotes"),
                          QStringLiteral("--decoders applies to import only"));
    QStringList paths;
    QHash<QString, QString> relative; // each file's path relative to the folder it was found under
    for (const QString& dir : o->inputs) {
        if (!QFileInfo(dir).isDir()) {
            err << "ravlin-cli known-remotes: " << dir << " is not a folder\n";
            err.flush();
            return 2;
        }
        QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            paths << path;
            relative.insert(path, QDir(dir).relativeFilePath(path));
        }
    }
    paths.sort(); // a stable order: ties between hashes go by the first file that has them
    KnownRemotesBuilder builder;
    int other = 0;
    int damaged = 0;
    for (const QString& path : paths) {
        const auto read = readSignalFile(path, o->format, o->gapMicros, &error);
        if (!read) {
            ++other;
            continue;
        }
        if (!read->problems.isEmpty()) ++damaged;
        builder.addFile(relative.value(path), read->bursts);
    }
    const QString header =
        QStringLiteral("; Known remotes (buttons PW, Key 1, Play, Stop) built by ravlin-cli known-remotes "
                       "from the remote files under %1 on %2")
            .arg(o->inputs.join(QStringLiteral(", ")),
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    if (!TextFileWriter::write(o->out, builder.lines(header), &error))
        return writeFailed(err, QStringLiteral("known-remotes"), o->out, error);
    out << "ravlin-cli known-remotes: " << builder.keptKeys() << " key lines from " << builder.files()
        << " remote files (" << builder.buttons() << " buttons, " << builder.hashes() << " distinct hashes, "
        << builder.unusable() << " hashes that cannot be keys) written to " << o->out << "\n";
    if (builder.hashes() > KnownRemotesBuilder::kMaxKeys)
        out << "ravlin-cli known-remotes: " << builder.hashes() - KnownRemotesBuilder::kMaxKeys
            << " hashes found in the fewest files left out: the base holds at most "
            << KnownRemotesBuilder::kMaxKeys << "\n";
    if (builder.repeatFrames() > 0)
        err << "ravlin-cli known-remotes: " << builder.repeatFrames()
            << " button signals left out as repeat frames (the decoder's tail hash)\n";
    if (builder.shortBursts() > 0)
        err << "ravlin-cli known-remotes: " << builder.shortBursts()
            << " button signals left out: fewer than " << KnownRemotesBuilder::kMinDurations
            << " durations\n";
    if (builder.unusable() > 0)
        err << "ravlin-cli known-remotes: " << builder.unusable()
            << " hashes left out: they cannot be key lines (N/A, 3 characters or fewer, or over "
            << KnownRemotesBuilder::kMaxHashLength << ")\n";
    err.flush();
    if (other > 0) out << "ravlin-cli known-remotes: " << other << " files skipped (not signal files)\n";
    if (damaged > 0) out << "ravlin-cli known-remotes: " << damaged << " files had problem lines\n";
    out.flush();
    return 0;
}

QString signalCommandsUsageText() {
    return QStringLiteral(
        "Usage: ravlin-cli import FILE... --out BASE.txt [--format F] [--kind K] [--gap MS] [--decoders L]\n"
        "       ravlin-cli export BASE.txt --format F --out FILE [--kind K] [--parsed]\n"
        "       ravlin-cli known-remotes DIR... --out BazaDannih.baz [--format F] [--gap MS]\n"
        "\n"
        "import: reads remote-control files (Flipper .ir, lircd.conf, Pronto, mode2; the format told\n"
        "from the content unless --format F says it) and writes their signals as a button base file:\n"
        "one record per frame, remote name from the file name, button names normalised as the name box\n"
        "does, hashes by the workbench's default configuration, units of the kind K (default Movrik).\n"
        "At most 750 records; signals beyond are counted on standard error (exit status 1).\n"
        "--decoders L ticks (+key) or unticks (-key) sub-decoders, e.g. +rc6,+sirc15,+rc5x.\n"
        "\n"
        "export: writes a base file's records as a remote-control file of the format F (flipper, lircd,\n"
        "pronto, mode2), durations read from the timing texts in the units of the base file's receiver\n"
        "kind (or --kind K). With --format flipper --parsed, a signal whose protocol, address and\n"
        "command Ravlin's decoder finds (generated again, it is the same burst) is written as parsed.\n"
        "\n"
        "known-remotes: builds the known-remotes base from every signal file under the folders: the\n"
        "buttons PW, Key 1, Play and Stop, hashed with the default configuration; one key line per\n"
        "distinct hash and its sources line (\"/\" + the files' paths under the folder, \"\\\" between\n"
        "folders), the hashes found in the most files first, at most 400; cp1251, CR LF. Repeat frames,\n"
        "bursts of fewer than 7 durations and hashes that cannot be keys are left out and counted.\n");
}

} // namespace ravlin::cli
