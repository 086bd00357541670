#pragma once

#include "acquisition/core/receiver_kind.h"

#include <QStringList>

#include <cstdint>

namespace ravlin {

// Size of the raw receive block the poller hands to a driver's read call.
inline constexpr int kRawBlockSize = 256;
// The second argument of the read call; the most bytes a block carries.
inline constexpr int kRawBlockMax = 255;

// Driver statuses the system tells apart.
enum DriverStatus : int { StatusOk = 0, StatusNotConnected = 1, StatusNoData = 2 };

// Port of the USB receivers' driver ("Movrik", "USBtiny", "IgorPlug-USB").
// Every call returns at once; the read call never blocks the window.
class UsbDriver {
public:
    virtual ~UsbDriver() = default;

    // Reads the burst waiting in the receiver, if any, into block (at most `max` bytes, never more
    // than 255) and sets count (0 when nothing is waiting). Returns the driver status.
    virtual int DoGetInfraCode(std::uint8_t* block, int max, std::int32_t& count) = 0;
    // Reads / writes one byte of the receiver's EEPROM. Return the driver status.
    virtual int DoEEPROMRead(std::uint8_t address, std::uint8_t& data) = 0;
    virtual int DoEEPROMWrite(std::uint8_t address, std::uint8_t data) = 0;

    // The receiver kind selected in the window, told whenever the kind is applied (a backend that
    // encodes durations itself writes them in this kind's byte format).
    virtual void setKind(ReceiverKind kind) { m_kind = kind; }
    ReceiverKind kind() const { return m_kind; }

    // A short description for the command line and the about box.
    virtual QString description() const = 0;

    // Warning lines for the result log gathered since the last call (a burst the backend had to
    // cut, ...).
    virtual QStringList takeWarnings() { return {}; }

protected:
    ReceiverKind m_kind = ReceiverKind::Movrik;
};

} // namespace ravlin
