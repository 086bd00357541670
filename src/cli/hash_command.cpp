#include "cli/hash_command.h"

#include "acquisition/core/drivers/mode2.h"
#include "base/core/capture_buffer.h"
#include "capture/core/pipeline.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace ravlin::cli {

namespace {

constexpr std::int64_t kMaxValue = 0xFFFFFF; // the largest value a duration may have in the input

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

// A number whose whole part has ten or more significant digits: too large for any duration.
bool isLongNumber(const QString& token) {
    static const QRegularExpression re(QStringLiteral("^0*[1-9][0-9]{9,}(?:\\.[0-9]+)?$"));
    return re.match(token).hasMatch();
}

QString moduleJson(bool ran, const HashResult& result, const QString& text) {
    if (!ran) return QStringLiteral("null");
    return QStringLiteral("{\"code\": %1, \"text\": %2, \"threshold\": %3}")
        .arg(result.code)
        .arg(jsonString(text))
        .arg(result.threshold);
}

// A decimal number of a burst line, or nothing.
std::optional<std::int64_t> readNumber(const QString& token) {
    static const QRegularExpression re(QStringLiteral("^([0-9]{1,9})(?:\\.([0-9]{1,3}))?$"));
    const QRegularExpressionMatch m = re.match(token);
    if (!m.hasMatch()) return std::nullopt;
    // Thousandths, exactly: "562.5" is 562500.
    const std::int64_t whole = m.captured(1).toLongLong();
    const std::int64_t fraction = m.captured(2).leftJustified(3, QLatin1Char('0')).toLongLong();
    return whole * 1000 + fraction;
}

std::optional<ReceiverKind> kindOf(const QString& text) {
    for (const ReceiverKindInfo& info : ReceiverKinds::table()) {
        if (text.compare(QLatin1String(info.text), Qt::CaseInsensitive) == 0) return info.kind;
    }
    return std::nullopt;
}

QString checkBurstLength(std::size_t size) {
    if (size > static_cast<std::size_t>(CaptureBuffer::kCapacity))
        return QStringLiteral("a burst holds at most %1 durations, this one has %2")
            .arg(CaptureBuffer::kCapacity)
            .arg(size);
    return {};
}

std::vector<InputBurst> readPlain(const QStringList& lines, const HashOptions& options, QStringList& errors) {
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    std::vector<InputBurst> bursts;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        InputBurst burst;
        burst.line = i + 1;
        QString error;
        for (const QString& token : line.split(separators, Qt::SkipEmptyParts)) {
            const auto thousandths = readNumber(token);
            const bool fraction = token.contains(QLatin1Char('.'));
            const bool fractionOk = !fraction || options.micros;
            if (fractionOk &&
                ((!thousandths && isLongNumber(token)) || (thousandths && *thousandths > kMaxValue * 1000))) {
                error = QStringLiteral("%1 is too large (at most %2)").arg(quotedToken(token)).arg(kMaxValue);
                break;
            }
            if (!thousandths || !fractionOk) {
                error =
                    QStringLiteral("%1 is not a %2")
                        .arg(quotedToken(token), options.micros ? QStringLiteral("duration in microseconds")
                                                                : QStringLiteral("whole number of units"));
                break;
            }
            burst.durations.push_back(options.micros ? nanosToUnits(*thousandths, options.kind)
                                                     : static_cast<std::int32_t>(*thousandths / 1000));
        }
        if (error.isEmpty()) error = checkBurstLength(burst.durations.size());
        if (!error.isEmpty()) {
            errors << QStringLiteral("line %1: %2").arg(burst.line).arg(error);
            continue;
        }
        bursts.push_back(std::move(burst));
    }
    return bursts;
}

std::vector<InputBurst> readMode2(const QStringList& lines, const HashOptions& options, QStringList& errors,
                                  QStringList* warnings) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    std::vector<InputBurst> bursts;
    Mode2Framer framer(options.gapMicros);
    const auto take = [&](std::optional<std::vector<std::uint32_t>> micros, int line) {
        if (!micros) return;
        // Cut as the Linux receiver cuts it, so both give the same burst.
        if (const std::size_t had = cutLongBurst(*micros); had > 0 && warnings)
            *warnings << QStringLiteral("line %1: warning: a burst of %2 durations was cut to %3 after its "
                                        "last whole mark")
                             .arg(line)
                             .arg(had)
                             .arg(micros->size());
        InputBurst burst;
        burst.line = line;
        for (std::uint32_t us : *micros)
            burst.durations.push_back(nanosToUnits(static_cast<std::int64_t>(us) * 1000, options.kind));
        bursts.push_back(std::move(burst));
    };
    int i = 0;
    for (; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList parts = line.split(blanks, Qt::SkipEmptyParts);
        const QString word = parts.first().toLower();
        Mode2Sample sample;
        if (word == QLatin1String("pulse"))
            sample.type = Mode2Sample::Type::Pulse;
        else if (word == QLatin1String("space"))
            sample.type = Mode2Sample::Type::Space;
        else if (word == QLatin1String("timeout"))
            sample.type = Mode2Sample::Type::Timeout;
        else if (word == QLatin1String("frequency"))
            sample.type = Mode2Sample::Type::Frequency;
        else {
            errors << QStringLiteral("line %1: %2 is not a mode2 sample (pulse N, space N, timeout N)")
                          .arg(i + 1)
                          .arg(quotedToken(parts.first()));
            continue;
        }
        const bool valueOptional = sample.type == Mode2Sample::Type::Timeout;
        if (parts.size() > 2 || (parts.size() == 1 && !valueOptional)) {
            errors
                << QStringLiteral("line %1: expected \"%2 N\" with N in microseconds").arg(i + 1).arg(word);
            continue;
        }
        if (parts.size() == 2) {
            static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
            const QString& token = parts.at(1);
            bool ok = false;
            const qulonglong value = token.toULongLong(&ok);
            if (digits.match(token).hasMatch() && (!ok || value > static_cast<qulonglong>(kMaxValue))) {
                errors << QStringLiteral("line %1: %2 is too large (at most %3 microseconds)")
                              .arg(i + 1)
                              .arg(quotedToken(token))
                              .arg(kMaxValue);
                continue;
            }
            if (!ok || !digits.match(token).hasMatch()) {
                errors << QStringLiteral("line %1: %2 is not a whole number of microseconds")
                              .arg(i + 1)
                              .arg(quotedToken(token));
                continue;
            }
            sample.micros = static_cast<std::uint32_t>(value);
        }
        take(framer.feed(sample), i + 1);
    }
    take(framer.flush(), static_cast<int>(lines.size()));
    return bursts;
}

} // namespace

QString quotedToken(const QString& token) {
    QString out = QStringLiteral("\"");
    for (QChar c : token) {
        if (c == u'"' || c == u'\\') {
            out += QLatin1Char('\\');
            out += c;
        } else if (c.isPrint())
            out += c;
        else if (c.unicode() < 0x100)
            out += QStringLiteral("\\x") + QString::number(c.unicode(), 16).rightJustified(2, u'0').toUpper();
        else
            out += QStringLiteral("\\u") + QString::number(c.unicode(), 16).rightJustified(4, u'0').toUpper();
    }
    return out + u'"';
}

std::int32_t nanosToUnits(std::int64_t nanos, ReceiverKind kind) {
    // One unit in 1e-8 ms: 2133333, 8533330 or 5120000; nanos ns = nanos * 100 of those.
    const std::int64_t unit = std::llround(ReceiverKinds::unitMs(kind) * 1e8);
    const std::int64_t magnitude = (2 * 100 * std::abs(nanos) + unit) / (2 * unit);
    return static_cast<std::int32_t>(nanos < 0 ? -magnitude : magnitude);
}

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

std::vector<InputBurst> readBursts(const QString& text, const HashOptions& options, QStringList& errors,
                                   QStringList* warnings) {
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList lines = normalised.split(QLatin1Char('\n'));
    return options.mode2 ? readMode2(lines, options, errors, warnings) : readPlain(lines, options, errors);
}

void writeHashLines(const std::vector<InputBurst>& bursts, HashOptions options, QTextStream& out) {
    DurationHistogram histogram;
    for (const InputBurst& burst : bursts) {
        const RunOutcome r = computeHash(burst.durations, options.panel, options.decoder, &histogram);
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
    QFile file;
    bool opened = false;
    if (options->input.isEmpty() || options->input == QLatin1String("-")) {
        opened = file.open(stdin, QIODevice::ReadOnly);
    } else {
        file.setFileName(options->input);
        opened = file.open(QIODevice::ReadOnly);
    }
    if (!opened) {
        err << "ravlin-cli hash: cannot read " << options->input << ": " << file.errorString() << "\n";
        err.flush();
        return 2;
    }
    const QString text = QString::fromUtf8(file.readAll());
    QStringList errors;
    QStringList warnings;
    const std::vector<InputBurst> bursts = readBursts(text, *options, errors, &warnings);
    writeHashLines(bursts, *options, out);
    for (const QString& e : warnings + errors)
        err << "ravlin-cli hash: " << e << "\n";
    err.flush();
    return errors.isEmpty() ? 0 : 1;
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
