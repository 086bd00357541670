#pragma once

#include <QString>
#include <QStringList>

namespace ravlin {

// Answers of the question boxes.
enum class Answer { Yes, No, Cancel };

// The kind of box a question is shown in: a warning (exclamation sign) or a confirmation
// (question sign).
enum class QuestionKind { Warning, Confirmation };

// Everything the core asks of or tells the user goes through this port, synchronously.
// Production shows Qt message boxes and file dialogs; tests script the answers and record calls.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The system's warning sound.
    virtual void beep() = 0;
    // Information box with an OK button.
    virtual void information(const QString& text, const QString& caption = QString()) = 0;
    // Box with Yes/No buttons, a warning unless `kind` says otherwise.
    virtual Answer askYesNo(const QString& text, const QString& caption = QString(),
                            QuestionKind kind = QuestionKind::Warning) = 0;
    // Box with Yes/No/Cancel buttons, a warning unless `kind` says otherwise.
    virtual Answer askYesNoCancel(const QString& text, const QString& caption = QString(),
                                  QuestionKind kind = QuestionKind::Warning) = 0;
    // Open-file dialog; an empty result means the user cancelled.
    virtual QString openFileName(const QString& filter, const QString& defaultName) = 0;
    // Save-file dialog; an empty result means the user cancelled.
    virtual QString saveFileName(const QString& filter, const QString& defaultName,
                                 const QString& defaultExtension = QString()) = 0;

    // Open-file dialog taking several files; empty when the user cancelled. By default one file.
    virtual QStringList openFileNames(const QString& filter, const QString& defaultName) {
        const QString name = openFileName(filter, defaultName);
        return name.isEmpty() ? QStringList() : QStringList{name};
    }
    // Save-file dialog that also tells which filter of `filter` (0-based) the user had selected;
    // -1 when the dialog cannot tell.
    virtual QString saveFileNameAndFilter(const QString& filter, const QString& defaultName,
                                          const QString& defaultExtension, int* selectedFilter) {
        if (selectedFilter) *selectedFilter = -1;
        return saveFileName(filter, defaultName, defaultExtension);
    }
};

} // namespace ravlin
