#pragma once

#include <cstdint>

namespace ravlin {

// Group " Действие при известной  кнопке " (RadioButtonA1..A3).
enum class KnownButtonAction { Emulate, LengthsV8, ResultV9 };
// Group " Действие при неизвестной кнопке " (RadioButtonB1..B3).
enum class UnknownButtonAction { Nothing, LengthsV8, ErrorV9 };

// The receiver's output settings: the tab "Настройки выхода" of the fitting window and the tab
// " Настройки системы " of the EEPROM window carry the same controls with the same defaults.
struct OutputSettings {
    static constexpr int kDepthMax = 8;   // TrackBarX1, TrackBarX2: 0 "Авто", 1..8 shown as 0..7
    static constexpr int kPauseMax = 127; // TrackBarX3
    static constexpr int kPauseDefault = 109;

    KnownButtonAction known = KnownButtonAction::ResultV9;
    UnknownButtonAction unknown = UnknownButtonAction::LengthsV8;
    bool noV9 = false;         // CheckBoxC1 "Отключить все функции V9    "
    bool silent = false;       // CheckBoxC2 "Не сообщать системе о кнопках"
    bool noDetector = false;   // CheckBoxC3 "Отключить детектор - без автоном."
    bool noOnes = false;       // CheckBoxC4 "Отключает приём единиц"
    int zeroDepth = 0;         // TrackBarX1 "При приёме нуля"
    int oneDepth = 0;          // TrackBarX2 "При приёме единицы"
    bool pauseMode = false;    // CheckBoxX1 "Включить режим "
    int pause = kPauseDefault; // TrackBarX3 "(1-128) x 2", enabled only in pause mode

    // The byte the patch and the EEPROM carry; bit 7 is the most significant.
    std::uint8_t optionsByte() const;
    // 247 + "При приёме нуля" (position 0 counts as 2), or the pause position in pause mode.
    std::uint8_t zeroDepthByte() const;
    // 247 + "При приёме единицы" (position 0 counts as 5).
    std::uint8_t oneDepthByte() const;

    bool operator==(const OutputSettings&) const = default;
};

} // namespace ravlin
