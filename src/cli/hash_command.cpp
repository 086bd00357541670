#include "cli/hash_command.h"

#include "cli/cli_base.h"

#include "base/core/capture_buffer.h"
#include "capture/core/pipeline.h"
#include "capture/core/signal_import.h"
#include "formats/core/burst_list.h"
#include "formats/core/burst_stream.h"
#include "formats/core/mode2.h"
#include "hashing/core/protocol_decoder.h"
#include "hashing/core/sub_decoders.h"

#include "platform/core/regular_file.h"

#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>

#include <unistd.h>

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

std::optional<ReceiverKind> kindOf(const QString& text) {
    for (const ReceiverKindInfo& info : ReceiverKinds::table()) {
        if (text.compare(QLatin1String(info.text), Qt::CaseInsensitive) == 0) return info.kind;
    }
    return std::nullopt;
}

} // namespace

std::optional<HashOptions> parseHashOptions(const QStringList& args, QString* error) {
    HashOptions o;
    CommandLine line;
    line.value(
        QStringLiteral("source"),
        [&](const QString& v) {
            for (const SourceName& s : kSources) {
                if (v != QLatin1String(s.name)) continue;
                o.panel.source = s.source;
                return QString();
            }
            return QStringLiteral("unknown source \"%1\" (1b+M96, 1bit, xbit, m96, m96na)").arg(v);
        },
        QStringLiteral("--source needs a value"));
    line.flag(QStringLiteral("xbit"), [&] { o.panel.xBit = true; });
    line.flag(QStringLiteral("no-ver1"), [&] { o.panel.ver1 = false; });
    line.value(QStringLiteral("threshold"),
               [&](const QString& v) { return takeThreshold(v, o.panel.threshold); });
    line.value(QStringLiteral("gap"), [&](const QString& v) { return takeGap(v, o.gapMicros); });
    line.value(QStringLiteral("kind"), [&](const QString& v) {
        const auto kind = kindOf(v);
        if (!kind)
            return QStringLiteral("--kind needs one of %1")
                .arg(ReceiverKinds::comboItems().join(QStringLiteral(", ")));
        o.kind = *kind;
        return QString();
    });
    line.flag(QStringLiteral("us"), [&] { o.micros = true; });
    line.flag(QStringLiteral("mode2"), [&] { o.mode2 = true; });
    line.value(QStringLiteral("format"), [&](const QString& v) { return takeFormat(v, o.format); });
    line.value(QStringLiteral("decoders"), [&](const QString& v) { return takeDecoders(v, o.decoder); });
    line.positional([&](const QString& a) {
        if (!o.input.isEmpty()) return QStringLiteral("only one input file may be given");
        o.input = a;
        return QString();
    });
    if (const QString why = line.parse(args); !why.isEmpty()) {
        if (error) *error = why;
        return std::nullopt;
    }
    // The source brings the module boxes it needs, as the panel does.
    synchronisePanel(o.panel);
    return o;
}

namespace {

// Durations from outside as the receiver of the kind delivers them: mode2 microseconds turned into
// units by the receivers' rule (a --us list is turned so by its reader), and a burst that does not fit
// one receive block cut after its last whole mark, with a warning. Plain units stay as typed; a list
// line of more than 255 durations is reported by fitsBuffer.
void asReceived(Burst& b, const HashOptions& options, bool mode2, QVector<Problem>& warnings) {
    if (!mode2 && (!options.micros || b.durations.size() > CaptureBuffer::kCapacity)) return;
    if (mode2)
        for (qsizetype i = 0; i < b.durations.size(); ++i)
            b.durations[i] =
                nanosToReceivedUnits(std::int64_t(b.durations[i]) * 1000, options.kind, std::size_t(i));
    const auto kept = qsizetype(
        durationsInOneBlock(options.kind, std::span<const std::int32_t>(b.durations.constData(),
                                                                        std::size_t(b.durations.size()))));
    if (kept == b.durations.size()) return;
    warnings.push_back(
        {b.line, ProblemKind::BurstCutWarning, {QString::number(b.durations.size()), QString::number(kept)}});
    b.durations.resize(kept);
}

// The capture buffer holds at most 255 durations.
bool fitsBuffer(const Burst& b, QVector<Problem>& problems) {
    if (b.durations.size() <= CaptureBuffer::kCapacity) return true;
    problems.push_back({b.line,
                        ProblemKind::TooManyDurations,
                        {QString::number(CaptureBuffer::kCapacity), QString::number(b.durations.size())}});
    return false;
}

// A JSON string literal, escaped as Qt's JSON writer escapes (written by hand: it runs for every
// burst of a stream).
void appendJsonString(QString& out, const QString& text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += QLatin1Char('"');
    for (QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'"':
            out += QLatin1String("\\\"");
            break;
        case u'\\':
            out += QLatin1String("\\\\");
            break;
        case u'\b':
            out += QLatin1String("\\b");
            break;
        case u'\f':
            out += QLatin1String("\\f");
            break;
        case u'\n':
            out += QLatin1String("\\n");
            break;
        case u'\r':
            out += QLatin1String("\\r");
            break;
        case u'\t':
            out += QLatin1String("\\t");
            break;
        default:
            if (u < 0x20) {
                out += QLatin1String("\\u00");
                out += QLatin1Char(kHex[u >> 4]);
                out += QLatin1Char(kHex[u & 0xF]);
            } else {
                out += c;
            }
        }
    }
    out += QLatin1Char('"');
}

void appendModule(QString& out, bool ran, const HashResult& result, const QString& text) {
    if (!ran) {
        out += QLatin1String("null");
        return;
    }
    out += QLatin1String("{\"code\": ");
    out += QString::number(result.code);
    out += QLatin1String(", \"text\": ");
    appendJsonString(out, text);
    out += QLatin1String(", \"threshold\": ");
    out += QString::number(result.threshold);
    out += QLatin1Char('}');
}

} // namespace

ReadResult readBursts(const QString& text, const HashOptions& options) {
    ReadResult result;
    if (options.mode2) {
        result = readMode2Text(text, options.gapMicros);
    } else {
        result = readBurstList(text, {options.micros, options.kind});
    }
    for (Burst& b : result.bursts)
        asReceived(b, options, options.mode2, result.warnings);
    QVector<Burst> kept;
    kept.reserve(result.bursts.size());
    for (Burst& b : result.bursts)
        if (fitsBuffer(b, result.problems)) kept.push_back(std::move(b));
    result.bursts = std::move(kept);
    sortProblems(result.problems);
    return result;
}

HashWriter::HashWriter(const HashOptions& options, QTextStream& out)
    : m_options(options), m_out(out),
      m_sourceName(options.input.isEmpty() ? QStringLiteral("-") : options.input) {}

void HashWriter::write(const Burst& burst) {
    const RunOutcome r =
        computeHash(std::span<const std::int32_t>(burst.durations.constData(), burst.durations.size()),
                    m_options.panel, m_options.decoder, &m_histogram);
    writeBackThreshold(m_options.panel, r.threshold);
    QString line;
    line.reserve(400);
    line += QLatin1String("{\"n\": ");
    line += QString::number(burst.durations.size());
    if (!burst.name.isEmpty()) {
        line += QLatin1String(", \"name\": ");
        appendJsonString(line, burst.name);
        line += QLatin1String(", \"source\": ");
        appendJsonString(line, m_sourceName + QLatin1Char(':') + QString::number(burst.line));
    }
    line += QLatin1String(", \"decoder\": ");
    if (r.decoder.recognised()) {
        line += QLatin1String("{\"result\": ");
        line += QString::number(r.decoder.result);
        line += QLatin1String(", \"protocol\": ");
        const char* protocol = decoderProtocolName(r.decoder);
        line +=
            protocol ? QLatin1Char('"') + QLatin1String(protocol) + QLatin1Char('"') : QStringLiteral("null");
        line += QLatin1String(", \"hash\": ");
        appendJsonString(line, r.decoder.hash);
        line += QLatin1String(", \"vars\": ");
        appendJsonString(line, r.decoder.vars);
        line += QLatin1Char('}');
    } else {
        line += QLatin1String("null");
    }
    line += QLatin1String(", \"hash1bit\": ");
    appendModule(line, r.oneBitRan, r.oneBit, r.oneBitText);
    line += QLatin1String(", \"hashXbit\": ");
    appendModule(line, r.xBitRan, r.xBit, r.xBitText);
    line += QLatin1String(", \"ver1\": ");
    if (r.ver1Ran)
        appendJsonString(line, r.ver1Text);
    else
        line += QLatin1String("null");
    line += QLatin1String(", \"selection\": ");
    appendJsonString(line, r.selection);
    line += QLatin1String(", \"threshold\": ");
    line += QString::number(r.threshold);
    line += QLatin1String(", \"porog\": ");
    appendJsonString(line, m_options.panel.threshold);
    line += QLatin1String("}\n");
    m_out << line;
}

void writeHashLines(const QVector<Burst>& bursts, HashOptions options, QTextStream& out) {
    HashWriter writer(options, out);
    for (const Burst& burst : bursts)
        writer.write(burst);
    out.flush();
}

namespace {

// Pronto hex: four-digit hex words, the first the format word; a burst list never starts with a
// duration of 0.
bool looksLikePronto(const QByteArray& line) {
    const QList<QByteArray> words = line.simplified().split(' ');
    if (words.size() < 4 || (words.first() != "0000" && words.first() != "0100")) return false;
    for (const QByteArray& w : words) {
        bool ok = false;
        if (w.size() != 4 || (w.toUInt(&ok, 16), !ok)) return false;
    }
    return true;
}

enum class Reading { List, Mode2, Whole };

// Standard input as a device whose reads return what has come so far (QFile waits until its whole
// request is filled), so that lines of a live pipe reach the parser at once.
class StandardInput : public QIODevice {
public:
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        for (;;) {
            const ssize_t n = ::read(STDIN_FILENO, data, static_cast<std::size_t>(maxSize));
            if (n > 0) return n;
            if (n == 0) return -1; // the end of the input
            if (errno != EINTR) {
                setErrorString(QString::fromLocal8Bit(std::strerror(errno)));
                return -1;
            }
        }
    }
    qint64 writeData(const char*, qint64) override { return -1; }
};

class HashInput {
public:
    HashInput(const HashOptions& options, QIODevice& device, QTextStream& out, QTextStream& err)
        : m_options(options), m_device(device), m_reader(device), m_writer(options, out), m_out(out),
          m_err(err) {}

    int run() {
        QList<QByteArray> head;
        const Reading reading = decide(head);
        if (m_failed) return 2;
        if (reading == Reading::Whole) return whole(head);
        BurstLineParser parser(
            {reading == Reading::Mode2 ? BurstLineParser::Input::Mode2 : BurstLineParser::Input::BurstList,
             {m_options.micros, m_options.kind},
             m_options.gapMicros});
        ReadResult sink;
        int number = 0;
        for (const QByteArray& line : head) {
            parser.feed(line, ++number, sink);
            drain(sink, reading);
        }
        QByteArray line;
        for (;;) {
            // Before waiting for input, hand on what was written: a live stream names each button
            // as it comes, and a file is written in large blocks.
            if (!m_device.canReadLine()) m_out.flush();
            const LineReader::Status status = m_reader.next(line);
            if (status == LineReader::Status::End) break;
            if (status == LineReader::Status::TooLong)
                sink.problems.push_back(tooLong());
            else
                parser.feed(line, m_reader.lineNumber(), sink);
            drain(sink, reading);
            if (m_out.status() != QTextStream::Ok) return kExitOutputFailed; // said by the caller
        }
        parser.finish(m_reader.textLineCount(), sink);
        drain(sink, reading);
        m_out.flush();
        return m_bad ? 1 : 0;
    }

private:
    // With no format option the first line that is not empty or "#" decides: a plain burst-list
    // line or a mode2 sample streams; anything else is read whole and told by its content.
    Reading decide(QList<QByteArray>& head) {
        if (m_options.mode2 || m_options.format == SignalFormat::Mode2) return Reading::Mode2;
        if (m_options.format) return Reading::Whole;
        if (m_options.micros) return Reading::List;
        constexpr qsizetype kMaxHead = 1024 * 1024;
        qsizetype headBytes = 0;
        QByteArray line;
        for (;;) {
            const LineReader::Status status = m_reader.next(line);
            if (status == LineReader::Status::End) return Reading::List;
            if (status == LineReader::Status::TooLong) {
                // Reported and skipped like any bad line; the lines after it decide.
                report({tooLong()});
                continue;
            }
            head.push_back(line);
            headBytes += line.size();
            const QByteArray t = line.trimmed();
            // Only comments so far: a burst list skips them too, and a stream is not held back.
            if (headBytes > kMaxHead) return Reading::List;
            if (t.isEmpty() || t.startsWith('#')) continue;
            if (BurstLineParser::isMode2SampleLine(t)) return Reading::Mode2;
            if (looksLikePronto(t)) return Reading::Whole;
            if (t.at(0) >= '0' && t.at(0) <= '9') return Reading::List;
            return Reading::Whole;
        }
    }

    int whole(const QList<QByteArray>& head) {
        QByteArray bytes;
        for (const QByteArray& line : head)
            bytes += line + '\n';
        for (;;) {
            const QByteArray chunk = m_device.read(1024 * 1024);
            if (chunk.isEmpty()) break;
            bytes += chunk;
            if (bytes.size() > kWholeInputLimit) {
                fail(QStringLiteral("the input is larger than %1 MiB; only burst lists and mode2 text are "
                                    "read as a stream")
                         .arg(kWholeInputLimit / (1024 * 1024)));
                return 2;
            }
        }
        const QString text = QString::fromUtf8(bytes);
        const std::optional<SignalFormat> format =
            m_options.format ? m_options.format : detectSignalFormat(text);
        ReadResult input;
        if (!format) {
            input = readBursts(text, m_options); // a burst list with a bad first line
        } else if (*format == SignalFormat::Mode2) {
            HashOptions o = m_options;
            o.mode2 = true;
            input = readBursts(text, o);
        } else {
            input = readSignals(text, *format, {m_options.gapMicros});
            for (Burst& b : input.bursts) {
                const std::vector<std::int32_t> units = burstUnits(
                    std::span<const int>(b.durations.constData(), b.durations.size()), m_options.kind);
                b.durations = QVector<int>(units.begin(), units.end());
            }
        }
        for (const Burst& b : input.bursts)
            if (!b.durations.isEmpty()) m_writer.write(b);
        m_out.flush();
        report(input.warnings);
        report(input.problems);
        return input.problems.isEmpty() ? 0 : 1;
    }

    void drain(ReadResult& sink, Reading reading) {
        if (sink.bursts.isEmpty() && sink.problems.isEmpty() && sink.warnings.isEmpty()) return;
        for (Burst& b : sink.bursts) {
            asReceived(b, m_options, reading == Reading::Mode2, sink.warnings);
            if (fitsBuffer(b, sink.problems)) m_writer.write(b);
        }
        report(sink.warnings);
        report(sink.problems);
        sink.bursts.clear();
        sink.problems.clear();
        sink.warnings.clear();
    }

    void report(const QVector<Problem>& problems) {
        if (problems.isEmpty()) return;
        m_out.flush(); // the lines before the problem first
        for (const Problem& p : problems) {
            m_err << "ravlin-cli hash: " << p.message() << "\n";
            if (!p.is(ProblemKind::BurstCutWarning)) m_bad = true;
        }
        m_err.flush();
    }

    Problem tooLong() const {
        return {m_reader.lineNumber(), ProblemKind::LineTooLong, {QString::number(m_reader.maxLine())}};
    }

    void fail(const QString& why) {
        m_err << "ravlin-cli hash: " << why << "\n";
        m_err.flush();
        m_failed = true;
    }

    const HashOptions& m_options;
    QIODevice& m_device;
    LineReader m_reader;
    HashWriter m_writer;
    QTextStream& m_out;
    QTextStream& m_err;
    bool m_bad = false;
    bool m_failed = false;
};

} // namespace

int runHash(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString error;
    const auto options = parseHashOptions(args, &error);
    if (!options) return usageError(err, QStringLiteral("hash"), error);
    if (options->input.isEmpty() || options->input == QLatin1String("-")) {
        StandardInput in;
        in.open(QIODevice::ReadOnly);
        return HashInput(*options, in, out, err).run();
    }
    // A named input must be a regular file: a pipe or device named by mistake is refused rather
    // than waited on (standard input streams whatever it is).
    QString reason;
    QFile file(options->input);
    if (!isRegularFile(options->input, &reason) || !file.open(QIODevice::ReadOnly)) {
        if (reason.isEmpty()) reason = file.errorString();
        err << "ravlin-cli hash: cannot read " << options->input << ": " << reason << "\n";
        err.flush();
        return 2;
    }
    return HashInput(*options, file, out, err).run();
}

QString usageText() {
    return QStringLiteral(
        "Usage: ravlin-cli hash [options] [file]\n"
        "       ravlin-cli --help\n"
        "       ravlin-cli --version\n"
        "\n"
        "hash: reads infrared bursts and prints, for each, what one processing run of the workbench\n"
        "computes, as one JSON object per line (JSON Lines), keys in this order:\n"
        "  n          number of durations in the burst\n"
        "  decoder    {\"result\": R, \"protocol\": P, \"hash\": \"...\", \"vars\": \"...\"},\n"
        "             or null when no format matched or the decoder did not run;\n"
        "             P: \"NEC\", \"RC5\", \"SIRC\", \"SIRC20\", \"JVC\", or null\n"
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
        "Burst lists and mode2 text are read as a stream: each burst's line is printed as soon as the burst\n"
        "is complete (mode2 -d /dev/lirc0 | ravlin-cli hash --mode2 names buttons live).\n"
        "\n"
        "Options:\n"
        "  --source S      data source: 1b+M96 (default), 1bit, xbit, m96, m96na\n"
        "  --xbit          run the Xbit module as well\n"
        "  --no-ver1       do not replace the hash by the Ver1 coding\n"
        "  --threshold H   initial \"Порог\", hexadecimal (default 3B), read as the window reads it:\n"
        "                  digits 0-9 and A-F; a lower-case letter counts as digit -1 (3b reads as 2F)\n"
        "  --kind K        receiver kind for the units: Movrik (default, 0.02133333 ms), USBtiny,\n"
        "                  IgorPlug-USB (0.0853333 ms), IgorPlug-UDP (0.0512 ms)\n"
        "  --us            input durations are microseconds, turned into units as a receiver of the\n"
        "                  kind delivers them: rounded to the nearest step of its byte format (halves\n"
        "                  away from zero) and kept within one step and its largest byte\n"
        "  --mode2         input is LIRC mode2 text (\"pulse N\", \"space N\", \"timeout N\" in "
        "microseconds);\n"
        "                  a burst ends at a space of at least the gap, a timeout line or the end of\n"
        "                  input; a burst of more than 255 durations is cut after its last whole mark,\n"
        "                  with a warning line\n"
        "  --gap MS        the gap that ends a mode2 burst, in milliseconds (default 6)\n"
        "  --format F      input is a signal file: flipper, lircd, pronto (read whole, at most 16 MiB), or\n"
        "                  mode2 (as --mode2); without --format, --mode2 or --us the content decides;\n"
        "                  signals a file names get \"name\" and \"source\" (FILE:LINE)\n"
        "  --decoders L    tick (+key) or untick (-key) sub-decoders, e.g. +rc6,+sirc15,+rc5x for the\n"
        "                  optional RC6, SIRC15 and RC5X ones (keys in docs/decoder.md)\n"
        "  -h, --help      show this text\n");
}

} // namespace ravlin::cli
