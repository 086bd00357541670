#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace ravlin::cli {

// Options of "ravlin-cli netrx".
struct NetrxOptions {
    quint16 port = 0;                           // --port (0 picks a free port, printed at start)
    QString bind = QStringLiteral("127.0.0.1"); // --bind
    QString capture;                            // --capture
    int seconds = 0;                            // --seconds; 0 runs until interrupted
};

// Parses the arguments after "netrx"; on failure returns nothing and puts the reason into *error.
std::optional<NetrxOptions> parseNetrxOptions(const QStringList& args, QString* error);

// Runs the receiver emulator on the application's event loop; returns the exit status (0 fine, 2 usage
// error, unreadable capture file or an address it cannot listen on).
int runNetrx(const QStringList& args, QTextStream& out, QTextStream& err);

QString netrxUsageText();

} // namespace ravlin::cli
