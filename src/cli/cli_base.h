#pragma once

#include "base/core/base_file.h"
#include "base/core/button_base.h"
#include "hashing/core/hash_module.h"
#include "hashing/core/panel_settings.h"
#include "platform/core/dialogs.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace ravlin::cli {

// What the commands that work on a base file share.

// Questions are answered Yes; every beep and message is kept for the command's outcome.
class AnsweringDialogs : public Dialogs {
public:
    QStringList events;
    void beep() override { events << QStringLiteral("beep"); }
    void information(const QString& text, const QString&) override { events << text; }
    Answer askYesNo(const QString& text, const QString&, QuestionKind) override {
        events << text;
        return Answer::Yes;
    }
    Answer askYesNoCancel(const QString& text, const QString&, QuestionKind) override {
        events << text;
        return Answer::Yes;
    }
    QString openFileName(const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
};

// Exit statuses every command uses.
enum ExitStatus : int {
    kExitOk = 0,           // everything done
    kExitProblems = 1,     // done, but with problem lines, left-out signals or no result
    kExitUsage = 2,        // a usage error, or an input that cannot be read or is not what it should be
    kExitOutputFailed = 3, // a file or standard output could not be written (an old file stays as it was)
};

// Whether what was written to `stream` so far reached its device: flushes it and checks for a
// failed write (a full disk, /dev/full, a file-size limit).
bool streamWritten(QTextStream& stream);

// The end of every command: standard output and standard error flushed and checked. A failed
// write is said on standard error (when that still works) and turns `status` into
// kExitOutputFailed.
int finishOutput(int status, QTextStream& out, QTextStream& err);

// The exit statuses as --help lists them.
QString exitStatusText();

// A file that `command` could not write: the reason on `err`; returns kExitOutputFailed.
int writeFailed(QTextStream& err, const QString& command, const QString& path, const QString& why);

// A usage error of `command` on `err` ("ravlin-cli COMMAND: WHY" and where help is); returns 2,
// the exit status for it.
int usageError(QTextStream& err, const QString& command, const QString& why);

// Whether `text` is a "--threshold" value: one to six hexadecimal digits of either case, kept as
// typed, so that the run reads it as the window reads "Порог" (with StrToBase).
bool isThresholdText(const QString& text);

// Reads a base file into an empty base as "Open" does: the settings block into `settings`, and
// records repeating an earlier one's button name and timings dropped. False, with the reason said
// on `err` for `command`, when the file cannot be read or is not a base file (then nothing is
// read). Records whose timing texts hold other characters than hexadecimal digits are named on
// `err` once.
bool openBase(const QString& command, const QString& path, ButtonBase& base, BaseFileSettings& settings,
              QTextStream& err);

// One record through the processing run, as go-to-record hands it over: its hash becomes the run's
// selection unless that is "N/A"; "Порог" in `panel` is written back.
void processRecord(ButtonBase& base, int index, HashPanelSettings& panel, DurationHistogram& histogram,
                   const DecoderSettings& decoder = {});

// The rescan with `panel`: every record through the processing run (a record whose burst gives no
// hash keeps its own), the tidying of the rescan, then record 1 again, as go-to-record ends it.
// "Порог" in `panel` carries from run to run.
void rescanBase(ButtonBase& base, HashPanelSettings& panel, const DecoderSettings& decoder = {});

} // namespace ravlin::cli
