#pragma once

#include "formats/core/burst_list.h"
#include "formats/core/mode2.h"
#include "formats/core/read_result.h"

#include <QByteArray>
#include <QIODevice>

#include <cstdint>

namespace ravlin {

// Lines of a device one at a time, so that a stream (a pipe from mode2) is read as it comes and
// memory stays bounded. A line longer than the limit is not kept: it is reported as too long and
// read on to its end.
class LineReader {
public:
    static constexpr qsizetype kDefaultMaxLine = 64 * 1024;

    explicit LineReader(QIODevice& device, qsizetype maxLine = kDefaultMaxLine);

    enum class Status { Line, TooLong, End };
    // The next line without its line end (LF or CR LF). Blocks until a whole line or the end came.
    // A line longer than maxLine gives TooLong as soon as its limit is passed; its rest is skipped
    // up to the next line end, so memory stays bounded on input that never breaks a line.
    Status next(QByteArray& line);
    // Number of the line last returned (1-based).
    int lineNumber() const { return m_line; }
    // Lines of the input as the whole-text readers count them (the text after the last line end is
    // one more line, even when empty); valid at the end.
    int textLineCount() const { return m_line + (m_endedWithNewline || m_line == 0 ? 1 : 0); }
    qsizetype maxLine() const { return m_maxLine; }

private:
    QIODevice& m_device;
    qsizetype m_maxLine;
    QByteArray m_chunk;
    int m_line = 0;
    bool m_endedWithNewline = false;
    bool m_skipping = false; // within the rest of a line reported as too long
};

// Burst lists and mode2 text read line by line with the same results (bursts, problems, warnings
// and their line numbers) as readBurstList and readMode2Text give for the whole text. Plain lines
// are parsed without building texts; any other line goes through the whole-text reader, so the
// problems read the same.
class BurstLineParser {
public:
    enum class Input { BurstList, Mode2 };
    struct Options {
        Input input = Input::BurstList;
        BurstListOptions list;                     // burst lists: units or microseconds, kind
        std::uint32_t gapMicros = kBurstGapMicros; // mode2: the framing gap
    };

    explicit BurstLineParser(const Options& options);

    // Takes line `lineNumber` of the input; the bursts it completes and its problems go to `out`.
    // Burst lists give units; mode2 text gives microseconds, as the whole-text readers do.
    void feed(const QByteArray& line, int lineNumber, ReadResult& out);
    // The end of the input, which had `textLines` lines (LineReader::textLineCount).
    void finish(int textLines, ReadResult& out);

    // Whether a line is a plain burst-list line or a plain mode2 sample line (no text built).
    static bool isPlainListLine(const QByteArray& line);
    static bool isMode2SampleLine(const QByteArray& line);

private:
    bool parseList(const QByteArray& line, Burst& burst) const;
    bool parseMode2(const QByteArray& line, Mode2Sample& sample) const;

    Options m_options;
    Mode2Framer m_framer;
};

} // namespace ravlin
