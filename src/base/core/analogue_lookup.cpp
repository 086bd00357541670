#include "base/core/analogue_lookup.h"

namespace ravlin {

void showAnalogueLookup(const AnalogueBase& base, const QString& hash, bool burstPageActive, bool enabled,
                        AnalogueView& view) {
    if (!burstPageActive) {
        if (view.label != kAnalogueUnknown) {
            view.seeButtonVisible = false;
            view.label = kAnalogueUnknown;
        }
        return;
    }
    if (!enabled) return;
    if (base.indexOf(hash) > 0) {
        view.label = kAnalogueKnown;
        view.seeButtonVisible = true;
    } else if (view.seeButtonVisible) {
        view.label = kAnalogueUnknown;
        view.seeButtonVisible = false;
    }
}

QStringList hashSourcesOf(const QStringList& fileLines, const QString& hash) {
    QStringList out;
    for (qsizetype i = 0; i < fileLines.size(); ++i) {
        if (!fileLines.at(i).contains(hash)) continue;
        ++i; // the sources line; a missing one reads as empty
        const QString sources = i < fileLines.size() ? fileLines.at(i) : QString();
        out += sources.mid(1).split(QLatin1Char('/'));
    }
    return out;
}

} // namespace ravlin
