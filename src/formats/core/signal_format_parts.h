#pragma once

#include "formats/core/read_result.h"

#include <QString>
#include <QStringView>
#include <QVector>

#include <cstdint>
#include <vector>

// Pieces the remote-control file formats share, and each format's reader and writer; the public
// entry is signal_files.h.
namespace ravlin::signalformats {

// Appends the whitespace-separated durations of `text` (decimal microseconds, 1 to kMode2MaxValue).
// At the first token that is no such duration it stops, puts the reason into `error` and returns
// false.
bool appendMicros(QStringView text, std::vector<std::uint32_t>& out, ProblemPart& error);

// A token for a problem line: quoted, and shortened when it is long.
QString shownToken(QStringView token);

// A burst's name as a writer puts it on one line: control characters become spaces, the ends are
// trimmed, and an empty name becomes "Signal N" (N counts from 1 over the bursts written).
QString writtenName(const Burst& burst, qsizetype index);

// The durations joined by single spaces.
QString joinedDurations(const QVector<int>& durations);

ReadResult readFlipper(const QString& text, std::uint32_t gapMicros);
// `parsed`: a burst that SignalGenerator::decode() recognises is written as a parsed signal.
QString writeFlipper(const QVector<Burst>& bursts, bool parsed);

ReadResult readLircd(const QString& text, std::uint32_t gapMicros);
QString writeLircd(const QVector<Burst>& bursts, const QString& remoteName);

ReadResult readPronto(const QString& text, std::uint32_t gapMicros);
QString writePronto(const QVector<Burst>& bursts);
// A line that holds a Pronto code: its first words are 4-digit hex words, the first one a known
// format word.
bool looksLikeProntoLine(QStringView line);

} // namespace ravlin::signalformats
