#include "capture/core/known_remotes_builder.h"

#include "base/core/analogue_base.h"
#include "capture/core/pipeline.h"
#include "capture/core/signal_import.h"

#include <QDir>
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

constexpr int kTailResult = 7; // the decoder's tail sub-decoder ("Hvost")

} // namespace

QString KnownRemotesBuilder::sourceName(const QString& relativePath) {
    QStringList parts = QDir::cleanPath(QDir::fromNativeSeparators(relativePath)).split(QLatin1Char('/'));
    for (QString& part : parts)
        for (QChar& c : part)
            if (c.unicode() < 0x20 || c == QChar(0x7F)) c = QLatin1Char('?');
    QString out = parts.join(QLatin1Char('\\'));
    if (out.size() <= kSourceWidth) return out;
    const QString cut = QStringLiteral("\u2026\\");
    while (parts.size() > 1) {
        parts.removeFirst();
        out = cut + parts.join(QLatin1Char('\\'));
        if (out.size() <= kSourceWidth) return out;
    }
    return QChar(0x2026) + parts.last().right(kSourceWidth - 1);
}

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

void KnownRemotesBuilder::addFile(const QString& relativePath, const QVector<Burst>& bursts) {
    ++m_files;
    const QString source = sourceName(relativePath);
    QSet<QString> seen;
    for (const Burst& burst : bursts) {
        if (burst.durations.isEmpty() || !buttonOf(burst.name)) continue;
        ++m_buttons;
        // Each signal on its own with the default configuration (as importBursts hashes one burst),
        // so no file changes another's hash.
        const std::vector<std::int32_t> units = burstUnits(
            std::span<const int>(burst.durations.constData(), burst.durations.size()), ReceiverKind::Movrik);
        DurationHistogram histogram;
        const RunOutcome run = computeHash(units, HashPanelSettings{}, DecoderSettings{}, &histogram);
        if (run.decoder.result == kTailResult && units.size() >= 3) {
            ++m_repeatFrames;
            continue;
        }
        if (units.size() < std::size_t(kMinDurations)) {
            ++m_shortBursts;
            continue;
        }
        const QString hash = run.selection;
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
