#pragma once

#include "base/core/base_editor.h"
#include "base/core/button_base.h"
#include "platform/core/dialogs.h"
#include "platform/core/view_colour.h"

#include <QString>
#include <QStringList>

namespace ravlin {

// What the name-choice window shows.
struct NameChoiceView {
    static inline const QString kUnique = QStringLiteral("Уникален");

    int group = -1;                                 // checked radio button, -1 none
    QStringList ascending{QStringLiteral("N/A")};   // ComboBox1 items
    QStringList descending{QStringLiteral("N/A")};  // ComboBox2 items
    QString ascendingText = QStringLiteral("N/A");  // ComboBox1 text
    QString descendingText = QStringLiteral("N/A"); // ComboBox2 text
    QString number = QStringLiteral("00");          // Edit1, hexadecimal
    QString index = QStringLiteral("00");           // Edit5
    QString indexLabel = QStringLiteral("Под пунктом 00 находится - N/A");
    QString uniqueness = kUnique; // Panel1
    ViewColour uniquenessColour = ViewColour::Face;
};

// "Выбор имени" (TForm8): KeyNamTab names in groups, stepping through the table, choosing by
// number, and whether a name is already used in the base. Every choice goes to the main
// window's button-name box.
class NameChoice {
public:
    // The radio buttons: caption and the KeyNamTab indexes they list.
    struct Group {
        const char* caption;
        int first;
        int last;
    };
    static constexpr int kGroupCount = 6;
    static const Group kGroups[kGroupCount];
    static constexpr int kMaxNumber = 61; // Edit1 is capped at "3D" ("A/B")

    NameChoice(ButtonBase& base, BaseEditor& editor, Dialogs& dialogs);

    NameChoiceView& view() { return m_view; }
    const NameChoiceView& view() const { return m_view; }

    // One of the six radio buttons (0 "Upr Key" .. 5 "All Key").
    void selectGroup(int group);
    // A name chosen from ComboBox1 (`ascending`) or ComboBox2.
    void choose(bool ascending, const QString& name);
    // Enter in ComboBox1 or ComboBox2 with `text` typed.
    void enter(bool ascending, const QString& text);
    // Edit1 changed to `text`.
    void numberChanged(const QString& text);
    // "<", ">" and the hidden "!" of the index box Edit5 (whose text the window keeps in view().index).
    void previous();
    void next();
    void showIndex();
    // "Изменить текущую": the main window's change button.
    void changeCurrent() { m_editor.change(); }

    // Records 1..count whose button name is `name`, as "3,7,12"; empty when none.
    static QString usedIn(const ButtonBase& base, const QString& name);
    // Edit1's text as a number capped at 61; -1 when it is empty or not hexadecimal.
    static int numberValue(const QString& text);

private:
    void setMainName(const QString& name);
    void checkUniqueness(const QString& name);
    int rawIndex() const;
    int indexValue() const;

    ButtonBase& m_base;
    BaseEditor& m_editor;
    Dialogs& m_dialogs;
    NameChoiceView m_view;
};

} // namespace ravlin
