#pragma once

#include "base/core/button_record.h"

#include <vector>

namespace ravlin {

// The in-memory base of received buttons: records 1..count of a fixed capacity of 750.
class ButtonBase {
public:
    static constexpr int kCapacity = 750;

    ButtonBase();

    int count() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    bool isFull() const { return m_count >= kCapacity; }

    // The record the editing commands act on: 0 none, count + 1 the burst on screen is new.
    int currentIndex() const { return m_current; }
    void setCurrentIndex(int index) { m_current = index; }

    // Records by index 1..750 (not only 1..count: the file reader and the start tick touch the rest).
    // An index outside 1..750 gives an empty record on read and is ignored on write.
    const ButtonRecord& record(int index) const;
    ButtonRecord& record(int index);
    void setRecord(int index, const ButtonRecord& record);

    // Appends with the rule of the automatic add and of Add: while the base is not full the
    // record becomes record count + 1; when full it replaces record 750 and the count stays.
    // Returns the index written and whether the limit was met (the caller beeps then).
    struct AppendResult {
        int index;
        bool atLimit;
    };
    AppendResult append(const ButtonRecord& record);

    // Sets the count (clamped to 0..750) without touching records.
    void setCount(int count);
    // Count 0 and every record's texts emptied (names too).
    void clear();

    // Index of the last record 1..count whose hash equals `hash` exactly, or 0.
    int lastIndexOfHash(const QString& hash) const;
    // Index of the first such record, or 0.
    int firstIndexOfHash(const QString& hash) const;

    // Removes record `index` (1..count), moving the later records down one place.
    void remove(int index);
    // Swaps two records with all their fields.
    void swap(int a, int b);

    // Records 1..count in order.
    std::vector<ButtonRecord> records() const;
    // Replaces records 1..n with `records` (at most 750) and sets the count.
    void setRecords(const std::vector<ButtonRecord>& records);

private:
    std::vector<ButtonRecord> m_records; // index 0 unused scratch, 1..750
    int m_count = 0;
    int m_current = 1;
};

} // namespace ravlin
