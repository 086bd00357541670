#pragma once

#include "acquisition/core/reception_settings.h"

namespace ravlin {

class Dialogs;
class ReceiverDrivers;

// Starts and closes the network receiver ("IgorPlug-UDP") with the address and port of the
// settings, and keeps its running flag. The driver is asked of the holder on every call.
class NetworkReceiver {
public:
    NetworkReceiver(const ReceptionSettings& settings, ReceiverDrivers& drivers, Dialogs& dialogs);

    bool isRunning() const { return m_running; }

    // Start: nothing when running; else beep, InitUDP(address, port), running; a failure of InitUDP is
    // reported in the words of Close and leaves the receiver stopped.
    void start();
    // Close: nothing unless running; else not running, CloseUDP, a non-zero code reported.
    void close();
    // "ReStart": close and start, only while running with the network kind selected.
    void restart();
    // "Stop": not running, CloseUDP in every case, a non-zero code reported.
    void stop();

private:
    void closeDriver();
    void report(int code);

    const ReceptionSettings& m_settings;
    ReceiverDrivers& m_drivers;
    Dialogs& m_dialogs;
    bool m_running = false;
};

} // namespace ravlin
