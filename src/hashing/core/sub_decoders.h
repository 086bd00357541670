#pragma once

#include "hashing/core/panel_settings.h"

#include <QString>

#include <span>

namespace ravlin {

// One row per switch of the "Модуль 96 и другие" tab: the sub-decoder's result number (0 for the
// switch that is no decoder of its own), its place in the decoder's enable bytes (group 1..3, flag
// 1..8, flag 1 the most significant bit), the setting it drives, and the check box's object name and
// caption. The enable masks and the tab's check box list are both derived from these rows; the
// defaults are those of DecoderSettings. `key` names the row in the command line's --decoders.
struct SubDecoderRow {
    int number;
    int group;
    int flag;
    bool DecoderSettings::*setting;
    const char* objectName;
    const char* caption;
    const char* key;

    bool enabledByDefault() const { return DecoderSettings{}.*setting; }
};

// The rows in the order of the tab's check boxes (group by group, flag by flag).
std::span<const SubDecoderRow> subDecoderRows();

// Applies a list such as "+rc6,+sirc15,-rc5": each item ticks ("+") or unticks ("-") the row of
// that key. False, with the offending item in *error, for an empty item, a missing sign or an
// unknown key; the settings are then left as they were.
bool applyDecoderList(const QString& list, DecoderSettings& settings, QString* error);

} // namespace ravlin
