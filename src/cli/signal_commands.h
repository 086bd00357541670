#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace ravlin::cli {

// "ravlin-cli import": remote-control files into a base file.
int runImport(const QStringList& args, QTextStream& out, QTextStream& err);
// "ravlin-cli export": a base file's records into a remote-control file.
int runExport(const QStringList& args, QTextStream& out, QTextStream& err);
// "ravlin-cli known-remotes": the known-remotes base from folders of remote-control files.
int runKnownRemotes(const QStringList& args, QTextStream& out, QTextStream& err);

QString signalCommandsUsageText();

} // namespace ravlin::cli
