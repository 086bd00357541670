#pragma once

#include "platform/core/dialogs.h"
#include "platform/core/url_opener.h"

class QWidget;

namespace ravlin {

// Dialogs of production: Qt message boxes and file dialogs over the window the user works in (the
// active one, so that a tool window that asks stays in front of the main window), else over the
// given parent window.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void beep() override;
    void information(const QString& text, const QString& caption = QString()) override;
    Answer askYesNo(const QString& text, const QString& caption = QString(),
                    QuestionKind kind = QuestionKind::Warning) override;
    Answer askYesNoCancel(const QString& text, const QString& caption = QString(),
                          QuestionKind kind = QuestionKind::Warning) override;
    QString openFileName(const QString& filter, const QString& defaultName) override;
    QString saveFileName(const QString& filter, const QString& defaultName,
                         const QString& defaultExtension = QString()) override;
    QStringList openFileNames(const QString& filter, const QString& defaultName) override;
    QString saveFileNameAndFilter(const QString& filter, const QString& defaultName,
                                  const QString& defaultExtension, int* selectedFilter) override;

private:
    QWidget* parent() const;

    QWidget* m_parent;
};

// Opens pages with the desktop's browser.
class DesktopUrlOpener : public UrlOpener {
public:
    void open(const QString& url) override;
};

} // namespace ravlin
