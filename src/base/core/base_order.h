#pragma once

#include "base/core/button_base.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace ravlin {

// Durations of one timing text read as go-to-record reads it: round(length / 3) groups of three
// hexadecimal digits (a shorter last group is read with the digits it has); none when the text
// holds a character that is no hexadecimal digit.
std::vector<std::int32_t> durationsOfTimingText(const QString& text);

// Whether record `index` is a repeat (tail) signal: timing texts 2..6 at most one character each,
// timing text 1 gives exactly 3 or 5 durations, the first in 200..440 and the last in 20..35.
bool IsRepeatRecord(const ButtonBase& base, int index);
bool IsRepeatRecord(const ButtonRecord& record);

// Names that stand for "no name": empty text and "N/A".
bool isUnnamed(const QString& buttonName);

// Orders records 1..count by the key-name table: records named with entries 1..64 first, grouped
// by ascending table index, each group in the reverse of its previous order; all other records
// follow in their previous order.
void orderByKeyNames(ButtonBase& base);

// Moves every record named "N/A" behind all others, keeping the order within both groups.
void moveUnnamedToEnd(ButtonBase& base);

// Removes the records whose hash text is "?" in passes, as the file loader and the rescan do:
// a record goes only while more than one record is left. Returns the number removed.
int removeMarkedRecords(ButtonBase& base);

// The two "Игнорировать не совп." options of the hash-duplicate removal.
struct DuplicateOptions {
    bool ignoreRemoteNames = true;
    bool ignoreButtonNames = false;
};

// Marks hash duplicates: first unnamed copies (the unnamed one of a pair is marked, hash "?" and
// both names "N/A"), then named copies (the later one, hash "?", when the names agree or are
// ignored by the options). Records whose hash is "?" already take no part.
void markHashDuplicates(ButtonBase& base, const DuplicateOptions& options);

} // namespace ravlin
