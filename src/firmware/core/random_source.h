#pragma once

#include <QRandomGenerator>

#include <cstdint>

namespace ravlin {

// Random numbers for the patch identifier; tests give a fixed sequence.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seed(std::uint64_t value) = 0;
    // A number 0..bound-1.
    virtual std::uint32_t below(std::uint32_t bound) = 0;
};

class SeededRandom : public RandomSource {
public:
    void seed(std::uint64_t value) override { m_generator.seed(static_cast<quint32>(value ^ (value >> 32))); }
    std::uint32_t below(std::uint32_t bound) override { return bound == 0 ? 0 : m_generator.bounded(bound); }

private:
    QRandomGenerator m_generator;
};

} // namespace ravlin
