#include "platform/ui/qt_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace ravlin {

namespace {

QString captionOr(const QString& caption) {
    return caption.isEmpty() ? QApplication::applicationName() : caption;
}

// Qt's filter syntax from the system's "Description|*.ext" form.
QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]);
    return out.isEmpty() ? filter : out.join(QStringLiteral(";;"));
}

QMessageBox::StandardButton ask(QWidget* parent, const QString& caption, const QString& text,
                                QMessageBox::StandardButtons buttons, QuestionKind kind) {
    return kind == QuestionKind::Confirmation
               ? QMessageBox::question(parent, captionOr(caption), text, buttons)
               : QMessageBox::warning(parent, captionOr(caption), text, buttons);
}

} // namespace

QWidget* QtDialogs::parent() const {
    QWidget* active = QApplication::activeWindow();
    return active && active->isVisible() ? active : m_parent;
}

void QtDialogs::beep() {
    QApplication::beep();
}

void QtDialogs::information(const QString& text, const QString& caption) {
    QMessageBox::information(parent(), captionOr(caption), text, QMessageBox::Ok);
}

Answer QtDialogs::askYesNo(const QString& text, const QString& caption, QuestionKind kind) {
    const auto b = ask(parent(), caption, text, QMessageBox::Yes | QMessageBox::No, kind);
    return b == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Answer QtDialogs::askYesNoCancel(const QString& text, const QString& caption, QuestionKind kind) {
    const auto b =
        ask(parent(), caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, kind);
    if (b == QMessageBox::Yes) return Answer::Yes;
    if (b == QMessageBox::No) return Answer::No;
    return Answer::Cancel;
}

QString QtDialogs::openFileName(const QString& filter, const QString& defaultName) {
    return QFileDialog::getOpenFileName(parent(), QString(), defaultName, qtFilter(filter));
}

QStringList QtDialogs::openFileNames(const QString& filter, const QString& defaultName) {
    return QFileDialog::getOpenFileNames(parent(), QString(), defaultName, qtFilter(filter));
}

QString QtDialogs::saveFileName(const QString& filter, const QString& defaultName,
                                const QString& defaultExtension) {
    return saveFileNameAndFilter(filter, defaultName, defaultExtension, nullptr);
}

QString QtDialogs::saveFileNameAndFilter(const QString& filter, const QString& defaultName,
                                         const QString& defaultExtension, int* selectedFilter) {
    if (selectedFilter) *selectedFilter = -1;
    const QString filters = qtFilter(filter);
    QFileDialog dialog(parent(), QString(), defaultName, filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The overwrite question is the program's own, asked only for non-empty files.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!defaultExtension.isEmpty())
        dialog.setDefaultSuffix(defaultExtension.mid(defaultExtension.startsWith(u'.') ? 1 : 0));
    dialog.selectFile(QFileInfo(defaultName).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    if (selectedFilter)
        *selectedFilter =
            static_cast<int>(filters.split(QStringLiteral(";;")).indexOf(dialog.selectedNameFilter()));
    return dialog.selectedFiles().first();
}

void DesktopUrlOpener::open(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

} // namespace ravlin
