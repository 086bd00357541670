#include "acquisition/core/drivers/simulated_receiver.h"

#include "base/core/receiver_units.h"
#include "formats/core/signal_file_choice.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <utility>

namespace ravlin {

SimulatedReceiver::SimulatedReceiver(const QString& path, MonotonicMs now)
    : m_path(path), m_now(std::move(now)) {
    m_eeprom.fill(0xFF);
    if (!path.isEmpty()) load(path);
}

void SimulatedReceiver::load(const QString& path) {
    // A ".cap" file is always a capture file; any other file is a remote file when its content or
    // extension tells a remote-file format, else a capture file (read by the capture reader, which
    // also reports special files, oversized files and read errors).
    const bool capture = QFileInfo(path).suffix().compare(QLatin1String("cap"), Qt::CaseInsensitive) == 0;
    if (!capture) {
        if (const std::optional<QString> text = readOutsideText(path, &m_error)) {
            m_format = signalFormatOfFile(path, *text);
            if (m_format) {
                m_connected = true;
                loadSignals(*text, *m_format);
            }
        }
    }
    if (!m_format) m_file = CaptureFile::read(path, &m_connected, &m_error);
    if (!m_file.problems.isEmpty()) {
        m_warnings << QStringLiteral("Файл приёмника %1 - пропущены или изменены строки:")
                          .arg(QFileInfo(path).fileName());
        m_warnings << problemLines(m_file.problems);
    }
}

void SimulatedReceiver::loadSignals(const QString& text, SignalFormat format) {
    ReadResult read = readSignals(text, format);
    m_file.problems = read.problems + read.warnings;
    sortProblems(m_file.problems);
    const Burst* previous = nullptr;
    for (const Burst& burst : read.bursts) {
        std::vector<std::uint32_t> micros;
        micros.reserve(static_cast<std::size_t>(burst.durations.size()));
        for (int d : burst.durations)
            micros.push_back(static_cast<std::uint32_t>(std::max(d, 1)));
        if (micros.empty()) continue;
        // Frames of one signal (same line, same name) follow each other like a held button's.
        const bool repeat = previous && previous->line == burst.line && previous->name == burst.name;
        m_file.bursts.push_back({repeat ? kRepeatDelayMs : kPressDelayMs, {}, m_kind});
        m_micros.push_back(std::move(micros));
        previous = &burst;
    }
}

SimulatedReceiver::SimulatedReceiver(std::vector<CapturedBurst> bursts, MonotonicMs now)
    : m_now(std::move(now)), m_connected(true) {
    m_eeprom.fill(0xFF);
    m_file.bursts = std::move(bursts);
}

void SimulatedReceiver::setPressInterval(std::int64_t ms) {
    for (CapturedBurst& b : m_file.bursts)
        if (b.delayMs >= kPressMinMs) b.delayMs = ms;
}

int SimulatedReceiver::DoGetInfraCode(std::uint8_t* block, int max, std::int32_t& count) {
    count = 0;
    if (!m_connected) return StatusNotConnected;
    if (m_file.bursts.empty() || !block) return StatusOk;
    const std::int64_t now = m_now();
    if (!m_lastServed) m_lastServed = now; // delays count from the first read
    const CapturedBurst& b = m_file.bursts[m_next];
    if (now - *m_lastServed < b.delayMs) return StatusOk;
    const int room = std::clamp(max, 0, kRawBlockMax);
    std::vector<std::uint8_t> encoded;
    if (m_format) {
        // A remote file's signal is written in the byte format of the kind selected now.
        const std::vector<std::uint32_t>& micros = m_micros[m_next];
        encoded = encodeMicros(m_kind, micros, room);
        const std::size_t kept = convertRawBlock(m_kind, encoded).size();
        if (kept < micros.size())
            m_warnings << QStringLiteral(
                              "Посылка из %1 длительностей обрезана до %2 (после последнего целого импульса)")
                              .arg(micros.size())
                              .arg(kept);
    }
    const std::vector<std::uint8_t>& bytes = m_format ? encoded : b.bytes;
    const int n = std::min(static_cast<int>(bytes.size()), room);
    std::memcpy(block, bytes.data(), static_cast<std::size_t>(n));
    count = n;
    m_lastServed = now;
    m_next = (m_next + 1) % m_file.bursts.size();
    return StatusOk;
}

int SimulatedReceiver::DoEEPROMRead(std::uint8_t address, std::uint8_t& data) {
    if (!m_connected || address >= kEepromSize) return StatusNotConnected;
    data = m_eeprom[address];
    return StatusOk;
}

int SimulatedReceiver::DoEEPROMWrite(std::uint8_t address, std::uint8_t data) {
    if (!m_connected || address >= kEepromSize) return StatusNotConnected;
    m_eeprom[address] = data;
    return StatusOk;
}

QString SimulatedReceiver::description() const {
    if (!m_connected)
        return m_path.isEmpty()
                   ? QStringLiteral("simulated receiver (no capture file)")
                   : QStringLiteral("simulated receiver (cannot read %1: %2)").arg(m_path, m_error);
    if (m_format)
        return QStringLiteral("simulated receiver playing %1 (%2 file, %3 signals)")
            .arg(m_path, signalFormatName(*m_format))
            .arg(m_file.bursts.size());
    return QStringLiteral("simulated receiver playing %1 (%2 bursts)").arg(m_path).arg(m_file.bursts.size());
}

QStringList SimulatedReceiver::takeWarnings() {
    return std::exchange(m_warnings, {});
}

} // namespace ravlin
