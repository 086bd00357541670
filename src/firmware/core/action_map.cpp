#include "firmware/core/action_map.h"

#include "firmware/core/hash_variables.h"
#include "platform/core/regular_file.h"

#include <QFileInfo>

#include <algorithm>

namespace ravlin {

namespace {

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QStringList buildActionNames() {
    QStringList names{
        QStringLiteral("None"),      QStringLiteral("Xmax - Right"), QStringLiteral("Xmin - Left"),
        QStringLiteral("Ymax - Up"), QStringLiteral("Ymin - Down"),  QStringLiteral("Xmin Ymax"),
        QStringLiteral("Xmax Ymax"), QStringLiteral("Xmin Ymin"),    QStringLiteral("Xmax Ymin")};
    for (int i = 1; i <= 7; ++i)
        names << QStringLiteral("None%1").arg(i);
    names << QStringLiteral("Key 01 - PW");
    for (int i = 2; i <= 11; ++i)
        names << QStringLiteral("Key %1 - %2").arg(twoDigits(i)).arg(i - 2);
    for (int i = 12; i <= 24; ++i)
        names << QStringLiteral("Key ") + twoDigits(i);
    for (int i = 1; i <= 29; ++i)
        names << QStringLiteral("KeT ") + twoDigits(i);
    for (int i = 30; i <= 32; ++i)
        names << QStringLiteral("Key ") + twoDigits(i);
    for (int i = 33; i <= 53; ++i)
        names << QStringLiteral("KeT ") + twoDigits(i);
    return names;
}

// The line's text after its "N- " marker, or nothing when the second character is not "-".
QString markedText(const QString& line, bool* marked) {
    *marked = line.size() >= 2 && line.at(1) == QLatin1Char('-');
    return *marked ? line.mid(3) : QString();
}

bool allowedInFileName(QChar c) {
    const char16_t u = c.unicode();
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9')) return true;
    if ((u >= 0x0410 && u <= 0x044F) || u == 0x0401 || u == 0x0451) return true; // Cyrillic, Ё, ё
    static const QString extra = QStringLiteral("!#$%&'*+-<=>?^_|~№\"`@\t\r");
    return extra.contains(c);
}

} // namespace

const QStringList& JoystickActionNames() {
    static const QStringList names = buildActionNames();
    return names;
}

int actionIndex(const QString& action) {
    return static_cast<int>(JoystickActionNames().indexOf(action));
}

bool ActionMap::isValid(const ActionMapEntry& e) {
    const int a = actionIndex(e.action);
    return !e.name.isEmpty() && !e.hash.isEmpty() && a >= 1;
}

void ActionMap::refreshFlags() {
    for (int i = 0; i < kSets; ++i)
        valid[i] = isValid(entries[i]) ? 1 : 0;
}

int ActionMap::validCount() const {
    return static_cast<int>(std::count(valid.begin(), valid.end(), 1));
}

void ActionMap::clear() {
    entries.fill(ActionMapEntry{});
    valid.fill(0);
}

QString paddedHash(const QString& hash) {
    return hash.size() >= 16 ? hash : hash.leftJustified(16, QLatin1Char('0'));
}

QString safeFileName(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (!allowedInFileName(c)) c = QLatin1Char('_');
    return out;
}

QStringList irfLines(const ActionMap& map) {
    QStringList lines{QStringLiteral("; Создано версией софта - ver 1.1E"),
                      QStringLiteral("; Версия формы заполнения файла - ver 0.1"), QString(),
                      QStringLiteral("; Файл ручками не менять!!!"), QString()};
    for (int k = 1; k <= ActionMap::kSets; ++k) {
        const ActionMapEntry& e = map.entries[k - 1];
        lines << QStringLiteral("; Набор номер - %1").arg(k);
        lines << (e.name.isEmpty() ? QStringLiteral("1 None") : QStringLiteral("1- ") + e.name);
        lines << (e.hash.isEmpty() ? QStringLiteral("2 None") : QStringLiteral("2- ") + e.hash);
        lines << (e.action.isEmpty() || e.action == QLatin1String("None") ? QStringLiteral("3 None")
                                                                          : QStringLiteral("3- ") + e.action);
        lines << QString();
    }
    return lines;
}

void readIrf(ActionMap& map, const TextLines& lines) {
    bool marked = false;
    for (int k = 0; k < ActionMap::kSets; ++k) {
        const qsizetype base = 5 + 5 * qsizetype(k); // lines are 1-based: set k starts at base + 1
        ActionMapEntry& e = map.entries[k];
        e.name = markedText(lines.line(base + 2), &marked);
        e.hash = markedText(lines.line(base + 3), &marked);
        const QString action = markedText(lines.line(base + 4), &marked);
        e.action = marked && actionIndex(action) >= 0 ? action : QStringLiteral("None");
    }
    map.refreshFlags();
}

namespace {

// One "Avto" rebuild: the usability rule, the add rule and the numbering passes.
class AutoFill {
public:
    AutoFill(ActionMap& map, const ButtonBase& base) : m_map(map), m_base(base) {}

    bool usable(const QString& h) const {
        if (h == QLatin1String("N/A") || h.startsWith(QLatin1String("N/A")) ||
            h.startsWith(QLatin1String("00")))
            return false;
        const QString p = paddedHash(h);
        for (int i = 0; i < std::min(m_count, ActionMap::kSets); ++i)
            if (m_map.entries[i].hash == p) return false;
        return true;
    }
    static bool skipped(const QString& name) {
        return name == QLatin1String("Hvost") || name == QLatin1String("Obshaya");
    }
    bool add(const ButtonRecord& r, int action) {
        if (skipped(r.buttonName) || m_count >= ActionMap::kSets) return false;
        ++m_count;
        if (m_count < ActionMap::kSets)
            m_map.entries[m_count - 1] = {r.buttonName, paddedHash(r.hash), JoystickActionNames().at(action)};
        return true;
    }
    // Adds every record named `name` with a usable hash; returns whether any was added.
    bool addNamed(const QString& name, int action) {
        bool any = false;
        for (int i = 1; i <= m_base.count(); ++i) {
            const ButtonRecord& r = m_base.record(i);
            if (r.buttonName == name && usable(r.hash)) any = add(r, action) || any;
        }
        return any;
    }
    // The general pass: new names take the next index while it stays below the limit; a name
    // already filled shares that set's action and lowers the limit.
    void generalPass(int& n, int& limit) {
        for (int i = 1; i <= m_base.count(); ++i) {
            const ButtonRecord& r = m_base.record(i);
            // Buttons that are never added take no index.
            if (skipped(r.buttonName)) continue;
            if (n >= limit || !usable(r.hash)) continue;
            const int last = lastFilledNamed(r.buttonName);
            if (last < 0) {
                ++n;
                add(r, n);
            } else {
                add(r, actionIndex(m_map.entries[last].action));
                --limit;
            }
        }
    }
    int lastFilledNamed(const QString& name) const {
        for (int i = std::min(m_count, ActionMap::kSets - 1) - 1; i >= 0; --i)
            if (m_map.entries[i].name == name) return i;
        return -1;
    }
    int filled() const { return std::min(m_count, ActionMap::kSets - 1); }

private:
    ActionMap& m_map;
    const ButtonBase& m_base;
    int m_count = 0;
};

} // namespace

int fillAutomatically(ActionMap& map, const ButtonBase& base, bool skipXY) {
    map.clear();
    AutoFill fill(map, base);
    if (!skipXY) {
        const auto axes = [&](const char* up, const char* down, const char* left, const char* right) {
            bool any = false;
            for (int i = 1; i <= base.count(); ++i) {
                const ButtonRecord& r = base.record(i);
                if (!fill.usable(r.hash)) continue;
                const QString& n = r.buttonName;
                int a = 0;
                if (n == QLatin1String(up))
                    a = 3;
                else if (n == QLatin1String(down))
                    a = 4;
                else if (n == QLatin1String(left))
                    a = 2;
                else if (n == QLatin1String(right))
                    a = 1;
                if (a) any = fill.add(r, a) || any;
            }
            return any;
        };
        if (!axes("Up", "Down", "Left", "Right")) axes("CH+", "CH-", "VOL-", "VOL+");
    }
    if (!fill.addNamed(QStringLiteral("PW"), 16)) fill.addNamed(QStringLiteral("OK"), 16);
    // With any key name present general buttons start at index 27 ("Key 12"); when "Key 10" took
    // index 27 itself they start after it, so that no two buttons share an action.
    int n = 16;
    for (int k = 0; k <= 10; ++k)
        if (fill.addNamed(QStringLiteral("Key %1").arg(k), 17 + k)) n = std::max(26, 17 + k);
    int limit = 40;
    fill.generalPass(n, limit);
    limit += 52;
    fill.generalPass(n, limit);
    map.refreshFlags();
    return fill.filled();
}

QStringList pelvarLines(const ActionMap& map) {
    QStringList lines;
    int written = 0;
    const auto put = [&](const QString& line) {
        lines << line;
        if (++written % 14 == 0) lines << QString();
    };
    QString data;
    QString comment;
    bool second = false;
    for (int i = 0; i < ActionMap::kSets; ++i) {
        if (!map.valid[i]) continue;
        const ActionMapEntry& e = map.entries[i];
        if (!second) {
            data = QStringLiteral(".DB 0x");
            comment = QStringLiteral("  ; ");
        }
        for (int p = 0; p < 16; p += 2)
            data += e.hash.mid(p, 2) + QStringLiteral(", 0x");
        data += ByteHex(std::max(actionIndex(e.action), 0));
        comment += e.name;
        comment = comment.leftJustified(comment.size() < 13 ? 13 : 43, QLatin1Char(' '));
        comment += QStringLiteral(" - ") + e.action;
        if (!second) {
            data += QStringLiteral(",       0x");
            comment = comment.leftJustified(29, QLatin1Char(' ')) + QStringLiteral("|||  ");
            second = true;
        } else {
            put(data + QStringLiteral("   ") + comment);
            second = false;
        }
    }
    if (second) put(data + QStringLiteral("00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00") + comment);
    return lines;
}

QStringList pelvarFile(const ActionMap& map) {
    return QStringList{QStringLiteral("; Создано версией софта - ver 1.1E"), QString()} + pelvarLines(map);
}

ActionMapCommands::ActionMapCommands(ActionMap& map, const ButtonBase& base, RescanFlags& flags,
                                     Dialogs& dialogs, Inputs inputs)
    : m_map(map), m_base(base), m_flags(flags), m_dialogs(dialogs), m_in(inputs) {}

bool ActionMapCommands::fail(const QString& message) {
    m_dialogs.beep();
    m_dialogs.information(message);
    return false;
}

bool ActionMapCommands::open() {
    using namespace ActionMapText;
    if (!m_in.testArea.testSwitch) {
        const int count = m_base.count();
        if (count < 4) return fail(kFewerThan4);
        if (m_in.panel.source != HashSource::M96) {
            m_flags.rescanned = false;
            return fail(kSelectM96);
        }
        if (!(m_flags.rescanned && m_flags.withM96)) return fail(kNotRescanned);
        if (count < 15) {
            m_dialogs.beep();
            if (m_dialogs.askYesNo(kFewerThan15) == Answer::No) return false;
        }
    }
    m_map.refreshFlags();
    return true;
}

void ActionMapCommands::setPage(int page) {
    m_page = std::clamp(page, 0, ActionMap::kPages - 1);
    m_map.refreshFlags();
}

ActionMapEntry& ActionMapCommands::row(int r) {
    return m_map.entries[static_cast<std::size_t>(m_page * ActionMap::kPageRows +
                                                  std::clamp(r, 0, ActionMap::kPageRows - 1))];
}

void ActionMapCommands::chooseActions(const std::array<QString, ActionMap::kPageRows>& actions) {
    for (int r = 0; r < ActionMap::kPageRows; ++r)
        row(r).action = actions[static_cast<std::size_t>(r)];
    m_map.refreshFlags();
}

void ActionMapCommands::importCurrentButton(int r, const QString& action) {
    if (r < 0 || r >= ActionMap::kPageRows) return;
    ActionMapEntry& e = row(r);
    e.name = m_in.entry.buttonName;
    e.hash = paddedHash(m_in.burst.hash);
    e.action = action;
    m_map.refreshFlags();
}

bool ActionMapCommands::mayOverwrite(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && info.isFile() && info.size() > 0) {
        m_dialogs.beep();
        if (m_dialogs.askYesNo(ActionMapText::kOverwrite) != Answer::Yes) return false;
    }
    return true;
}

bool ActionMapCommands::saveFile() {
    using namespace ActionMapText;
    QString proposed = saveName;
    if (proposed == QLatin1String("pult.irf")) proposed = safeFileName(m_in.entry.remoteName) + kIrfExtension;
    const QString chosen = m_dialogs.saveFileName(kIrfFilter, proposed, kIrfExtension);
    if (chosen.isEmpty()) return false;
    const QString name = withExtension(chosen, kIrfExtension);
    if (!mayOverwrite(name)) return false;
    openName = name;
    saveName = name;
    QString error;
    if (!TextFileWriter::write(name, irfLines(m_map), &error))
        return fail(QStringLiteral("Файл не сохранён.\r\n") + error);
    return true;
}

bool ActionMapCommands::openFile() {
    using namespace ActionMapText;
    const QString chosen = m_dialogs.openFileName(kIrfFilter, openName);
    if (chosen.isEmpty()) return false;
    const QString name = withExtension(chosen, kIrfExtension);
    if (!QFileInfo::exists(name)) return fail(kNotFound);
    saveName = name;
    QString error;
    const std::optional<TextLines> lines = readTextFile(name, ActionMapText::kIrfMaxBytes, &error);
    if (!lines) return fail(QStringLiteral("Файл не прочитан.\r\n") + error);
    readIrf(m_map, *lines);
    setPage(m_page);
    return true;
}

int ActionMapCommands::avto() {
    const int filled = fillAutomatically(m_map, m_base, skipXY);
    setPage(m_page);
    return filled;
}

bool ActionMapCommands::exportPelvar() {
    using namespace ActionMapText;
    m_map.refreshFlags();
    if (m_map.validCount() == 0) return fail(kNothingValid);
    const QString chosen = m_dialogs.saveFileName(kPelvarFilter, kPelvarDefault, QStringLiteral(".pch"));
    if (chosen.isEmpty()) return false;
    const QString name = withExtension(chosen, QStringLiteral(".pch"));
    if (!mayOverwrite(name)) return false;
    QString error;
    if (!TextFileWriter::write(name, pelvarFile(m_map), &error))
        return fail(QStringLiteral("Файл не сохранён.\r\n") + error);
    return true;
}

} // namespace ravlin
