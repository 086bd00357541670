#include "hashing/core/sub_decoders.h"

namespace ravlin {

namespace {

constexpr SubDecoderRow kRows[] = {
    {1, 1, 1, &DecoderSettings::nec, "CheckBoxM96", "96 модуль"},
    {2, 1, 2, &DecoderSettings::rc5, "CheckBoxRC5", "RC5 модуль"},
    {3, 1, 3, &DecoderSettings::m57, "CheckBoxM57", "57 модуль"},
    {4, 1, 4, &DecoderSettings::m37, "CheckBoxM37", "37M модуль"},
    {5, 1, 5, &DecoderSettings::m99, "CheckBoxM99", "99 модуль"},
    {6, 1, 6, &DecoderSettings::necWithoutComplement, "CheckBoxM67", "67 модуль"},
    {7, 1, 7, &DecoderSettings::tails, "CheckBoxTails", "Обрабатывать Хвосты"},
    {0, 1, 8, &DecoderSettings::firstOfRepeats, "CheckBoxFirst", "При повторных выдавать первую"},
    {9, 2, 1, &DecoderSettings::m23, "CheckBoxM23", "23 модуль"},
    {10, 2, 2, &DecoderSettings::msRemote, "CheckBoxFC", "FC модуль"},
    {11, 2, 3, &DecoderSettings::sony, "CheckBoxM41", "41 и 25 модули"},
    {12, 2, 4, &DecoderSettings::jvc, "CheckBoxM33", "33 модуль"},
    {13, 2, 5, &DecoderSettings::m51, "CheckBoxM51", "51 модуль"},
    {14, 2, 6, &DecoderSettings::m09, "CheckBoxM09", "M09 модуль"},
    {15, 2, 7, &DecoderSettings::joystick, "CheckBoxJoystick", "IR джойстик"},
    {16, 2, 8, &DecoderSettings::mouse, "CheckBoxMouse", "IR Mouse"},
    {17, 3, 1, &DecoderSettings::roison, "CheckBoxRoison", "кондиц. Roison"},
    {18, 3, 2, &DecoderSettings::tadiran, "CheckBoxTadiran", "кондиц. Tadiran"},
    {19, 3, 7, &DecoderSettings::m49, "CheckBoxM49", "49 модуль"},
    {20, 3, 8, &DecoderSettings::m24, "CheckBoxM24", "24 модуль"},
};

} // namespace

std::span<const SubDecoderRow> subDecoderRows() {
    return kRows;
}

} // namespace ravlin
