// Flipper Zero ".ir" files: a header ("Filetype: IR signals file", "Version: 1"), then signals of
// "key: value" lines, each beginning with "name:" (a "#" line stands before it).
#include "formats/core/signal_files.h"
#include "formats/core/signal_format_parts.h"
#include "formats/core/signal_generator.h"

#include <array>

namespace ravlin::signalformats {

namespace {

enum Key { Type, Protocol_, Address, Command, Frequency, DutyCycle, Data, KeyCount };
constexpr std::array<const char*, KeyCount> kKeys{"type",      "protocol",   "address", "command",
                                                  "frequency", "duty_cycle", "data"};

struct Field {
    QString value;
    int line = 0;
};

struct Signal {
    QString name;
    int nameLine = 0;
    std::array<Field, KeyCount> fields;
    bool has(Key k) const { return fields[k].line != 0; }
};

// "07 00 00 00": four hex bytes, the first the lowest.
std::optional<std::uint32_t> littleEndianBytes(const QString& text) {
    const QStringList bytes = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (bytes.size() != 4) return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const uint byte = bytes.at(i).toUInt(&ok, 16);
        if (!ok || bytes.at(i).size() > 2) return std::nullopt;
        value |= byte << (8 * i);
    }
    return value;
}

class Reader {
public:
    explicit Reader(std::uint32_t gap) : m_gap(gap) {}

    ReadResult read(const QString& text) {
        const QStringList lines = textLines(text);
        int header = 0; // 0: expecting "Filetype:", 1: expecting "Version:", 2: body
        for (int i = 0; i < lines.size(); ++i) {
            const int lineNo = i + 1;
            const QString line = lines.at(i).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
            const qsizetype colon = line.indexOf(QLatin1Char(':'));
            if (colon < 0) {
                problem({lineNo, ProblemKind::FlipperExpectedKeyValue, {shownToken(line)}});
                continue;
            }
            const QString key = line.left(colon).trimmed();
            const QString value = line.mid(colon + 1).trimmed();
            if (header == 0) {
                header = 1;
                if (key == QLatin1String("Filetype")) {
                    if (value != QLatin1String("IR signals file") &&
                        value != QLatin1String("IR library file"))
                        problem({lineNo, ProblemKind::FlipperNotIrFile, {shownToken(value)}});
                    continue;
                }
                problem({lineNo, ProblemKind::FlipperNoFiletype});
                header = 2;
            }
            if (header == 1) {
                header = 2;
                if (key == QLatin1String("Version")) {
                    if (value != QLatin1String("1"))
                        problem({lineNo, ProblemKind::FlipperUnknownVersion, {shownToken(value)}});
                    continue;
                }
                problem({lineNo, ProblemKind::FlipperNoVersion});
            }
            if (key == QLatin1String("name")) {
                finish();
                m_signal = Signal{value, lineNo, {}};
                m_open = true;
                continue;
            }
            int k = 0;
            while (k < KeyCount && key != QLatin1String(kKeys[k]))
                ++k;
            if (k == KeyCount) {
                problem({lineNo, ProblemKind::FlipperUnknownKey, {shownToken(key)}});
                continue;
            }
            if (!m_open) {
                problem({lineNo, ProblemKind::FlipperBeforeName, {key}});
                continue;
            }
            Field& field = m_signal.fields[k];
            if (field.line != 0) {
                problem({lineNo, ProblemKind::FlipperSecondKey, {key, shownToken(m_signal.name)}});
                continue;
            }
            field = {value, lineNo};
        }
        finish();
        sortProblems(m_result.problems);
        return std::move(m_result);
    }

private:
    void problem(Problem p) { m_result.problems.push_back(std::move(p)); }

    // Reports a missing key of the signal; true when it is there.
    bool require(Key k) {
        if (m_signal.has(k)) return true;
        problem({m_signal.nameLine,
                 ProblemKind::FlipperMissingKey,
                 {shownToken(m_signal.name), QLatin1String(kKeys[k])}});
        return false;
    }

    void finish() {
        if (!m_open) return;
        m_open = false;
        if (!require(Type)) return;
        const Field& type = m_signal.fields[Type];
        if (type.value == QLatin1String("raw"))
            finishRaw();
        else if (type.value == QLatin1String("parsed"))
            finishParsed();
        else
            problem(Problem(type.line, ProblemKind::FlipperBadType, {shownToken(type.value)})
                        .then(ProblemKind::SignalSkipped));
    }

    void finishRaw() {
        if (!require(Frequency) || !require(DutyCycle) || !require(Data)) return;
        const Field& frequency = m_signal.fields[Frequency];
        bool ok = false;
        frequency.value.toUInt(&ok);
        if (!ok) {
            problem(Problem(frequency.line, ProblemKind::FlipperBadFrequency, {shownToken(frequency.value)})
                        .then(ProblemKind::SignalSkipped));
            return;
        }
        const Field& duty = m_signal.fields[DutyCycle];
        duty.value.toDouble(&ok);
        if (!ok) {
            problem(Problem(duty.line, ProblemKind::FlipperBadDuty, {shownToken(duty.value)})
                        .then(ProblemKind::SignalSkipped));
            return;
        }
        const Field& data = m_signal.fields[Data];
        std::vector<std::uint32_t> micros;
        ProblemPart error{};
        if (!appendMicros(data.value, micros, error)) {
            problem(Problem(data.line, error).then(ProblemKind::SignalSkipped));
            return;
        }
        if (micros.empty()) {
            problem({data.line, ProblemKind::FlipperNoDurations});
            return;
        }
        appendSignalFrames(micros, m_signal.name, data.line, m_gap, m_result);
    }

    void finishParsed() {
        if (!require(Protocol_) || !require(Address) || !require(Command)) return;
        const Field& protocolField = m_signal.fields[Protocol_];
        const auto protocol = SignalGenerator::protocolFromName(protocolField.value);
        if (!protocol) {
            QStringList known;
            for (auto p : SignalGenerator::allProtocols())
                known << SignalGenerator::protocolName(p);
            problem(Problem(protocolField.line, ProblemKind::FlipperUnknownProtocol,
                            {shownToken(protocolField.value), known.join(QStringLiteral(", "))})
                        .then(ProblemKind::SignalSkipped));
            return;
        }
        std::array<std::uint32_t, 2> values{};
        const std::array<Key, 2> keys{Address, Command};
        for (int i = 0; i < 2; ++i) {
            const Field& field = m_signal.fields[keys[i]];
            const auto value = littleEndianBytes(field.value);
            if (!value) {
                problem(Problem(field.line, ProblemKind::FlipperNotFourBytes,
                                {QLatin1String(kKeys[keys[i]]), shownToken(field.value)})
                            .then(ProblemKind::SignalSkipped));
                return;
            }
            const int bits =
                i == 0 ? SignalGenerator::addressBits(*protocol) : SignalGenerator::commandBits(*protocol);
            if (*value >> bits) {
                problem(Problem(field.line, ProblemKind::FlipperValueTooWide,
                                {QLatin1String(kKeys[keys[i]]), QString::number(*value, 16),
                                 QString::number(bits), protocolField.value})
                            .then(ProblemKind::SignalSkipped));
                return;
            }
            values[i] = *value;
        }
        const auto micros = SignalGenerator::encode(*protocol, values[0], values[1]);
        if (micros)
            appendSignalFrames(*micros, m_signal.name, m_signal.fields[Command].line, m_gap, m_result);
    }

    std::uint32_t m_gap;
    ReadResult m_result;
    Signal m_signal;
    bool m_open = false;
};

} // namespace

ReadResult readFlipper(const QString& text, std::uint32_t gapMicros) {
    return Reader(gapMicros).read(text);
}

namespace {

// "04 00 00 00": four hex bytes, the lowest first, as the firmware writes them.
QString littleEndianText(std::uint32_t value) {
    QString out;
    for (int i = 0; i < 4; ++i)
        out += (i ? QStringLiteral(" ") : QString()) +
               QStringLiteral("%1").arg((value >> (8 * i)) & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    return out;
}

} // namespace

QString writeFlipper(const QVector<Burst>& bursts, bool parsed) {
    QString out = QStringLiteral("Filetype: IR signals file\nVersion: 1\n");
    for (qsizetype i = 0; i < bursts.size(); ++i) {
        const Burst& b = bursts.at(i);
        if (b.durations.isEmpty()) continue;
        out += QStringLiteral("#\nname: ") + writtenName(b, i);
        const auto signal =
            parsed ? SignalGenerator::decode(SignalGenerator::Micros(b.durations.begin(), b.durations.end()))
                   : std::nullopt;
        if (signal) {
            out += QStringLiteral("\ntype: parsed\nprotocol: ") +
                   SignalGenerator::protocolName(signal->protocol) + QStringLiteral("\naddress: ") +
                   littleEndianText(signal->address) + QStringLiteral("\ncommand: ") +
                   littleEndianText(signal->command) + QLatin1Char('\n');
            continue;
        }
        out += QStringLiteral("\ntype: raw\nfrequency: 38000\nduty_cycle: 0.330000\ndata: ") +
               joinedDurations(b.durations) + QLatin1Char('\n');
    }
    return out;
}

} // namespace ravlin::signalformats
