#include "acquisition/core/drivers/udp_receiver.h"

#include "acquisition/core/drivers/udp_protocol.h"
#include "acquisition/core/drivers/usb_driver.h"

#include <QLoggingCategory>
#include <QNetworkDatagram>
#include <QUdpSocket>

#include <algorithm>
#include <cstring>

namespace ravlin {

namespace {

Q_LOGGING_CATEGORY(lcUdp, "ravlin.udp")

// A port typed as decimal text, 1..65535.
std::optional<quint16> parsePort(const QString& text) {
    bool ok = false;
    const uint v = text.trimmed().toUInt(&ok, 10);
    if (!ok || v == 0 || v > 65535) return std::nullopt;
    return static_cast<quint16>(v);
}

} // namespace

UdpReceiver::UdpReceiver(MonotonicMs now)
    : m_now(std::move(now)), m_log([](const QString& line) { qCWarning(lcUdp).noquote() << line; }) {}

UdpReceiver::~UdpReceiver() = default;

bool UdpReceiver::isOpen() const {
    return m_socket != nullptr;
}

quint16 UdpReceiver::localPort() const {
    return m_socket ? m_socket->localPort() : 0;
}

int UdpReceiver::InitUDP(const QString& address, const QString& port) {
    if (m_socket) CloseUDP();
    QHostAddress host;
    if (!host.setAddress(address.trimmed()) || host.isNull()) return InitBadAddress;
    const std::optional<quint16> p = parsePort(port);
    if (!p) return InitBadPort;
    // Connected to the receiver's address and port: the system then binds the socket to the local
    // address that reaches the receiver (not every interface) and drops datagrams of any other
    // sender before they reach the program.
    auto socket = std::make_unique<QUdpSocket>();
    socket->connectToHost(host, *p);
    if (socket->state() != QAbstractSocket::ConnectedState) return InitSocketFailed;
    m_socket = std::move(socket);
    m_address = host;
    m_port = *p;
    m_queue.clear();
    m_lastAnswer.reset();
    // The first poll goes out at once, so the first read may already find the answer.
    sendPoll();
    return InitOk;
}

int UdpReceiver::CloseUDP() {
    if (!m_socket) return kCloseNothingOpen;
    m_socket->close();
    m_socket.reset();
    m_queue.clear();
    m_lastAnswer.reset();
    return 0;
}

int UdpReceiver::DoGetInfraCode(std::uint8_t* block, int max, std::int32_t& count) {
    count = 0;
    if (!m_socket) return StatusNotConnected;
    const std::int64_t now = m_now();
    takePending(now);
    sendPoll();
    logDrops(now);
    const int limit = std::clamp(max, 0, kRawBlockMax);
    if (!m_queue.empty() && block && limit > 0) {
        const QByteArray& b = m_queue.front();
        const int n = std::min(static_cast<int>(b.size()), limit);
        std::memcpy(block, b.constData(), static_cast<std::size_t>(n));
        count = n;
        m_queue.pop_front();
    }
    const bool answered = m_lastAnswer && now - *m_lastAnswer <= kAnswerWindowMs;
    return answered ? StatusOk : StatusNotConnected;
}

void UdpReceiver::sendPoll() {
    // A failed send (no route, no interface, an earlier poll refused) only shows as the missing
    // answer; the socket stays usable for the next poll.
    m_socket->write(udp::pollDatagram());
}

void UdpReceiver::takePending(std::int64_t now) {
    for (int i = 0; i < kDatagramsPerRead && m_socket->hasPendingDatagrams(); ++i) {
        // One byte more than the largest datagram tells an oversized one; the rest is discarded.
        const QNetworkDatagram d = m_socket->receiveDatagram(udp::kMaxDatagram + 1);
        if (!d.isValid()) break;
        take(d.data(), d.senderAddress(), d.senderPort(), now);
    }
}

void UdpReceiver::take(const QByteArray& data, const QHostAddress& sender, int senderPort, std::int64_t now) {
    if (senderPort != m_port || !sender.isEqual(m_address, QHostAddress::ConvertV4MappedToIPv4)) {
        ++m_drops.foreign;
        return;
    }
    QByteArray payload;
    switch (udp::parseDatagram(data, &payload)) {
    case udp::Verdict::Block:
        m_lastAnswer = now;
        if (payload.isEmpty()) return; // keep-alive
        if (m_queue.size() >= kQueueLimit) {
            ++m_drops.queueFull;
            return;
        }
        m_queue.push_back(payload);
        return;
    case udp::Verdict::Truncated:
        ++m_drops.truncated;
        return;
    case udp::Verdict::Oversized:
        ++m_drops.oversized;
        return;
    case udp::Verdict::Poll:
    case udp::Verdict::BadHeader:
        ++m_drops.badHeader;
        return;
    }
}

void UdpReceiver::logDrops(std::int64_t now) {
    if (m_drops.total() == m_loggedTotal || !m_log) return;
    if (m_lastLog && now - *m_lastLog < kLogIntervalMs) return;
    m_lastLog = now;
    m_loggedTotal = m_drops.total();
    m_log(QStringLiteral("network receiver: %1 datagrams dropped so far (foreign %2, oversized %3, truncated "
                         "%4, bad header %5, queue full %6)")
              .arg(m_drops.total())
              .arg(m_drops.foreign)
              .arg(m_drops.oversized)
              .arg(m_drops.truncated)
              .arg(m_drops.badHeader)
              .arg(m_drops.queueFull));
}

} // namespace ravlin
