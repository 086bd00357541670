#pragma once
// Shared by the fuzz targets: properties are checked with explicit aborts, so a broken property
// is a finding just like a crash.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                                     \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__);                \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

namespace fuzz {

// Bytes of the input taken one at a time from the front; past the end everything reads as zero.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    // The rest of the input.
    QByteArray rest() {
        const QByteArray out(reinterpret_cast<const char*>(m_data + m_pos),
                             static_cast<qsizetype>(m_size - m_pos));
        m_pos = m_size;
        return out;
    }
    bool empty() const { return m_pos >= m_size; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

} // namespace fuzz
