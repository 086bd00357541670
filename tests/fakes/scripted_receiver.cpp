#include "fakes/scripted_receiver.h"

#include <algorithm>
#include <cstring>

namespace ravlin::fakes {

namespace {

int answer(std::deque<ScriptedRead>& reads, int idleStatus, std::uint8_t* block, int max,
           std::int32_t& count) {
    count = 0;
    if (reads.empty()) return idleStatus;
    ScriptedRead r = std::move(reads.front());
    reads.pop_front();
    const int n = std::min<int>(static_cast<int>(r.bytes.size()), std::max(max, 0));
    if (n > 0) std::memcpy(block, r.bytes.data(), static_cast<std::size_t>(n));
    count = r.count.value_or(n);
    return r.status;
}

} // namespace

int ScriptedReceiver::DoGetInfraCode(std::uint8_t* block, int max, std::int32_t& count) {
    ++readCalls;
    return answer(reads, idleStatus, block, max, count);
}

int ScriptedReceiver::DoEEPROMRead(std::uint8_t address, std::uint8_t& data) {
    eepromLog << QStringLiteral("r %1").arg(address);
    if (eepromStatus == 0 && address < eeprom.size()) data = eeprom[address];
    return eepromStatus;
}

int ScriptedReceiver::DoEEPROMWrite(std::uint8_t address, std::uint8_t data) {
    eepromLog << QStringLiteral("w %1 %2").arg(address).arg(data);
    if (eepromStatus == 0 && address < eeprom.size()) eeprom[address] = data;
    return eepromStatus;
}

int ScriptedNetworkDriver::DoGetInfraCode(std::uint8_t* block, int max, std::int32_t& count) {
    calls << QStringLiteral("read");
    return answer(reads, idleStatus, block, max, count);
}

} // namespace ravlin::fakes
