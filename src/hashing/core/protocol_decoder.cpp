#include "hashing/core/protocol_decoder.h"

#include "hashing/core/number_text.h"
#include "hashing/core/protocol_decoder_parts.h"

#include <algorithm>
#include <limits>

namespace ravlin {

namespace decoder {

int byteDownFrom(const Burst& burst, int b, std::int64_t threshold, bool inverted) {
    int value = 0;
    for (int position = b; position >= b - 14; position -= 2) {
        const bool longer = burst.at(position) > threshold;
        value = (value << 1) | ((longer != inverted) ? 1 : 0);
    }
    return value;
}

std::int64_t levelsValue(const Burst& burst, std::initializer_list<int> positions, std::int64_t limit) {
    std::int64_t value = 0;
    for (int position : positions)
        value = (value << 1) | (burst.at(position) >= limit ? 1 : 0);
    return value;
}

std::int64_t levelsValue(const Burst& burst, int first, int last, std::int64_t limit) {
    const int step = first <= last ? 1 : -1;
    std::int64_t value = 0;
    for (int position = first;; position += step) {
        value = (value << 1) | (burst.at(position) >= limit ? 1 : 0);
        if (position == last) break;
    }
    return value;
}

std::int64_t binaryValue(const QString& bits) {
    std::int64_t value = 0;
    for (QChar bit : bits)
        value = (value << 1) | (bit == u'1' ? 1 : 0);
    return value;
}

QString chars(const QString& text, int a, int b) {
    if (b < a) return {};
    return text.mid(a - 1, b - a + 1);
}

QString biphaseBits(const Burst& burst, int start, std::int64_t limit, std::vector<int>* positions) {
    const auto flip = [](QChar c) { return c == u'1' ? QChar(u'0') : QChar(u'1'); };
    QString bits;
    QChar c = u'1';
    const auto append = [&](int position) {
        bits += c;
        if (positions) positions->push_back(position);
    };
    for (int i = start; i <= burst.size(); i += 2) {
        if (burst.at(i) >= limit) c = flip(c);
        append(i);
        if (i + 1 <= burst.size() && burst.at(i + 1) >= limit) {
            c = flip(c);
            append(i + 1);
        }
    }
    return bits;
}

QString hex2(std::int64_t value) {
    return IntToBaseWidth(value, 16, 2);
}
QString hex3(std::int64_t value) {
    return IntToBaseWidth(value, 16, 3);
}
QString hex4(std::int64_t value) {
    return IntToBaseWidth(value, 16, 4);
}

QString timingPair(const Burst& burst) {
    return hex3(burst.at(1)) + hex3(burst.at(3));
}

QString pulseDistanceHash(const char* code, const Burst& burst, std::initializer_list<int> starts,
                          std::int64_t threshold) {
    QString text = QLatin1String(code);
    for (int b : starts)
        text += hex2(byteDownFrom(burst, b, threshold));
    return text;
}

} // namespace decoder

namespace {

using namespace decoder;

constexpr std::int64_t kNoLimit = std::numeric_limits<std::int64_t>::min();

// An inclusive range of durations; the default one holds nothing.
struct Window {
    std::int64_t lo = 1;
    std::int64_t hi = 0;
    constexpr bool holds(std::int64_t value) const { return value >= lo && value <= hi; }
};

// Durations at positions from, from + step, ..., to must each lie in window a or b. A position of 0 or
// below counts from the end of the burst: 0 is N, -1 is N - 1.
struct Condition {
    int from;
    int to;
    int step;
    Window a;
    Window b{};
};

constexpr Condition kMarksAtMost40[] = {{11, 63, 2, {kNoLimit, 40}}};
constexpr Condition kRc5[] = {{1, 0, 1, {31, 51}, {73, 93}}};
constexpr Condition kPulseDistance11LongSpaces[] = {
    {1, 1, 1, {5, 27}}, {1, 23, 2, {6, 26}}, {2, 22, 2, {221, 269}, {331, 399}}};
constexpr Condition kMsRemote[] = {{1, 1, 1, {118, 135}}, {11, 11, 1, {59, 73}}, {33, 33, 1, {38, 53}}};
constexpr Condition kSirc[] = {{1, 1, 1, {104, 126}}, {2, 0, 1, {15, 39}, {52, 67}}};
constexpr Condition kJvcWithLeader[] = {
    {1, 1, 1, {392, 403}}, {2, 2, 1, {191, 201}}, {3, 0, 1, {16, 33}, {66, 79}}};
constexpr Condition kJvcRepeat[] = {{1, 0, 1, {16, 33}, {66, 79}}};
constexpr Condition kPulseDistance24[] = {{1, 2, 1, {152, 167}}, {3, 0, 1, {32, 46}, {113, 123}}};
constexpr Condition kRunLength[] = {{1, 1, 1, {104, 118}},
                                    {2, 2, 1, {30, 40}},
                                    {3, 3, 1, {33, 42}},
                                    {4, 4, 1, {30, 40}},
                                    {5, 5, 1, {33, 78}}};
constexpr Condition kJoystick[] = {{1, 1, 1, {141, 158}}};
constexpr Condition kMouse[] = {
    {1, 1, 1, {52, 64}}, {2, 0, 2, {20, 32}, {48, 58}}, {3, 0, 2, {24, 36}, {54, 62}}};
constexpr Condition kPulseDistanceLongLeader[] = {{1, 1, 1, {289, 311}}, {2, 2, 1, {27, 47}}};
constexpr Condition kSirc15[] = {{1, 1, 1, {104, 126}}, {2, 0, 1, {15, 39}, {52, 67}}};
constexpr Condition kRc6Leader[] = {{1, 1, 1, {110, 140}}, {2, 2, 1, {35, 50}}};
constexpr Condition kTimeSlots[] = {{1, 1, 1, {17, 31}, {54, 72}}, {3, 3, 1, {17, 31}},
                                    {4, 4, 1, {46, 59}},           {0, 0, 1, {17, 31}},
                                    {-1, -1, 1, {85, 97}},         {-2, -2, 1, {17, 31}}};

// Threshold 2 * S[3] - 5: the row's threshold follows the burst's own first data mark.
constexpr std::int64_t kFollowsFirstDataMark = -1;

struct SubDecoder {
    int number;
    int group; // 1..3
    int flag;  // 1..8, flag 1 is the group's most significant bit
    int nMin;
    int nMax;
    std::span<const Condition> conditions;
    std::int64_t threshold;
    DecodeFunction decode;
};

// Tried in this order; the first row whose flag is set, whose N fits and whose conditions and
// decoder accept the burst wins. Number 8 is not used; 11 and 12 take two N values each. The
// optional RC5X (23) goes before RC5, whose frames with the field bit 0 it reads; RC6 (21) and
// SIRC15 (22) read frames no other row takes.
constexpr SubDecoder kSubDecoders[] = {
    {1, 1, 1, 67, 67, kMarksAtMost40, kFollowsFirstDataMark, decodeNec},
    {23, 3, 5, 15, 28, kRc5, 62, decodeRc5x},
    {2, 1, 2, 15, 28, kRc5, 62, decodeRc5},
    {3, 1, 3, 87, 87, {}, kFollowsFirstDataMark, decodePulseDistance42},
    {4, 1, 4, 37, 37, {}, kFollowsFirstDataMark, decodePulseDistance16WithGap},
    {5, 1, 5, 99, 99, {}, kFollowsFirstDataMark, decodePulseDistance48},
    {6, 1, 6, 67, 67, kMarksAtMost40, kFollowsFirstDataMark, decodePulseDistance32},
    {7, 1, 7, 0, 5, {}, 0, decodeTail},
    {9, 2, 1, 23, 23, kPulseDistance11LongSpaces, 302, decodePulseDistance11LongSpaces},
    {10, 2, 2, 57, 69, kMsRemote, 32, decodeMsRemote},
    {11, 2, 3, 41, 41, kSirc, 45, decodeSirc},
    {11, 2, 3, 25, 25, kSirc, 45, decodeSirc},
    {12, 2, 4, 35, 35, kJvcWithLeader, 50, decodeJvc},
    {12, 2, 4, 33, 33, kJvcRepeat, 50, decodeJvc},
    {13, 2, 5, 51, 51, kPulseDistance24, 80, decodePulseDistance24},
    {14, 2, 6, 7, 17, kRunLength, 0, decodeRunLength},
    {15, 2, 7, 23, 23, kJoystick, 48, decodeJoystick},
    {16, 2, 8, 23, 33, kMouse, 40, decodeMouse},
    {17, 3, 1, 73, 73, {}, 50, decodeRoison},
    {18, 3, 2, 65, 65, {}, 50, decodeTadiran},
    {19, 3, 7, 49, 49, kPulseDistanceLongLeader, 94, decodePulseDistanceLongLeader},
    {20, 3, 8, 13, 23, kTimeSlots, 0, decodeTimeSlots},
    {21, 3, 3, 13, 46, kRc6Leader, 0, decodeRc6},
    {22, 3, 4, 31, 31, kSirc15, 45, decodeSirc15},
};

bool flagSet(std::uint8_t group, int flag) {
    return (group & (0x80u >> (flag - 1))) != 0;
}

bool holds(const Burst& burst, const Condition& condition) {
    const auto resolve = [&](int position) { return position > 0 ? position : burst.size() + position; };
    const int last = resolve(condition.to);
    for (int position = resolve(condition.from); position <= last; position += condition.step) {
        const std::int64_t d = burst.at(position);
        if (!condition.a.holds(d) && !condition.b.holds(d)) return false;
    }
    return true;
}

std::int64_t thresholdOf(const SubDecoder& row, const Burst& burst) {
    return row.threshold == kFollowsFirstDataMark ? 2 * burst.at(3) - 5 : row.threshold;
}

} // namespace

DecoderResult ProtocolDecoder(std::span<const std::int32_t> durations, std::uint8_t group1,
                              std::uint8_t group2, std::uint8_t group3) {
    const Burst burst(durations);
    const int n = burst.size();
    const std::uint8_t groups[] = {group1, group2, group3};
    for (const SubDecoder& row : kSubDecoders) {
        if (!flagSet(groups[row.group - 1], row.flag) || n < row.nMin || n > row.nMax) continue;
        if (!std::all_of(row.conditions.begin(), row.conditions.end(),
                         [&](const Condition& c) { return holds(burst, c); }))
            continue;
        const DecodeInput input{burst, thresholdOf(row, burst), flagSet(group1, 8)};
        if (const Decoded texts = row.decode(input)) return {row.number, texts->hash, texts->vars};
    }
    return {};
}

std::optional<std::int64_t> ProtocolDecoderThreshold(int number, std::span<const std::int32_t> durations) {
    const Burst burst(durations);
    for (const SubDecoder& row : kSubDecoders)
        if (row.number == number) {
            // Rows that read no single duration against a threshold have none to show.
            if (row.threshold == 0) return std::nullopt;
            return thresholdOf(row, burst);
        }
    return std::nullopt;
}

const char* decoderProtocolName(const DecoderResult& result) {
    switch (result.result) {
    case 1:
        return "NEC";
    case 2:
        return "RC5";
    case 11:
        return result.hash.startsWith(QLatin1String("41")) ? "SIRC20" : "SIRC";
    case 12:
        return "JVC";
    default:
        return nullptr;
    }
}

DecoderBuffers decoderBuffers(const DecoderResult& result) {
    constexpr int kFilled = 58;
    DecoderBuffers buffers;
    std::fill_n(buffers.hash.begin(), kFilled, ' ');
    std::fill_n(buffers.vars.begin(), kFilled, ' ');
    if (!result.recognised()) return buffers;
    const auto copy = [&](const QString& text, std::array<char, 60>& buffer) {
        const QByteArray bytes = text.toLatin1().left(kFilled);
        std::copy(bytes.begin(), bytes.end(), buffer.begin());
        return static_cast<int>(bytes.size());
    };
    buffers.hashLength = copy(result.hash, buffers.hash);
    buffers.varsLength = copy(result.vars, buffers.vars);
    return buffers;
}

} // namespace ravlin
