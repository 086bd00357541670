// Sub-decoders that build bit texts from the shape of the burst: bi-phase (RC5 and the IR mouse),
// the run-length "09", the joystick and the time slots of "24".

#include "hashing/core/protocol_decoder_parts.h"

#include <algorithm>

namespace ravlin::decoder {

Decoded decodeRc5(const DecodeInput& in) {
    const Burst& s = in.burst;
    const QString bits = biphaseBits(s, 3, in.threshold);
    const std::int64_t address = binaryValue(chars(bits, 2, 6));
    const std::int64_t command = binaryValue(chars(bits, 7, 12));
    const auto shortHalf = [](std::int64_t d) { return d >= 31 && d <= 51; };
    const QString code =
        shortHalf(s.at(1)) && shortHalf(s.at(2)) ? QStringLiteral("55") : QStringLiteral("54");
    return Texts{code + hex2(command) + hex2(address), QStringLiteral("R-") + chars(bits, 1, 1) +
                                                           QStringLiteral(" Pref-") + hex2(address) +
                                                           QStringLiteral(" Key-") + hex2(command)};
}

Decoded decodeMouse(const DecodeInput& in) {
    QString t = biphaseBits(in.burst, 1, in.threshold).mid(1);
    if (t.size() < 17) t += u'0';
    const QString hash = QStringLiteral("D8M") + chars(t, 1, 1) + chars(t, 9, 9) + QStringLiteral(" N") +
                         hex2(binaryValue(chars(t, 2, 8))) + QStringLiteral(" M") +
                         hex2(binaryValue(chars(t, 10, 17)));
    return Texts{hash, t};
}

namespace {

// A duration longer than any frame can hold is cut to this many cells. Only the first bytes (at most
// one per duration of a 17-duration burst) and the last eight cells count, so the cut changes nothing.
constexpr std::int64_t kMaxCellsPerDuration = 128;

} // namespace

Decoded decodeRunLength(const DecodeInput& in) {
    const Burst& s = in.burst;
    const bool shortFifth = s.at(5) < 56;
    QString text = QStringLiteral("09");
    QString cells;
    QChar level = u'0';
    for (int i = shortFifth ? 7 : 9; i <= s.size(); ++i) {
        const std::int64_t k = std::clamp<std::int64_t>((s.at(i) - 27) / 32 + 1, 0, kMaxCellsPerDuration);
        cells += QString(static_cast<qsizetype>(k), level);
        level = level == u'0' ? QChar(u'1') : QChar(u'0');
        if (cells.size() >= 8) {
            text += hex2(binaryValue(cells.left(8)));
            cells.remove(0, 8);
        }
    }
    // The padded rest as a binary number: its last two hex digits are its last eight cells.
    if (cells.size() < 8) cells += QString(8 - cells.size(), u'0');
    text += hex2(binaryValue(cells.right(8)));
    if (text.size() < 5) text += QStringLiteral("00");
    return Texts{text, QStringLiteral("Pref-") + (shortFifth ? u'1' : u'0') + QStringLiteral(" Key-") + text};
}

namespace {

// Two-character entries, numbered from 0; a number past the end gives an empty entry.
constexpr char kJoystickA[] = "01020C0500030D040A070B0609080E";
constexpr char kJoystickL[] = "07020601040305";

QString entry(const char* table, std::int64_t number) {
    return QString::fromLatin1(table).mid(static_cast<qsizetype>(number * 2), 2);
}

} // namespace

Decoded decodeJoystick(const DecodeInput& in) {
    QString bits;
    for (int position = 3; position <= 23; position += 2)
        bits += in.burst.at(position) > in.threshold ? u'1' : u'0';
    const QString vars = QStringLiteral("A-") + entry(kJoystickA, binaryValue(chars(bits, 1, 4))) +
                         QStringLiteral(" L-") + entry(kJoystickL, binaryValue(chars(bits, 5, 7))) +
                         QStringLiteral(" K-") + chars(bits, 8, 9) + QStringLiteral(" R-") +
                         QString::number(binaryValue(chars(bits, 10, 11)));
    return Texts{QStringLiteral("D7") + hex4(binaryValue(bits)), vars};
}

namespace {

constexpr std::int64_t kStartLength = 191;
constexpr std::int64_t kSlotLength = 40;
constexpr int kSlotCount = 16;

} // namespace

Decoded decodeTimeSlots(const DecodeInput& in) {
    const Burst& s = in.burst;
    QString slotText(kSlotCount, u'0');
    std::int64_t a = 0;
    bool started = false;
    int n = 0;
    for (int i = 1; i <= s.size(); ++i) {
        a += s.at(i);
        if (!started) {
            if (a >= kStartLength) {
                a -= kStartLength;
                started = true;
            }
            continue;
        }
        if (a < kSlotLength) continue;
        // Whole slots at once: the same as taking 40 at a time, without looping over a long duration.
        const std::int64_t whole = a / kSlotLength;
        a -= whole * kSlotLength;
        for (std::int64_t k = 0; k < whole && n < kSlotCount; ++k)
            slotText[n++] = (i % 2 == 1) ? u'1' : u'0';
    }
    const bool up = slotText.at(11) == u'1';
    QString second = slotText;
    second[11] = u'0';
    const QString hash = QStringLiteral("24") + hex2(binaryValue(chars(slotText, 1, 8))) +
                         hex2(binaryValue(chars(second, 8, 15))) +
                         (s.at(1) >= 43 ? QStringLiteral("00") : QStringLiteral("01"));
    return Texts{hash, hash + (up ? QStringLiteral(" UP") : QStringLiteral(" Dw"))};
}

} // namespace ravlin::decoder
