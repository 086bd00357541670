#include "acquisition/core/drivers/udp_emulator.h"

#include "acquisition/core/drivers/udp_protocol.h"
#include "formats/core/mode2.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

#include <algorithm>

namespace ravlin {

std::vector<std::uint8_t> UdpEmulator::udpBlockOf(const CapturedBurst& burst) {
    if (burst.kind == ReceiverKind::IgorPlugUdp) {
        std::vector<std::uint8_t> bytes = burst.bytes;
        if (bytes.size() > static_cast<std::size_t>(udp::kMaxPayload)) bytes.resize(udp::kMaxPayload);
        return bytes;
    }
    std::vector<std::uint32_t> micros;
    for (std::int32_t d : convertRawBlock(burst.kind, burst.bytes))
        micros.push_back(static_cast<std::uint32_t>(unitsToMicros(std::max(d, 0), burst.kind)));
    return encodeMicros(ReceiverKind::IgorPlugUdp, micros, udp::kMaxPayload);
}

UdpEmulator::UdpEmulator(std::vector<CapturedBurst> bursts, MonotonicMs now) : m_now(std::move(now)) {
    for (const CapturedBurst& b : bursts) {
        std::vector<std::uint8_t> block = udpBlockOf(b);
        if (block.empty()) continue;
        m_blocks.push_back(std::move(block));
        m_delays.push_back(b.delayMs);
    }
}

UdpEmulator::~UdpEmulator() = default;

bool UdpEmulator::listen(const QHostAddress& bind, quint16 port, QString* error) {
    stop();
    auto socket = std::make_unique<QUdpSocket>();
    if (!socket->bind(bind, port)) {
        if (error) *error = socket->errorString();
        return false;
    }
    QObject::connect(socket.get(), &QUdpSocket::readyRead, socket.get(), [this] { readPending(); });
    m_socket = std::move(socket);
    return true;
}

void UdpEmulator::stop() {
    m_socket.reset();
}

bool UdpEmulator::isListening() const {
    return m_socket != nullptr;
}

quint16 UdpEmulator::port() const {
    return m_socket ? m_socket->localPort() : 0;
}

void UdpEmulator::readPending() {
    while (m_socket && m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = m_socket->receiveDatagram(udp::kMaxDatagram + 1);
        if (!d.isValid()) break;
        if (udp::parseDatagram(d.data()) != udp::Verdict::Poll) {
            ++m_ignored;
            continue;
        }
        ++m_polls;
        answer(d.senderAddress(), static_cast<quint16>(d.senderPort()));
    }
}

void UdpEmulator::answer(const QHostAddress& to, quint16 port) {
    const std::int64_t now = m_now();
    if (!m_lastServed) m_lastServed = now;
    if (!m_blocks.empty() && now - *m_lastServed >= m_delays[m_next]) {
        m_socket->writeDatagram(udp::blockDatagram(m_blocks[m_next]), to, port);
        m_lastServed = now;
        m_next = (m_next + 1) % m_blocks.size();
        ++m_served;
        return;
    }
    m_socket->writeDatagram(udp::blockDatagram({}), to, port);
}

} // namespace ravlin
