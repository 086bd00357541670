#pragma once

#include <QString>

namespace ravlin {

// Opens a web page in the user's browser.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QString& url) = 0;
};

// Opens nothing (runs without a user, such as the screenshot tour).
class NoUrlOpener : public UrlOpener {
public:
    void open(const QString&) override {}
};

// Pages the link labels and the help menu open.
inline constexpr const char* kProjectPageUrl = "https://ravlin.example.org/";
inline constexpr const char* kHelpPageUrl = "https://ravlin.example.org/help";

} // namespace ravlin
