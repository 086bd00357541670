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

// A usage error of `command` on `err` ("ravlin-cli COMMAND: WHY" and where help is); returns 2,
// the exit status for it.
int usageError(QTextStream& err, const QString& command, const QString& why);

// Reads a base file into an empty base as "Open" does: the settings block into `settings`, and
// records repeating an earlier one's button name and timings dropped. False, with the reason said
// on `err` for `command`, when the file cannot be read.
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
