#include "cli/cli_base.h"

#include "base/core/base_editor.h"
#include "base/core/base_order.h"
#include "base/core/capture_buffer.h"
#include "base/core/rescan.h"
#include "capture/core/pipeline.h"
#include "formats/core/mode2.h"
#include "hashing/core/sub_decoders.h"
#include "platform/core/regular_file.h"

#include <QCommandLineParser>
#include <QFileDevice>
#include <QRegularExpression>

namespace ravlin::cli {

struct CommandLine::Option {
    QString name;
    std::function<void()> set;                   // a switch
    std::function<QString(const QString&)> take; // an option with a value, or the positional arguments
    QString missing;
};

CommandLine::CommandLine() = default;
CommandLine::~CommandLine() = default;

void CommandLine::flag(const QString& name, std::function<void()> set) {
    m_options.push_back({name, std::move(set), {}, {}});
}

void CommandLine::value(const QString& name, std::function<QString(const QString&)> take,
                        const QString& missing) {
    m_options.push_back({name, {}, std::move(take), missing});
}

void CommandLine::positional(std::function<QString(const QString&)> take) {
    m_options.push_back({QString(), {}, std::move(take), {}});
}

const CommandLine::Option* CommandLine::find(const QString& name) const {
    for (const Option& o : m_options)
        if (o.name == name) return &o;
    return nullptr;
}

namespace {

// The name an argument gives an option: "--name", "-name", "--name=VALUE"; empty for no option.
QString optionName(const QString& argument) {
    if (argument.size() < 2 || !argument.startsWith(QLatin1Char('-'))) return {};
    const qsizetype dashes = argument.startsWith(QLatin1String("--")) ? 2 : 1;
    return argument.mid(dashes).section(QLatin1Char('='), 0, 0);
}

} // namespace

QString CommandLine::parse(const QStringList& args) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const Option& o : m_options) {
        if (o.name.isEmpty()) continue;
        parser.addOption(o.set ? QCommandLineOption(o.name)
                               : QCommandLineOption(o.name, QString(), QStringLiteral("value")));
    }
    if (!parser.parse(QStringList{QString()} + args)) {
        // Qt refuses an option it does not know, a value given to a switch and a value missing
        // after the last argument; the last is for the option's own rule to judge.
        const QStringList unknown = parser.unknownOptionNames();
        for (const QString& a : args) {
            const QString name = optionName(a);
            if (name.isEmpty()) continue;
            const Option* o = find(name);
            if ((!unknown.isEmpty() && name == unknown.first()) ||
                (unknown.isEmpty() && o && o->set && a.contains(QLatin1Char('='))))
                return m_unknown.arg(a);
        }
    }
    std::vector<qsizetype> taken(m_options.size(), 0); // values read so far, per option
    for (const QString& name : parser.optionNames()) {
        const Option* o = find(name);
        if (o->set) {
            o->set();
            continue;
        }
        const QStringList values = parser.values(name);
        const qsizetype k = taken[std::size_t(o - m_options.data())]++;
        const QString why = k < values.size()      ? o->take(values.at(k))
                            : o->missing.isEmpty() ? o->take(QString())
                                                   : o->missing;
        if (!why.isEmpty()) return why;
    }
    const Option* rest = find(QString());
    for (const QString& a : parser.positionalArguments()) {
        const QString why = rest ? rest->take(a) : m_unknown.arg(a);
        if (!why.isEmpty()) return why;
    }
    return {};
}

bool streamWritten(QTextStream& stream) {
    stream.flush();
    if (stream.status() != QTextStream::Ok) return false;
    auto* file = qobject_cast<QFileDevice*>(stream.device());
    return !file || file->error() == QFileDevice::NoError;
}

int finishOutput(int status, QTextStream& out, QTextStream& err) {
    if (!streamWritten(out)) {
        const QString why = out.device() ? out.device()->errorString() : QString();
        err << "ravlin-cli: cannot write standard output" << (why.isEmpty() ? QString() : ": " + why) << "\n";
        streamWritten(err);
        return kExitOutputFailed;
    }
    return streamWritten(err) ? status : kExitOutputFailed;
}

QString exitStatusText() {
    return QStringLiteral(
        "Exit status of every command: 0 done; 1 done with problems (bad lines, signals left\n"
        "out, no result); 2 usage error or an input that cannot be read; 3 a file or standard\n"
        "output could not be written (an earlier file of that name stays as it was).\n");
}

int writeFailed(QTextStream& err, const QString& command, const QString& path, const QString& why) {
    err << "ravlin-cli " << command << ": cannot write " << path << ": " << why
        << "\n(nothing was written; an earlier file of that name is as it was)\n";
    err.flush();
    return kExitOutputFailed;
}

int usageError(QTextStream& err, const QString& command, const QString& why) {
    err << "ravlin-cli " << command << ": " << why << "\nTry 'ravlin-cli --help'.\n";
    err.flush();
    return 2;
}

bool isThresholdText(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^[0-9A-Fa-f]{1,6}$"));
    return re.match(text).hasMatch();
}

QString takeThreshold(const QString& value, QString& into) {
    if (!isThresholdText(value)) return QStringLiteral("--threshold needs a hexadecimal number");
    into = value; // kept as typed: the run reads it as the window reads "Порог", with StrToBase
    return {};
}

QString takeGap(const QString& value, std::uint32_t& micros) {
    const auto gap = parseGapMs(value);
    if (!gap) return QStringLiteral("--gap needs milliseconds from 0.1 to 1000");
    micros = *gap;
    return {};
}

QString takeFormat(const QString& value, std::optional<SignalFormat>& into) {
    into = signalFormatFromName(value);
    return into ? QString() : QStringLiteral("--format needs flipper, lircd, pronto or mode2");
}

QString takeDecoders(const QString& value, DecoderSettings& into) {
    QString item;
    if (applyDecoderList(value, into, &item)) return {};
    return QStringLiteral("--decoders needs signed sub-decoder keys such as +rc6,+sirc15,+rc5x (not \"%1\")")
        .arg(item);
}

bool openBase(const QString& command, const QString& path, ButtonBase& base, BaseFileSettings& settings,
              QTextStream& err) {
    QString error;
    const auto lines = readTextFile(path, kBaseFileMaxBytes, &error);
    if (!lines) {
        err << "ravlin-cli " << command << ": cannot read " << path << ": " << error << "\n";
        err.flush();
        return false;
    }
    if (!isBaseFile(*lines)) {
        err << "ravlin-cli " << command << ": " << path << " is not a button base file\n";
        err.flush();
        return false;
    }
    readBaseFile(*lines, base, settings);
    markLoadDuplicates(base);
    removeMarkedRecords(base);
    for (int record : recordsWithUnreadableTimings(base))
        err << "ravlin-cli " << command << ": " << path << ": record " << record
            << ": the timing texts hold a character that is no hexadecimal digit; its durations are not "
               "used\n";
    return true;
}

void processRecord(ButtonBase& base, int index, HashPanelSettings& panel, DurationHistogram& histogram,
                   const DecoderSettings& decoder) {
    CaptureBuffer buffer;
    BaseEditor::rebuildBuffer(buffer, base.record(index).timings);
    const RunOutcome r = computeHash(buffer.span(), panel, decoder, &histogram);
    writeBackThreshold(panel, r.threshold);
    if (r.selection != kNotAvailable) base.record(index).hash = r.selection;
}

void rescanBase(ButtonBase& base, HashPanelSettings& panel, const DecoderSettings& decoder) {
    DurationHistogram histogram;
    for (int i = 1; i <= base.count(); ++i)
        processRecord(base, i, panel, histogram, decoder);
    Rescan::tidy(base);
    if (base.count() > 0) processRecord(base, 1, panel, histogram, decoder);
}

} // namespace ravlin::cli
