#pragma once

// The user guide as the help menu and the About tab's links show it: docs/index.md made into HTML by
// the program itself (Qt's Markdown reader), with its pictures and an anchor for every heading, and
// opened in the desktop's browser, or, where no browser can be started, in a help window of its own.

#include "platform/core/url_opener.h"

#include <QString>
#include <QTextBrowser>

#include <memory>

namespace ravlin {

// The guide at `markdownPath` as an HTML page: pictures referred to by absolute file URLs (so the
// page can lie anywhere), and every heading carrying the anchor GitHub gives it ("## Help" -> "help").
QString guideHtml(const QString& markdownPath);

// The anchor of a heading text as GitHub forms it: lower case, blanks as "-", other punctuation dropped.
QString headingAnchor(const QString& heading);

// The in-program help window: the page in a QTextBrowser, scrolled to its anchor.
class HelpWindow : public QTextBrowser {
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows the HTML file `page` at `anchor` (none: the top).
    void showPage(const QString& page, const QString& anchor);
};

// Opens pages: a local Markdown file (the guide) becomes an HTML page first, written to the user's
// cache folder, and opens in the browser when one can be started, else in the help window; any
// other address goes to the desktop as it is.
class GuideUrlOpener : public UrlOpener {
public:
    GuideUrlOpener();
    ~GuideUrlOpener() override;
    void open(const QString& url) override;

    // The help window, once it was needed (for tests and screenshots).
    HelpWindow* window() const { return m_window.get(); }
    // Whether the desktop can start a browser for HTML pages.
    static bool browserAvailable();

private:
    std::unique_ptr<HelpWindow> m_window;
};

} // namespace ravlin
