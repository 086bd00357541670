#include "firmware/core/recognition_check.h"

#include "base/core/capture_session.h"
#include "base/core/key_names.h"
#include "firmware/core/device_hash.h"

#include <QHash>

#include <algorithm>

namespace ravlin {

namespace {

// The button a record belongs to: its name, or for "N/A" its hash text without a session suffix.
QString buttonOf(const QString& name, const QString& hash) {
    if (name != KeyNamTab::name(KeyNamTab::kUnknown)) return name;
    const qsizetype suffix = hash.indexOf(kSessionSuffix);
    return name + u' ' + (suffix < 0 ? hash : hash.left(suffix));
}

} // namespace

int RecognitionRow::other() const {
    int n = 0;
    for (const auto& [name, count] : others)
        n += count;
    return n;
}

int RecognitionCheck::variants() const {
    int n = 0;
    for (const RecognitionRow& r : rows)
        n += r.total;
    return n;
}

int RecognitionCheck::wrong() const {
    int n = 0;
    for (const RecognitionRow& r : rows)
        n += r.other();
    return n;
}

int RecognitionCheck::unrecognised() const {
    int n = 0;
    for (const RecognitionRow& r : rows)
        n += r.none;
    return n;
}

int RecognitionCheck::misses() const {
    return wrong() + unrecognised();
}

QString RecognitionCheck::verdict() const {
    if (clean())
        return QStringLiteral("Проверка распознавания: все кнопки различимы (кнопок %1, вариантов %2)")
            .arg(rows.size())
            .arg(variants());
    return QStringLiteral("Проверка распознавания: из %1 вариантов чужими %2, не распознаны %3; коллизий %4")
        .arg(variants())
        .arg(wrong())
        .arg(unrecognised())
        .arg(collisions.size());
}

QStringList RecognitionCheck::warnings() const {
    if (clean()) return {};
    QStringList lines{QStringLiteral("ВНИМАНИЕ! ") + verdict()};
    for (const RecognitionCollision& c : collisions)
        lines << QStringLiteral("Коллизия: %1 и %2 (%3)").arg(c.kept, c.lost, c.deviceHash);
    for (const RecognitionRow& r : rows) {
        if (r.clean()) continue;
        QString line = QStringLiteral("%1: свои %2 из %3").arg(r.button).arg(r.self).arg(r.total);
        for (const auto& [name, count] : r.others)
            line += QStringLiteral(", как %1 - %2").arg(name).arg(count);
        if (r.none > 0) line += QStringLiteral(", не распознаны - %1").arg(r.none);
        lines << line;
    }
    return lines;
}

RecognitionCheck checkRecognition(const ButtonBase& base, int knBit, std::int32_t knPer) {
    RecognitionCheck check;
    DeviceHashTable table;
    BuildDeviceHashTable(base, knBit, knPer, table);
    // Entries keep the button of the record that made them (the first record of each hash text).
    QHash<QString, QString> buttonOfKey;
    for (int i = base.count(); i >= 1; --i)
        buttonOfKey.insert(base.record(i).hash, buttonOf(base.record(i).buttonName, base.record(i).hash));

    // Collisions: a later entry of another button with the device hash of an earlier one.
    QHash<std::uint64_t, QString> firstButton; // device hash -> button of its first entry
    for (const DeviceHashEntry& e : table.entries) {
        const QString button = buttonOfKey.value(e.key);
        const auto found = firstButton.constFind(e.hash);
        if (found == firstButton.cend()) {
            firstButton.insert(e.hash, button);
            continue;
        }
        const bool known = std::any_of(check.collisions.begin(), check.collisions.end(),
                                       [&](const auto& c) { return c.kept == *found && c.lost == button; });
        if (*found != button && !known) check.collisions.push_back({*found, button, deviceHashText(e.hash)});
    }

    QHash<QString, std::size_t> rowOf;
    for (int i = 1; i <= base.count(); ++i) {
        const ButtonRecord& r = base.record(i);
        const QString button = buttonOf(r.buttonName, r.hash);
        if (!rowOf.contains(button)) {
            rowOf.insert(button, check.rows.size());
            check.rows.emplace_back().button = button;
        }
        RecognitionRow& row = check.rows[rowOf.value(button)];
        ++row.total;
        const auto found = firstButton.constFind(deviceHashValue(deviceHashInput(r), knBit, knPer));
        if (found == firstButton.cend()) {
            ++row.none;
        } else if (*found == button) {
            ++row.self;
        } else {
            auto other = std::find_if(row.others.begin(), row.others.end(),
                                      [&](const auto& o) { return o.first == *found; });
            if (other == row.others.end())
                row.others.push_back({*found, 1});
            else
                ++other->second;
        }
    }
    return check;
}

} // namespace ravlin
