#pragma once

#include "formats/core/capture_file.h"
#include "acquisition/core/drivers/monotonic.h"

#include <QHostAddress>

#include <memory>
#include <optional>
#include <vector>

class QUdpSocket;

namespace ravlin {

// A network receiver without hardware: answers each poll of the protocol of udp_protocol.h with the
// next burst of a capture file as an "IgorPlug-UDP" block once the burst's delay since the previous one
// has passed (delays count from the first poll; after the last burst it starts again), and with a
// keep-alive otherwise. Runs on the event loop of the thread that owns it.
class UdpEmulator {
public:
    UdpEmulator(std::vector<CapturedBurst> bursts, MonotonicMs now = steadyMonotonicMs());
    ~UdpEmulator();

    // Listens at `bind`:`port` (0 picks a free port). On failure returns false with the reason.
    bool listen(const QHostAddress& bind, quint16 port, QString* error = nullptr);
    void stop();
    bool isListening() const;
    quint16 port() const;

    // The blocks served, in "IgorPlug-UDP" bytes (bursts that give no block are left out).
    const std::vector<std::vector<std::uint8_t>>& blocks() const { return m_blocks; }
    int polls() const { return m_polls; }
    int served() const { return m_served; }
    int ignored() const { return m_ignored; }

    // A burst of any kind in "IgorPlug-UDP" bytes: its durations in microseconds written in that
    // format (bytes of an "IgorPlug-UDP" burst as they stand).
    static std::vector<std::uint8_t> udpBlockOf(const CapturedBurst& burst);

private:
    void readPending();
    void answer(const QHostAddress& to, quint16 port);

    MonotonicMs m_now;
    std::vector<std::vector<std::uint8_t>> m_blocks;
    std::vector<std::int64_t> m_delays;
    std::unique_ptr<QUdpSocket> m_socket;
    std::size_t m_next = 0;
    std::optional<std::int64_t> m_lastServed;
    int m_polls = 0;
    int m_served = 0;
    int m_ignored = 0;
};

} // namespace ravlin
