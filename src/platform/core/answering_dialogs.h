#pragma once

#include "platform/core/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace ravlin {

// Dialogs for runs without a user (the command-line tool, the screenshot tour): a question gets the
// next queued answer (Yes when none is queued), a file dialog the next queued name (cancelled when
// none is queued); every beep ("beep") and every message and question text is kept in `events`, in
// order. Nothing modal ever opens.
class AnsweringDialogs : public Dialogs {
public:
    QList<Answer> answers;
    QStringList fileNames;
    QStringList events;

    void beep() override { events << QStringLiteral("beep"); }
    void information(const QString& text, const QString&) override { events << text; }
    Answer askYesNo(const QString& text, const QString&, QuestionKind) override { return next(text); }
    Answer askYesNoCancel(const QString& text, const QString&, QuestionKind) override { return next(text); }
    QString openFileName(const QString&, const QString&) override { return nextName(); }
    QString saveFileName(const QString&, const QString&, const QString&) override { return nextName(); }

private:
    Answer next(const QString& text) {
        events << text;
        return answers.isEmpty() ? Answer::Yes : answers.takeFirst();
    }
    QString nextName() { return fileNames.isEmpty() ? QString() : fileNames.takeFirst(); }
};

} // namespace ravlin
