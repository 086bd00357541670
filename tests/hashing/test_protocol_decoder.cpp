#include "formats/core/signal_generator.h"
#include "hashing/core/protocol_decoder.h"

#include <QtTest>

#include <random>
#include <vector>

using namespace ravlin;

namespace {

using Durations = QList<int>;

// Enable flags as the tab starts: every module except the IR mouse, the joystick and both
// air conditioners; tails and "first of repeats" ticked.
constexpr std::uint8_t kGroup1 = 0xFF;
constexpr std::uint8_t kGroup2 = 0xFC;
constexpr std::uint8_t kGroup3 = 0x03;
constexpr std::uint8_t kJoystick = 0x02; // group 2, flag 7
constexpr std::uint8_t kMouse = 0x01;    // group 2, flag 8
constexpr std::uint8_t kRoison = 0x80;   // group 3, flag 1
constexpr std::uint8_t kTadiran = 0x40;  // group 3, flag 2
constexpr std::uint8_t kRc6 = 0x20;      // group 3, flag 3 (off by default, as the next two)
constexpr std::uint8_t kSirc15 = 0x10;   // group 3, flag 4
constexpr std::uint8_t kRc5x = 0x08;     // group 3, flag 5

DecoderResult decode(const Durations& s, std::uint8_t g1 = kGroup1, std::uint8_t g2 = kGroup2,
                     std::uint8_t g3 = kGroup3) {
    const std::vector<std::int32_t> copy(s.begin(), s.end());
    return ProtocolDecoder(copy, g1, g2, g3);
}

// Bits of each byte, least significant first (the order most remotes send them).
QString lsbFirst(std::initializer_list<int> bytes, int width = 8) {
    QString bits;
    for (int byte : bytes)
        for (int k = 0; k < width; ++k)
            bits += ((byte >> k) & 1) ? u'1' : u'0';
    return bits;
}

QString reversed(QString bits) {
    std::reverse(bits.begin(), bits.end());
    return bits;
}

// Leader pair, a mark and a space per bit (the long space for "1"), a closing mark.
Durations pulseDistance(int leadMark, int leadSpace, int mark, int zero, int one, const QString& bits) {
    Durations s{leadMark, leadSpace};
    for (QChar bit : bits)
        s << mark << (bit == u'1' ? one : zero);
    s << mark;
    return s;
}

// Leader mark, then a space and a mark per bit (the long mark for "1").
Durations pulseWidth(int leader, int space, int zero, int one, const QString& bits) {
    Durations s{leader};
    for (QChar bit : bits)
        s << space << (bit == u'1' ? one : zero);
    return s;
}

// n durations, those at the listed positions long, the others short.
Durations levels(int n, std::initializer_list<int> longPositions, int shortValue, int longValue) {
    Durations s(n, shortValue);
    for (int p : longPositions)
        s[p - 1] = longValue;
    return s;
}

Durations with(Durations s, int position, int value) {
    s[position - 1] = value;
    return s;
}

Durations unitsOf(const SignalGenerator::Micros& micros) {
    const std::vector<std::int32_t> units = SignalGenerator::inUnits(micros);
    return Durations(units.begin(), units.end());
}

std::uint8_t byte(int value) {
    return static_cast<std::uint8_t>(value);
}

// Frames of the shared signal generator in receiver units (21.33 us): NEC (leader 422/211, marks 26,
// spaces 26 or 79) with its fourth byte as given, JVC (394/197, 25, 25 or 74), Sony (leader 113,
// spaces 28, marks 28 or 56).
Durations nec(int address, int command, int fourth) {
    return unitsOf(
        SignalGenerator::necBytes({byte(address), byte(0xFF ^ address), byte(command), byte(fourth)}));
}
Durations jvc(int address, int command) {
    return unitsOf(SignalGenerator::jvc(byte(address), byte(command), true));
}
Durations sony12(int address, int command) {
    return unitsOf(SignalGenerator::sony12(byte(command), byte(address)));
}
Durations sony20(int address, int command, int extension) {
    return unitsOf(SignalGenerator::sony20(byte(command), byte(address), byte(extension)));
}

// RC5, 889 us half bits (42 units) and 1778 us whole bits (83), worked out by hand from the
// Manchester halves of start 1, start 1, toggle, address 00100, command 001000.
const Durations kRc5Address4Command8{42, 42, 83, 42, 42, 42, 42, 83, 83, 42, 42,
                                     42, 42, 42, 42, 83, 83, 42, 42, 42, 42};
// The same with the toggle bit set.
const Durations kRc5Toggled{42, 42, 42, 42, 83, 42, 42, 83, 83, 42, 42,
                            42, 42, 42, 42, 83, 83, 42, 42, 42, 42};
// Second start bit 0 (extended command): the leading mark is a whole bit long.
const Durations kRc5Extended{83, 42, 42, 42, 42, 42, 42, 83, 83, 42, 42,
                             42, 42, 42, 42, 83, 83, 42, 42, 42, 42};

// A frame of the signal generator's protocol table, in receiver units.
Durations encoded(SignalGenerator::Protocol p, int address, int command, bool toggle = false) {
    return unitsOf(*SignalGenerator::encode(p, std::uint32_t(address), std::uint32_t(command), toggle));
}

// Every duration moved by up to `by` units, alternately longer and shorter, as a real receiver
// measures the same frame.
Durations jittered(Durations s, int by) {
    for (qsizetype i = 0; i < s.size(); ++i)
        s[i] += (i % 3 == 0 ? by : (i % 3 == 1 ? -by : 0));
    return s;
}

Durations panasonic57() {
    // Bits 42 down to 1 grouped as the hash reads them: A1 B2 C3 D4 E5 and "10".
    return pulseDistance(164, 82, 20, 20, 61,
                         reversed(QStringLiteral("10100001101100101100001111010100111001011"
                                                 "0")));
}

Durations frame37() {
    // 8 bits, a gap in place of bit 9, 8 bits.
    return with(pulseDistance(422, 211, 26, 26, 79, lsbFirst({0x5A}) + u'0' + lsbFirst({0x3C})), 20, 200);
}

Durations frame49() {
    Durations s = levels(49, {40, 42, 44, 46, 48, 38, 34, 28, 24, 22, 20, 10, 8, 6}, 40, 150);
    for (int p = 3; p <= 49; p += 2)
        s[p - 1] = 30;
    s[0] = 300;
    s[1] = 37;
    return s;
}

Durations frame23() {
    Durations s(23, 16);
    for (int p = 2; p <= 22; p += 2)
        s[p - 1] = 245;
    // S[4] long (a repeat), S[6] long, byte from 22 down to 8 = 0x6B.
    for (int p : {4, 6, 20, 18, 14, 10, 8})
        s[p - 1] = 365;
    return s;
}

Durations msRemote61() {
    Durations s = levels(61, {61, 55, 51, 49, 56, 54, 52, 50}, 16, 48);
    s[0] = 126;
    s[10] = 66;
    s[32] = 45;
    return s;
}

Durations msRemote69() {
    Durations s = levels(69, {69, 55, 62, 48}, 16, 48);
    s[0] = 126;
    s[10] = 66;
    s[32] = 45;
    return s;
}

Durations frame51() {
    return pulseDistance(160, 160, 39, 39, 118, lsbFirst({0x12, 0x34, 0x56}));
}

Durations runLength(int n = 13) {
    Durations s{110, 35, 38, 35, 40, 50, 104, 40, 72, 136, 40, 72, 104};
    return s.mid(0, n);
}

// Joystick: leader 150, eleven marks from mark 3 (long 60 for "1"), spaces 30.
Durations joystick(const QString& bits) {
    Durations s(23, 30);
    s[0] = 150;
    for (int i = 0; i < 11; ++i)
        s[3 + 2 * i - 1] = bits.at(i) == u'1' ? 60 : 30;
    return s;
}

Durations mouse25() {
    return {58, 26, 30, 53, 58, 26, 30, 26, 30, 53, 30, 53, 58,
            53, 30, 26, 58, 26, 30, 53, 30, 26, 58, 53, 30};
}

Durations mouse23() {
    Durations s(23, 26);
    s[0] = 58;
    for (int p = 3; p <= 23; p += 2)
        s[p - 1] = ((p - 3) / 2) % 2 == 0 ? 58 : 30;
    return s;
}

Durations roison() {
    return levels(
        73, {2, 3, 4, 5, 7, 8, 9, 10, 12, 13, 14, 17, 21, 22, 24, 26, 27, 29, 31, 35, 37, 40, 42, 43, 57, 73},
        30, 70);
}

// Tadiran: power 0011 (S54..57), mode 011 (S10..12), turbo (S43 short), fan 10 (S14, S15),
// temperature bits S63..59 = 10100, S58 short.
Durations tadiran() {
    return levels(65, {56, 57, 11, 12, 14, 63, 61}, 30, 70);
}

Durations timeSlots() {
    return {24, 170, 24, 50, 24, 60, 24, 100, 40, 80, 24, 120, 24, 90, 24};
}

struct Frame {
    const char* name;
    Durations s;
    std::uint8_t g1, g2, g3;
    int result;
    QString hash;
    QString vars;
};

QList<Frame> frames() {
    const auto all = [](const char* name, Durations s, int result, const char* hash, const char* vars) {
        return Frame{
            name, s, kGroup1, kGroup2, kGroup3, result, QString::fromLatin1(hash), QString::fromLatin1(vars)};
    };
    QList<Frame> list{
        all("NEC address 04 command 08", nec(0x04, 0x08, 0xF7), 1, "9608FB04", "1A601A"),
        all("NEC without the complement", nec(0x04, 0x08, 0x00), 6, "670008FB04", "1A601A"),
        all("RC5 address 4 command 8", kRc5Address4Command8, 2, "550804", "R-0 Pref-04 Key-08"),
        all("RC5 toggled", kRc5Toggled, 2, "550804", "R-1 Pref-04 Key-08"),
        all("RC5 second start bit 0", kRc5Extended, 2, "54371B", "R-1 Pref-1B Key-37"),
        all("57 with 42 bits", panasonic57(), 3, "57A1B2C3D4E502", "0A4014"),
        all("37 with a gap", frame37(), 4, "375A3C", "1A601A"),
        all("99 with six bytes",
            pulseDistance(164, 82, 20, 20, 61, lsbFirst({0x02, 0x20, 0xE0, 0x04, 0x3D, 0xB1})), 5,
            "99B13D04E02002", "0A4014"),
        all("tail of five", {400, 200, 20, 60, 20}, 7, "050FF8F7", "Hvost"),
        all("tail of none", {}, 7, "00000000", "Hvost"),
        all("tail of one long mark", {318}, 7, "01044624", "Hvost"),
        all("tail of three", {318, 158, 10}, 7, "03066536", "Hvost"),
        all("tail of four at the limit", {400, 200, 20, 48}, 7, "04066536", "Hvost"),
        all("tail of four past the limit", {400, 200, 20, 49}, 7, "040774BF", "Hvost"),
        all("23 first of repeats", frame23(), 9, "23016B", "R-0 Key-016B"),
        all("MS Remote of 61", msRemote61(), 10, "FC963CBE", "MS Remote"),
        all("MS Remote of 69", msRemote69(), 10, "FC811081", "MS Remote"),
        all("Sony 12 bits address 4 command 8", sony12(4, 8), 11, "25DFF7", "Sony"),
        all("Sony 20 bits", sony20(4, 8, 0x5A), 11, "41A5DFF7", "Sony"),
        all("JVC address 4 command 8", jvc(0x04, 0x08), 12, "33FBF7", "JVC"),
        all("JVC repeat without leader", jvc(0x04, 0x08).mid(2), 12, "33FBF7", "JVC"),
        all("51 with three bytes", frame51(), 13, "51563412", "0A0027"),
        all("09 from position 7", runLength(), 14, "0913D800", "Pref-1 Key-0913D800"),
        all("09 run boundary", with(runLength(), 8, 59), 14, "0919EC00", "Pref-1 Key-0919EC00"),
        all("09 from position 9", with(runLength(), 5, 56), 14, "093D80", "Pref-0 Key-093D80"),
        all("09 single byte", runLength(7), 14, "090000", "Pref-1 Key-090000"),
        all("09 single byte of cells", with(with(runLength(8), 7, 104), 8, 104), 14, "091C00",
            "Pref-1 Key-091C00"),
        all("09 long rest", with(with(runLength(8), 7, 379), 8, 507), 14, "09000FFF", "Pref-1 Key-09000FFF"),
        all("09 huge duration", with(with(runLength(8), 7, 2000000000), 8, 40), 14, "09000001",
            "Pref-1 Key-09000001"),
        all("49 with bits beyond the burst", frame49(), 19, "491FA5C3", "12C01E"),
        all("24 time slots", timeSlots(), 20, "24418201", "24418201 Dw"),
        all("24 slot 12 up", with(timeSlots(), 11, 100), 20, "24419001", "24419001 UP"),
        all("24 long leading mark", with(with(with(timeSlots(), 11, 100), 1, 60), 2, 134), 20, "24419000",
            "24419000 UP"),
        all("Sony 15 bits is no format", pulseWidth(113, 28, 28, 56, lsbFirst({8}, 7) + lsbFirst({4})), 0, "",
            ""),
    };
    const auto extra = [&](const char* name, Durations s, std::uint8_t g1, std::uint8_t g2, std::uint8_t g3,
                           int result, const char* hash, const char* vars) {
        list << Frame{name, s, g1, g2, g3, result, QString::fromLatin1(hash), QString::fromLatin1(vars)};
    };
    extra("NEC with 96 off is 67", nec(0x04, 0x08, 0xF7), 0x7F, kGroup2, kGroup3, 6, "67F708FB04", "1A601A");
    extra("23 repeat shown", frame23(), 0xFE, kGroup2, kGroup3, 9, "23016B", "R-1 Key-016B");
    extra("23 ignores the mouse flag", frame23(), 0xFE, 0xFF, kGroup3, 9, "23016B", "R-1 Key-016B");
    extra("joystick", joystick("00100111011"), kGroup1, kGroup2 | kJoystick, kGroup3, 15, "D7013B",
          "A-0C L-01 K-10 R-3");
    extra("joystick past both tables", joystick("11111110000"), kGroup1, kGroup2 | kJoystick, kGroup3, 15,
          "D707F0", "A- L- K-00 R-0");
    extra("joystick mark 49 is long", with(joystick("00100111011"), 3, 49), kGroup1, kGroup2 | kJoystick,
          kGroup3, 15, "D7053B", "A-0B L-01 K-10 R-3");
    extra("joystick mark 48 is short", with(joystick("00100111011"), 3, 48), kGroup1, kGroup2 | kJoystick,
          kGroup3, 15, "D7013B", "A-0C L-01 K-10 R-3");
    extra("mouse of 25", mouse25(), kGroup1, kGroup2 | kMouse, kGroup3, 16, "D8M01 N46 M32",
          "010001101001100100");
    extra("mouse short text", mouse23(), kGroup1, kGroup2 | kMouse, kGroup3, 16, "D8M11 N4C M04",
          "110011001100");
    extra("Roison", roison(), kGroup1, kGroup2, kRoison, 17, "U169A",
          "On Heat Vane1 Fan0 T20 NA5-2B V4001 W0001");
    extra("Roison upper range", with(with(with(roison(), 13, 30), 14, 30), 15, 70), kGroup1, kGroup2, kRoison,
          17, "U169A", "On Heat Vane1 Fan0 T43 NA5-2B V4001 W0001");
    extra("Roison bad range", with(with(roison(), 13, 30), 15, 70), kGroup1, kGroup2, kRoison, 17, "U169A",
          "On Heat Vane1 Fan0 TError20 NA5-2B V4001 W0001");
    extra("Roison 50 is long", with(roison(), 5, 50), kGroup1, kGroup2, kRoison, 17, "U169A",
          "On Heat Vane1 Fan0 T20 NA5-2B V4001 W0001");
    extra("Roison 49 is short", with(roison(), 5, 49), kGroup1, kGroup2, kRoison, 17, "U169A",
          "Off Heat Vane1 Fan0 T20 NA5-2B V4001 W0001");
    extra("Tadiran cool", tadiran(), kGroup1, kGroup2, kTadiran, 18, "q", "On Cool Turbo-FanT T24");
    extra("Tadiran heat", with(with(with(tadiran(), 10, 70), 11, 30), 58, 70), kGroup1, kGroup2, kTadiran, 18,
          "q", "On Heat Turbo-FanT T23");
    extra("Tadiran unknown mode", with(with(with(tadiran(), 11, 30), 12, 30), 43, 70), kGroup1, kGroup2,
          kTadiran, 18, "q", "On ?? FanT T20");
    extra("Tadiran off", with(with(tadiran(), 54, 70), 55, 70), kGroup1, kGroup2, kTadiran, 18, "q",
          "OFF Cool Turbo-FanT T24");
    // The optional sub-decoders, each ticked on top of the defaults; unticked, their frames keep the
    // results above ("Sony 15 bits is no format", "RC5 second start bit 0").
    using SignalGenerator::Protocol;
    const std::uint8_t optional = kGroup3 | kRc6 | kSirc15 | kRc5x;
    extra("RC6 address 0 command 0C", encoded(Protocol::RC6, 0x00, 0x0C), kGroup1, kGroup2, optional, 21,
          "R60C00", "R-0 Pref-00 Key-0C");
    extra("RC6 toggled with jitter", jittered(encoded(Protocol::RC6, 0x80, 0xF1, true), 4), kGroup1, kGroup2,
          kGroup3 | kRc6, 21, "R6F180", "R-1 Pref-80 Key-F1");
    extra("RC6 cut after 20 durations", encoded(Protocol::RC6, 0xFF, 0xFE).mid(0, 20), kGroup1, kGroup2,
          optional, 0, "", "");
    extra("SIRC15 ticked", pulseWidth(113, 28, 28, 56, lsbFirst({8}, 7) + lsbFirst({4})), kGroup1, kGroup2,
          optional, 22, "310408", "Sony Pref-04 Key-08");
    extra("SIRC15 with jitter", jittered(encoded(Protocol::SIRC15, 0x97, 0x15), 3), kGroup1, kGroup2,
          kGroup3 | kSirc15, 22, "319715", "Sony Pref-97 Key-15");
    extra("SIRC12 stays Sony with SIRC15 ticked", sony12(4, 8), kGroup1, kGroup2, optional, 11, "25DFF7",
          "Sony");
    extra("RC5X of the field bit 0", kRc5Extended, kGroup1, kGroup2, optional, 23, "544804",
          "R-0 Pref-04 Key-48");
    extra("RC5X generated", encoded(Protocol::RC5X, 0x05, 0x35, true), kGroup1, kGroup2, kGroup3 | kRc5x, 23,
          "547505", "R-1 Pref-05 Key-75");
    extra("RC5 with field bit 1 stays RC5 with RC5X ticked", kRc5Address4Command8, kGroup1, kGroup2, optional,
          2, "550804", "R-0 Pref-04 Key-08");
    return list;
}

// Where each sub-decoder's enable flag sits: group and bit.
struct FlagOf {
    int result;
    int group;
    std::uint8_t bit;
};
constexpr FlagOf kFlags[] = {{1, 1, 0x80},  {2, 1, 0x40},  {3, 1, 0x20},  {4, 1, 0x10},  {5, 1, 0x08},
                             {6, 1, 0x04},  {7, 1, 0x02},  {9, 2, 0x80},  {10, 2, 0x40}, {11, 2, 0x20},
                             {12, 2, 0x10}, {13, 2, 0x08}, {14, 2, 0x04}, {15, 2, 0x02}, {16, 2, 0x01},
                             {17, 3, 0x80}, {18, 3, 0x40}, {19, 3, 0x02}, {20, 3, 0x01}, {21, 3, 0x20},
                             {22, 3, 0x10}, {23, 3, 0x08}};

struct Jitter {
    const char* name;
    Durations base;
    int position;
    int value;
    int result;
    const char* hash;
};

} // namespace

class TestProtocolDecoder : public QObject {
    Q_OBJECT
private slots:
    void realisticFrames_data() {
        QTest::addColumn<Durations>("durations");
        QTest::addColumn<int>("g1");
        QTest::addColumn<int>("g2");
        QTest::addColumn<int>("g3");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("hash");
        QTest::addColumn<QString>("vars");
        for (const Frame& f : frames())
            QTest::newRow(f.name) << f.s << int(f.g1) << int(f.g2) << int(f.g3) << f.result << f.hash
                                  << f.vars;
    }
    void realisticFrames() {
        QFETCH(Durations, durations);
        QFETCH(int, g1);
        QFETCH(int, g2);
        QFETCH(int, g3);
        QFETCH(int, result);
        QFETCH(QString, hash);
        QFETCH(QString, vars);
        const DecoderResult r = decode(durations, std::uint8_t(g1), std::uint8_t(g2), std::uint8_t(g3));
        QCOMPARE(r.result, result);
        QCOMPARE(r.recognised(), result != 0);
        QCOMPARE(r.hash, hash);
        QCOMPARE(r.vars, vars);
    }

    void allDisabledRecognisesNothing() {
        for (const Frame& f : frames()) {
            const DecoderResult r = decode(f.s, 0, 0, 0);
            QVERIFY2(r.result == 0 && r.hash.isEmpty() && r.vars.isEmpty(), f.name);
        }
    }

    void ownFlagOffRefusesTheFormat() {
        for (const Frame& f : frames()) {
            if (f.result == 0) continue;
            const auto flag = std::find_if(std::begin(kFlags), std::end(kFlags),
                                           [&](const FlagOf& x) { return x.result == f.result; });
            QVERIFY(flag != std::end(kFlags));
            std::uint8_t g[3] = {f.g1, f.g2, f.g3};
            g[flag->group - 1] &= std::uint8_t(~flag->bit);
            QVERIFY2(decode(f.s, g[0], g[1], g[2]).result != f.result, f.name);
        }
    }

    void ownFlagAloneIsEnough() {
        for (const Frame& f : frames()) {
            if (f.result == 0 || f.result == 9) continue; // "23" reads group 1's eighth flag as well
            const auto flag = std::find_if(std::begin(kFlags), std::end(kFlags),
                                           [&](const FlagOf& x) { return x.result == f.result; });
            std::uint8_t g[3] = {0, 0, 0};
            g[flag->group - 1] = flag->bit;
            const DecoderResult r = decode(f.s, g[0], g[1], g[2]);
            QVERIFY2(r.result == f.result && r.hash == f.hash && r.vars == f.vars, f.name);
        }
    }

    void windowEdges_data() {
        QTest::addColumn<Durations>("durations");
        QTest::addColumn<int>("g2");
        QTest::addColumn<int>("g3");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("hash");
        const Jitter edges[] = {
            {"96 mark 40", nec(4, 8, 0xF7), 11, 40, 1, "9608FB04"},
            {"96 mark 41", nec(4, 8, 0xF7), 63, 41, 0, ""},
            {"96 threshold follows mark 3 (41)", nec(4, 8, 0xF7), 3, 41, 1, "9608FB04"},
            {"96 threshold follows mark 3 (42)", nec(4, 8, 0xF7), 3, 42, 6, "6700000000"},
            {"RC5 51", kRc5Address4Command8, 5, 51, 2, "550804"},
            {"RC5 52", kRc5Address4Command8, 5, 52, 0, ""},
            {"RC5 31", kRc5Address4Command8, 5, 31, 2, "550804"},
            {"RC5 30", kRc5Address4Command8, 5, 30, 0, ""},
            {"RC5 73", kRc5Address4Command8, 3, 73, 2, "550804"},
            {"RC5 72", kRc5Address4Command8, 3, 72, 0, ""},
            {"RC5 93", kRc5Address4Command8, 3, 93, 2, "550804"},
            {"RC5 94", kRc5Address4Command8, 3, 94, 0, ""},
            {"RC5 whole-bit leading mark is 54", kRc5Address4Command8, 1, 73, 2, "540804"},
            {"37 gap ratio 6", frame37(), 20, 156, 4, "375A3C"},
            {"37 gap ratio 5", frame37(), 20, 155, 0, ""},
            {"37 leader ratio 13", frame37(), 1, 338, 4, "375A3C"},
            {"37 leader ratio 12", frame37(), 1, 337, 0, ""},
            {"37 space ratio 6", frame37(), 2, 156, 4, "375A3C"},
            {"37 space ratio 5", frame37(), 2, 155, 0, ""},
            {"37 zero mark 3", frame37(), 3, 0, 0, ""},
            {"23 leader 26", frame23(), 1, 26, 9, "23016B"},
            {"23 leader 27", frame23(), 1, 27, 0, ""},
            {"23 leader 6", frame23(), 1, 6, 9, "23016B"},
            {"23 leader 5", frame23(), 1, 5, 0, ""},
            {"23 space 269", frame23(), 2, 269, 9, "23016B"},
            {"23 space 270", frame23(), 2, 270, 0, ""},
            {"23 space 221", frame23(), 2, 221, 9, "23016B"},
            {"23 space 220", frame23(), 2, 220, 0, ""},
            {"23 space 331", frame23(), 8, 331, 9, "23016B"},
            {"23 space 330", frame23(), 8, 330, 0, ""},
            {"23 space 399", frame23(), 8, 399, 9, "23016B"},
            {"23 space 400", frame23(), 8, 400, 0, ""},
            {"23 mark 27", frame23(), 23, 27, 0, ""},
            {"FC leader 118", msRemote61(), 1, 118, 10, "FC963CBE"},
            {"FC leader 117", msRemote61(), 1, 117, 0, ""},
            {"FC leader 135", msRemote61(), 1, 135, 10, "FC963CBE"},
            {"FC leader 136", msRemote61(), 1, 136, 0, ""},
            {"FC S11 59", msRemote61(), 11, 59, 10, "FC963CBE"},
            {"FC S11 58", msRemote61(), 11, 58, 0, ""},
            {"FC S11 73", msRemote61(), 11, 73, 10, "FC963CBE"},
            {"FC S11 74", msRemote61(), 11, 74, 0, ""},
            {"FC S33 38", msRemote61(), 33, 38, 10, "FC963CBE"},
            {"FC S33 37", msRemote61(), 33, 37, 0, ""},
            {"FC S33 53", msRemote61(), 33, 53, 10, "FC963CBE"},
            {"FC S33 54", msRemote61(), 33, 54, 0, ""},
            {"Sony leader 104", sony12(4, 8), 1, 104, 11, "25DFF7"},
            {"Sony leader 103", sony12(4, 8), 1, 103, 0, ""},
            {"Sony leader 126", sony12(4, 8), 1, 126, 11, "25DFF7"},
            {"Sony leader 127", sony12(4, 8), 1, 127, 0, ""},
            {"Sony space 15", sony12(4, 8), 2, 15, 11, "25DFF7"},
            {"Sony space 14", sony12(4, 8), 2, 14, 0, ""},
            {"Sony short 39", sony12(4, 8), 3, 39, 11, "25DFF7"},
            {"Sony short 40", sony12(4, 8), 3, 40, 0, ""},
            {"Sony long 52", sony12(4, 8), 9, 52, 11, "25DFF7"},
            {"Sony long 51", sony12(4, 8), 9, 51, 0, ""},
            {"Sony long 67", sony12(4, 8), 9, 67, 11, "25DFF7"},
            {"Sony long 68", sony12(4, 8), 9, 68, 0, ""},
            {"JVC leader 392", jvc(4, 8), 1, 392, 12, "33FBF7"},
            {"JVC leader 391", jvc(4, 8), 1, 391, 0, ""},
            {"JVC leader 403", jvc(4, 8), 1, 403, 12, "33FBF7"},
            {"JVC leader 404", jvc(4, 8), 1, 404, 0, ""},
            {"JVC space 191", jvc(4, 8), 2, 191, 12, "33FBF7"},
            {"JVC space 190", jvc(4, 8), 2, 190, 0, ""},
            {"JVC space 201", jvc(4, 8), 2, 201, 12, "33FBF7"},
            {"JVC space 202", jvc(4, 8), 2, 202, 0, ""},
            {"JVC short 16", jvc(4, 8), 4, 16, 12, "33FBF7"},
            {"JVC short 15", jvc(4, 8), 4, 15, 0, ""},
            {"JVC short 33", jvc(4, 8), 35, 33, 12, "33FBF7"},
            {"JVC short 34", jvc(4, 8), 35, 34, 0, ""},
            {"JVC long 66", jvc(4, 8), 8, 66, 12, "33FBF7"},
            {"JVC long 65", jvc(4, 8), 8, 65, 0, ""},
            {"JVC long 79", jvc(4, 8), 8, 79, 12, "33FBF7"},
            {"JVC long 80", jvc(4, 8), 8, 80, 0, ""},
            {"JVC repeat first mark 33", jvc(4, 8).mid(2), 1, 33, 12, "33FBF7"},
            {"JVC repeat first mark 34", jvc(4, 8).mid(2), 1, 34, 0, ""},
            {"51 leader 152", frame51(), 1, 152, 13, "51563412"},
            {"51 leader 151", frame51(), 1, 151, 0, ""},
            {"51 space 167", frame51(), 2, 167, 13, "51563412"},
            {"51 space 168", frame51(), 2, 168, 0, ""},
            {"51 mark 46", frame51(), 51, 46, 13, "51563412"},
            {"51 mark 47", frame51(), 51, 47, 0, ""},
            {"51 long 123", frame51(), 6, 123, 13, "51563412"},
            {"51 long 124", frame51(), 6, 124, 0, ""},
            {"51 long 113", frame51(), 6, 113, 13, "51563412"},
            {"51 long 112", frame51(), 6, 112, 0, ""},
            {"09 leader 104", runLength(), 1, 104, 14, "0913D800"},
            {"09 leader 103", runLength(), 1, 103, 0, ""},
            {"09 leader 118", runLength(), 1, 118, 14, "0913D800"},
            {"09 leader 119", runLength(), 1, 119, 0, ""},
            {"09 S2 30", runLength(), 2, 30, 14, "0913D800"},
            {"09 S2 29", runLength(), 2, 29, 0, ""},
            {"09 S3 42", runLength(), 3, 42, 14, "0913D800"},
            {"09 S3 43", runLength(), 3, 43, 0, ""},
            {"09 S4 40", runLength(), 4, 40, 14, "0913D800"},
            {"09 S4 41", runLength(), 4, 41, 0, ""},
            {"09 S5 33", runLength(), 5, 33, 14, "0913D800"},
            {"09 S5 32", runLength(), 5, 32, 0, ""},
            {"09 S5 78", runLength(), 5, 78, 14, "093D80"},
            {"09 S5 79", runLength(), 5, 79, 0, ""},
            {"09 S5 55", runLength(), 5, 55, 14, "0913D800"},
            {"49 leader 289", frame49(), 1, 289, 19, "491FA5C3"},
            {"49 leader 288", frame49(), 1, 288, 0, ""},
            {"49 leader 311", frame49(), 1, 311, 19, "491FA5C3"},
            {"49 leader 312", frame49(), 1, 312, 0, ""},
            {"49 space 27", frame49(), 2, 27, 19, "491FA5C3"},
            {"49 space 26", frame49(), 2, 26, 0, ""},
            {"49 space 47", frame49(), 2, 47, 19, "491FA5C3"},
            {"49 space 48", frame49(), 2, 48, 0, ""},
            {"49 threshold 94 is short", frame49(), 40, 94, 19, "491EA5C3"},
            {"24 S4 46", timeSlots(), 4, 46, 20, ""},
            {"24 S4 45", timeSlots(), 4, 45, 0, ""},
            {"24 S4 59", timeSlots(), 4, 59, 20, ""},
            {"24 S4 60", timeSlots(), 4, 60, 0, ""},
            {"24 S[N-1] 85", timeSlots(), 14, 85, 20, "24418201"},
            {"24 S[N-1] 84", timeSlots(), 14, 84, 0, ""},
            {"24 S[N-1] 97", timeSlots(), 14, 97, 20, "24418201"},
            {"24 S[N-1] 98", timeSlots(), 14, 98, 0, ""},
            {"24 S[N] 31", timeSlots(), 15, 31, 20, "24418201"},
            {"24 S[N] 32", timeSlots(), 15, 32, 0, ""},
            {"24 S[N-2] 17", timeSlots(), 13, 17, 20, ""},
            {"24 S[N-2] 16", timeSlots(), 13, 16, 0, ""},
            {"24 leader 31", timeSlots(), 1, 31, 20, ""},
            {"24 leader 32", timeSlots(), 1, 32, 0, ""},
            {"24 leader 54", with(timeSlots(), 2, 140), 1, 54, 20, ""},
            {"24 leader 53", with(timeSlots(), 2, 140), 1, 53, 0, ""},
            {"24 leader 72", with(timeSlots(), 2, 140), 1, 72, 20, ""},
            {"24 leader 73", with(timeSlots(), 2, 140), 1, 73, 0, ""},
        };
        for (const Jitter& j : edges)
            QTest::newRow(j.name) << with(j.base, j.position, j.value) << int(kGroup2) << int(kGroup3)
                                  << j.result << QString::fromLatin1(j.hash);
        const Jitter optional[] = {
            {"D7 leader 141", joystick("00100111011"), 1, 141, 15, "D7013B"},
            {"D7 leader 140", joystick("00100111011"), 1, 140, 0, ""},
            {"D7 leader 158", joystick("00100111011"), 1, 158, 15, "D7013B"},
            {"D7 leader 159", joystick("00100111011"), 1, 159, 0, ""},
            {"D8 leader 52", mouse25(), 1, 52, 16, "D8M01 N46 M32"},
            {"D8 leader 51", mouse25(), 1, 51, 0, ""},
            {"D8 leader 64", mouse25(), 1, 64, 16, "D8M01 N46 M32"},
            {"D8 leader 65", mouse25(), 1, 65, 0, ""},
            {"D8 space 20", mouse25(), 2, 20, 16, "D8M01 N46 M32"},
            {"D8 space 19", mouse25(), 2, 19, 0, ""},
            {"D8 space 32", mouse25(), 2, 32, 16, "D8M01 N46 M32"},
            {"D8 space 33", mouse25(), 2, 33, 0, ""},
            {"D8 space 48", mouse25(), 4, 48, 16, "D8M01 N46 M32"},
            {"D8 space 47", mouse25(), 4, 47, 0, ""},
            {"D8 space 58", mouse25(), 4, 58, 16, "D8M01 N46 M32"},
            {"D8 space 59", mouse25(), 4, 59, 0, ""},
            {"D8 mark 24", mouse25(), 3, 24, 16, "D8M01 N46 M32"},
            {"D8 mark 23", mouse25(), 3, 23, 0, ""},
            {"D8 mark 36", mouse25(), 3, 36, 16, "D8M01 N46 M32"},
            {"D8 mark 37", mouse25(), 3, 37, 0, ""},
            {"D8 mark 54", mouse25(), 5, 54, 16, "D8M01 N46 M32"},
            {"D8 mark 53", mouse25(), 5, 53, 0, ""},
            {"D8 mark 62", mouse25(), 5, 62, 16, "D8M01 N46 M32"},
            {"D8 mark 63", mouse25(), 5, 63, 0, ""},
        };
        for (const Jitter& j : optional)
            QTest::newRow(j.name) << with(j.base, j.position, j.value) << int(kGroup2 | kJoystick | kMouse)
                                  << int(kGroup3) << j.result << QString::fromLatin1(j.hash);
        const Durations rc6 = encoded(SignalGenerator::Protocol::RC6, 0x00, 0x0C);
        const Durations sirc15 = pulseWidth(113, 28, 28, 56, lsbFirst({8}, 7) + lsbFirst({4}));
        const Jitter ticked[] = {
            {"RC6 leader 110", rc6, 1, 110, 21, "R60C00"},       {"RC6 leader 109", rc6, 1, 109, 0, ""},
            {"RC6 leader 140", rc6, 1, 140, 21, "R60C00"},       {"RC6 leader 141", rc6, 1, 141, 0, ""},
            {"RC6 space 35", rc6, 2, 35, 21, "R60C00"},          {"RC6 space 34", rc6, 2, 34, 0, ""},
            {"RC6 space 50", rc6, 2, 50, 21, "R60C00"},          {"RC6 space 51", rc6, 2, 51, 0, ""},
            {"RC6 half bit 31", rc6, 3, 31, 21, "R60C00"},       {"RC6 half bit 32", rc6, 3, 32, 0, ""},
            {"SIRC15 leader 104", sirc15, 1, 104, 22, "310408"}, {"SIRC15 leader 103", sirc15, 1, 103, 0, ""},
            {"SIRC15 leader 126", sirc15, 1, 126, 22, "310408"}, {"SIRC15 leader 127", sirc15, 1, 127, 0, ""},
        };
        for (const Jitter& j : ticked)
            QTest::newRow(j.name) << with(j.base, j.position, j.value) << int(kGroup2)
                                  << int(kGroup3 | kRc6 | kSirc15 | kRc5x) << j.result
                                  << QString::fromLatin1(j.hash);
    }
    void windowEdges() {
        QFETCH(Durations, durations);
        QFETCH(int, g2);
        QFETCH(int, g3);
        QFETCH(int, result);
        QFETCH(QString, hash);
        const DecoderResult r = decode(durations, kGroup1, std::uint8_t(g2), std::uint8_t(g3));
        QCOMPARE(r.result, result);
        if (!hash.isEmpty()) QCOMPARE(r.hash, hash);
        if (result == 0) QVERIFY(r.hash.isEmpty() && r.vars.isEmpty());
    }

    void burstLengthsOutsideTheFormatAreRefused() {
        Durations longer = nec(4, 8, 0xF7);
        longer << 26;
        QCOMPARE(decode(longer).result, 0);
        QCOMPARE(decode(jvc(4, 8).mid(1)).result, 0);      // 34 durations
        QCOMPARE(decode(Durations(6, 20)).result, 0);      // just past the tail
        QCOMPARE(decode(runLength().mid(0, 6)).result, 0); // "09" needs 7
        Durations rc5 = kRc5Address4Command8;
        QCOMPARE(decode(rc5.mid(0, 14)).result, 0);
        QCOMPARE(decode(rc5.mid(0, 15)).result, 2);
        rc5 << 42 << 42 << 42 << 42 << 42 << 42 << 42;
        QCOMPARE(decode(rc5).result, 2); // 28
        rc5 << 42;
        QCOMPARE(decode(rc5).result, 0);
    }

    void tablesOrderDecidesBetweenFormats() {
        // A 67-duration frame fits both "96" and "67"; "96" comes first.
        QCOMPARE(decode(nec(4, 8, 0xF7)).result, 1);
        // A 25-duration frame that fits Sony stays Sony even with the mouse on.
        QCOMPARE(decode(sony12(4, 8), kGroup1, 0xFF, kGroup3).result, 11);
    }

    void buffersAreSpaceFilled() {
        const DecoderBuffers b = decoderBuffers(decode(nec(4, 8, 0xF7)));
        QCOMPARE(b.hashLength, 8);
        QCOMPARE(b.varsLength, 6);
        QCOMPARE(QByteArray(b.hash.data(), 8), QByteArray("9608FB04"));
        QCOMPARE(QByteArray(b.vars.data(), 6), QByteArray("1A601A"));
        QCOMPARE(QByteArray(b.hash.data() + 8, 50), QByteArray(50, ' '));
        QCOMPARE(QByteArray(b.vars.data() + 6, 52), QByteArray(52, ' '));

        const DecoderBuffers none = decoderBuffers(decode(nec(4, 8, 0xF7), 0, 0, 0));
        QCOMPARE(none.hashLength, 0);
        QCOMPARE(none.varsLength, 0);
        QCOMPARE(QByteArray(none.hash.data(), 58), QByteArray(58, ' '));
        QCOMPARE(QByteArray(none.vars.data(), 58), QByteArray(58, ' '));
    }

    void randomBurstsNeverBreakTheDecoder() {
        std::mt19937 random(20240517u);
        // Values around every recognition window and threshold, plus the extremes of the type.
        const std::vector<std::int32_t> pool{0,
                                             1,
                                             5,
                                             6,
                                             14,
                                             15,
                                             16,
                                             17,
                                             20,
                                             23,
                                             24,
                                             26,
                                             27,
                                             29,
                                             30,
                                             31,
                                             32,
                                             33,
                                             34,
                                             36,
                                             37,
                                             38,
                                             39,
                                             40,
                                             41,
                                             42,
                                             43,
                                             46,
                                             47,
                                             48,
                                             49,
                                             50,
                                             51,
                                             52,
                                             53,
                                             54,
                                             55,
                                             56,
                                             57,
                                             58,
                                             59,
                                             60,
                                             62,
                                             63,
                                             64,
                                             65,
                                             66,
                                             67,
                                             68,
                                             72,
                                             73,
                                             78,
                                             79,
                                             80,
                                             85,
                                             93,
                                             94,
                                             97,
                                             98,
                                             103,
                                             104,
                                             113,
                                             118,
                                             119,
                                             123,
                                             124,
                                             126,
                                             127,
                                             135,
                                             136,
                                             141,
                                             152,
                                             157,
                                             158,
                                             159,
                                             167,
                                             191,
                                             201,
                                             221,
                                             269,
                                             289,
                                             302,
                                             303,
                                             311,
                                             317,
                                             318,
                                             331,
                                             392,
                                             399,
                                             400,
                                             403,
                                             404,
                                             -1,
                                             -100000,
                                             std::numeric_limits<std::int32_t>::max(),
                                             std::numeric_limits<std::int32_t>::min()};
        std::vector<std::array<std::uint8_t, 3>> masks;
        for (int m = 0; m < 8; ++m)
            masks.push_back({std::uint8_t(m & 1 ? 0xFF : 0), std::uint8_t(m & 2 ? 0xFF : 0),
                             std::uint8_t(m & 4 ? 0xFF : 0)});
        for (int g = 0; g < 3; ++g)
            for (int bit = 0; bit < 8; ++bit) {
                std::array<std::uint8_t, 3> only{0, 0, 0};
                std::array<std::uint8_t, 3> allBut{0xFF, 0xFF, 0xFF};
                only[g] = std::uint8_t(1u << bit);
                allBut[g] = std::uint8_t(~(1u << bit));
                masks.push_back(only);
                masks.push_back(allBut);
            }
        for (int k = 0; k < 8; ++k)
            masks.push_back({std::uint8_t(random()), std::uint8_t(random()), std::uint8_t(random())});

        const auto check = [&](const std::vector<std::int32_t>& burst) {
            for (const auto& m : masks) {
                const DecoderResult r = ProtocolDecoder(burst, m[0], m[1], m[2]);
                QVERIFY(r.result >= 0 && r.result <= 23 && r.result != 8);
                QVERIFY(r.hash.size() < 58 && r.vars.size() < 58);
                QCOMPARE(r.recognised(), !r.hash.isEmpty());
                const DecoderBuffers b = decoderBuffers(r);
                QCOMPARE(b.hashLength, r.hash.size());
            }
        };
        std::vector<std::int32_t> burst;
        for (int n = 0; n <= 255; ++n) {
            for (int round = 0; round < 4; ++round) {
                burst.assign(std::size_t(n), 0);
                for (auto& d : burst)
                    d = round % 2 == 0 ? pool[random() % pool.size()] : std::int32_t(random() % 500);
                check(burst);
            }
        }
        // Realistic frames with a few durations thrown to odd values, so the decoders run on them.
        for (const Frame& f : frames()) {
            for (int round = 0; round < 40; ++round) {
                burst.assign(f.s.begin(), f.s.end());
                if (burst.empty()) continue;
                for (int k = 0; k < 3; ++k)
                    burst[random() % burst.size()] = pool[random() % pool.size()];
                check(burst);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestProtocolDecoder)
#include "test_protocol_decoder.moc"
