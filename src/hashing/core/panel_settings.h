#pragma once

#include <QString>

namespace ravlin {

// Where the burst's hash text comes from (the five data-source choices of the hash-modules panel).
enum class HashSource {
    OneBitPlusM96, // "1b+M96": the decoder's text, otherwise the 1bit (or Xbit) hash with prefix "00"
    OneBit,        // " ХЭШ 1bit"
    XBit,          // " ХЭШ Xbit"
    M96,           // " ХЭШ M96": the decoder only
    M96NA,         // " ХЭШ M96 + N/A": the decoder, otherwise "N/A"
};

// Settings of the hash-modules panel, read by the processing run on every burst.
struct HashPanelSettings {
    HashSource source = HashSource::OneBitPlusM96;
    bool oneBit = true;       // CheckBoxHs2 "ХЭШ (Ver 3 mini - 1bit)"
    bool xBit = false;        // CheckBoxHs3 "ХЭШ (Ver 3 full - X bit)"
    bool decoder = true;      // CheckBoxHs96 "ХЭШ 96 и компания"
    bool oneBitLocked = true; // the three boxes are locked while the source needs them
    bool xBitLocked = false;
    bool decoderLocked = true;
    bool ver1 = true; // CheckBoxHs1 "Выдать результат" (в виде Ver1)
    QString threshold = QStringLiteral("3B"); // EditA3 "Порог", hexadecimal, at most 2 characters typed
    bool autoThreshold = true;                // CheckBox3 "Включить Автоподбор"
};

// The check boxes of the "Модуль 96 и другие" tab: which sub-decoders the protocol decoder tries.
// Members are named for the format a sub-decoder reads where it is certain and for its timing rule
// otherwise, as the sub-decoders are; hashing/core/sub_decoders.h gives each its number, enable flag,
// check box and caption.
struct DecoderSettings {
    bool nec = true;                       // "96 модуль"
    bool rc5 = true;                       // "RC5 модуль"
    bool pulseDistance42 = true;           // "57 модуль"
    bool pulseDistance16WithGap = true;    // "37M модуль"
    bool pulseDistance48 = true;           // "99 модуль"
    bool pulseDistance32 = true;           // "67 модуль"
    bool tail = true;                      // "Обрабатывать Хвосты"
    bool firstOfRepeats = true;            // "При повторных выдавать первую"
    bool pulseDistance11LongSpaces = true; // "23 модуль"
    bool msRemote = true;                  // "FC модуль"
    bool sirc = true;                      // "41 и 25 модули"
    bool jvc = true;                       // "33 модуль"
    bool pulseDistance24 = true;           // "51 модуль"
    bool runLength = true;                 // "M09 модуль"
    bool joystick = false;                 // "IR джойстик"
    bool mouse = false;                    // "IR Mouse"
    bool roison = false;                   // "кондиц. Roison"
    bool tadiran = false;                  // "кондиц. Tadiran"
    bool pulseDistanceLongLeader = true;   // "49 модуль"
    bool timeSlots = true;                 // "24 модуль"
    // Sub-decoders of formats the ones above leave to plain hashes; off unless ticked.
    bool rc6 = false;    // "RC6"
    bool sirc15 = false; // "SIRC15"
    bool rc5x = false;   // "RC5X"
};

} // namespace ravlin
