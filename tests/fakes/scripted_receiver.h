#pragma once

#include "acquisition/core/drivers/network_driver.h"
#include "acquisition/core/drivers/usb_driver.h"

#include <QList>
#include <QStringList>

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace ravlin::fakes {

// One answer of a scripted read call.
struct ScriptedRead {
    int status = 0;
    std::vector<std::uint8_t> bytes; // the block's bytes; count is their number unless `count` is set
    std::optional<int> count;        // the count the driver reports, when not the bytes' number
};

// A USB receiver whose read calls answer from a queue; with the queue empty it answers `idleStatus`
// and count 0. Records the reads and the kinds it was told.
class ScriptedReceiver : public UsbDriver {
public:
    std::deque<ScriptedRead> reads;
    int idleStatus = 0;
    int readCalls = 0;
    QList<ReceiverKind> kindsTold;
    std::array<std::uint8_t, 128> eeprom{};
    int eepromStatus = 0;
    QStringList eepromLog; // "r AA" / "w AA VV"

    void queue(std::vector<std::uint8_t> bytes, int status = 0) {
        reads.push_back({status, std::move(bytes), std::nullopt});
    }
    void queueStatus(int status, int times = 1) {
        for (int i = 0; i < times; ++i)
            reads.push_back({status, {}, std::nullopt});
    }

    int DoGetInfraCode(std::uint8_t* block, int max, std::int32_t& count) override;
    int DoEEPROMRead(std::uint8_t address, std::uint8_t& data) override;
    int DoEEPROMWrite(std::uint8_t address, std::uint8_t data) override;
    void setKind(ReceiverKind kind) override {
        UsbDriver::setKind(kind);
        kindsTold << kind;
    }
    QString description() const override { return QStringLiteral("scripted receiver"); }
};

// A network driver that records its calls and answers from a queue like ScriptedReceiver.
class ScriptedNetworkDriver : public NetworkDriver {
public:
    std::deque<ScriptedRead> reads;
    int idleStatus = 0;
    int initResult = 0;
    int closeResult = 0;
    QStringList calls; // "init ADDRESS PORT", "close", "read"

    int InitUDP(const QString& address, const QString& port) override {
        calls << QStringLiteral("init %1 %2").arg(address, port);
        return initResult;
    }
    int DoGetInfraCode(std::uint8_t* block, int max, std::int32_t& count) override;
    int CloseUDP() override {
        calls << QStringLiteral("close");
        return closeResult;
    }
};

} // namespace ravlin::fakes
