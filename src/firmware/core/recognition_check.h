#pragma once

#include "base/core/button_base.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <utility>
#include <vector>

namespace ravlin {

// How the receiver would recognise one button of the base: each of its variants (its records,
// passes of a capture session included) is found in the device hash table as this button, as
// another button, or not at all.
struct RecognitionRow {
    QString button; // the button name; an unnamed "N/A" button adds its hash text
    int total = 0;
    int self = 0;
    int none = 0;
    std::vector<std::pair<QString, int>> others; // recognised as another button: name, variants

    int other() const;
    bool clean() const { return self == total; }
};

// Two different buttons whose table entries carry the same device hash: the table keeps the first,
// so the receiver reports the first for both.
struct RecognitionCollision {
    QString kept;
    QString lost;
    QString deviceHash;
};

// The outcome of the recognition check over a whole base.
struct RecognitionCheck {
    std::vector<RecognitionRow> rows; // in the order buttons first appear in the base
    std::vector<RecognitionCollision> collisions;

    int variants() const;
    int misses() const; // variants recognised as another button or not at all
    int wrong() const;  // as another button
    int unrecognised() const;
    bool clean() const { return misses() == 0 && collisions.empty(); }
    // One line: "Проверка распознавания: ..." with the counts, or that all buttons are told apart.
    QString verdict() const;
    // The lines said before "Save Pach" writes a patch with misses or collisions (empty when clean).
    QStringList warnings() const;
};

// The receiver's recognition simulated on the base: every record's device hash (with this KnBit and
// KnPer) looked up in the device hash table that the patch carries (built from the base, duplicates
// of an earlier entry removed). Records of one button name count as its variants, whatever their
// hash texts (a capture session gives each pass its own); unnamed "N/A" records count as one button
// per hash text without the session suffix.
RecognitionCheck checkRecognition(const ButtonBase& base, int knBit, std::int32_t knPer);

} // namespace ravlin
