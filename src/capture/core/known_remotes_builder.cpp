#include "capture/core/known_remotes_builder.h"

#include "base/core/analogue_base.h"
#include "capture/core/signal_import.h"

#include <QSet>

#include <algorithm>
#include <array>

namespace ravlin {

namespace {

struct Spelling {
    const char* text;
    KnownRemotesBuilder::Button button;
};
using B = KnownRemotesBuilder::Button;
constexpr std::array<Spelling, 14> kSpellings = {{
    {"power", B::Power},
    {"pwr", B::Power},
    {"pw", B::Power},
    {"onoff", B::Power},
    {"on/off", B::Power},
    {"powertoggle", B::Power},
    {"1", B::Key1},
    {"one", B::Key1},
    {"num1", B::Key1},
    {"digit1", B::Key1},
    {"play", B::Play},
    {"playpause", B::Play},
    {"play/pause", B::Play},
    {"stop", B::Stop},
}};

// A file name as a sources line can hold it: no line ends, no "/" (the separator).
QString sourceName(const QString& fileName) {
    QString out = fileName;
    for (QChar& c : out)
        if (c.unicode() < 0x20 || c == QLatin1Char('/')) c = QLatin1Char('?');
    return out;
}

} // namespace

std::optional<KnownRemotesBuilder::Button> KnownRemotesBuilder::buttonOf(const QString& name) {
    QString key;
    for (QChar c : name.toLower())
        if (!c.isSpace() && c != QLatin1Char('_') && c != QLatin1Char('-') && c != QLatin1Char('.')) key += c;
    for (const char* prefix : {"key", "btn"})
        if (key.size() > 3 && key.startsWith(QLatin1String(prefix))) key.remove(0, 3);
    for (const Spelling& s : kSpellings)
        if (key == QLatin1String(s.text)) return s.button;
    return std::nullopt;
}

void KnownRemotesBuilder::addFile(const QString& fileName, const QVector<Burst>& bursts) {
    ++m_files;
    const QString source = sourceName(fileName);
    QSet<QString> seen;
    for (const Burst& burst : bursts) {
        if (burst.durations.isEmpty() || !buttonOf(burst.name)) continue;
        ++m_buttons;
        // Each signal on its own with the default configuration, so no file changes another's hash.
        const SignalImport one = importBursts({burst}, QString(), SignalImportSettings{});
        const QString hash = one.records.front().hash;
        if (seen.contains(hash)) continue;
        seen.insert(hash);
        if (!AnalogueBase::isKeyLine(hash) || hash.size() > kMaxHashLength) {
            m_unusable.insert(hash, true);
            continue;
        }
        auto it = m_index.find(hash);
        if (it == m_index.end()) {
            it = m_index.insert(hash, int(m_keys.size()));
            m_keys.push_back({hash, {}});
        }
        m_keys[std::size_t(*it)].files << source;
    }
}

QStringList KnownRemotesBuilder::lines(const QString& header) const {
    std::vector<const Key*> order;
    order.reserve(m_keys.size());
    for (const Key& k : m_keys)
        order.push_back(&k);
    std::stable_sort(order.begin(), order.end(),
                     [](const Key* a, const Key* b) { return a->files.size() > b->files.size(); });
    QStringList out{header};
    for (std::size_t i = 0; i < order.size() && i < std::size_t(kMaxKeys); ++i) {
        out << order[i]->hash;
        out << QLatin1Char('/') + order[i]->files.join(QLatin1Char('/'));
    }
    return out;
}

} // namespace ravlin
