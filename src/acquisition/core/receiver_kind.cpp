#include "acquisition/core/receiver_kind.h"

#include <array>

namespace ravlin {

namespace {

struct StatusText {
    int status;
    const char* text;
};
constexpr std::array<StatusText, 5> kStatusTexts = {{
    {0, "Status : OK!"},
    {1, "Status : NotConect"},
    {2, "Status : NoDataAvailable"},
    {3, "Status : InvalidBaudrate"},
    {4, "Status : OverRunError"},
}};

} // namespace

QString statusLineText(int status) {
    for (const auto& s : kStatusTexts)
        if (s.status == status) return QString::fromUtf8(s.text);
    return QStringLiteral("Status : UnError");
}

} // namespace ravlin
