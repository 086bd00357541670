#pragma once

#include <QString>

#include <array>

namespace ravlin {

inline constexpr int kTimingTextCount = 6;
inline constexpr int kDurationsPerTimingText = 33;
inline constexpr int kNameLength = 16;

// Cuts a remote or button name to the 16 characters a record holds.
inline QString cutName(const QString& name) {
    return name.left(kNameLength);
}

// One received button: its nine fields, always moved together.
struct ButtonRecord {
    QString remoteName; // at most 16 characters
    QString buttonName; // at most 16 characters
    QString hash;
    std::array<QString, kTimingTextCount> timings; // timing texts 1..6 at indexes 0..5

    bool operator==(const ButtonRecord&) const = default;
};

// The hash text and timing texts of the burst on screen.
struct WorkingRecord {
    static inline const QString kHashPlaceholder = QStringLiteral("Тут преобразованное значение");
    static inline const QString kTimingPlaceholder =
        QStringLiteral("Тут будут отображаться значения таймингов кнопки");

    QString hash = kHashPlaceholder;
    std::array<QString, kTimingTextCount> timings = {kTimingPlaceholder, {}, {}, {}, {}, {}};

    bool hasBurst() const { return hash != kHashPlaceholder; }
    void reset() { *this = WorkingRecord(); }
};

} // namespace ravlin
