#include "acquisition/core/drivers/receiver_drivers.h"

#include "acquisition/core/drivers/simulated_receiver.h"

namespace ravlin {

ReceiverDrivers::ReceiverDrivers()
    : m_usb(std::make_unique<SimulatedReceiver>()), m_network(std::make_unique<NetworkDriverStub>()) {}

ReceiverDrivers::~ReceiverDrivers() = default;

} // namespace ravlin
