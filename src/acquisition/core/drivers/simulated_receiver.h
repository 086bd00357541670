#pragma once

#include "acquisition/core/drivers/monotonic.h"
#include "acquisition/core/drivers/usb_driver.h"
#include "formats/core/capture_file.h"
#include "formats/core/signal_files.h"

#include <array>
#include <optional>

namespace ravlin {

// The embedded default receiver: plays the bursts of a capture file, one burst per read once its delay
// since the previous burst has passed, from the start again after the last. Bytes are served as they
// stand, whatever kind is selected. It plays remote-control files too (Flipper ".ir", lircd.conf,
// Pronto, mode2 text): their signals one after the other, like presses of the remote's buttons,
// each written in the selected kind's byte format when it is served. Without a file (or with one
// that cannot be read) it is not connected. Emulates the receiver's 128-byte EEPROM.
class SimulatedReceiver : public UsbDriver {
public:
    static constexpr int kEepromSize = 128;
    // Between the signals of a remote file (button presses), and between the frames of one signal
    // (a held button's repeats).
    static constexpr std::int64_t kPressDelayMs = 2000;
    static constexpr std::int64_t kRepeatDelayMs = 110;
    // A burst that follows the previous one by at least this long is a new press, not a repeat.
    static constexpr std::int64_t kPressMinMs = 500;

    // An empty path gives a receiver with no file.
    explicit SimulatedReceiver(const QString& path = QString(), MonotonicMs now = steadyMonotonicMs());
    // A receiver playing bursts already in memory.
    SimulatedReceiver(std::vector<CapturedBurst> bursts, MonotonicMs now);

    int DoGetInfraCode(std::uint8_t* block, int max, std::int32_t& count) override;
    int DoEEPROMRead(std::uint8_t address, std::uint8_t& data) override;
    int DoEEPROMWrite(std::uint8_t address, std::uint8_t data) override;
    QString description() const override;
    // The file's problem lines, once, for the result log.
    QStringList takeWarnings() override;

    // Spaces the presses `ms` apart (a held button's repeats keep their own delays), so that a
    // user naming buttons has time to do it between two presses.
    void setPressInterval(std::int64_t ms);

    bool connected() const { return m_connected; }
    // Why the capture file could not be read (empty when it was).
    const QString& error() const { return m_error; }
    const CaptureFile& file() const { return m_file; }
    // The format of the remote file played; nothing for a capture file.
    std::optional<SignalFormat> signalFormat() const { return m_format; }
    // Lines of the file that were skipped or changed to fit.
    const QVector<Problem>& problems() const { return m_file.problems; }
    // Index of the burst served next.
    std::size_t nextIndex() const { return m_next; }

private:
    void load(const QString& path);
    void loadSignals(const QString& text, SignalFormat format);

    QString m_path;
    MonotonicMs m_now;
    CaptureFile m_file;
    // For a remote file: each signal frame in microseconds, in the place of the bursts' bytes.
    std::optional<SignalFormat> m_format;
    std::vector<std::vector<std::uint32_t>> m_micros;
    QStringList m_warnings;
    bool m_connected = false;
    QString m_error;
    std::size_t m_next = 0;
    std::optional<std::int64_t> m_lastServed; // time of the previous burst (or of the first read)
    std::array<std::uint8_t, kEepromSize> m_eeprom{};
};

} // namespace ravlin
