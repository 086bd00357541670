#include "acquisition/core/drivers/simulated_receiver.h"

#include <algorithm>
#include <cstring>

namespace ravlin {

SimulatedReceiver::SimulatedReceiver(const QString& path, MonotonicMs now)
    : m_path(path), m_now(std::move(now)) {
    m_eeprom.fill(0xFF);
    if (!path.isEmpty()) m_file = CaptureFile::read(path, &m_connected, &m_error);
}

SimulatedReceiver::SimulatedReceiver(std::vector<CapturedBurst> bursts, MonotonicMs now)
    : m_now(std::move(now)), m_connected(true) {
    m_eeprom.fill(0xFF);
    m_file.bursts = std::move(bursts);
}

int SimulatedReceiver::DoGetInfraCode(std::uint8_t* block, int max, std::int32_t& count) {
    count = 0;
    if (!m_connected) return StatusNotConnected;
    if (m_file.bursts.empty() || !block) return StatusOk;
    const std::int64_t now = m_now();
    if (!m_lastServed) m_lastServed = now; // delays count from the first read
    const CapturedBurst& b = m_file.bursts[m_next];
    if (now - *m_lastServed < b.delayMs) return StatusOk;
    const int n = std::min({static_cast<int>(b.bytes.size()), std::clamp(max, 0, kRawBlockMax)});
    std::memcpy(block, b.bytes.data(), static_cast<std::size_t>(n));
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
    return QStringLiteral("simulated receiver playing %1 (%2 bursts)").arg(m_path).arg(m_file.bursts.size());
}

} // namespace ravlin
