// Capture files: any text parses, every burst kept is sound, and the text format() writes parses
// back to the same bursts without a problem.
#include "formats/core/capture_file.h"
#include "fuzz_check.h"

using namespace ravlin;

namespace {

bool sameBursts(const std::vector<CapturedBurst>& a, const std::vector<CapturedBurst>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].delayMs != b[i].delayMs || a[i].bytes != b[i].bytes || a[i].kind != b[i].kind) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 256 * 1024) return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const CaptureFile file = CaptureFile::parse(text);
    for (const CapturedBurst& b : file.bursts) {
        FUZZ_CHECK(!b.bytes.empty() && b.bytes.size() <= 255);
        FUZZ_CHECK(b.delayMs >= 0);
    }
    for (const Problem& p : file.problems)
        FUZZ_CHECK(p.line >= 1);
    const CaptureFile back =
        CaptureFile::parse(CaptureFile::format(file.bursts, QStringLiteral("fuzz\nround trip")));
    FUZZ_CHECK(back.problems.isEmpty());
    FUZZ_CHECK(sameBursts(back.bursts, file.bursts));
    return 0;
}
