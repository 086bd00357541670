#pragma once

#include "acquisition/core/drivers/receiver_drivers.h"
#include "acquisition/core/drivers/usb_driver.h"
#include "base/core/capture_buffer.h"
#include "base/core/polling_control.h"
#include "firmware/core/output_settings.h"
#include "platform/core/dialogs.h"
#include "platform/core/timer.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace ravlin {

// Bytes as ByteHex without separators, 16 bytes (32 characters) per line; the rest, possibly
// empty, is the last line.
QStringList hexDump(std::span<const std::uint8_t> bytes);

// What the window "Операции с Eprom" shows.
struct EepromView {
    static inline const QString kPlaceholder = QStringLiteral("Тут будет отображаться прочитанное");
    QStringList memo{kPlaceholder}; // Memo1
    bool memoRed = false;
    int progress = 0; // ProgressBar1, 0..100
};

// The receiver's EEPROM through the USB driver port: read of addresses 1..127, the write run of
// the burst in the capture buffer (one byte per tick of a 10 ms timer, polling stopped meanwhile)
// and the three setting bytes.
class EepromOperations {
public:
    static constexpr int kReadCount = 127;
    static constexpr int kWriteIntervalMs = 10;
    static constexpr int kMaxDurations = 125;
    static constexpr std::uint8_t kClosing = 0x0A;
    static constexpr std::uint8_t kOptionsAddress = 13;

    // `recognitionVerdict` is the fitting's last recognition verdict (empty when none); a burst
    // written to the EEPROM shows it under the dump. The EEPROM is reached through the USB driver
    // `drivers` hold at each access; the main window's polling is held during a write run.
    EepromOperations(const CaptureBuffer& capture, Dialogs& dialogs, TimerFactory& timers,
                     const QString& recognitionVerdict, const ReceiverDrivers& drivers,
                     PollingControl& polling);
    ~EepromOperations();

    OutputSettings& output() { return m_output; }
    const EepromView& view() const { return m_view; }
    bool writing() const { return m_writing; }
    bool timerActive() const { return m_timer->isActive(); }
    int index() const { return m_index; }
    // Image bytes 1..count+1 (entry 0 unused).
    std::span<const std::uint8_t> image() const {
        return std::span<const std::uint8_t>(m_image.data() + 1, static_cast<std::size_t>(m_total));
    }

    // "Читать EPROM". Returns whether all 127 bytes were read.
    bool read();
    // "Загнать в EPROM": checks and starts the write run. Returns whether it started.
    bool writeBurst();
    // One tick of the write timer.
    void tick();
    // "Применить (до первой перезагрузки)": the setting bytes to addresses 13, 14, 15. Returns the
    // number of failed writes.
    int applySettings();

private:
    int readByte(std::uint8_t address, std::uint8_t& data);
    int writeByte(std::uint8_t address, std::uint8_t data);
    void clearMemo();

    const CaptureBuffer& m_capture;
    Dialogs& m_dialogs;
    const QString& m_recognitionVerdict;
    const ReceiverDrivers& m_drivers;
    PollingControl& m_polling;
    OutputSettings m_output;
    EepromView m_view;
    std::unique_ptr<Timer> m_timer;
    std::array<std::uint8_t, kMaxDurations + 2> m_image{};
    int m_total = 0; // image bytes: count + 1
    int m_index = 1;
    bool m_writing = false;
};

namespace EepromText {
inline const QString kNothing = QStringLiteral("Передавать нечего");
inline const QString kTooLong = QStringLiteral("Слишком большая посылка");
} // namespace EepromText

} // namespace ravlin
