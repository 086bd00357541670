#include "cli/fit_command.h"

#include "capture/core/pipeline.h"
#include "cli/cli_base.h"
#include "firmware/core/fitting.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <vector>

namespace ravlin::cli {

namespace {

// Timers that fire only when the command steps them.
class SteppedTimer : public Timer {
public:
    void start() override { m_active = true; }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    void setInterval(int ms) override { m_interval = ms; }
    int interval() const override { return m_interval; }
    void setSingleShot(bool) override {}
    void setHandler(std::function<void()> handler) override { m_handler = std::move(handler); }
    void fire() {
        m_active = false;
        if (m_handler) m_handler();
    }

private:
    bool m_active = false;
    int m_interval = 0;
    std::function<void()> m_handler;
};

class SteppedTimers : public TimerFactory {
public:
    std::vector<SteppedTimer*> timers;
    std::unique_ptr<Timer> create(int intervalMs, bool) override {
        auto t = std::make_unique<SteppedTimer>();
        t->setInterval(intervalMs);
        timers.push_back(t.get());
        return t;
    }
};

bool isHex(const QString& text, int maxDigits) {
    static const QRegularExpression re(QStringLiteral("^[0-9A-Fa-f]+$"));
    return !text.isEmpty() && text.size() <= maxDigits && re.match(text).hasMatch();
}

QString colourName(ViewColour c) {
    switch (c) {
    case ViewColour::Yellow:
        return QStringLiteral("yellow");
    case ViewColour::Red:
        return QStringLiteral("red");
    case ViewColour::Green:
        return QStringLiteral("green");
    default:
        return QStringLiteral("face");
    }
}

// The recognition check as JSON: the verdict, per button its variants and how they are recognised,
// and the colliding pairs.
QJsonValue recognitionJson(const std::optional<RecognitionCheck>& check) {
    if (!check) return QJsonValue::Null;
    QJsonArray buttons;
    for (const RecognitionRow& r : check->rows) {
        QJsonObject as;
        for (const auto& [name, count] : r.others)
            as.insert(name, count);
        buttons.append(QJsonObject{{QStringLiteral("button"), r.button},
                                   {QStringLiteral("total"), r.total},
                                   {QStringLiteral("self"), r.self},
                                   {QStringLiteral("other"), r.other()},
                                   {QStringLiteral("none"), r.none},
                                   {QStringLiteral("as"), as}});
    }
    QJsonArray collisions;
    for (const RecognitionCollision& c : check->collisions)
        collisions.append(QJsonObject{{QStringLiteral("kept"), c.kept},
                                      {QStringLiteral("lost"), c.lost},
                                      {QStringLiteral("deviceHash"), c.deviceHash}});
    return QJsonObject{{QStringLiteral("verdict"), check->verdict()},
                       {QStringLiteral("clean"), check->clean()},
                       {QStringLiteral("buttons"), buttons},
                       {QStringLiteral("collisions"), collisions}};
}

template <typename T> std::optional<T> pick(const QStringList& names, const T* values, const QString& v) {
    const qsizetype i = names.indexOf(v);
    if (i < 0) return std::nullopt;
    return values[i];
}

} // namespace

std::optional<FitOptions> parseFitOptions(const QStringList& args, QString* error) {
    FitOptions o;
    const auto fail = [&](const QString& why) {
        if (error) *error = why;
        return std::nullopt;
    };
    const QStringList actions{QStringLiteral("emulate"), QStringLiteral("v8"), QStringLiteral("v9")};
    const QStringList unknowns{QStringLiteral("nothing"), QStringLiteral("v8"), QStringLiteral("v9")};
    const KnownButtonAction knownValues[] = {KnownButtonAction::Emulate, KnownButtonAction::LengthsV8,
                                             KnownButtonAction::ResultV9};
    const UnknownButtonAction unknownValues[] = {UnknownButtonAction::Nothing, UnknownButtonAction::LengthsV8,
                                                 UnknownButtonAction::ErrorV9};
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const auto value = [&]() -> QString { return i + 1 < args.size() ? args.at(++i) : QString(); };
        const auto hex = [&](QString& into, int digits) -> bool {
            const QString v = value();
            if (!isHex(v, digits)) return false;
            into = v.toUpper();
            return true;
        };
        const auto number = [&](int& into, int max) -> bool {
            bool ok = false;
            const int v = value().toInt(&ok);
            if (!ok || v < 0 || v > max) return false;
            into = v;
            return true;
        };
        if (a == QLatin1String("--tolerance")) {
            if (!hex(o.tolerance, 2))
                return fail(QStringLiteral("--tolerance needs 1 or 2 hexadecimal digits"));
        } else if (a == QLatin1String("--knbit")) {
            if (!hex(o.knBit, 2)) return fail(QStringLiteral("--knbit needs 1 or 2 hexadecimal digits"));
        } else if (a == QLatin1String("--pause")) {
            const QStringList pair = value().split(QLatin1Char(','));
            if (pair.size() != 2 || !isHex(pair[0], 2) || !isHex(pair[1], 2))
                return fail(QStringLiteral("--pause needs two hexadecimal bytes, e.g. F9,BB"));
            o.pz1 = pair[0].toUpper();
            o.pz0 = pair[1].toUpper();
        } else if (a == QLatin1String("--manual")) {
            o.automatic = false;
        } else if (a == QLatin1String("--tail3") || a == QLatin1String("--tail5")) {
            o.fiveBytes = a == QLatin1String("--tail5");
        } else if (a == QLatin1String("--threshold")) {
            const QString t = value();
            if (!isThresholdText(t)) return fail(QStringLiteral("--threshold needs a hexadecimal number"));
            o.threshold = t;
        } else if (a == QLatin1String("--known")) {
            const auto v = pick(actions, knownValues, value());
            if (!v) return fail(QStringLiteral("--known needs emulate, v8 or v9"));
            o.output.known = *v;
        } else if (a == QLatin1String("--unknown")) {
            const auto v = pick(unknowns, unknownValues, value());
            if (!v) return fail(QStringLiteral("--unknown needs nothing, v8 or v9"));
            o.output.unknown = *v;
        } else if (a == QLatin1String("--no-v9")) {
            o.output.noV9 = true;
        } else if (a == QLatin1String("--silent")) {
            o.output.silent = true;
        } else if (a == QLatin1String("--no-detector")) {
            o.output.noDetector = true;
        } else if (a == QLatin1String("--no-ones")) {
            o.output.noOnes = true;
        } else if (a == QLatin1String("--zero-depth")) {
            if (!number(o.output.zeroDepth, OutputSettings::kDepthMax))
                return fail(QStringLiteral("--zero-depth needs a position 0..8"));
        } else if (a == QLatin1String("--one-depth")) {
            if (!number(o.output.oneDepth, OutputSettings::kDepthMax))
                return fail(QStringLiteral("--one-depth needs a position 0..8"));
        } else if (a == QLatin1String("--short-pauses")) {
            o.output.pauseMode = true;
            if (!number(o.output.pause, OutputSettings::kPauseMax))
                return fail(QStringLiteral("--short-pauses needs a position 0..127"));
        } else if (a == QLatin1String("--date")) {
            o.date = value();
        } else if (a == QLatin1String("--time")) {
            o.time = value();
        } else if (a == QLatin1String("--id")) {
            const QString v = value();
            if (!isHex(v, 8) || v.size() != 8)
                return fail(QStringLiteral("--id needs eight hexadecimal digits"));
            o.id = v.toUInt(nullptr, 16);
        } else if (a == QLatin1String("--check")) {
            o.check = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            return fail(QStringLiteral("unknown option %1").arg(a));
        } else if (o.input.isEmpty()) {
            o.input = a;
        } else {
            return fail(QStringLiteral("only one base file may be given"));
        }
    }
    if (o.input.isEmpty()) return fail(QStringLiteral("a base file is needed"));
    return o;
}

int runFit(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString error;
    const auto options = parseFitOptions(args, &error);
    if (!options) return usageError(err, QStringLiteral("fit"), error);
    ButtonBase base;
    BaseFileSettings fileSettings;
    if (!openBase(QStringLiteral("fit"), options->input, base, fileSettings, err)) return 2;

    // The rescan with " ХЭШ 1bit" as the source: every record in turn, the tidying, then record 1.
    HashPanelSettings panel;
    panel.source = HashSource::OneBit;
    panel.oneBit = fileSettings.hash1bit;
    panel.autoThreshold = fileSettings.autoThreshold;
    panel.threshold = options->threshold.value_or(fileSettings.threshold);
    synchronisePanel(panel);
    rescanBase(base, panel);
    DurationHistogram histogram;
    RescanFlags flags{true, false};

    AnsweringDialogs dialogs;
    SteppedTimers timers;
    SystemClock clock;
    SeededRandom random;
    ReceptionSettings reception;
    reception.fiveByteRepeats = options->fiveBytes.value_or(fileSettings.repeatsFiveBytes);
    const TestAreaSettings testArea; // not in test mode
    BaseEntry entry;
    RecordCursor cursor(entry, base);
    QObject::connect(&cursor, &RecordCursor::goToRecordRequested, [&] {
        if (base.count() > 0) processRecord(base, 1, panel, histogram);
    });
    Fitting fitting(base, flags, dialogs, timers, clock, random, panel, reception, testArea, cursor);
    StampOverride& stamp = fitting.stampOverride();
    stamp.date = options->date;
    stamp.time = options->time;
    stamp.id = options->id;

    QJsonObject result;
    if (fitting.open()) {
        FittingSettings& s = fitting.settings();
        s.tolerance = options->tolerance;
        s.automatic = options->automatic;
        s.box(HashVariableSet::Bit) = options->knBit;
        s.box(HashVariableSet::Pz1) = options->pz1;
        s.box(HashVariableSet::Pz0) = options->pz0;
        fitting.output() = options->output;
        fitting.scan();
        // One run per tick; a run starts another only through the automatic re-run.
        for (int ticks = 0; ticks < 10; ++ticks) {
            SteppedTimer* due = nullptr;
            for (SteppedTimer* t : timers.timers)
                if (t->isActive()) due = t;
            if (!due) break;
            due->fire();
        }
    }
    const FittingSettings& s = fitting.settings();
    const FittingView& v = fitting.view();
    QJsonObject boxes;
    for (int i = 0; i < HashVariableSet::Count; ++i)
        boxes.insert(QString::fromLatin1(kHashVariableNames[static_cast<std::size_t>(i)]), s.boxes[i]);
    result.insert(QStringLiteral("records"), base.count());
    result.insert(QStringLiteral("boxes"), boxes);
    result.insert(QStringLiteral("tolerance"), s.tolerance);
    result.insert(QStringLiteral("automatic"), s.automatic);
    result.insert(QStringLiteral("porog"), panel.threshold);
    result.insert(QStringLiteral("status"), v.status);
    result.insert(QStringLiteral("panel"),
                  QJsonObject{{QStringLiteral("caption"), v.panelCaption},
                              {QStringLiteral("colour"), colourName(v.panelColour)}});
    result.insert(QStringLiteral("knBitColour"), colourName(v.knBitColour));
    result.insert(QStringLiteral("labels"),
                  QJsonObject{{QStringLiteral("pause"), v.pauseLabel},
                              {QStringLiteral("duplicates"), v.duplicatesLabel},
                              {QStringLiteral("breakingPoint"), v.breakingPointLabel}});
    result.insert(QStringLiteral("messages"), QJsonArray::fromStringList(v.messages));
    result.insert(QStringLiteral("dialogs"), QJsonArray::fromStringList(dialogs.events));
    result.insert(QStringLiteral("patchReady"), fitting.patchReady());
    result.insert(QStringLiteral("patch"), QJsonArray::fromStringList(v.patch));
    if (options->check) result.insert(QStringLiteral("recognition"), recognitionJson(v.recognition));
    out << QJsonDocument(result).toJson(QJsonDocument::Indented);
    out.flush();
    return fitting.patchReady() ? 0 : 1;
}

QString fitUsageText() {
    return QStringLiteral(
        "Usage: ravlin-cli fit [options] BASE.txt\n"
        "\n"
        "fit: opens a button base file, rescans it with the \" ХЭШ 1bit\" source, runs the fitting of the\n"
        "firmware hash variables as the window \"Подбор переменных ХЭШирования\" does, and prints the\n"
        "outcome as one JSON object: the thirteen boxes, tolerance, automatic mode, \"Порог\", status,\n"
        "panel, labels, messages, the dialogs the run showed, whether a patch was written and its lines.\n"
        "Exit status: 0 with a patch, 1 without one, 2 for a usage error or an unreadable base.\n"
        "\n"
        "Options:\n"
        "  --tolerance H        tolerance box Edit1 (default 03)\n"
        "  --knbit H            KnBit box (default 0D)\n"
        "  --pause H1,H0        the user's KnPz1,KnPz0 (default F9,BB)\n"
        "  --manual             untick \"Доверить первоначальный выбор автоматике\"\n"
        "  --tail3, --tail5     tail size \"В 3 байта\" / \"В 5 байт\" (default: the base file's)\n"
        "  --threshold H        starting \"Порог\" (default: the base file's), read as hash --threshold\n"
        "  --known A            known button: emulate, v8, v9 (default v9)\n"
        "  --unknown A          unknown button: nothing, v8 (default), v9\n"
        "  --no-v9, --silent, --no-detector, --no-ones   the four additional settings C1, C2, C3, C4\n"
        "  --zero-depth N       \"При приёме нуля\" 0..8 (0 \"Авто\")\n"
        "  --one-depth N        \"При приёме единицы\" 0..8 (0 \"Авто\")\n"
        "  --short-pauses N     \"Включить режим \" with the pause position 0..127\n"
        "  --date TEXT, --time TEXT, --id HHHHHHHH   fix the patch header's date, time and identifier\n"
        "  --check              add \"recognition\": the receiver's recognition of every button simulated\n"
        "                       with the fitted KnBit and KnPer (per button total, self, other, none;\n"
        "                       colliding pairs; the verdict), or null when the run built no table\n");
}

} // namespace ravlin::cli
