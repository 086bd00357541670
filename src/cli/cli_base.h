#pragma once

#include "base/core/base_file.h"
#include "base/core/button_base.h"
#include "formats/core/signal_files.h"
#include "hashing/core/hash_module.h"
#include "hashing/core/panel_settings.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace ravlin::cli {

// What every command shares: its command line, exit statuses, checked output, base opening.

// A command's options, declared once and read by QCommandLineParser: each option's value goes to
// its own rule, in the order the options were given, and the first rule that refuses says the usage
// error in the command's words. Options are written "--name VALUE" (or "--name=VALUE").
class CommandLine {
public:
    CommandLine();
    ~CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // A switch "--name": `set` runs each time it is given.
    void flag(const QString& name, std::function<void()> set);
    // An option "--name VALUE": `take` keeps the value or returns why it cannot (an empty text when it
    // can). Given last, without a value, it gets an empty value, or is refused with `missing` when set.
    void value(const QString& name, std::function<QString(const QString&)> take, const QString& missing = {});
    // The arguments that are no option, in order; refused when the command takes none.
    void positional(std::function<QString(const QString&)> take);
    // The error for an option the command does not know; "%1" is the argument as given.
    void setUnknownOption(const QString& format) { m_unknown = format; }

    // Reads the arguments after the command's name; returns the first usage error, or an empty text.
    QString parse(const QStringList& args);

    struct Option; // internal; the one without a name takes the arguments that are no option

private:
    const Option* find(const QString& name) const;

    std::vector<Option> m_options;
    QString m_unknown = QStringLiteral("unknown option %1");
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

// The rules of the options several commands share: each keeps a good value in `into` and returns
// an empty text, or returns the usage error.
QString takeThreshold(const QString& value, QString& into);                  // --threshold H
QString takeGap(const QString& value, std::uint32_t& micros);                // --gap MS
QString takeFormat(const QString& value, std::optional<SignalFormat>& into); // --format F
// --decoders L ("+rc6,+sirc15,-rc5", the keys of docs/decoder.md) applied to `into`.
QString takeDecoders(const QString& value, DecoderSettings& into);

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
