#pragma once

#include <QString>

namespace ravlin {

// Answers of the question boxes.
enum class Answer { Yes, No, Cancel };

// Everything the core asks of or tells the user goes through this port, synchronously.
// Production shows Qt message boxes and file dialogs; tests script the answers and record calls.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The system's warning sound.
    virtual void beep() = 0;
    // Information box with an OK button.
    virtual void information(const QString& text, const QString& caption = QString()) = 0;
    // Warning box with Yes/No buttons.
    virtual Answer askYesNo(const QString& text, const QString& caption = QString()) = 0;
    // Confirmation box with Yes/No/Cancel buttons.
    virtual Answer askYesNoCancel(const QString& text, const QString& caption = QString()) = 0;
    // Open-file dialog; an empty result means the user cancelled.
    virtual QString openFileName(const QString& filter, const QString& defaultName) = 0;
    // Save-file dialog; an empty result means the user cancelled.
    virtual QString saveFileName(const QString& filter, const QString& defaultName,
                                 const QString& defaultExtension = QString()) = 0;
};

} // namespace ravlin
