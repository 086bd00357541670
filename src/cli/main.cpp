#include "cli/actions_command.h"
#include "cli/cli_base.h"
#include "cli/fit_command.h"
#include "cli/hash_command.h"
#include "cli/netrx_command.h"
#include "cli/signal_commands.h"
#include "platform/core/build_info.h"

#include <QCoreApplication>
#include <QTextStream>

#include <csignal>
#include <cstdio>

namespace {

int run(QStringList args, QTextStream& out, QTextStream& err) {
    using namespace ravlin::cli;
    if (args.isEmpty() || args.first() == QLatin1String("-h") || args.contains(QStringLiteral("--help"))) {
        (args.isEmpty() ? err : out) << usageText() << "\n"
                                     << fitUsageText() << "\n"
                                     << actionsUsageText() << "\n"
                                     << netrxUsageText() << "\n"
                                     << signalCommandsUsageText() << "\n"
                                     << exitStatusText();
        return args.isEmpty() ? kExitUsage : kExitOk;
    }
    if (args.first() == QLatin1String("-v") || args.first() == QLatin1String("--version")) {
        out << "ravlin-cli " RAVLIN_VERSION_TEXT "\n";
        return kExitOk;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("hash")) return runHash(args, out, err);
    if (command == QLatin1String("netrx")) return runNetrx(args, out, err);
    if (command == QLatin1String("fit")) return runFit(args, out, err);
    if (command == QLatin1String("actions")) return runActions(args, out, err);
    if (command == QLatin1String("import")) return runImport(args, out, err);
    if (command == QLatin1String("export")) return runExport(args, out, err);
    if (command == QLatin1String("known-remotes")) return runKnownRemotes(args, out, err);
    err << "ravlin-cli: unknown command \"" << command << "\"\nTry 'ravlin-cli --help'.\n";
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    // Under a file-size limit a write then fails with EFBIG and is reported like a full disk,
    // instead of the signal ending the process with the old file's fate unsaid.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = run(QCoreApplication::arguments().mid(1), out, err);
    return ravlin::cli::finishOutput(status, out, err);
}
