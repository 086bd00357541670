#pragma once

#include "base/core/base_entry.h"
#include "base/core/button_base.h"
#include "base/core/rescan_flags.h"
#include "base/core/test_area.h"
#include "hashing/core/panel_settings.h"
#include "platform/core/dialogs.h"
#include "platform/core/text_file.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace ravlin {

// The 93 action names of the Pelvar firmware; the index 1..92 is what the firmware receives.
const QStringList& JoystickActionNames();
// Index of `action` in JoystickActionNames, or -1.
int actionIndex(const QString& action);

// One button-to-action set: an empty name or hash means unused; "None" or empty means no action.
struct ActionMapEntry {
    QString name;
    QString hash; // right-padded with "0" to at least 16 characters
    QString action = QStringLiteral("None");

    bool operator==(const ActionMapEntry&) const = default;
};

// The 80 sets (numbered 1..80, held 0-based) and their valid flags.
struct ActionMap {
    static constexpr int kSets = 80;
    static constexpr int kPageRows = 10;
    static constexpr int kPages = kSets / kPageRows;

    std::array<ActionMapEntry, kSets> entries{};
    std::array<std::uint8_t, kSets> valid{};

    // A set is valid when its name and hash are set and its action is one of indexes 1..92.
    static bool isValid(const ActionMapEntry& e);
    void refreshFlags();
    int validCount() const;
    void clear();
};

// The hash as the map keeps it: right-padded with "0" to 16 characters.
QString paddedHash(const QString& hash);
// The file-name rule: characters a name may not carry become "_".
QString safeFileName(const QString& text);

// The ".irf" text (header and five lines per set).
QStringList irfLines(const ActionMap& map);
// Reads ".irf" lines by position without checks: missing markers give empty fields ("None" for
// the action), unknown actions read as "None". Flags are refreshed.
void readIrf(ActionMap& map, const TextLines& lines);
// "Avto": rebuilds the map from the base. `skipXY` is "Не использовать Х и У при автоматической
// раскладке". Returns the number of sets filled.
int fillAutomatically(ActionMap& map, const ButtonBase& base, bool skipXY);
// The Pelvar data lines of the valid sets (two sets per line); empty when no set is valid.
QStringList pelvarLines(const ActionMap& map);
// The Pelvar data file: its header line, an empty line, then pelvarLines.
QStringList pelvarFile(const ActionMap& map);

// The commands of the window "Настройки под кнопки Pelvar" over the map: opening checks, page,
// choice of action, import of the current button, Open, Save, Avto, Pelvar.
class ActionMapCommands {
public:
    // What the commands read on the main window.
    struct Inputs {
        const TestAreaSettings& testArea; // "Перейти в тестовый "
        const HashPanelSettings& panel;   // " ХЭШ M96" is the selected hash module
        const BaseEntrySettings& entry;   // Edit10 and ComboBoxKey
        const BurstFields& burst;         // EditPebr
    };

    ActionMapCommands(ActionMap& map, const ButtonBase& base, RescanFlags& flags, Dialogs& dialogs,
                      Inputs inputs);

    ActionMap& map() { return m_map; }
    const ActionMap& map() const { return m_map; }

    // The main window's "Кнопки для Pelvar": the checks (unless in test mode). Returns whether to show.
    bool open();

    int page() const { return m_page; }
    // ScrollBar1: shows page 0..7 (clamped) and refreshes the flags.
    void setPage(int page);
    // The set shown in row 0..9 of the page.
    ActionMapEntry& row(int r);
    // A drop-down list of the page changed: the ten texts go into the page's sets.
    void chooseActions(const std::array<QString, ActionMap::kPageRows>& actions);
    // Double click on row 0..9: the main window's current button goes into that set, with the
    // row's drop-down text as its action.
    void importCurrentButton(int row, const QString& action);

    bool skipXY = true; // CheckBoxAv01
    QString openName = QStringLiteral("pult.irf");
    QString saveName = QStringLiteral("pult.irf");

    bool openFile();
    bool saveFile();
    int avto();
    bool exportPelvar();

private:
    bool fail(const QString& message);
    bool mayOverwrite(const QString& path);

    ActionMap& m_map;
    const ButtonBase& m_base;
    RescanFlags& m_flags;
    Dialogs& m_dialogs;
    Inputs m_in;
    int m_page = 0;
};

namespace ActionMapText {
inline const QString kIrfFilter = QStringLiteral("Ir file (*.irf)|*.irf");
inline const QString kIrfExtension = QStringLiteral(".irf");
// A map of 80 sets is a few KiB.
inline constexpr qint64 kIrfMaxBytes = 1024 * 1024;
inline const QString kPelvarFilter = QStringLiteral("Pach file|*.pch");
inline const QString kPelvarDefault = QStringLiteral("PachFile.pch");
inline const QString kFewerThan4 = QStringLiteral("В буфере меньше 4х образцов");
inline const QString kSelectM96 =
    QStringLiteral("Нужно выбрать ХЭШ M96 на панели\r\nKestrum -> Модули ХЭШирования -> ХЭШ M96.");
inline const QString kNotRescanned =
    QStringLiteral("До полного пересканирования ХЭШей\r\nс модулем ХЭШ M96 рассчёты невозможны.");
inline const QString kFewerThan15 = QStringLiteral("В буфере меньше 15 образцов\r\n          Продолжить?");
inline const QString kNotFound = QStringLiteral("Указанный файл не найден!!!");
inline const QString kOverwrite =
    QStringLiteral("Файл с таким именем уже существует\r\n       Перезаписать его?");
inline const QString kNothingValid = QStringLiteral("Правильных позиций - нет - сохранять нечего!!!");
} // namespace ActionMapText

} // namespace ravlin
