#include "cli/fit_command.h"

#include "capture/core/pipeline.h"
#include "cli/cli_base.h"
#include "firmware/core/fitting.h"
#include "platform/core/answering_dialogs.h"
#include "platform/core/manual_scheduler.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace ravlin::cli {

namespace {

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

// A box of one or two hexadecimal digits, kept in upper case.
QString takeHex(const QString& v, QString& into, const char* option) {
    if (!isHex(v, 2)) return QStringLiteral("%1 needs 1 or 2 hexadecimal digits").arg(QLatin1String(option));
    into = v.toUpper();
    return {};
}

// A position from 0 to `max`.
QString takePosition(const QString& v, int& into, int max, const char* option) {
    bool ok = false;
    const int n = v.toInt(&ok);
    if (!ok || n < 0 || n > max)
        return QStringLiteral("%1 needs a position 0..%2").arg(QLatin1String(option)).arg(max);
    into = n;
    return {};
}

} // namespace

std::optional<FitOptions> parseFitOptions(const QStringList& args, QString* error) {
    FitOptions o;
    const QStringList actions{QStringLiteral("emulate"), QStringLiteral("v8"), QStringLiteral("v9")};
    const QStringList unknowns{QStringLiteral("nothing"), QStringLiteral("v8"), QStringLiteral("v9")};
    const KnownButtonAction knownValues[] = {KnownButtonAction::Emulate, KnownButtonAction::LengthsV8,
                                             KnownButtonAction::ResultV9};
    const UnknownButtonAction unknownValues[] = {UnknownButtonAction::Nothing, UnknownButtonAction::LengthsV8,
                                                 UnknownButtonAction::ErrorV9};
    OutputSettings& out = o.output;
    CommandLine line;
    line.value(QStringLiteral("tolerance"),
               [&](const QString& v) { return takeHex(v, o.tolerance, "--tolerance"); });
    line.value(QStringLiteral("knbit"), [&](const QString& v) { return takeHex(v, o.knBit, "--knbit"); });
    line.value(QStringLiteral("pause"), [&](const QString& v) {
        const QStringList pair = v.split(QLatin1Char(','));
        if (pair.size() != 2 || !isHex(pair[0], 2) || !isHex(pair[1], 2))
            return QStringLiteral("--pause needs two hexadecimal bytes, e.g. F9,BB");
        o.pz1 = pair[0].toUpper();
        o.pz0 = pair[1].toUpper();
        return QString();
    });
    line.flag(QStringLiteral("manual"), [&] { o.automatic = false; });
    line.flag(QStringLiteral("tail3"), [&] { o.fiveBytes = false; });
    line.flag(QStringLiteral("tail5"), [&] { o.fiveBytes = true; });
    line.value(QStringLiteral("threshold"), [&](const QString& v) {
        QString t;
        const QString why = takeThreshold(v, t);
        if (why.isEmpty()) o.threshold = t;
        return why;
    });
    line.value(QStringLiteral("known"), [&](const QString& v) {
        const auto a = pick(actions, knownValues, v);
        if (!a) return QStringLiteral("--known needs emulate, v8 or v9");
        out.known = *a;
        return QString();
    });
    line.value(QStringLiteral("unknown"), [&](const QString& v) {
        const auto a = pick(unknowns, unknownValues, v);
        if (!a) return QStringLiteral("--unknown needs nothing, v8 or v9");
        out.unknown = *a;
        return QString();
    });
    line.flag(QStringLiteral("no-v9"), [&] { out.noV9 = true; });
    line.flag(QStringLiteral("silent"), [&] { out.silent = true; });
    line.flag(QStringLiteral("no-detector"), [&] { out.noDetector = true; });
    line.flag(QStringLiteral("no-ones"), [&] { out.noOnes = true; });
    line.value(QStringLiteral("zero-depth"), [&](const QString& v) {
        return takePosition(v, out.zeroDepth, OutputSettings::kDepthMax, "--zero-depth");
    });
    line.value(QStringLiteral("one-depth"), [&](const QString& v) {
        return takePosition(v, out.oneDepth, OutputSettings::kDepthMax, "--one-depth");
    });
    line.value(QStringLiteral("short-pauses"), [&](const QString& v) {
        out.pauseMode = true;
        return takePosition(v, out.pause, OutputSettings::kPauseMax, "--short-pauses");
    });
    line.value(QStringLiteral("date"), [&](const QString& v) {
        o.date = v;
        return QString();
    });
    line.value(QStringLiteral("time"), [&](const QString& v) {
        o.time = v;
        return QString();
    });
    line.value(QStringLiteral("id"), [&](const QString& v) {
        if (!isHex(v, 8) || v.size() != 8) return QStringLiteral("--id needs eight hexadecimal digits");
        o.id = v.toUInt(nullptr, 16);
        return QString();
    });
    line.flag(QStringLiteral("check"), [&] { o.check = true; });
    line.positional([&](const QString& a) {
        if (!o.input.isEmpty()) return QStringLiteral("only one base file may be given");
        o.input = a;
        return QString();
    });
    QString why = line.parse(args);
    if (why.isEmpty() && o.input.isEmpty()) why = QStringLiteral("a base file is needed");
    if (why.isEmpty()) return o;
    if (error) *error = why;
    return std::nullopt;
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
    ManualScheduler timers;
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
        timers.advanceWhile([&] { return fitting.isRunning(); }, Fitting::kIntervalMs, 10);
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
