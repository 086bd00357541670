#include "hashing/core/sub_decoders.h"

#include <QStringList>

namespace ravlin {

namespace {

constexpr SubDecoderRow kRows[] = {
    {1, 1, 1, &DecoderSettings::nec, "CheckBoxM96", "96 модуль", "m96"},
    {2, 1, 2, &DecoderSettings::rc5, "CheckBoxRC5", "RC5 модуль", "rc5"},
    {3, 1, 3, &DecoderSettings::pulseDistance42, "CheckBoxM57", "57 модуль", "m57"},
    {4, 1, 4, &DecoderSettings::pulseDistance16WithGap, "CheckBoxM37", "37M модуль", "m37"},
    {5, 1, 5, &DecoderSettings::pulseDistance48, "CheckBoxM99", "99 модуль", "m99"},
    {6, 1, 6, &DecoderSettings::pulseDistance32, "CheckBoxM67", "67 модуль", "m67"},
    {7, 1, 7, &DecoderSettings::tail, "CheckBoxTails", "Обрабатывать Хвосты", "tails"},
    {0, 1, 8, &DecoderSettings::firstOfRepeats, "CheckBoxFirst", "При повторных выдавать первую", "first"},
    {9, 2, 1, &DecoderSettings::pulseDistance11LongSpaces, "CheckBoxM23", "23 модуль", "m23"},
    {10, 2, 2, &DecoderSettings::msRemote, "CheckBoxFC", "FC модуль", "fc"},
    {11, 2, 3, &DecoderSettings::sirc, "CheckBoxM41", "41 и 25 модули", "sony"},
    {12, 2, 4, &DecoderSettings::jvc, "CheckBoxM33", "33 модуль", "jvc"},
    {13, 2, 5, &DecoderSettings::pulseDistance24, "CheckBoxM51", "51 модуль", "m51"},
    {14, 2, 6, &DecoderSettings::runLength, "CheckBoxM09", "M09 модуль", "m09"},
    {15, 2, 7, &DecoderSettings::joystick, "CheckBoxJoystick", "IR джойстик", "joystick"},
    {16, 2, 8, &DecoderSettings::mouse, "CheckBoxMouse", "IR Mouse", "mouse"},
    {17, 3, 1, &DecoderSettings::roison, "CheckBoxRoison", "кондиц. Roison", "roison"},
    {18, 3, 2, &DecoderSettings::tadiran, "CheckBoxTadiran", "кондиц. Tadiran", "tadiran"},
    {19, 3, 7, &DecoderSettings::pulseDistanceLongLeader, "CheckBoxM49", "49 модуль", "m49"},
    {20, 3, 8, &DecoderSettings::timeSlots, "CheckBoxM24", "24 модуль", "m24"},
    {21, 3, 3, &DecoderSettings::rc6, "CheckBoxRC6", "RC6", "rc6"},
    {22, 3, 4, &DecoderSettings::sirc15, "CheckBoxSirc15", "SIRC15", "sirc15"},
    {23, 3, 5, &DecoderSettings::rc5x, "CheckBoxRC5X", "RC5X", "rc5x"},
};

} // namespace

std::span<const SubDecoderRow> subDecoderRows() {
    return kRows;
}

bool applyDecoderList(const QString& list, DecoderSettings& settings, QString* error) {
    DecoderSettings changed = settings;
    for (const QString& item : list.split(u',')) {
        const QString key = item.mid(1);
        const SubDecoderRow* found = nullptr;
        for (const SubDecoderRow& row : kRows)
            if (key == QLatin1String(row.key)) found = &row;
        if (!found || !(item.startsWith(u'+') || item.startsWith(u'-'))) {
            if (error) *error = item;
            return false;
        }
        changed.*found->setting = item.startsWith(u'+');
    }
    settings = changed;
    return true;
}

} // namespace ravlin
