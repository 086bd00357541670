#include "cli/actions_command.h"
#include "cli/fit_command.h"
#include "cli/hash_command.h"
#include "cli/netrx_command.h"
#include "cli/signal_commands.h"

#include "platform/core/build_info.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("-h") || args.contains(QStringLiteral("--help"))) {
        (args.isEmpty() ? err : out) << ravlin::cli::usageText() << "\n"
                                     << ravlin::cli::fitUsageText() << "\n"
                                     << ravlin::cli::actionsUsageText() << "\n"
                                     << ravlin::cli::netrxUsageText() << "\n"
                                     << ravlin::cli::signalCommandsUsageText();
        return args.isEmpty() ? 2 : 0;
    }
    if (args.first() == QLatin1String("-v") || args.first() == QLatin1String("--version")) {
        out << "ravlin-cli " RAVLIN_VERSION_TEXT "\n";
        return 0;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("hash")) return ravlin::cli::runHash(args, out, err);
    if (command == QLatin1String("netrx")) return ravlin::cli::runNetrx(args, out, err);
    if (command == QLatin1String("fit")) return ravlin::cli::runFit(args, out, err);
    if (command == QLatin1String("actions")) return ravlin::cli::runActions(args, out, err);
    if (command == QLatin1String("import")) return ravlin::cli::runImport(args, out, err);
    if (command == QLatin1String("export")) return ravlin::cli::runExport(args, out, err);
    if (command == QLatin1String("known-remotes")) return ravlin::cli::runKnownRemotes(args, out, err);
    err << "ravlin-cli: unknown command \"" << command << "\"\nTry 'ravlin-cli --help'.\n";
    return 2;
}
