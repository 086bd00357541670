// Sub-decoders whose bits sit in single durations against a threshold: the pulse-distance families,
// the tail of short bursts, "23", MS Remote, Sony and JVC.

#include "hashing/core/crc16.h"
#include "hashing/core/protocol_decoder_parts.h"

namespace ravlin::decoder {

Decoded decodeNec(const DecodeInput& in) {
    const int check = byteDownFrom(in.burst, 50, in.threshold);
    if (check != byteDownFrom(in.burst, 66, in.threshold, true)) return std::nullopt;
    return Texts{pulseDistanceHash("96", in.burst, {50, 34, 18}, in.threshold), timingPair(in.burst)};
}

Decoded decodePulseDistance42(const DecodeInput& in) {
    QString hash = pulseDistanceHash("57", in.burst, {86, 70, 54, 38, 22}, in.threshold);
    const int twoBits = (in.burst.at(6) > in.threshold ? 2 : 0) | (in.burst.at(4) > in.threshold ? 1 : 0);
    hash += hex2(twoBits);
    return Texts{hash, timingPair(in.burst)};
}

Decoded decodePulseDistance16WithGap(const DecodeInput& in) {
    const Burst& s = in.burst;
    const std::int64_t s3 = s.at(3);
    if (s3 == 0) return std::nullopt;
    // Integer division truncates toward zero, as the ratios are defined.
    if (!(s.at(1) / s3 > 12 && s.at(2) / s3 > 5 && s.at(20) / s3 > 5)) return std::nullopt;
    return Texts{pulseDistanceHash("37", s, {18, 36}, in.threshold), timingPair(s)};
}

Decoded decodePulseDistance48(const DecodeInput& in) {
    return Texts{pulseDistanceHash("99", in.burst, {98, 82, 66, 50, 34, 18}, in.threshold),
                 timingPair(in.burst)};
}

Decoded decodePulseDistance32(const DecodeInput& in) {
    return Texts{pulseDistanceHash("67", in.burst, {66, 50, 34, 18}, in.threshold), timingPair(in.burst)};
}

Decoded decodePulseDistance24(const DecodeInput& in) {
    return Texts{pulseDistanceHash("51", in.burst, {50, 34, 18}, in.threshold), timingPair(in.burst)};
}

// The first byte reaches positions 54..50 beyond a 49-duration burst; they read as 0 (short).
Decoded decodePulseDistanceLongLeader(const DecodeInput& in) {
    return Texts{pulseDistanceHash("49", in.burst, {54, 38, 22}, in.threshold), timingPair(in.burst)};
}

Decoded decodeTail(const DecodeInput& in) {
    const int n = in.burst.size();
    const int v = shortBurstValue(in.burst.durations());
    const QString hash = hex2(n) + hex2(v) + hex4(crc16KermitOfByte(static_cast<std::uint8_t>(v)));
    return Texts{hash, QStringLiteral("Hvost")};
}

Decoded decodePulseDistance11LongSpaces(const DecodeInput& in) {
    const Burst& s = in.burst;
    const QString fields = (s.at(6) > in.threshold ? QStringLiteral("01") : QStringLiteral("00")) +
                           hex2(byteDownFrom(s, 22, in.threshold));
    const bool repeat = s.at(4) > in.threshold && !in.repeatsAsFirst;
    return Texts{QStringLiteral("23") + fields,
                 QStringLiteral("R-") + (repeat ? u'1' : u'0') + QStringLiteral(" Key-") + fields};
}

// Bytes b3 and b4 reach positions up to 63; in shorter bursts those read as 0 (short).
Decoded decodeMsRemote(const DecodeInput& in) {
    const Burst& s = in.burst;
    const int n = s.size();
    const QString b1 = hex2(byteDownFrom(s, n, in.threshold));
    const QString b2 = hex2(byteDownFrom(s, n - 1, in.threshold));
    const QString b3 = hex2(byteDownFrom(s, 63, in.threshold));
    const QString b4 = hex2(byteDownFrom(s, 62, in.threshold));
    return Texts{QStringLiteral("FC") + b1 + b2 + b3.at(1) + b4.at(1), QStringLiteral("MS Remote")};
}

// Marks carry the bits; a short mark is a 1.
Decoded decodeSirc(const DecodeInput& in) {
    const Burst& s = in.burst;
    const int n = s.size();
    const QString b1 = hex2(byteDownFrom(s, n, in.threshold, true));
    const QString b3 = hex2(byteDownFrom(s, 17, in.threshold, true));
    const QString hash = n == 41
                             ? QStringLiteral("41") + b1 + hex2(byteDownFrom(s, 25, in.threshold, true)) + b3
                             : QStringLiteral("25") + b1 + b3;
    return Texts{hash, QStringLiteral("Sony")};
}

// Read from the end, so a repeat frame without its leader gives the same bytes.
Decoded decodeJvc(const DecodeInput& in) {
    const Burst& s = in.burst;
    const int n = s.size();
    const QString hash = QStringLiteral("33") + hex2(byteDownFrom(s, n - 17, in.threshold, true)) +
                         hex2(byteDownFrom(s, n - 1, in.threshold, true));
    return Texts{hash, QStringLiteral("JVC")};
}

} // namespace ravlin::decoder
