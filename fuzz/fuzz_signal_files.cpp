// Remote-control files of other tools through the shared entry: any text is told apart and read in
// every format, and what was read writes and reads back with the same durations and names.
#include "formats/core/signal_files.h"
#include "fuzz_check.h"

using namespace ravlin;

namespace {

// Same frames with the same durations. Names are not compared: writers make them fit their format
// (lircd names are single words, Flipper names one line, unnamed signals get a made-up name).
// Pronto keeps durations only to a carrier period, so only the frames are counted there.
bool sameSignals(const QVector<Burst>& a, const QVector<Burst>& b, bool exact) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; exact && i < a.size(); ++i)
        if (a[i].durations != b[i].durations) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64 * 1024) return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    detectSignalFormat(text);
    for (const SignalFormat format :
         {SignalFormat::Flipper, SignalFormat::Lircd, SignalFormat::Pronto, SignalFormat::Mode2}) {
        FUZZ_CHECK(signalFormatFromName(signalFormatName(format)) == format);
        const ReadResult read = readSignals(text, format);
        for (const Burst& b : read.bursts) {
            FUZZ_CHECK(!b.durations.isEmpty() && b.durations.size() % 2 == 1);
            for (int d : b.durations)
                FUZZ_CHECK(d >= 0);
        }
        for (const Problem& p : read.problems)
            FUZZ_CHECK(p.line >= 1);
        if (read.bursts.isEmpty()) continue;
        const QString written = writeSignals(read.bursts, format, QStringLiteral("fuzz"));
        FUZZ_CHECK(detectSignalFormat(written) == format);
        const ReadResult back = readSignals(written, format);
        FUZZ_CHECK(back.problems.isEmpty());
        FUZZ_CHECK(sameSignals(back.bursts, read.bursts, format != SignalFormat::Pronto));
        if (format != SignalFormat::Flipper) continue;
        // Parsed where the decoder finds a protocol: still one frame per burst, read without a problem.
        const ReadResult parsed = readSignals(writeSignals(read.bursts, format, {}, {true}), format);
        FUZZ_CHECK(parsed.problems.isEmpty());
        FUZZ_CHECK(sameSignals(parsed.bursts, read.bursts, false));
    }
    return 0;
}
