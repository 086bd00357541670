// Base files: any bytes open without harm, and what was opened saves and opens again equal
// (records and settings), or Save refuses the file as one that would not read back.
#include "base/core/base_file.h"
#include "fuzz_check.h"
#include "platform/core/cp1251.h"

using namespace ravlin;

namespace {

TextLines reread(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += encodeCp1251(line) + "\r\n";
    return TextLines::fromBytes(bytes, LineEnds::CrLf);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64 * 1024) return 0;
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    bytes.replace('\x98', '?'); // the one byte cp1251 has no character for cannot come back
    ButtonBase base;
    BaseFileSettings settings;
    const BaseFileLoad load = readBaseFile(TextLines::fromBytes(bytes, LineEnds::CrLf), base, settings);
    FUZZ_CHECK(base.count() >= 0 && base.count() <= ButtonBase::kCapacity);
    FUZZ_CHECK(load.loaded == base.count());
    FUZZ_CHECK(settings.manualZoom >= BaseFileSettings::kZoomMin &&
               settings.manualZoom <= BaseFileSettings::kZoomMax);

    const QStringList lines = baseFileLines(base, settings);
    if (!sixLineFileReadsBack(lines)) {
        FUZZ_CHECK(base.record(1).timings[4] == QStringLiteral("2") &&
                   base.record(1).timings[5] == QStringLiteral("2"));
        return 0;
    }
    // What Save writes is always a base file, and reads back as the base it was (values as Save
    // stores them: control characters but tab and CR blanked).
    const TextLines saved = reread(lines);
    FUZZ_CHECK(isBaseFile(saved));
    ButtonBase back;
    BaseFileSettings backSettings;
    const BaseFileLoad again = readBaseFile(saved, back, backSettings);
    FUZZ_CHECK(again.format == BaseFileFormat::SixLine);
    std::vector<ButtonRecord> stored = base.records();
    for (ButtonRecord& r : stored) {
        for (QString* text : {&r.remoteName, &r.buttonName, &r.hash})
            *text = baseFileValue(*text);
        for (QString& t : r.timings)
            t = baseFileValue(t);
    }
    FUZZ_CHECK(back.records() == stored);
    backSettings.fittingAutoChoice = settings.fittingAutoChoice;
    for (QString* text : {&settings.threshold, &settings.minPaint, &settings.matchTarget})
        *text = baseFileValue(*text);
    FUZZ_CHECK(backSettings == settings);
    return 0;
}
