#include "cli/hash_command.h"

#include "base/core/capture_buffer.h"
#include "capture/core/pipeline.h"
#include "formats/core/burst_list.h"
#include "formats/core/mode2.h"

#include "platform/core/regular_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace ravlin::cli {

namespace {

struct SourceName {
    const char* name;
    HashSource source;
};
constexpr SourceName kSources[] = {
    {"1b+M96", HashSource::OneBitPlusM96},
    {"1bit", HashSource::OneBit},
    {"xbit", HashSource::XBit},
    {"m96", HashSource::M96},
    {"m96na", HashSource::M96NA},
};

bool isHex(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^[0-9A-Fa-f]{1,6}$"));
    return re.match(text).hasMatch();
}

// A JSON string literal, escaped by Qt's JSON writer (the keys are written by hand to keep their
// documented order).
QString jsonString(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString moduleJson(bool ran, const HashResult& result, const QString& text) {
    if (!ran) return QStringLiteral("null");
    return QStringLiteral("{\"code\": %1, \"text\": %2, \"threshold\": %3}")
        .arg(result.code)
        .arg(jsonString(text))
        .arg(result.threshold);
}

std::optional<ReceiverKind> kindOf(const QString& text) {
    for (const ReceiverKindInfo& info : ReceiverKinds::table()) {
        if (text.compare(QLatin1String(info.text), Qt::CaseInsensitive) == 0) return info.kind;
    }
    return std::nullopt;
}

} // namespace

std::optional<HashOptions> parseHashOptions(const QStringList& args, QString* error) {
    HashOptions o;
    const auto fail = [&](const QString& why) {
        if (error) *error = why;
        return std::nullopt;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args.at(++i);
        };
        if (a == QLatin1String("--source")) {
            const auto v = value();
            if (!v) return fail(QStringLiteral("--source needs a value"));
            bool found = false;
            for (const SourceName& s : kSources) {
                if (*v == QLatin1String(s.name)) {
                    o.panel.source = s.source;
                    found = true;
                }
            }
            if (!found)
                return fail(QStringLiteral("unknown source \"%1\" (1b+M96, 1bit, xbit, m96, m96na)").arg(*v));
        } else if (a == QLatin1String("--xbit")) {
            o.panel.xBit = true;
        } else if (a == QLatin1String("--no-ver1")) {
            o.panel.ver1 = false;
        } else if (a == QLatin1String("--threshold")) {
            const auto v = value();
            if (!v || !isHex(*v)) return fail(QStringLiteral("--threshold needs a hexadecimal number"));
            // Kept as typed: the run reads it as the window reads "Порог", with StrToBase.
            o.panel.threshold = *v;
        } else if (a == QLatin1String("--gap")) {
            const auto v = value();
            const auto gap = v ? parseGapMs(*v) : std::nullopt;
            if (!gap) return fail(QStringLiteral("--gap needs milliseconds from 0.1 to 1000"));
            o.gapMicros = *gap;
        } else if (a == QLatin1String("--kind")) {
            const auto v = value();
            const auto kind = v ? kindOf(*v) : std::nullopt;
            if (!kind)
                return fail(QStringLiteral("--kind needs one of %1")
                                .arg(ReceiverKinds::comboItems().join(QStringLiteral(", "))));
            o.kind = *kind;
        } else if (a == QLatin1String("--us")) {
            o.micros = true;
        } else if (a == QLatin1String("--mode2")) {
            o.mode2 = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            return fail(QStringLiteral("unknown option %1").arg(a));
        } else if (o.input.isEmpty()) {
            o.input = a;
        } else {
            return fail(QStringLiteral("only one input file may be given"));
        }
    }
    // The source brings the module boxes it needs, as the panel does.
    synchronisePanel(o.panel);
    return o;
}

ReadResult readBursts(const QString& text, const HashOptions& options) {
    ReadResult result;
    if (options.mode2) {
        result = readMode2Text(text, options.gapMicros);
        for (Burst& b : result.bursts) {
            // Cut as the Linux receiver cuts it, so both give the same burst.
            std::vector<std::uint32_t> micros(b.durations.begin(), b.durations.end());
            if (const std::size_t had = cutLongBurst(micros); had > 0)
                result.warnings.push_back(
                    {b.line, QStringLiteral(
                                 "warning: a burst of %1 durations was cut to %2 after its last whole mark")
                                 .arg(had)
                                 .arg(micros.size())});
            b.durations.resize(static_cast<qsizetype>(micros.size()));
            for (int& d : b.durations)
                d = microsToUnits(d, options.kind);
        }
    } else {
        result = readBurstList(text, {options.micros, options.kind});
    }
    // The capture buffer holds at most 255 durations.
    QVector<Burst> kept;
    kept.reserve(result.bursts.size());
    for (Burst& b : result.bursts) {
        if (b.durations.size() <= CaptureBuffer::kCapacity) {
            kept.push_back(std::move(b));
            continue;
        }
        result.problems.push_back(
            {b.line, QStringLiteral("a burst holds at most %1 durations, this one has %2")
                         .arg(CaptureBuffer::kCapacity)
                         .arg(b.durations.size())});
    }
    result.bursts = std::move(kept);
    sortProblems(result.problems);
    return result;
}

void writeHashLines(const QVector<Burst>& bursts, HashOptions options, QTextStream& out) {
    DurationHistogram histogram;
    for (const Burst& burst : bursts) {
        const RunOutcome r =
            computeHash(std::span<const std::int32_t>(burst.durations.constData(), burst.durations.size()),
                        options.panel, options.decoder, &histogram);
        writeBackThreshold(options.panel, r.threshold);
        const QString decoder = r.decoder.recognised()
                                    ? QStringLiteral("{\"result\": %1, \"hash\": %2, \"vars\": %3}")
                                          .arg(r.decoder.result)
                                          .arg(jsonString(r.decoder.hash), jsonString(r.decoder.vars))
                                    : QStringLiteral("null");
        out << "{\"n\": " << burst.durations.size() << ", \"decoder\": " << decoder
            << ", \"hash1bit\": " << moduleJson(r.oneBitRan, r.oneBit, r.oneBitText)
            << ", \"hashXbit\": " << moduleJson(r.xBitRan, r.xBit, r.xBitText)
            << ", \"ver1\": " << (r.ver1Ran ? jsonString(r.ver1Text) : QStringLiteral("null"))
            << ", \"selection\": " << jsonString(r.selection) << ", \"threshold\": " << r.threshold
            << ", \"porog\": " << jsonString(options.panel.threshold) << "}\n";
    }
    out.flush();
}

int runHash(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString error;
    const auto options = parseHashOptions(args, &error);
    if (!options) {
        err << "ravlin-cli hash: " << error << "\n"
            << "Try 'ravlin-cli --help'.\n";
        err.flush();
        return 2;
    }
    // A file name must name a regular file (a pipe or device is refused without waiting on it);
    // either way the input is bounded.
    const bool fromStdin = options->input.isEmpty() || options->input == QLatin1String("-");
    const std::optional<QByteArray> bytes =
        fromStdin ? readBoundedStream(stdin, QStringLiteral("stdin"), kHashInputMaxBytes, &error)
                  : readRegularFile(options->input, kHashInputMaxBytes, &error);
    if (!bytes) {
        err << "ravlin-cli hash: cannot read " << (fromStdin ? QStringLiteral("stdin") : options->input)
            << ": " << error << "\n";
        err.flush();
        return 2;
    }
    const QString text = QString::fromUtf8(*bytes);
    const ReadResult input = readBursts(text, *options);
    writeHashLines(input.bursts, *options, out);
    for (const Problem& p : input.warnings + input.problems)
        err << "ravlin-cli hash: " << p.message() << "\n";
    err.flush();
    return input.problems.isEmpty() ? 0 : 1;
}

QString usageText() {
    return QStringLiteral(
        "Usage: ravlin-cli hash [options] [file]\n"
        "       ravlin-cli --help\n"
        "\n"
        "hash: reads infrared bursts and prints, for each, what one processing run of the workbench\n"
        "computes, as one JSON object per line (JSON Lines), keys in this order:\n"
        "  n          number of durations in the burst\n"
        "  decoder    {\"result\": R, \"hash\": \"...\", \"vars\": \"...\"}, or null when no format matched\n"
        "             or the decoder did not run\n"
        "  hash1bit   {\"code\": C, \"text\": \"...\", \"threshold\": T}, or null when the module did not "
        "run\n"
        "  hashXbit   the same for the Xbit module\n"
        "  ver1       the Ver1 coding, or null when it did not run\n"
        "  selection  the hash text chosen for the burst (\"N/A\": no hash)\n"
        "  threshold  the threshold the run ended with\n"
        "  porog      the \"Порог\" text after the run\n"
        "Bursts are processed in order as successive receptions; the default configuration is\n"
        "\"1b+M96\", 1bit on, Xbit off, decoder on with its default sub-decoders, Ver1 on, \"Порог\" 3B,\n"
        "automatic threshold on.\n"
        "\n"
        "Input (a file, or standard input when none or \"-\" is given): one burst per line, durations in\n"
        "receiver units as decimal numbers separated by blanks or commas; lines starting with # and empty\n"
        "lines are skipped. Bad lines are reported on standard error with their line number and skipped;\n"
        "the exit status is then 1 (2 for a usage error or an unreadable file).\n"
        "\n"
        "Options:\n"
        "  --source S      data source: 1b+M96 (default), 1bit, xbit, m96, m96na\n"
        "  --xbit          run the Xbit module as well\n"
        "  --no-ver1       do not replace the hash by the Ver1 coding\n"
        "  --threshold H   initial \"Порог\", hexadecimal (default 3B), read as the window reads it:\n"
        "                  digits 0-9 and A-F; a lower-case letter counts as digit -1 (3b reads as 2F)\n"
        "  --kind K        receiver kind for the units: Movrik (default, 0.02133333 ms), USBtiny,\n"
        "                  IgorPlug-USB (0.0853333 ms), IgorPlug-UDP (0.0512 ms)\n"
        "  --us            input durations are microseconds, rounded to the nearest unit (halves away\n"
        "                  from zero)\n"
        "  --mode2         input is LIRC mode2 text (\"pulse N\", \"space N\", \"timeout N\" in "
        "microseconds);\n"
        "                  a burst ends at a space of at least the gap, a timeout line or the end of\n"
        "                  input; a burst of more than 255 durations is cut after its last whole mark,\n"
        "                  with a warning line\n"
        "  --gap MS        the gap that ends a mode2 burst, in milliseconds (default 6)\n"
        "  -h, --help      show this text\n");
}

} // namespace ravlin::cli
