#pragma once

#include "acquisition/core/drivers/monotonic.h"
#include "acquisition/core/drivers/usb_driver.h"
#include "formats/core/capture_file.h"

#include <array>
#include <optional>

namespace ravlin {

// The embedded default receiver: plays the bursts of a capture file, one burst per read once its delay
// since the previous burst has passed, from the start again after the last. Bytes are served as they
// stand, whatever kind is selected. Without a file (or with one that cannot be read) it is not
// connected. Emulates the receiver's 128-byte EEPROM.
class SimulatedReceiver : public UsbDriver {
public:
    static constexpr int kEepromSize = 128;

    // An empty path gives a receiver with no file.
    explicit SimulatedReceiver(const QString& path = QString(), MonotonicMs now = steadyMonotonicMs());
    // A receiver playing bursts already in memory.
    SimulatedReceiver(std::vector<CapturedBurst> bursts, MonotonicMs now);

    int DoGetInfraCode(std::uint8_t* block, int max, std::int32_t& count) override;
    int DoEEPROMRead(std::uint8_t address, std::uint8_t& data) override;
    int DoEEPROMWrite(std::uint8_t address, std::uint8_t data) override;
    QString description() const override;

    bool connected() const { return m_connected; }
    // Why the capture file could not be read (empty when it was).
    const QString& error() const { return m_error; }
    const CaptureFile& file() const { return m_file; }
    // Index of the burst served next.
    std::size_t nextIndex() const { return m_next; }

private:
    QString m_path;
    MonotonicMs m_now;
    CaptureFile m_file;
    bool m_connected = false;
    QString m_error;
    std::size_t m_next = 0;
    std::optional<std::int64_t> m_lastServed; // time of the previous burst (or of the first read)
    std::array<std::uint8_t, kEepromSize> m_eeprom{};
};

} // namespace ravlin
