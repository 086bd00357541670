#pragma once

#include "base/core/button_base.h"
#include "base/core/button_record.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace ravlin {

// The text a device hash takes while a fitting run marks it as a repeat of an earlier one.
inline const QString kDuplicateMarker = QStringLiteral("Дубль");

// The firmware hash covers at most this many durations (seven hash bytes).
inline constexpr int kDeviceHashBits = 56;

// A record reduced for the firmware hash: durations of timing texts 4, 3, 2, 1 visited from the
// last one backwards (three hex digits each, taken from the end of each text).
struct DeviceHashInput {
    int rawCount = 0;                    // raw bytes of all visited durations
    std::vector<std::int32_t> lastFirst; // the first 56 durations visited
};

DeviceHashInput deviceHashInput(const ButtonRecord& record);
// The raw byte count alone (the first byte of the device hash, before it is cut to a byte).
int rawByteCount(const ButtonRecord& record);
// The duration written at characters pos..pos+2 of a timing text, read as StrToBase reads it
// (characters other than "0".."9", "A".."F" count as digit -1). The caller keeps pos + 3 <= size.
std::int32_t durationAt(const QString& text, qsizetype pos);

// The device hash packed as eight bytes, the raw byte count (low byte) most significant, then the
// seven hash bytes. Two device hash texts are equal exactly when these values are.
std::uint64_t deviceHashValue(const DeviceHashInput& input, int knBit, std::int32_t knPer);
// The text of a packed device hash: "0x1A,0x5C,0x03,0x00,0x00,0x00,0x00,0x00" (39 characters).
QString deviceHashText(std::uint64_t value);

// DeviceHash of one record with the given KnBit (kept within 0..56) and KnPer.
QString DeviceHash(const ButtonRecord& record, int knBit, std::int32_t knPer);

struct DeviceHashEntry {
    QString key;            // the record's hash text
    std::uint64_t hash = 0; // the packed device hash
    bool duplicate = false; // marked "Дубль" by a duplicate count
    QString buttonName;

    std::uint8_t countByte() const { return static_cast<std::uint8_t>(hash >> 56); }
    // The device hash text, or "Дубль" when marked.
    QString text() const { return duplicate ? kDuplicateMarker : deviceHashText(hash); }
};

// One entry per distinct button (by hash text), in base order; the action codes are filled by
// the patch writer.
struct DeviceHashTable {
    std::vector<DeviceHashEntry> entries;
    std::vector<int> actionCodes;

    int count() const { return static_cast<int>(entries.size()); }
};

// The distinct buttons of a base reduced once for one KnPer, so that a fitting run can rebuild
// the table for many KnBit values cheaply.
class DeviceHashBuilder {
public:
    DeviceHashBuilder(const ButtonBase& base, std::int32_t knPer);
    // BuildDeviceHashTable with this KnBit: replaces the whole table.
    void build(int knBit, DeviceHashTable& table) const;

private:
    struct Item {
        QString key;
        QString name;
        std::uint8_t count;
        std::uint64_t bits; // first 56 bits, the first visited duration at bit 55
    };
    std::vector<Item> m_items;
};

// Builds the table for a whole base in one call.
void BuildDeviceHashTable(const ButtonBase& base, int knBit, std::int32_t knPer, DeviceHashTable& table);

// Duplicate counting over entries 1..count comparing device hash texts. With marking every later
// equal entry becomes "Дубль" (and markers compare equal to each other); without marking the
// number of equal pairs is returned and nothing changes.
int countDuplicates(DeviceHashTable& table, bool mark);
// Removes the entries marked "Дубль", keeping the order of the rest.
void removeDuplicateEntries(DeviceHashTable& table);
// Entries whose count byte is below 8 first, each group in its previous order.
void shortEntriesFirst(DeviceHashTable& table);

// Action codes of the entries, in order: "Hvost" 255; a name seen earlier takes its code; a name
// of KeyNamTab 1..64 its index; any other name (every "N/A") the next free code from 65.
std::vector<int> actionCodes(const DeviceHashTable& table);
// The seven action bytes and the comment written after an entry's code.
QString rowSuffix(const QString& buttonName);

} // namespace ravlin
