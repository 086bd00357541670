#pragma once

#include "base/core/base_order.h"

namespace ravlin {

// The options of the " HEX Baza " tab that the file, rescan and statistics commands read.
struct HexBazaSettings {
    // " Сохранение файла пульта ": "После сохранения очистить базу" (default) or
    // "Только сохранить текущее состояние базы".
    bool clearAfterSave = true;
    // The two "Игнорировать не совп." check boxes.
    DuplicateOptions duplicates;
    // "Основа статистики - ХЭШ" (else "Основа статистики - имя").
    bool statisticsByHash = false;
};

} // namespace ravlin
