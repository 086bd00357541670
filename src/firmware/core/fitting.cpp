#include "firmware/core/fitting.h"

#include "hashing/core/number_text.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace ravlin {

namespace {

using V = HashVariableSet;

constexpr std::int64_t kNeverMin = 1000; // a minimum never updated
constexpr std::int32_t kBitMin = 0x08;
constexpr std::int32_t kBitMax = 0x38;
constexpr std::int32_t kPauseLimit = 1983; // the largest pause whose prefix byte fits (248 x 8 - 1)

// Whole three-digit groups of a timing text from its start, as durations.
template <typename F> void forEachDuration(const QString& text, qsizetype first, F f) {
    for (qsizetype k = first; 3 * k + 3 <= text.size(); ++k)
        f(static_cast<std::int64_t>(durationAt(text, 3 * k)));
}

} // namespace

struct Fitting::Bounds {
    std::int64_t pmax = 0, pmin = kNeverMin, nmx0 = 0, nmn0 = kNeverMin, gmax = 0, gmin = kNeverMin, tail = 0;
};

std::array<QString, HashVariableSet::Count> FittingSettings::openingBoxes() {
    std::array<QString, HashVariableSet::Count> boxes;
    boxes.fill(QStringLiteral("NA"));
    boxes[V::Pz1] = QStringLiteral("F9");
    boxes[V::Pz0] = QStringLiteral("BB");
    boxes[V::Bit] = QStringLiteral("0D");
    return boxes;
}

Fitting::Fitting(const ButtonBase& base, RescanFlags& flags, Dialogs& dialogs, TimerFactory& timers,
                 Clock& clock, RandomSource& random, const HashPanelSettings& panel,
                 const ReceptionSettings& reception, const TestAreaSettings& testArea, RecordCursor& cursor)
    : m_base(base), m_flags(flags), m_dialogs(dialogs), m_clock(clock), m_random(random), m_panel(panel),
      m_reception(reception), m_testArea(testArea), m_cursor(cursor),
      m_timer(timers.create(kIntervalMs, true)) {
    m_timer->setHandler([this] { tick(); });
}

Fitting::~Fitting() = default;

bool Fitting::open() {
    using namespace FittingText;
    if (!m_testArea.testSwitch) {
        const int count = m_base.count();
        if (count < 4) return fail(kFewerThan4);
        if (m_panel.source != HashSource::OneBit) {
            m_dialogs.beep();
            m_flags.rescanned = false;
            m_dialogs.information(kSelectOneBit);
            return false;
        }
        if (!m_flags.rescanned) return fail(kNotRescanned);
        if (count < 15) {
            m_dialogs.beep();
            if (m_dialogs.askYesNo(kFewerThan15) == Answer::No) return false;
        }
    }
    shown();
    return true;
}

void Fitting::shown() {
    m_settings.boxes = FittingSettings::openingBoxes();
    m_settings.automatic = true;
    m_patchReady = false;
}

void Fitting::scan() {
    m_patchReady = false;
    if (m_base.count() < 2) {
        fail(FittingText::kFewerThan2);
        return;
    }
    m_view.status = FittingText::kWorking;
    m_view.panelColour = ViewColour::Yellow;
    m_view.panelCaption.clear();
    m_autoReRuns = 0;
    m_cursor.setRecordNumber(QStringLiteral("1"));
    m_cursor.goToRecord();
    m_timer->start();
}

bool Fitting::save() {
    // A patch whose buttons the receiver would confuse or miss is still saved, but said so first.
    if (m_patchReady && m_view.recognition) {
        const QStringList warnings = m_view.recognition->warnings();
        if (!warnings.isEmpty() && !m_view.messages.contains(warnings.first())) m_view.messages << warnings;
    }
    return savePatch(m_dialogs, m_patchReady, m_view.patch);
}

bool Fitting::fail(const QString& message, bool beep) {
    if (beep) m_dialogs.beep();
    m_dialogs.information(message);
    return false;
}

void Fitting::failCheck(const QString& code, const QString& status) {
    m_dialogs.beep();
    m_view.panelColour = ViewColour::Red;
    m_view.panelCaption = code;
    m_view.status = status;
}

void Fitting::showBox(HashVariableSet::Index i) {
    m_settings.box(i) = ByteHex(m_vars.at(i));
}

void Fitting::collectBounds(Bounds& b) const {
    const int fullAbove = m_reception.fiveByteRepeats ? 7 : 5;
    for (int i = 1; i <= m_base.count(); ++i) {
        const ButtonRecord& r = m_base.record(i);
        const QString& first = r.timings[0];
        if (first.isEmpty()) continue;
        const std::int64_t n = rawByteCount(r);
        if (n > fullAbove) {
            b.pmin = std::min(b.pmin, n);
            b.pmax = std::max(b.pmax, n + 1);
        } else {
            b.tail = n;
        }
        const std::int64_t d1 = StrToBase(first.left(3), 16);
        b.nmn0 = std::min(b.nmn0, d1);
        b.nmx0 = std::max(b.nmx0, d1 + 1);
        const auto inner = [&b](std::int64_t d) {
            b.gmin = std::min(b.gmin, d);
            b.gmax = std::max(b.gmax, d + 1);
        };
        forEachDuration(first, 1, inner);
        forEachDuration(r.timings[1], 0, inner);
        forEachDuration(r.timings[2], 0, inner);
    }
    if (b.tail == 0) b.tail = b.gmin;
}

std::int32_t Fitting::pauseEstimate(const Bounds& b, std::int64_t t) {
    std::int64_t pause = std::max(b.nmx0, b.gmax);
    const double e =
        std::trunc(static_cast<double>((b.gmax + b.gmin) * b.pmax) / 2.0 + static_cast<double>(b.nmn0));
    if (e > static_cast<double>(pause) && e < 1984.0) pause = static_cast<std::int64_t>(e);
    pause += 5 + t;
    if (pause > kPauseLimit) {
        // A longer pause no longer fits the prefix byte: the firmware would read another value.
        m_view.messages << QStringLiteral("Пауза KnPz = %1 не помещается в KnPz1 и KnPz0 - взято %2 (1983)")
                               .arg(IntToBase(pause, 16), IntToBase(kPauseLimit, 16));
        pause = kPauseLimit;
    }
    return saturate32(pause);
}

int Fitting::breakingPointSearch(const DeviceHashBuilder& builder) {
    int bit = kDeviceHashBits;
    builder.build(bit, m_table);
    const int reference = countDuplicates(m_table, true);
    for (;;) {
        --bit;
        bool last = bit < 9;
        builder.build(bit, m_table);
        if (countDuplicates(m_table, false) > reference) last = true;
        if (last) break;
    }
    return bit + 1;
}

void Fitting::tick() {
    using namespace FittingText;
    m_timer->stop();
    m_patchReady = false;
    // 1. Tolerance and KnBit.
    m_view.messages.clear();
    m_view.recognition.reset();
    m_view.recognitionVerdict.clear();
    const std::int64_t t = boxValue(m_settings.tolerance);
    m_vars.KnBit = boxValue(m_settings.box(V::Bit));
    if (m_vars.KnBit < kBitMin || m_vars.KnBit > kBitMax) {
        fail(kBitOutOfRange);
        return;
    }
    // 2.-4. Bounds over the base.
    Bounds b;
    collectBounds(b);
    // 5. End-of-packet pause.
    std::int32_t pause = pauseEstimate(b, t);
    // 6. The threshold as it stands now (the go-to-record of the scan may have rewritten it).
    m_vars.KnPer = boxValue(m_panel.threshold);
    showBox(V::Per);
    m_vars.KnPmax = saturate32(b.pmax);
    // 7. KnBit against the longest packet.
    if (m_vars.KnBit > m_vars.KnPmax) {
        if (!m_settings.automatic) {
            fail(kBitAbovePmax);
            return;
        }
        // Kept within 8..56 so that the next run does not refuse it.
        m_vars.KnBit = std::clamp(m_vars.KnPmax - 1, kBitMin, kBitMax);
        showBox(V::Bit);
    }
    // 8. Breaking point.
    const DeviceHashBuilder builder(m_base, m_vars.KnPer);
    const int breakingPoint = breakingPointSearch(builder);
    m_view.breakingPointLabel = QStringLiteral("KnBit = ") + ByteHex(breakingPoint);
    // 9. Duplicates at the user's KnBit.
    builder.build(m_vars.KnBit, m_table);
    const int duplicates = countDuplicates(m_table, true);
    removeDuplicateEntries(m_table);
    m_view.knBitColour = duplicates > 0 ? ViewColour::Yellow : ViewColour::Face;
    m_view.duplicatesLabel =
        QStringLiteral("Дубли = %1  (Неповторимых %2)").arg(duplicates).arg(m_table.count());
    // 10. Automatic re-run with the breaking point, once per scan.
    if (m_settings.automatic && duplicates >= 1 && breakingPoint > m_vars.KnBit) {
        if (m_autoReRuns == 0) {
            ++m_autoReRuns;
            m_settings.box(V::Bit) = ByteHex(breakingPoint);
            m_timer->start();
            return;
        }
        m_view.messages << QStringLiteral("KnBit = %1 не помещается в KnPmax = %2 - повторный подбор не "
                                          "делается, KnBit = %3")
                               .arg(ByteHex(breakingPoint), ByteHex(m_vars.KnPmax), ByteHex(m_vars.KnBit));
    }
    // The receiver's recognition with the KnBit and KnPer this table was built with.
    m_view.recognition = checkRecognition(m_base, m_vars.KnBit, m_vars.KnPer);
    m_view.recognitionVerdict = m_view.recognition->verdict();
    // 11. Short entries first.
    shortEntriesFirst(m_table);
    // 12. Validation.
    if (b.pmax == 0 || b.pmin == kNeverMin || b.pmin < 6 || b.nmx0 == 0 || b.nmn0 == kNeverMin ||
        b.gmax == 0 || b.gmin == kNeverMin) {
        failCheck(QStringLiteral("W1"), kUnchanged);
        return;
    }
    if (b.tail == 0) b.tail = b.pmin;
    m_vars.KnPHvost = saturate32(b.tail);
    m_vars.KnPmin = saturate32(b.pmin);
    showBox(V::PHvost);
    showBox(V::Pmin);
    showBox(V::Pmax);
    // 13. Tolerance on the first duration.
    if (b.nmn0 - t >= 0) b.nmn0 -= t;
    b.nmx0 += t;
    const SplitLength nmn = SplitLength::of(saturate32(b.nmn0));
    const SplitLength nmx = SplitLength::of(saturate32(b.nmx0));
    m_vars.KnNmn1 = nmn.prefix;
    m_vars.KnNmn0 = nmn.remainder;
    m_vars.KnNmx1 = nmx.prefix;
    m_vars.KnNmx0 = nmx.remainder;
    for (V::Index i : {V::Nmx1, V::Nmx0, V::Nmn1, V::Nmn0})
        showBox(i);
    // 14. Tolerance on the other durations.
    if (b.gmin - t < 0) {
        failCheck(QStringLiteral("A1"), kNoTolerance);
        return;
    }
    m_vars.KnGmin = saturate32(b.gmin - t);
    if (b.gmax + t > 255) {
        failCheck(QStringLiteral("A2"), kNoTolerance);
        return;
    }
    m_vars.KnGmax = saturate32(b.gmax + t);
    showBox(V::Gmin);
    showBox(V::Gmax);
    // 15. The pause as two bytes.
    const SplitLength pz = SplitLength::of(pause);
    m_vars.KnPz1 = pz.prefix;
    m_vars.KnPz0 = pz.remainder;
    m_view.pauseLabel = QStringLiteral("чем KnPz =  ") + ByteHex(pz.prefix) + ByteHex(pz.remainder);
    // 16. The user's pause pair, when not below the computed one.
    const std::int32_t u1 = boxValue(m_settings.box(V::Pz1));
    const std::int32_t u0 = boxValue(m_settings.box(V::Pz0));
    if (u1 > pz.prefix || (u1 == pz.prefix && u0 >= pz.remainder)) {
        m_vars.KnPz1 = u1;
        m_vars.KnPz0 = u0;
    } else if (m_settings.automatic) {
        showBox(V::Pz1);
        showBox(V::Pz0);
    } else {
        fail(kChoosePause, false);
        m_view.messages.clear();
        return;
    }
    // 17. The patch.
    writePatch();
}

PatchStamp Fitting::clockStamp() {
    const QDateTime now = m_clock.now();
    m_random.seed(static_cast<std::uint64_t>(now.toMSecsSinceEpoch()));
    PatchStamp s;
    s.r1 = static_cast<std::uint16_t>(m_random.below(65535));
    s.r2 = static_cast<std::uint16_t>(m_random.below(65535));
    const QLocale locale = QLocale::system();
    s.date = locale.toString(now.date(), QLocale::ShortFormat);
    // The long time format without a time zone, as the patch header has always shown it.
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b"));
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(zone);
    s.time = locale.toString(now.time(), format.trimmed());
    return s;
}

void Fitting::writePatch() {
    PatchStamp stamp = clockStamp();
    if (m_stampOverride.date) stamp.date = *m_stampOverride.date;
    if (m_stampOverride.time) stamp.time = *m_stampOverride.time;
    if (const std::optional<std::uint32_t> id = m_stampOverride.id) {
        stamp.r1 = static_cast<std::uint16_t>(*id >> 16);
        stamp.r2 = static_cast<std::uint16_t>(*id & 0xFFFF);
    }
    m_view.patch = WritePatchText(m_vars, m_output, m_table, m_base.record(1).remoteName, stamp);
    m_settings.automatic = false;
    m_patchReady = true;
    m_view.status = FittingText::kDone;
    m_view.panelColour = ViewColour::Green;
    m_view.panelCaption = QStringLiteral("!");
}

} // namespace ravlin
