#pragma once

#include "base/core/analogue_base.h"

#include <QString>
#include <QStringList>

namespace ravlin {

inline const QString kAnalogueUnknown = QStringLiteral("N/A     Неизвестная кнопка");
inline const QString kAnalogueKnown = QStringLiteral("КНОПКА ЕСТЬ В БАЗЕ.");

// The "Аналоги данной кодировки" group: its label and whether the "СМ." button shows.
struct AnalogueView {
    QString label = kAnalogueUnknown; // LabelD1
    bool seeButtonVisible = false;    // ButtonHsSm
};

// Shows whether `hash` is a known remote's hash (exact match). `burstPageActive`: the oscillogram
// page is in front; `enabled`: "Проверять аналоги..." is ticked.
void showAnalogueLookup(const AnalogueBase& base, const QString& hash, bool burstPageActive, bool enabled,
                        AnalogueView& view);

// The remote files listed for `hash` in the lines of the known-remotes file: for every line that
// holds the hash as a part, the next line without its first character, split at each "/" (every
// piece, an empty last one too). Scanning goes on after that sources line.
QStringList hashSourcesOf(const QStringList& fileLines, const QString& hash);

} // namespace ravlin
