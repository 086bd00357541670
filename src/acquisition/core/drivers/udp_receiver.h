#pragma once

#include "acquisition/core/drivers/monotonic.h"
#include "acquisition/core/drivers/network_driver.h"

#include <QByteArray>
#include <QHostAddress>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

class QUdpSocket;

namespace ravlin {

// The network receiver's driver: talks to one receiver over UDP with the protocol of udp_protocol.h.
// No call ever waits: each read takes the datagrams that arrived since the previous read, sends the
// next poll, and hands out the oldest block received.
class UdpReceiver : public NetworkDriver {
public:
    // InitUDP results.
    enum InitResult : int { InitOk = 0, InitBadAddress = 2, InitBadPort = 3, InitSocketFailed = 4 };
    // CloseUDP's result when nothing was open.
    static constexpr int kCloseNothingOpen = 1;
    // Status 0 while the receiver answered within this time.
    static constexpr std::int64_t kAnswerWindowMs = 3000;
    // Blocks kept for the reads to come; further blocks are dropped until the reads catch up.
    static constexpr std::size_t kQueueLimit = 32;
    // Datagrams taken per read, so a flood cannot hold the window; the rest wait in the socket.
    static constexpr int kDatagramsPerRead = 256;
    // The drop counts go to the log at most this often.
    static constexpr std::int64_t kLogIntervalMs = 1000;

    // Datagrams dropped since the receiver was created.
    struct Drops {
        int foreign = 0;   // not from the configured address and port
        int oversized = 0; // longer than declared or than the largest datagram
        int truncated = 0; // shorter than the header or than declared
        int badHeader = 0; // wrong magic, version or type (a poll from the receiver included)
        int queueFull = 0; // blocks beyond the queue limit
        int total() const { return foreign + oversized + truncated + badHeader + queueFull; }
    };

    explicit UdpReceiver(MonotonicMs now = steadyMonotonicMs());
    ~UdpReceiver() override;

    int InitUDP(const QString& address, const QString& port) override;
    int DoGetInfraCode(std::uint8_t* block, int max, std::int32_t& count) override;
    int CloseUDP() override;

    bool isOpen() const;
    // The local port the polls are sent from (0 when not open).
    quint16 localPort() const;
    const Drops& drops() const { return m_drops; }
    std::size_t queued() const { return m_queue.size(); }
    // Where the drop counts are written (default: the "ravlin.udp" logging category).
    void setLog(std::function<void(const QString&)> log) { m_log = std::move(log); }

private:
    void sendPoll();
    void takePending(std::int64_t now);
    void take(const QByteArray& data, const QHostAddress& sender, int senderPort, std::int64_t now);
    void logDrops(std::int64_t now);

    MonotonicMs m_now;
    std::unique_ptr<QUdpSocket> m_socket;
    QHostAddress m_address;
    quint16 m_port = 0;
    std::deque<QByteArray> m_queue;
    std::optional<std::int64_t> m_lastAnswer;
    Drops m_drops;
    int m_loggedTotal = 0;
    std::optional<std::int64_t> m_lastLog;
    std::function<void(const QString&)> m_log;
};

} // namespace ravlin
