#pragma once

#include "acquisition/core/drivers/monotonic.h"
#include "acquisition/core/drivers/usb_driver.h"
#include "base/core/receiver_units.h"
#include "formats/core/mode2.h"

#include <deque>
#include <optional>

namespace ravlin {

// A Linux IR receiver: reads the kernel's LIRC mode2 stream from /dev/lirc* (or any file or pipe of
// mode2 words), frames it into bursts and hands each burst in the selected kind's byte format.
// Reads never block. Status 0 while the device is open, 1 otherwise. It has no EEPROM. A burst ends
// at a space of at least `gapMicros`; a burst longer than a block holds is cut after its last whole
// mark, with a warning line. A lone pulse (a burst of one duration) is noise: it is dropped and
// counted, with at most one warning line a second.
class LircReceiver : public UsbDriver {
public:
    explicit LircReceiver(const QString& path, MonotonicMs now = steadyMonotonicMs(),
                          std::uint32_t gapMicros = kBurstGapMicros);
    ~LircReceiver() override;
    LircReceiver(const LircReceiver&) = delete;
    LircReceiver& operator=(const LircReceiver&) = delete;

    // Whether the path opened.
    bool isOpen() const { return m_fd >= 0; }

    int DoGetInfraCode(std::uint8_t* block, int max, std::int32_t& count) override;
    int DoEEPROMRead(std::uint8_t address, std::uint8_t& data) override;
    int DoEEPROMWrite(std::uint8_t address, std::uint8_t data) override;
    QString description() const override;
    QStringList takeWarnings() override;

    // Bursts framed but not yet read, in microseconds.
    std::size_t pendingBursts() const { return m_bursts.size(); }
    // Lone pulses dropped as noise since the device was opened.
    std::size_t noiseDropped() const { return m_noiseDropped; }

private:
    void readAvailable();
    void close();
    void reportNoise();

    QString m_path;
    MonotonicMs m_now;
    int m_fd = -1;
    Mode2Framer m_framer;
    std::vector<std::uint8_t> m_partial; // bytes of a word not complete yet
    std::int64_t m_lastSampleMs = 0;
    std::deque<std::vector<std::uint32_t>> m_bursts;
    QStringList m_warnings;
    std::size_t m_noiseDropped = 0;
    std::size_t m_noiseUnreported = 0;
    std::optional<std::int64_t> m_lastNoiseReportMs;
};

} // namespace ravlin
