#include "cli/actions_command.h"

#include "capture/core/pipeline.h"
#include "cli/cli_base.h"
#include "firmware/core/action_map.h"
#include "platform/core/answering_dialogs.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace ravlin::cli {

namespace {

// The rescan with " ХЭШ M96" as the source: each record's hash becomes the decoder's text where
// the decoder recognises its burst; other records keep theirs, as the window's rescan leaves them.
void rescanWithM96(ButtonBase& base, const BaseFileSettings& fileSettings, const DecoderSettings& decoder) {
    HashPanelSettings panel;
    panel.source = HashSource::M96;
    panel.oneBit = fileSettings.hash1bit;
    panel.autoThreshold = fileSettings.autoThreshold;
    panel.threshold = fileSettings.threshold;
    synchronisePanel(panel);
    rescanBase(base, panel, decoder);
}

} // namespace

std::optional<ActionsOptions> parseActionsOptions(const QStringList& args, QString* error) {
    ActionsOptions o;
    const auto path = [](QString& into, const char* option) {
        return [&into, option](const QString& v) {
            if (v.isEmpty()) return QStringLiteral("%1 needs a file name").arg(QLatin1String(option));
            into = v;
            return QString();
        };
    };
    CommandLine line;
    line.flag(QStringLiteral("avto"), [&] { o.avto = true; });
    line.flag(QStringLiteral("no-xy"), [&] { o.skipXY = true; });
    line.value(QStringLiteral("irf"), path(o.irf, "--irf"));
    line.value(QStringLiteral("pelvar"), path(o.pelvar, "--pelvar"));
    line.value(QStringLiteral("decoders"), [&](const QString& v) { return takeDecoders(v, o.decoder); });
    line.positional([&](const QString& a) {
        if (!o.input.isEmpty()) return QStringLiteral("only one base file may be given");
        o.input = a;
        return QString();
    });
    QString why = line.parse(args);
    if (why.isEmpty() && o.input.isEmpty()) why = QStringLiteral("a base file is needed");
    if (why.isEmpty() && !o.avto) why = QStringLiteral("--avto is needed to fill the map");
    if (why.isEmpty()) return o;
    if (error) *error = why;
    return std::nullopt;
}

int runActions(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString error;
    const auto options = parseActionsOptions(args, &error);
    if (!options) return usageError(err, QStringLiteral("actions"), error);
    ButtonBase base;
    BaseFileSettings fileSettings;
    if (!openBase(QStringLiteral("actions"), options->input, base, fileSettings, err)) return kExitUsage;
    rescanWithM96(base, fileSettings, options->decoder);
    RescanFlags flags{true, true};

    AnsweringDialogs dialogs;
    ActionMap map;
    // The main window's fields: " ХЭШ M96" selected, not in test mode, nothing in the boxes.
    const TestAreaSettings testArea;
    HashPanelSettings panel;
    panel.source = HashSource::M96;
    const BaseEntrySettings entry{QString(), QString(), QString()};
    const BurstFields burst{QString(), {}};
    ActionMapCommands commands(map, base, flags, dialogs, {testArea, panel, entry, burst});
    commands.skipXY = options->skipXY;

    QJsonObject result;
    result.insert(QStringLiteral("records"), base.count());
    bool ok = commands.open();
    int filled = 0;
    QJsonArray written;
    bool writeFailure = false;
    if (ok) {
        filled = commands.avto();
        const auto write = [&](const QString& path, const QStringList& text) {
            QString why;
            if (TextFileWriter::write(path, text, &why)) {
                written.append(path);
                return true;
            }
            writeFailed(err, QStringLiteral("actions"), path, why);
            writeFailure = true;
            return false;
        };
        if (!options->irf.isEmpty()) ok = write(options->irf, irfLines(map)) && ok;
        if (!options->pelvar.isEmpty()) {
            if (map.validCount() == 0) {
                dialogs.beep();
                dialogs.information(ActionMapText::kNothingValid, QString());
                ok = false;
            } else {
                ok = write(options->pelvar, pelvarFile(map)) && ok;
            }
        }
    }
    QJsonArray sets;
    for (int i = 0; i < ActionMap::kSets; ++i) {
        if (!map.valid[i]) continue;
        const ActionMapEntry& e = map.entries[i];
        sets.append(QJsonObject{{QStringLiteral("set"), i + 1},
                                {QStringLiteral("name"), e.name},
                                {QStringLiteral("hash"), e.hash},
                                {QStringLiteral("action"), e.action},
                                {QStringLiteral("index"), actionIndex(e.action)}});
    }
    result.insert(QStringLiteral("filled"), filled);
    result.insert(QStringLiteral("valid"), map.validCount());
    result.insert(QStringLiteral("sets"), sets);
    result.insert(QStringLiteral("written"), written);
    result.insert(QStringLiteral("dialogs"), QJsonArray::fromStringList(dialogs.events));
    out << QJsonDocument(result).toJson(QJsonDocument::Indented);
    return writeFailure ? kExitOutputFailed : ok ? kExitOk : kExitProblems;
}

QString actionsUsageText() {
    return QStringLiteral(
        "Usage: ravlin-cli actions BASE.txt --avto [--no-xy] [--irf OUT] [--pelvar OUT] [--decoders L]\n"
        "\n"
        "actions: opens a button base file, rescans it with the \" ХЭШ M96\" source, runs the opening\n"
        "checks of the window \"Настройки под кнопки Pelvar\" (questions answered Yes), fills the\n"
        "button-to-action map with \"Avto\" and writes the chosen files. Prints one JSON object: records,\n"
        "sets filled, valid sets (number, name, hash, action, index), files written, dialogs shown.\n"
        "Exit status: 0 when every requested file was written, 1 when the checks failed, 2 for a usage\n"
        "error or a file that is no readable base, 3 when a file could not be written.\n"
        "\n"
        "Options:\n"
        "  --avto          fill the map automatically (needed)\n"
        "  --no-xy         tick \"Не использовать Х и У при автоматической раскладке\" (no axis buttons)\n"
        "  --irf OUT       write the map as an .irf file\n"
        "  --pelvar OUT    write the Pelvar data file (.pch)\n"
        "  --decoders L    sub-decoders of the rescan: +key ticks, -key unticks (+rc6,+sirc15,+rc5x)\n");
}

} // namespace ravlin::cli
