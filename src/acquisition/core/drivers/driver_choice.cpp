#include "acquisition/core/drivers/driver_choice.h"

#include "acquisition/core/drivers/lirc_receiver.h"
#include "acquisition/core/drivers/simulated_receiver.h"

#include <QDir>

#include <algorithm>
#include <climits>
#include <cmath>

namespace ravlin {

QStringList lircDeviceCandidates(const QString& devDir) {
    QStringList names =
        QDir(devDir).entryList({QStringLiteral("lirc*")}, QDir::System | QDir::Files | QDir::Readable);
    // lirc2 before lirc10: by the number after "lirc", then by name.
    auto number = [](const QString& n) {
        bool ok = false;
        const int v = n.mid(4).toInt(&ok);
        return ok ? v : INT_MAX;
    };
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
        const int na = number(a), nb = number(b);
        return na != nb ? na < nb : a < b;
    });
    QStringList paths;
    for (const QString& n : names)
        paths << devDir + QLatin1Char('/') + n;
    return paths;
}

LircOption parseLircOption(const QString& text) {
    LircOption o;
    const qsizetype mark = text.lastIndexOf(u'?');
    o.path = mark < 0 ? text : text.left(mark);
    if (mark < 0) return o;
    const QString query = text.mid(mark + 1);
    const auto gap = query.startsWith(QLatin1String("gap=")) ? parseGapMs(query.mid(4)) : std::nullopt;
    if (!gap)
        o.error = QStringLiteral("bad option \"%1\" for %2 (use ?gap=MS, 0.1 to 1000 ms)").arg(query, o.path);
    else
        o.gapMicros = *gap;
    return o;
}

SimOption parseSimOption(const QString& text) {
    SimOption o;
    const qsizetype mark = text.lastIndexOf(QLatin1String("?every="));
    o.path = mark < 0 ? text : text.left(mark);
    if (mark < 0) return o;
    bool ok = false;
    const double seconds = text.mid(mark + 7).toDouble(&ok);
    if (!ok || !(seconds >= 0.5 && seconds <= 600))
        o.error = QStringLiteral("bad option \"%1\" for %2 (use ?every=SECONDS, 0.5 to 600)")
                      .arg(text.mid(mark + 1), o.path);
    else
        o.everyMs = std::llround(seconds * 1000);
    return o;
}

DriverChoice makeUsbDriver(const QString& option, MonotonicMs now) {
    DriverChoice choice;
    if (option.isEmpty()) {
        for (const QString& path : lircDeviceCandidates()) {
            auto lirc = std::make_unique<LircReceiver>(path, now);
            if (lirc->isOpen()) {
                choice.driver = std::move(lirc);
                return choice;
            }
        }
        choice.driver = std::make_unique<SimulatedReceiver>(QString(), now);
        return choice;
    }
    if (option == QLatin1String("sim")) {
        choice.driver = std::make_unique<SimulatedReceiver>(QString(), now);
    } else if (option.startsWith(QLatin1String("sim:")) && option.size() > 4) {
        const SimOption simOption = parseSimOption(option.mid(4));
        if (!simOption.error.isEmpty()) {
            choice.error = simOption.error;
            return choice;
        }
        const QString file = simOption.path;
        auto sim = std::make_unique<SimulatedReceiver>(file, now);
        if (simOption.everyMs > 0) sim->setPressInterval(simOption.everyMs);
        QStringList notes;
        if (!sim->connected()) notes << QStringLiteral("cannot read file %1: %2").arg(file, sim->error());
        // A capture file's lines are listed here; a remote file's problems reach the result log.
        const auto& problems = sim->signalFormat() ? QVector<Problem>{} : sim->file().problems;
        // The last problem stays in view: it is the cut of a file larger than the reader takes.
        constexpr qsizetype kShown = 5;
        for (qsizetype i = 0; i < problems.size(); ++i) {
            if (i == kShown && problems.size() > kShown + 1) {
                notes << QStringLiteral("capture file %1: %2 more lines skipped")
                             .arg(file)
                             .arg(problems.size() - kShown - 1);
                i = problems.size() - 1;
            }
            notes << QStringLiteral("capture file %1: %2 (skipped)").arg(file, problems[i].message());
        }
        if (sim->connected() && sim->file().bursts.empty()) {
            // A remote file with nothing to play says why (its first problem).
            QString note = QStringLiteral("%1 holds no bursts").arg(file);
            if (sim->signalFormat() && !sim->file().problems.isEmpty())
                note += QStringLiteral(" (%1)").arg(sim->file().problems.first().message());
            notes << note;
        }
        choice.error = notes.join(QLatin1Char('\n'));
        choice.driver = std::move(sim);
    } else if (option.startsWith(QLatin1String("lirc:")) && option.size() > 5) {
        const LircOption lircOption = parseLircOption(option.mid(5));
        if (!lircOption.error.isEmpty()) {
            choice.error = lircOption.error;
            return choice;
        }
        auto lirc = std::make_unique<LircReceiver>(lircOption.path, now, lircOption.gapMicros);
        if (!lirc->isOpen()) choice.error = QStringLiteral("cannot open %1").arg(lircOption.path);
        choice.driver = std::move(lirc);
    } else {
        choice.error =
            QStringLiteral("unknown receiver \"%1\" (use sim:FILE, sim or lirc:/dev/lircN)").arg(option);
    }
    return choice;
}

} // namespace ravlin
