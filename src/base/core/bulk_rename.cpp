#include "base/core/bulk_rename.h"

namespace ravlin::BulkRename {

namespace {

template <typename Rule> void renameAll(ButtonBase& base, Rule rule) {
    for (int i = 1; i <= base.count(); ++i) {
        ButtonRecord& r = base.record(i);
        if (const QString name = rule(r); !name.isEmpty()) r.buttonName = name;
    }
}

} // namespace

void byNonZeroHash(ButtonBase& base) {
    renameAll(base, [](const ButtonRecord& r) {
        return r.hash.left(2) != QStringLiteral("00") ? kKnown : kUnknown;
    });
}

void byHashStart(ButtonBase& base, const QString& first, const QString& second) {
    renameAll(base, [&](const ButtonRecord& r) {
        const QString start = r.hash.left(4);
        return start == first || start == second ? kKnown : kUnknown;
    });
}

QString nameForLength(qsizetype totalLength) {
    // Durations as a real number: a length that is not a multiple of three falls between them.
    const double n = static_cast<double>(totalLength) / 3.0;
    if (n < 45) return QStringLiteral("Key 1");
    if (n < 50) return QStringLiteral("Key 8");
    if (n < 54) return QStringLiteral("Key 9");
    return QStringLiteral("Key 2");
}

void byLength(ButtonBase& base) {
    renameAll(base, [](const ButtonRecord& r) {
        qsizetype total = 0;
        for (const QString& t : r.timings)
            total += t.size();
        return nameForLength(total);
    });
}

void remoteToMode(ButtonBase& base, const QString& remoteName) {
    renameAll(base, [&](const ButtonRecord& r) {
        return r.remoteName == remoteName ? QStringLiteral("Mode") : QString();
    });
}

} // namespace ravlin::BulkRename
