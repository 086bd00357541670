#pragma once

#include "formats/core/read_result.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ravlin {

// Builds the known-remotes base (BazaDannih.baz) from remote-control files: the buttons that base is
// about, hashed with the default configuration, each distinct hash as a key line followed by its
// sources line ("/" + the names of the files it occurs in, joined by "/").
class KnownRemotesBuilder {
public:
    // The buttons of the base.
    enum class Button { Power, Key1, Play, Stop };

    // The button a signal's name stands for, or nothing. The name is compared case-insensitively
    // with blanks, "_", "-" and "." dropped and a leading "key" or "btn" dropped:
    // Power: "power", "pwr", "pw", "onoff", "on/off", "powertoggle";  Key 1: "1", "one", "num1",
    // "digit1";  Play: "play", "playpause", "play/pause";  Stop: "stop".
    // So "Power", "POWER", "KEY_POWER", "Key 1", "Key_1", "KEY_1", "1", "KEY_PLAY", "Play_Pause" count.
    static std::optional<Button> buttonOf(const QString& name);

    // At most this many key lines: the known-remotes base holds 400 entries.
    static constexpr int kMaxKeys = 400;
    // Longest hash the base's lookup can match (its entries are cut to 34 characters).
    static constexpr int kMaxHashLength = 34;

    // A burst with fewer durations tells no remote apart (a lone mark, a mark-space-mark).
    static constexpr int kMinDurations = 7;
    // Characters of a source as a line of the "Источник" window's list shows them whole.
    static constexpr int kSourceWidth = 48;

    // A file's name in a sources line: its path relative to the collection's folder with "\"
    // between folders ("/" separates the sources), each control character becoming "?"; a longer
    // one keeps its end within kSourceWidth characters, whole folders first dropped, behind "…\"
    // ("…" alone when the file name itself is too long).
    static QString sourceName(const QString& relativePath);

    // Adds one remote file: its path relative to the collection's folder ("TVs/LG/LG_AKB.ir", shown
    // in the sources lines as sourceName() makes it) and its signals in microseconds. Each signal
    // naming one of the buttons is hashed on its own with the default configuration (Movrik units,
    // "1b+M96", "Порог" 3B); a hash counts once per file. Left out and counted: repeat frames (the
    // decoder gives the tail hash, "Hvost", to a burst of 3 to 5 durations such as NEC's 9000/2250/
    // 560), bursts of fewer than kMinDurations durations, and hashes that cannot be keys.
    void addFile(const QString& relativePath, const QVector<Burst>& bursts);

    // The file's lines: `header` (a ";" comment line), then for each kept hash its key line and its
    // sources line; the hashes found in the most files first, ties in the order they were first met.
    QStringList lines(const QString& header) const;

    int files() const { return m_files; }             // files added
    int buttons() const { return m_buttons; }         // signals that named one of the buttons
    int hashes() const { return int(m_keys.size()); } // distinct hashes that can be keys
    // Distinct hashes left out because they cannot be keys ("N/A", too short, longer than 34).
    int unusable() const { return int(m_unusable.size()); }
    // Button signals left out as repeat frames, and as bursts under kMinDurations.
    int repeatFrames() const { return m_repeatFrames; }
    int shortBursts() const { return m_shortBursts; }
    // Key lines written: at most kMaxKeys.
    int keptKeys() const { return std::min(hashes(), kMaxKeys); }

private:
    struct Key {
        QString hash;
        QStringList files;
    };
    std::vector<Key> m_keys;
    QHash<QString, int> m_index;
    QHash<QString, bool> m_unusable;
    int m_files = 0;
    int m_buttons = 0;
    int m_repeatFrames = 0;
    int m_shortBursts = 0;
};

} // namespace ravlin
