#include "base/core/button_base.h"

#include <algorithm>
#include <utility>

namespace ravlin {

namespace {

ButtonRecord cutNames(ButtonRecord r) {
    r.remoteName = cutName(r.remoteName);
    r.buttonName = cutName(r.buttonName);
    return r;
}

} // namespace

ButtonBase::ButtonBase() : m_records(kCapacity + 1) {}

const ButtonRecord& ButtonBase::record(int index) const {
    static const ButtonRecord empty;
    return index >= 1 && index <= kCapacity ? m_records[index] : empty;
}

ButtonRecord& ButtonBase::record(int index) {
    // Writes outside 1..750 land in the unused slot 0 and are discarded.
    if (index < 1 || index > kCapacity) {
        m_records[0] = ButtonRecord();
        return m_records[0];
    }
    return m_records[index];
}

void ButtonBase::setRecord(int index, const ButtonRecord& record) {
    if (index >= 1 && index <= kCapacity) m_records[index] = cutNames(record);
}

ButtonBase::AppendResult ButtonBase::append(const ButtonRecord& record) {
    if (m_count >= kCapacity) {
        m_count = kCapacity;
        m_records[kCapacity] = cutNames(record);
        return {kCapacity, true};
    }
    ++m_count;
    m_records[m_count] = cutNames(record);
    return {m_count, m_count >= kCapacity};
}

void ButtonBase::setCount(int count) {
    m_count = std::clamp(count, 0, kCapacity);
}

void ButtonBase::clear() {
    m_count = 0;
    for (auto& r : m_records)
        r = ButtonRecord();
}

int ButtonBase::lastIndexOfHash(const QString& hash) const {
    for (int i = m_count; i >= 1; --i)
        if (m_records[i].hash == hash) return i;
    return 0;
}

int ButtonBase::firstIndexOfHash(const QString& hash) const {
    for (int i = 1; i <= m_count; ++i)
        if (m_records[i].hash == hash) return i;
    return 0;
}

void ButtonBase::remove(int index) {
    if (index < 1 || index > m_count) return;
    for (int i = index; i < m_count; ++i)
        m_records[i] = std::move(m_records[i + 1]);
    m_records[m_count] = ButtonRecord();
    --m_count;
}

void ButtonBase::swap(int a, int b) {
    if (a < 1 || a > kCapacity || b < 1 || b > kCapacity) return;
    std::swap(m_records[a], m_records[b]);
}

std::vector<ButtonRecord> ButtonBase::records() const {
    return std::vector<ButtonRecord>(m_records.begin() + 1, m_records.begin() + 1 + m_count);
}

void ButtonBase::setRecords(const std::vector<ButtonRecord>& records) {
    const int n = std::min<int>(static_cast<int>(records.size()), kCapacity);
    for (int i = 0; i < n; ++i)
        m_records[i + 1] = cutNames(records[i]);
    for (int i = n + 1; i <= kCapacity; ++i)
        m_records[i] = ButtonRecord();
    m_count = n;
}

} // namespace ravlin
