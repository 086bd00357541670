#include "cli/cli_base.h"

#include "base/core/base_editor.h"
#include "base/core/base_order.h"
#include "base/core/capture_buffer.h"
#include "base/core/rescan.h"
#include "capture/core/pipeline.h"
#include "platform/core/regular_file.h"

namespace ravlin::cli {

int usageError(QTextStream& err, const QString& command, const QString& why) {
    err << "ravlin-cli " << command << ": " << why << "\nTry 'ravlin-cli --help'.\n";
    err.flush();
    return 2;
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
    readBaseFile(*lines, base, settings);
    markLoadDuplicates(base);
    removeMarkedRecords(base);
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
