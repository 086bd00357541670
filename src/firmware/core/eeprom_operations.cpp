#include "firmware/core/eeprom_operations.h"

#include "firmware/core/hash_variables.h"
#include "platform/core/rounding.h"

namespace ravlin {

QStringList hexDump(std::span<const std::uint8_t> bytes) {
    QStringList lines;
    QString text;
    for (std::uint8_t b : bytes) {
        text += ByteHex(b);
        if (text.size() >= 32) {
            lines << text;
            text.clear();
        }
    }
    lines << text;
    return lines;
}

namespace {
int percent(int part, int whole) {
    return whole > 0 ? static_cast<int>(divideHalfEven(std::int64_t(part) * 100, whole)) : 0;
}
} // namespace

EepromOperations::EepromOperations(const CaptureBuffer& capture, Dialogs& dialogs, TimerFactory& timers,
                                   const QString& recognitionVerdict, const ReceiverDrivers& drivers,
                                   PollingControl& polling)
    : m_capture(capture), m_dialogs(dialogs), m_recognitionVerdict(recognitionVerdict), m_drivers(drivers),
      m_polling(polling), m_timer(timers.create(kWriteIntervalMs)) {
    m_timer->setHandler([this] { tick(); });
}

EepromOperations::~EepromOperations() = default;

int EepromOperations::readByte(std::uint8_t address, std::uint8_t& data) {
    UsbDriver* d = m_drivers.usb();
    return d ? d->DoEEPROMRead(address, data) : StatusNotConnected;
}

int EepromOperations::writeByte(std::uint8_t address, std::uint8_t data) {
    UsbDriver* d = m_drivers.usb();
    return d ? d->DoEEPROMWrite(address, data) : StatusNotConnected;
}

void EepromOperations::clearMemo() {
    m_view.memo.clear();
    m_view.memoRed = false;
}

bool EepromOperations::read() {
    clearMemo();
    std::array<std::uint8_t, kReadCount> bytes{};
    for (int a = 1; a <= kReadCount; ++a) {
        m_view.progress = percent(a, kReadCount);
        if (readByte(static_cast<std::uint8_t>(a), bytes[static_cast<std::size_t>(a - 1)]) != StatusOk) {
            m_view.memoRed = true;
            return false;
        }
    }
    m_view.memo = hexDump(bytes);
    m_view.progress = 0;
    return true;
}

bool EepromOperations::writeBurst() {
    clearMemo();
    const int count = m_capture.count;
    if (count <= 0) {
        m_dialogs.beep();
        m_view.memo << EepromText::kNothing;
        return false;
    }
    if (count > kMaxDurations) {
        m_dialogs.beep();
        m_view.memo << EepromText::kTooLong;
        return false;
    }
    m_image.fill(0);
    m_image[1] = static_cast<std::uint8_t>(count & 0xFF);
    for (int i = 1; i <= count; ++i)
        m_image[static_cast<std::size_t>(i + 1)] = static_cast<std::uint8_t>(m_capture.at(i) & 0xFF);
    m_view.memo = hexDump(std::span<const std::uint8_t>(m_image.data() + 2, static_cast<std::size_t>(count)));
    // Whether the fitted firmware tells the base's buttons apart, as the last fitting run found.
    if (!m_recognitionVerdict.isEmpty()) m_view.memo << m_recognitionVerdict;
    m_total = count + 1;
    m_index = 1;
    m_writing = true;
    m_timer->start(kWriteIntervalMs);
    return true;
}

// The run writes image bytes 1..total to addresses 1..total, then closes with 0x0A at address 0,
// so that the count at address 1 never promises a duration the EEPROM does not hold.
void EepromOperations::tick() {
    m_timer->stop();
    m_polling.stopPolling();
    bool again = false;
    if (m_writing) {
        const int steps = m_total + 1;
        m_view.progress = percent(m_index, steps);
        const int status = m_index <= m_total ? writeByte(static_cast<std::uint8_t>(m_index),
                                                          m_image[static_cast<std::size_t>(m_index)])
                                              : writeByte(0, kClosing);
        if (status != StatusOk) {
            m_view.memoRed = true; // the state stays at the failed index until the next run
        } else if (m_index >= steps) {
            m_view.progress = 0;
            m_writing = false;
        } else {
            ++m_index;
            again = true;
        }
    }
    if (again)
        m_timer->start();
    else
        m_polling.startPolling();
}

int EepromOperations::applySettings() {
    const std::array<std::uint8_t, 3> bytes{m_output.optionsByte(), m_output.zeroDepthByte(),
                                            m_output.oneDepthByte()};
    int failures = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (writeByte(static_cast<std::uint8_t>(kOptionsAddress + i), bytes[i]) != StatusOk) {
            m_dialogs.beep();
            ++failures;
        }
    }
    return failures;
}

} // namespace ravlin
