#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"

#include "acquisition/core/receiver_kind.h"

namespace ravlin {

// Receiver polling: a stored burst is drawn and processed; the rescan speed goes to the rescan.
void Workbench::connectReceiver() {
    m_poller = std::make_unique<Poller>(
        PollerState{m_capture, m_working, m_base, m_reception, m_entry.view, m_burst, m_log}, m_drivers,
        m_timers, m_dialogs);
    m_reception.burstPageActive = isBurstPageActive();
    // The poller has stopped polling before it announces the burst, so it is only scheduled here
    // (the processing run stops polling once more when it starts: something may restart it meanwhile).
    connect(m_poller.get(), &Poller::burstStored, this, [this] {
        drawBurst();
        m_pipeline->schedule();
    });
    connect(m_poller.get(), &Poller::rescanIntervalChanged, this,
            [this](int ms) { m_rescan->setIntervalMs(ms); });
}

void Workbench::setUsbDriver(std::unique_ptr<UsbDriver> driver) {
    if (!driver) return;
    driver->setKind(m_poller->kind());
    m_drivers.setUsb(std::move(driver));
}

void Workbench::setNetworkDriver(std::unique_ptr<NetworkDriver> driver) {
    if (driver) m_drivers.setNetwork(std::move(driver));
}

double Workbench::durationUnitMs() const {
    return ReceiverKinds::unitMs(m_poller->kind());
}

} // namespace ravlin
