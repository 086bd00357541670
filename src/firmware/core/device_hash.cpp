#include "firmware/core/device_hash.h"

#include "base/core/key_names.h"
#include "firmware/core/hash_variables.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>

namespace ravlin {

namespace {

constexpr std::uint64_t kBitsMask = (std::uint64_t(1) << kDeviceHashBits) - 1;

std::uint64_t bitsOf(const DeviceHashInput& input, std::int32_t knPer) {
    std::uint64_t bits = 0;
    int shift = kDeviceHashBits - 1;
    for (std::int32_t d : input.lastFirst) {
        if (d >= knPer) bits |= std::uint64_t(1) << shift;
        --shift;
    }
    return bits;
}

std::uint64_t keepBits(std::uint64_t bits, int knBit) {
    const int k = std::clamp(knBit, 0, kDeviceHashBits);
    const std::uint64_t dropped = (std::uint64_t(1) << (kDeviceHashBits - k)) - 1;
    return bits & kBitsMask & ~dropped;
}

std::uint64_t pack(int rawCount, std::uint64_t bits) {
    return (std::uint64_t(rawCount & 0xFF) << 56) | bits;
}

bool sameText(const DeviceHashEntry& a, const DeviceHashEntry& b) {
    if (a.duplicate || b.duplicate) return a.duplicate && b.duplicate;
    return a.hash == b.hash;
}

struct Suffix {
    const char* name;
    const char* text;
};

constexpr Suffix kSuffixes[] = {
    {"Hvost", ",0x00,0x00,0x00,0x00,0x00,0x00,0x00  ; Хвост это"},
    {"PW", ",0x01,0x00,0x00,0x00,0x00,0x00,0x00  ; PW - Активирующая кнопка"},
    {"Key 0", ",0x02,0x00,0x00,0x00,0x00,0x00,0x00  ; K00"},
    {"Key 1", ",0x02,0x01,0x00,0x00,0x00,0x00,0x00  ; K01 01  - ON  контакт 1"},
    {"Key 2", ",0x02,0x04,0x00,0x00,0x00,0x00,0x00  ; K02 04  - Раскладка Первая"},
    {"Key 3", ",0x00,0x00,0x00,0x00,0x00,0x00,0x00  ; K03"},
    {"Key 4", ",0x02,0x02,0x00,0x00,0x00,0x00,0x00  ; K04 02  - OFF контакт 1"},
    {"Key 5", ",0x02,0x03,0x00,0x00,0x00,0x00,0x00  ; K05 03  - Раскладка Ноль"},
    {"Key 6", ",0x00,0x00,0x00,0x00,0x00,0x00,0x00  ; K06"},
    {"Key 7", ",0x02,0x05,0x00,0x00,0x00,0x00,0x00  ; K07 05  - ON/OFF контакт 2"},
    {"Key 8", ",0x02,0x06,0x00,0x00,0x00,0x00,0x00  ; K08 06  - ON/OFF контакт 3"},
    {"Key 9", ",0x02,0x07,0x00,0x00,0x00,0x00,0x00  ; K09 07  - ON/OFF контакт 4"},
};

const QString kOtherSuffix = QStringLiteral(",0x00,0x00,0x00,0x00,0x00,0x00,0x00  ; ");

} // namespace

std::int32_t durationAt(const QString& text, qsizetype pos) {
    std::int32_t value = 0;
    for (qsizetype i = pos; i < pos + 3; ++i) {
        const char16_t u = text.at(i).unicode();
        int digit = -1;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        value = value * 16 + digit;
    }
    return value;
}

int rawByteCount(const ButtonRecord& record) {
    int count = 0;
    for (int t = 0; t < 4; ++t) {
        const QString& text = record.timings[static_cast<std::size_t>(t)];
        for (qsizetype end = text.size(); end >= 3; end -= 3)
            count += rawBytesOf(durationAt(text, end - 3));
    }
    return count;
}

DeviceHashInput deviceHashInput(const ButtonRecord& record) {
    DeviceHashInput input;
    for (int t = 3; t >= 0; --t) {
        const QString& text = record.timings[static_cast<std::size_t>(t)];
        for (qsizetype end = text.size(); end >= 3; end -= 3) {
            const std::int32_t d = durationAt(text, end - 3);
            input.rawCount += rawBytesOf(d);
            if (input.lastFirst.size() < static_cast<std::size_t>(kDeviceHashBits))
                input.lastFirst.push_back(d);
        }
    }
    return input;
}

std::uint64_t deviceHashValue(const DeviceHashInput& input, int knBit, std::int32_t knPer) {
    return pack(input.rawCount, keepBits(bitsOf(input, knPer), knBit));
}

QString deviceHashText(std::uint64_t value) {
    QString text;
    text.reserve(39);
    for (int i = 7; i >= 0; --i) {
        if (i != 7) text += QLatin1Char(',');
        text += QStringLiteral("0x") + ByteHex(static_cast<std::int64_t>((value >> (8 * i)) & 0xFF));
    }
    return text;
}

QString DeviceHash(const ButtonRecord& record, int knBit, std::int32_t knPer) {
    return deviceHashText(deviceHashValue(deviceHashInput(record), knBit, knPer));
}

DeviceHashBuilder::DeviceHashBuilder(const ButtonBase& base, std::int32_t knPer) {
    QSet<QString> keys;
    for (int i = 1; i <= base.count(); ++i) {
        const ButtonRecord& r = base.record(i);
        if (keys.contains(r.hash)) continue;
        keys.insert(r.hash);
        const DeviceHashInput input = deviceHashInput(r);
        m_items.push_back(
            {r.hash, r.buttonName, static_cast<std::uint8_t>(input.rawCount & 0xFF), bitsOf(input, knPer)});
    }
}

void DeviceHashBuilder::build(int knBit, DeviceHashTable& table) const {
    table.entries.clear();
    table.actionCodes.clear();
    table.entries.reserve(m_items.size());
    for (const Item& item : m_items)
        table.entries.push_back({item.key, pack(item.count, keepBits(item.bits, knBit)), false, item.name});
}

void BuildDeviceHashTable(const ButtonBase& base, int knBit, std::int32_t knPer, DeviceHashTable& table) {
    DeviceHashBuilder(base, knPer).build(knBit, table);
}

int countDuplicates(DeviceHashTable& table, bool mark) {
    std::vector<DeviceHashEntry>& e = table.entries;
    int count = 0;
    if (mark) {
        for (std::size_t i = 0; i < e.size(); ++i)
            for (std::size_t j = i + 1; j < e.size(); ++j)
                if (sameText(e[i], e[j])) {
                    ++count;
                    e[j].duplicate = true;
                }
        return count;
    }
    // Equal pairs, counted per group of equal texts (markers form one group).
    std::vector<std::uint64_t> hashes;
    std::int64_t markers = 0;
    hashes.reserve(e.size());
    for (const DeviceHashEntry& entry : e) {
        if (entry.duplicate)
            ++markers;
        else
            hashes.push_back(entry.hash);
    }
    std::sort(hashes.begin(), hashes.end());
    std::int64_t pairs = markers * (markers - 1) / 2;
    for (std::size_t i = 0; i < hashes.size();) {
        std::size_t j = i;
        while (j < hashes.size() && hashes[j] == hashes[i])
            ++j;
        const std::int64_t n = static_cast<std::int64_t>(j - i);
        pairs += n * (n - 1) / 2;
        i = j;
    }
    return static_cast<int>(pairs);
}

void removeDuplicateEntries(DeviceHashTable& table) {
    std::erase_if(table.entries, [](const DeviceHashEntry& e) { return e.duplicate; });
    table.actionCodes.clear();
}

void shortEntriesFirst(DeviceHashTable& table) {
    std::stable_partition(table.entries.begin(), table.entries.end(),
                          [](const DeviceHashEntry& e) { return e.duplicate ? false : e.countByte() < 8; });
    table.actionCodes.clear();
}

std::vector<int> actionCodes(const DeviceHashTable& table) {
    std::vector<int> codes;
    codes.reserve(table.entries.size());
    QHash<QString, int> byName;
    int nextFree = 64;
    const QString unknown = KeyNamTab::name(KeyNamTab::kUnknown);
    for (const DeviceHashEntry& e : table.entries) {
        int code = 0;
        const int index = KeyNamTab::indexOf(e.buttonName);
        if (e.buttonName == KeyNamTab::name(KeyNamTab::kRepeat)) {
            code = 255;
        } else if (e.buttonName != unknown && byName.contains(e.buttonName)) {
            code = byName.value(e.buttonName);
        } else if (e.buttonName != unknown && index >= 1 && index <= KeyNamTab::kLast) {
            code = index;
        } else {
            code = ++nextFree;
        }
        if (!byName.contains(e.buttonName)) byName.insert(e.buttonName, code);
        codes.push_back(code);
    }
    return codes;
}

QString rowSuffix(const QString& buttonName) {
    for (const Suffix& s : kSuffixes)
        if (buttonName == QLatin1String(s.name)) return QString::fromUtf8(s.text);
    return kOtherSuffix + buttonName;
}

} // namespace ravlin
