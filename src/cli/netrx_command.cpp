#include "cli/netrx_command.h"

#include "acquisition/core/drivers/udp_emulator.h"
#include "cli/cli_base.h"
#include "formats/core/capture_file.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QTimer>

namespace ravlin::cli {

namespace {

// The longest run --seconds accepts (a day).
constexpr int kMaxSeconds = 24 * 3600;

} // namespace

std::optional<NetrxOptions> parseNetrxOptions(const QStringList& args, QString* error) {
    NetrxOptions o;
    bool havePort = false;
    CommandLine line;
    line.setUnknownOption(QStringLiteral("unknown option \"%1\""));
    line.value(
        QStringLiteral("port"),
        [&](const QString& v) {
            bool ok = false;
            const uint p = v.toUInt(&ok, 10);
            if (!ok || p > 65535) return QStringLiteral("bad port \"%1\" (0..65535)").arg(v);
            o.port = static_cast<quint16>(p);
            havePort = true;
            return QString();
        },
        QStringLiteral("--port needs a value"));
    line.value(
        QStringLiteral("bind"),
        [&](const QString& v) {
            if (QHostAddress(v).isNull()) return QStringLiteral("bad address \"%1\"").arg(v);
            o.bind = v;
            return QString();
        },
        QStringLiteral("--bind needs a value"));
    line.value(
        QStringLiteral("capture"),
        [&](const QString& v) {
            o.capture = v;
            return QString();
        },
        QStringLiteral("--capture needs a value"));
    line.value(
        QStringLiteral("seconds"),
        [&](const QString& v) {
            bool ok = false;
            const int s = v.toInt(&ok, 10);
            if (!ok || s < 1 || s > kMaxSeconds)
                return QStringLiteral("bad --seconds \"%1\" (1..%2)").arg(v).arg(kMaxSeconds);
            o.seconds = s;
            return QString();
        },
        QStringLiteral("--seconds needs a value"));
    QString why = line.parse(args);
    if (why.isEmpty() && !havePort) why = QStringLiteral("--port is required");
    if (why.isEmpty() && o.capture.isEmpty()) why = QStringLiteral("--capture is required");
    if (why.isEmpty()) return o;
    if (error) *error = why;
    return std::nullopt;
}

int runNetrx(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        out << netrxUsageText();
        return 0;
    }
    QString error;
    const std::optional<NetrxOptions> o = parseNetrxOptions(args, &error);
    if (!o) {
        err << "ravlin-cli netrx: " << error << "\nTry 'ravlin-cli netrx --help'.\n";
        return 2;
    }
    bool readable = false;
    const CaptureFile file = CaptureFile::read(o->capture, &readable, &error);
    if (!readable) {
        err << "ravlin-cli netrx: cannot read " << o->capture << ": " << error << '\n';
        return 2;
    }
    for (const Problem& p : file.problems)
        err << "ravlin-cli netrx: " << o->capture << ": " << p.message() << " (skipped)\n";
    UdpEmulator emulator(file.bursts);
    if (emulator.blocks().empty()) {
        err << "ravlin-cli netrx: " << o->capture << " holds no bursts\n";
        return 2;
    }
    if (!emulator.listen(QHostAddress(o->bind), o->port, &error)) {
        err << "ravlin-cli netrx: cannot listen on " << o->bind << ':' << o->port << ": " << error << '\n';
        return 2;
    }
    out << "ravlin-cli netrx: serving " << emulator.blocks().size() << " bursts on " << o->bind << ':'
        << emulator.port() << Qt::endl;
    if (o->seconds > 0) QTimer::singleShot(o->seconds * 1000, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    out << "ravlin-cli netrx: " << emulator.polls() << " polls answered, " << emulator.served()
        << " bursts served" << Qt::endl;
    return 0;
}

QString netrxUsageText() {
    return QStringLiteral(
        "Usage: ravlin-cli netrx --port P [--bind ADDRESS] --capture FILE [--seconds N]\n"
        "\n"
        "netrx: acts as a network receiver (\"IgorPlug-UDP\") for the workbench: answers its polls with\n"
        "the bursts of a capture file as \"IgorPlug-UDP\" blocks, one burst per poll once its delay has\n"
        "passed, from the first again after the last, and with keep-alives in between.\n"
        "  --port P         UDP port to listen on (0 picks a free one; the port is printed at start)\n"
        "  --bind ADDRESS   address to listen on (default 127.0.0.1)\n"
        "  --capture FILE   capture file to serve\n"
        "  --seconds N      stop after N seconds (default: run until interrupted)\n");
}

} // namespace ravlin::cli
