// Datagrams of the network receiver protocol: any bytes get a verdict, a block's payload is what
// the header declares, and blocks built by the sender parse back to their bytes.
#include "acquisition/core/drivers/udp_protocol.h"
#include "fuzz_check.h"

#include <vector>

using namespace ravlin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray datagram(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QByteArray payload;
    const udp::Verdict v = udp::parseDatagram(datagram, &payload);
    if (v == udp::Verdict::Block) {
        FUZZ_CHECK(payload.size() <= udp::kMaxPayload);
        FUZZ_CHECK(datagram.size() == udp::kHeaderSize + payload.size());
        FUZZ_CHECK(datagram.mid(udp::kHeaderSize) == payload);
    }
    if (v == udp::Verdict::Poll) FUZZ_CHECK(datagram == udp::pollDatagram());
    // The sender's side: any bytes as a block (more than 255 are cut).
    const std::vector<std::uint8_t> bytes(data, data + size);
    QByteArray back;
    FUZZ_CHECK(udp::parseDatagram(udp::blockDatagram(bytes), &back) == udp::Verdict::Block);
    FUZZ_CHECK(back == datagram.left(udp::kMaxPayload));
    return 0;
}
