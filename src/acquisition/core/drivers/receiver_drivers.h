#pragma once

#include "acquisition/core/drivers/network_driver.h"
#include "acquisition/core/drivers/usb_driver.h"

#include <memory>

namespace ravlin {

// The one place that holds the backends behind both driver ports. Everything that talks to a
// receiver (the poller, the network receiver control, the EEPROM runs) asks it on every call, so a
// replaced backend is used from the next call on and none is kept after it is gone.
class ReceiverDrivers {
public:
    // The simulated receiver with no file (not connected) and the UDP network receiver, closed.
    ReceiverDrivers();
    ~ReceiverDrivers();
    ReceiverDrivers(const ReceiverDrivers&) = delete;
    ReceiverDrivers& operator=(const ReceiverDrivers&) = delete;

    // Null only after a null backend was put in: reads then report "not connected".
    UsbDriver* usb() const { return m_usb.get(); }
    NetworkDriver* network() const { return m_network.get(); }

    // Replace a backend; the one it replaces is destroyed. Returns the new one.
    template <typename D> D* setUsb(std::unique_ptr<D> driver) {
        D* raw = driver.get();
        m_usb = std::move(driver);
        return raw;
    }
    template <typename D> D* setNetwork(std::unique_ptr<D> driver) {
        D* raw = driver.get();
        m_network = std::move(driver);
        return raw;
    }

private:
    std::unique_ptr<UsbDriver> m_usb;
    std::unique_ptr<NetworkDriver> m_network;
};

} // namespace ravlin
