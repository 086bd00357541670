#include "acquisition/core/drivers/receiver_drivers.h"

#include "acquisition/core/drivers/simulated_receiver.h"
#include "acquisition/core/drivers/udp_receiver.h"

namespace ravlin {

ReceiverDrivers::ReceiverDrivers()
    : m_usb(std::make_unique<SimulatedReceiver>()), m_network(std::make_unique<UdpReceiver>()) {}

ReceiverDrivers::~ReceiverDrivers() = default;

} // namespace ravlin
