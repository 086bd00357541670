#include "hashing/core/decoder_fields.h"

#include "hashing/core/protocol_decoder_parts.h"

#include <algorithm>

namespace ravlin {

namespace {

using namespace decoder;

// A byte the decoder reads from position `start` down 14 positions (a start of 0 or below counts
// from the end of the burst: 0 is N, -1 is N - 1). Its value is `width` characters of the hash text
// from `hashOffset`; a byte that the hash text does not hold (offset -1) shows the byte as read.
struct ByteField {
    const char* name;
    int start;
    int hashOffset;
    int width = 2;
};

struct FieldRow {
    int number;
    int n; // 0: any length
    bool leader;
    std::initializer_list<ByteField> bytes;
};

// The byte positions of the sub-decoders, as they read them (see protocol_decoder_pulse.cpp).
const FieldRow kRows[] = {
    {1, 0, true, {{"Адрес", 18, 6}, {"Адрес инв.", 34, 4}, {"Команда", 50, 2}, {"Команда инв.", 66, -1}}},
    {3,
     0,
     true,
     {{"Байт 1", 86, 2}, {"Байт 2", 70, 4}, {"Байт 3", 54, 6}, {"Байт 4", 38, 8}, {"Байт 5", 22, 10}}},
    {4, 0, true, {{"Байт 1", 18, 2}, {"Байт 2", 36, 4}}},
    {5,
     0,
     true,
     {{"Байт 1", 98, 2},
      {"Байт 2", 82, 4},
      {"Байт 3", 66, 6},
      {"Байт 4", 50, 8},
      {"Байт 5", 34, 10},
      {"Байт 6", 18, 12}}},
    {6, 0, true, {{"Байт 1", 66, 2}, {"Байт 2", 50, 4}, {"Байт 3", 34, 6}, {"Байт 4", 18, 8}}},
    {10, 0, true, {{"Байт 1", 0, 2}, {"Байт 2", -1, 4}, {"Байт 3", 63, 7, 1}, {"Байт 4", 62, 7, 1}}},
    {11, 41, true, {{"Команда", 17, 6}, {"Адрес", 25, 4}, {"Доп.", 0, 2}}},
    {11, 25, true, {{"Команда", 17, 4}, {"Адрес", 0, 2}}},
    {12, 35, true, {{"Адрес", -17, 2}, {"Команда", -1, 4}}},
    {12, 33, false, {{"Адрес", -17, 2}, {"Команда", -1, 4}}},
    {13, 0, true, {{"Байт 1", 50, 2}, {"Байт 2", 34, 4}, {"Байт 3", 18, 6}}},
    {19, 0, true, {{"Байт 1", 54, 2}, {"Байт 2", 38, 4}, {"Байт 3", 22, 6}}},
};

// Positions of a byte read from `b` down: eight durations b, b-2, ..., b-14, and for a byte of
// spaces the mark before its first space, so the field starts where its first bit does.
DecodedField byteSpan(const QString& name, int b, int n) {
    const int first = b - 14 - (b % 2 == 0 ? 1 : 0);
    return {name, std::max(1, first), std::min(n, b), {}};
}

// Sub-decoder 1 holds its check byte only as a comparison; the others of this table invert per row.
bool invertedRow(int number) {
    return number == 11 || number == 12;
}

void addBytes(std::vector<DecodedField>& out, const FieldRow& row, const Burst& burst, const QString& hash,
              std::int64_t threshold) {
    const int n = burst.size();
    if (row.leader)
        out.push_back(
            {QStringLiteral("Лидер"), 1, std::min(2, n), hex3(burst.at(1)) + u'/' + hex3(burst.at(2))});
    for (const ByteField& f : row.bytes) {
        const int b = f.start > 0 ? f.start : n + f.start;
        DecodedField field = byteSpan(QString::fromUtf8(f.name), b, n);
        field.value = f.hashOffset >= 0 ? hash.mid(f.hashOffset, f.width)
                                        : hex2(byteDownFrom(burst, b, threshold, invertedRow(row.number)));
        if (field.first <= field.last) out.push_back(field);
    }
}

// Bi-phase: the bit text and the position that gave each of its characters.
void addBiphase(std::vector<DecodedField>& out, const Burst& burst, const QString& vars,
                std::int64_t threshold) {
    std::vector<int> positions;
    const QString bits = biphaseBits(burst, 3, threshold, &positions);
    const auto span = [&](const QString& name, int a, int b, const QString& value) {
        const int last = std::min(b, static_cast<int>(positions.size()));
        if (a > last) return;
        out.push_back({name, positions[static_cast<std::size_t>(a - 1)],
                       positions[static_cast<std::size_t>(last - 1)], value});
    };
    out.push_back({QStringLiteral("Старт"), 1, std::min(2, burst.size()), {}});
    span(QStringLiteral("R"), 1, 1, chars(bits, 1, 1));
    // The values as the variables text shows them: "R-r Pref-aa Key-kk".
    span(QStringLiteral("Адрес"), 2, 6, vars.section(QStringLiteral("Pref-"), 1).left(2));
    span(QStringLiteral("Команда"), 7, 12, vars.section(QStringLiteral("Key-"), 1).left(2));
}

} // namespace

DecoderLayout decoderLayout(std::span<const std::int32_t> durations, const DecoderResult& result) {
    DecoderLayout layout;
    if (!result.recognised()) return layout;
    const Burst burst(durations);
    const int n = burst.size();
    layout.threshold = ProtocolDecoderThreshold(result.result, durations);
    const std::int64_t t = layout.threshold.value_or(0);
    std::vector<DecodedField>& out = layout.fields;
    switch (result.result) {
    case 2:
        addBiphase(out, burst, result.vars, t);
        break;
    case 7:
        out.push_back({QStringLiteral("Повтор"), 1, n, result.hash});
        break;
    case 9:
        out.push_back({QStringLiteral("R"), 3, 4, result.vars.mid(2, 1)});
        out.push_back({QStringLiteral("Флаг"), 5, 6, result.hash.mid(2, 2)});
        out.push_back({QStringLiteral("Ключ"), 7, 22, result.hash.mid(4, 2)});
        break;
    default:
        for (const FieldRow& row : kRows)
            if (row.number == result.result && (row.n == 0 || row.n == n)) {
                addBytes(out, row, burst, result.hash, t);
                break;
            }
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const DecodedField& a, const DecodedField& b) { return a.first < b.first; });
    return layout;
}

} // namespace ravlin
