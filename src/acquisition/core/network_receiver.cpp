#include "acquisition/core/network_receiver.h"

#include "acquisition/core/drivers/receiver_drivers.h"
#include "platform/core/dialogs.h"

namespace ravlin {

NetworkReceiver::NetworkReceiver(const ReceptionSettings& settings, ReceiverDrivers& drivers,
                                 Dialogs& dialogs)
    : m_settings(settings), m_drivers(drivers), m_dialogs(dialogs) {}

void NetworkReceiver::start() {
    if (m_running) return;
    const QString address = m_settings.addressText();
    m_dialogs.beep();
    NetworkDriver* driver = m_drivers.network();
    const int code = driver ? driver->InitUDP(address, m_settings.port) : 0;
    // A driver that cannot start (an address or port it cannot use) is reported as a close failure is,
    // and the receiver is not marked running.
    if (code != 0) {
        report(code);
        return;
    }
    m_running = true;
}

void NetworkReceiver::close() {
    if (!m_running) return;
    m_running = false;
    closeDriver();
}

void NetworkReceiver::restart() {
    if (m_settings.kindText != QLatin1String("IgorPlug-UDP") || !m_running) return;
    close();
    start();
}

void NetworkReceiver::stop() {
    m_running = false;
    closeDriver();
}

void NetworkReceiver::closeDriver() {
    NetworkDriver* driver = m_drivers.network();
    const int code = driver ? driver->CloseUDP() : 0;
    if (code != 0) report(code);
}

void NetworkReceiver::report(int code) {
    m_dialogs.beep();
    m_dialogs.information(QStringLiteral("Произошёл сбой библиотеки N - ") + QString::number(code));
}

} // namespace ravlin
