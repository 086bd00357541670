#include "cli/cli_base.h"

#include "base/core/base_editor.h"
#include "base/core/base_order.h"
#include "base/core/capture_buffer.h"
#include "base/core/rescan.h"
#include "capture/core/pipeline.h"
#include "platform/core/regular_file.h"

#include <QFileDevice>
#include <QRegularExpression>

namespace ravlin::cli {

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
