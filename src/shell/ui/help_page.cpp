#include "shell/ui/help_page.h"

#include "platform/core/text_file.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QWindow>

#include <utility>
#include <vector>

namespace ravlin {

namespace {

constexpr qint64 kMaxGuideBytes = 4 << 20;

// Sets `format` on the characters [from, to) of `doc`.
void setFormat(QTextDocument& doc, int from, int to, const QTextCharFormat& format, bool merge) {
    QTextCursor c(&doc);
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    if (merge)
        c.mergeCharFormat(format);
    else
        c.setCharFormat(format);
}

// The page of the guide in the cache folder; empty when it cannot be written.
QString writePage(const QString& html) {
    const QString dir =
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/help");
    if (!QDir().mkpath(dir)) return {};
    const QString path = dir + QStringLiteral("/index.html");
    return TextFileWriter::writeBytes(path, html.toUtf8()) ? path : QString();
}

} // namespace

QString headingAnchor(const QString& heading) {
    QString out;
    for (const QChar c : heading.trimmed().toLower()) {
        if (c.isLetterOrNumber() || c == u'_' || c == u'-')
            out += c;
        else if (c == u' ')
            out += u'-';
    }
    return out;
}

QString guideHtml(const QString& markdownPath) {
    QFile file(markdownPath);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QTextDocument doc;
    doc.setMarkdown(QString::fromUtf8(file.read(kMaxGuideBytes)), QTextDocument::MarkdownDialectGitHub);
    const QDir dir = QFileInfo(markdownPath).absoluteDir();

    struct Change {
        int from, to;
        QTextCharFormat format;
        bool merge;
    };
    std::vector<Change> changes;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().headingLevel() > 0 && b.length() > 1) {
            QTextCharFormat anchor;
            anchor.setAnchor(true);
            anchor.setAnchorNames({headingAnchor(b.text())});
            changes.push_back({b.position(), b.position() + b.length() - 1, anchor, true});
        }
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.charFormat().isImageFormat()) continue;
            QTextImageFormat image = f.charFormat().toImageFormat();
            const QUrl url(image.name());
            if (!url.isRelative()) continue;
            image.setName(QUrl::fromLocalFile(dir.absoluteFilePath(url.path())).toString());
            changes.push_back({f.position(), f.position() + f.length(), image, false});
        }
    }
    for (const Change& c : changes)
        setFormat(doc, c.from, c.to, c.format, c.merge);
    return doc.toHtml();
}

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Помощь по работе с программой"));
    setOpenExternalLinks(true);
    resize(900, 700);
}

void HelpWindow::showPage(const QString& page, const QString& anchor) {
    QUrl url = QUrl::fromLocalFile(page);
    if (source() != url) setSource(url);
    if (!anchor.isEmpty()) scrollToAnchor(anchor);
    show();
    raise();
    activateWindow();
}

GuideUrlOpener::GuideUrlOpener() = default;
GuideUrlOpener::~GuideUrlOpener() = default;

bool GuideUrlOpener::browserAvailable() {
    if (!qEnvironmentVariableIsEmpty("BROWSER")) return true;
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) return false;
    // xdg-open starts even where nothing can show a web page; ask which program takes HTML.
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (!query.waitForFinished(3000)) {
        query.kill();
        return false;
    }
    return query.exitCode() == 0 && !query.readAllStandardOutput().trimmed().isEmpty();
}

void GuideUrlOpener::open(const QString& url) {
    const QUrl target(url);
    if (!target.isLocalFile() || !target.path().endsWith(QLatin1String(".md"))) {
        QDesktopServices::openUrl(target);
        return;
    }
    const QString html = guideHtml(target.toLocalFile());
    const QString page = html.isEmpty() ? QString() : writePage(html);
    if (page.isEmpty()) { // no guide to show, or no place for the page: the file as it is
        QDesktopServices::openUrl(target);
        return;
    }
    QUrl pageUrl = QUrl::fromLocalFile(page);
    pageUrl.setFragment(target.fragment());
    if (browserAvailable() && QDesktopServices::openUrl(pageUrl)) return;
    if (!m_window) m_window = std::make_unique<HelpWindow>();
    // Opened centred over the window the user asked from, and kept in front of it.
    QWidget* from = QApplication::activeWindow();
    if (from == m_window.get()) from = nullptr;
    if (from && !m_window->isVisible()) {
        QRect place(QPoint(), m_window->frameGeometry().size());
        place.moveCenter(from->frameGeometry().center());
        m_window->move(place.topLeft());
    }
    m_window->showPage(page, target.fragment());
    if (from && m_window->windowHandle() && from->windowHandle())
        m_window->windowHandle()->setTransientParent(from->windowHandle());
}

} // namespace ravlin
