#pragma once

#include "acquisition/core/receiver_kind.h"

#include <QString>

#include <cstdint>

namespace ravlin {

// Port of the network receiver's driver ("IgorPlug-UDP").
class NetworkDriver {
public:
    virtual ~NetworkDriver() = default;

    // Starts talking to the receiver at `address`:`port` (texts as typed). Returns 0 on success.
    virtual int InitUDP(const QString& address, const QString& port) = 0;
    // The read call, with the meaning of UsbDriver::DoGetInfraCode.
    virtual int DoGetInfraCode(std::uint8_t* block, int max, std::int32_t& count) = 0;
    // Stops talking to the receiver. Returns 0 on success, else an error code.
    virtual int CloseUDP() = 0;

    virtual void setKind(ReceiverKind kind) { m_kind = kind; }
    ReceiverKind kind() const { return m_kind; }

protected:
    ReceiverKind m_kind = ReceiverKind::IgorPlugUdp;
};

// Stand-in until a network receiver exists: never connected, closes without fault.
class NetworkDriverStub : public NetworkDriver {
public:
    int InitUDP(const QString&, const QString&) override { return 0; }
    int DoGetInfraCode(std::uint8_t*, int, std::int32_t& count) override {
        count = 0;
        return StatusNotConnectedCode;
    }
    int CloseUDP() override { return 0; }

private:
    static constexpr int StatusNotConnectedCode = 1;
};

} // namespace ravlin
