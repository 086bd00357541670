#pragma once

#include "platform/core/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace ravlin::fakes {

// Dialogs for tests: answers come from queues (Yes when a queue is empty, empty file name when no
// file name is queued), and every call is recorded in `events` as text, in order:
// "beep", "info: <text>", "yesno: <text>", "ync: <text>", "open: <default>", "save: <default>".
class ScriptedDialogs : public Dialogs {
public:
    QList<Answer> answers; // for askYesNo and askYesNoCancel, consumed in order
    QStringList fileNames; // for openFileName and saveFileName, consumed in order
    QStringList events;
    QStringList captions;      // caption of every box, in order
    QList<QuestionKind> kinds; // kind of every question box, in order

    void beep() override { events << QStringLiteral("beep"); }
    void information(const QString& text, const QString& caption = QString()) override {
        events << QStringLiteral("info: ") + text;
        captions << caption;
    }
    Answer askYesNo(const QString& text, const QString& caption = QString(),
                    QuestionKind kind = QuestionKind::Warning) override {
        events << QStringLiteral("yesno: ") + text;
        captions << caption;
        kinds << kind;
        return next();
    }
    Answer askYesNoCancel(const QString& text, const QString& caption = QString(),
                          QuestionKind kind = QuestionKind::Warning) override {
        events << QStringLiteral("ync: ") + text;
        captions << caption;
        kinds << kind;
        return next();
    }
    QString openFileName(const QString& filter, const QString& defaultName) override {
        Q_UNUSED(filter);
        events << QStringLiteral("open: ") + defaultName;
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
    QString saveFileName(const QString& filter, const QString& defaultName,
                         const QString& defaultExtension = QString()) override {
        Q_UNUSED(filter);
        Q_UNUSED(defaultExtension);
        events << QStringLiteral("save: ") + defaultName;
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }

    int beeps() const { return static_cast<int>(events.count(QStringLiteral("beep"))); }

private:
    Answer next() { return answers.isEmpty() ? Answer::Yes : answers.takeFirst(); }
};

} // namespace ravlin::fakes
