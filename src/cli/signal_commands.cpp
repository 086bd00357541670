#include "cli/signal_commands.h"

#include "base/core/base_file.h"
#include "capture/core/known_remotes_builder.h"
#include "capture/core/signal_import.h"
#include "cli/cli_base.h"
#include "cli/hash_command.h"
#include "formats/core/signal_file_choice.h"
#include "formats/core/signal_files.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    std::optional<DecoderSettings> decoder; // --decoders, import only
};

std::optional<SignalOptions> parseSignalOptions(const QStringList& args, bool formatNeeded, QString* error) {
    SignalOptions o;
    const auto fail = [&](const QString& why) {
        *error = why;
        return std::nullopt;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const QString value = i + 1 < args.size() ? args.at(i + 1) : QString();
        if (a == QLatin1String("--out")) {
            if (value.isEmpty()) return fail(QStringLiteral("--out needs a file name"));
            o.out = value;
            ++i;
        } else if (a == QLatin1String("--format")) {
            o.format = signalFormatFromName(value);
            if (!o.format) return fail(QStringLiteral("--format needs flipper, lircd, pronto or mode2"));
            ++i;
        } else if (a == QLatin1String("--kind")) {
            if (!ReceiverKinds::isKindText(value))
                return fail(QStringLiteral("--kind needs one of %1")
                                .arg(ReceiverKinds::comboItems().join(QStringLiteral(", "))));
            o.kind = ReceiverKinds::fromText(value);
            ++i;
        } else if (a == QLatin1String("--gap")) {
            const auto gap = parseGapMs(value);
            if (!gap) return fail(QStringLiteral("--gap needs milliseconds from 0.1 to 1000"));
            o.gapMicros = *gap;
            ++i;
        } else if (a == QLatin1String("--decoders")) {
            DecoderSettings decoder;
            if (!applyDecodersOption(value, decoder, error)) return std::nullopt;
            o.decoder = decoder;
            ++i;
        } else if (a.startsWith(QLatin1String("--"))) {
            return fail(QStringLiteral("unknown option %1").arg(a));
        } else {
            o.inputs << a;
        }
    }
    if (o.inputs.isEmpty()) return fail(QStringLiteral("an input is needed"));
    if (o.out.isEmpty()) return fail(QStringLiteral("--out is needed"));
    if (formatNeeded && !o.format) return fail(QStringLiteral("--format is needed"));
    return o;
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
    BaseFileSettings fileSettings;
    fileSettings.receiverKind = ReceiverKinds::text(settings.kind);
    if (!TextFileWriter::write(o->out, baseFileLines(base, fileSettings), &error)) {
        err << "ravlin-cli import: cannot write " << o->out << ": " << error << "\n";
        err.flush();
        return 2;
    }
    out << "ravlin-cli import: " << base.count() << " records written to " << o->out << "\n";
    out.flush();
    err.flush();
    return bad ? 1 : 0;
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
    if (!openBase(QStringLiteral("export"), o->inputs.first(), base, fileSettings, err)) return 2;
    const ReceiverKind kind = o->kind.value_or(ReceiverKinds::fromText(fileSettings.receiverKind));
    const std::vector<ButtonRecord> records = base.records();
    int skipped = 0;
    const QVector<Burst> bursts = exportRecords(records, kind, &skipped);
    const QString remote =
        records.empty() ? remoteNameFromPath(o->inputs.first()) : records.front().remoteName;
    const QString text = writeSignals(bursts, *o->format, remote);
    if (!bursts.isEmpty() && text.isEmpty()) {
        err << "ravlin-cli export: the " << signalFormatName(*o->format) << " format cannot be written\n";
        err.flush();
        return 1;
    }
    QSaveFile file(o->out);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        err << "ravlin-cli export: cannot write " << o->out << ": " << file.errorString() << "\n";
        err.flush();
        return 2;
    }
    if (skipped > 0) err << "ravlin-cli export: " << skipped << " records without timings were left out\n";
    out << "ravlin-cli export: " << bursts.size() << " signals written to " << o->out << "\n";
    out.flush();
    err.flush();
    return 0;
}

int runKnownRemotes(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString error;
    const auto o = parseSignalOptions(args, false, &error);
    if (!o) return usageError(err, QStringLiteral("known-remotes"), error);
    if (o->decoder)
        return usageError(err, QStringLiteral("known-remotes"),
                          QStringLiteral("--decoders applies to import only"));
    QStringList paths;
    for (const QString& dir : o->inputs) {
        if (!QFileInfo(dir).isDir()) {
            err << "ravlin-cli known-remotes: " << dir << " is not a folder\n";
            err.flush();
            return 2;
        }
        QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            paths << it.next();
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
        builder.addFile(QFileInfo(path).fileName(), read->bursts);
    }
    const QString header =
        QStringLiteral("; Known remotes (buttons PW, Key 1, Play, Stop) built by ravlin-cli known-remotes "
                       "from the remote files under %1 on %2")
            .arg(o->inputs.join(QStringLiteral(", ")),
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    if (!TextFileWriter::write(o->out, builder.lines(header), &error)) {
        err << "ravlin-cli known-remotes: cannot write " << o->out << ": " << error << "\n";
        err.flush();
        return 2;
    }
    out << "ravlin-cli known-remotes: " << builder.keptKeys() << " key lines from " << builder.files()
        << " remote files (" << builder.buttons() << " buttons, " << builder.hashes() << " distinct hashes, "
        << builder.unusable() << " hashes that cannot be keys) written to " << o->out << "\n";
    if (builder.hashes() > KnownRemotesBuilder::kMaxKeys)
        out << "ravlin-cli known-remotes: " << builder.hashes() - KnownRemotesBuilder::kMaxKeys
            << " hashes found in the fewest files left out: the base holds at most "
            << KnownRemotesBuilder::kMaxKeys << "\n";
    if (other > 0) out << "ravlin-cli known-remotes: " << other << " files skipped (not signal files)\n";
    if (damaged > 0) out << "ravlin-cli known-remotes: " << damaged << " files had problem lines\n";
    out.flush();
    return 0;
}

QString signalCommandsUsageText() {
    return QStringLiteral(
        "Usage: ravlin-cli import FILE... --out BASE.txt [--format F] [--kind K] [--gap MS] [--decoders L]\n"
        "       ravlin-cli export BASE.txt --format F --out FILE [--kind K]\n"
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
        "kind (or --kind K).\n"
        "\n"
        "known-remotes: builds the known-remotes base from every signal file under the folders: the\n"
        "buttons PW, Key 1, Play and Stop, hashed with the default configuration; one key line per\n"
        "distinct hash and its sources line (\"/\" + the file names), the hashes found in the most files\n"
        "first, at most 400; cp1251, CR LF.\n");
}

} // namespace ravlin::cli
