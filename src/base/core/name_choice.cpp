#include "base/core/name_choice.h"

#include "base/core/key_names.h"
#include "hashing/core/number_text.h"

#include <algorithm>

namespace ravlin {

const NameChoice::Group NameChoice::kGroups[kGroupCount] = {
    {"Upr Key", 1, 12}, {"TV", 13, 29},      {"Color Key", 30, 33},
    {"Tape", 34, 43},   {"Control", 44, 61}, {"All Key", 0, 64},
};

namespace {
const QString kNA = QStringLiteral("N/A");
} // namespace

NameChoice::NameChoice(ButtonBase& base, BaseEditor& editor, Dialogs& dialogs)
    : m_base(base), m_editor(editor), m_dialogs(dialogs) {}

void NameChoice::selectGroup(int group) {
    if (group < 0 || group >= kGroupCount) return;
    const Group& g = kGroups[group];
    m_view.group = group;
    m_view.ascending = QStringList{kNA};
    m_view.descending = QStringList{kNA};
    for (int i = g.first; i <= g.last; ++i)
        m_view.ascending << KeyNamTab::name(i);
    for (int i = g.last; i >= g.first; --i)
        m_view.descending << KeyNamTab::name(i);
}

void NameChoice::setMainName(const QString& name) {
    m_editor.settings().buttonName = name;
    m_editor.view().nameMarker = ViewColour::Face;
}

QString NameChoice::usedIn(const ButtonBase& base, const QString& name) {
    QStringList numbers;
    for (int i = 1; i <= base.count(); ++i)
        if (base.record(i).buttonName == name) numbers << QString::number(i);
    return numbers.join(u',');
}

void NameChoice::checkUniqueness(const QString& name) {
    const QString used = usedIn(m_base, name);
    if (used.isEmpty()) {
        m_view.uniqueness = NameChoiceView::kUnique;
        m_view.uniquenessColour = ViewColour::Face;
    } else {
        m_view.uniqueness = QStringLiteral("Повторяется в ") + used;
        m_view.uniquenessColour = ViewColour::Yellow;
    }
}

void NameChoice::choose(bool ascending, const QString& name) {
    (ascending ? m_view.ascendingText : m_view.descendingText) = name;
    (ascending ? m_view.descendingText : m_view.ascendingText) = kNA;
    setMainName(name);
    checkUniqueness(name);
}

void NameChoice::enter(bool ascending, const QString& text) {
    QString& box = ascending ? m_view.ascendingText : m_view.descendingText;
    box = text;
    const QString entry = BaseEditor::matchingKeyName(text);
    if (entry.isEmpty()) return;
    box = entry;
    setMainName(entry);
}

int NameChoice::numberValue(const QString& text) {
    if (text.isEmpty()) return -1;
    int value = 0;
    for (QChar c : text) {
        if (c.unicode() > 0x7F) return -1;
        const int digit = QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper());
        if (digit < 0) return -1;
        value = std::min(value * 16 + digit, kMaxNumber);
    }
    return value;
}

void NameChoice::numberChanged(const QString& text) {
    m_view.number = text;
    const int n = numberValue(text);
    if (n < 0) {
        // An emptied box waits for the next digit; anything else is refused with a beep.
        if (!text.isEmpty()) m_dialogs.beep();
        return;
    }
    m_view.number = IntToBase(n, 16);
    const QString name = KeyNamTab::name(n);
    m_view.descendingText = name;
    m_view.ascendingText = name;
    setMainName(name);
    checkUniqueness(name);
}

int NameChoice::rawIndex() const {
    bool ok = false;
    const int n = m_view.index.trimmed().toInt(&ok);
    return ok ? n : 0;
}

int NameChoice::indexValue() const {
    return std::clamp(rawIndex(), 0, KeyNamTab::kLast);
}

void NameChoice::previous() {
    int n = indexValue();
    if (n >= 1) --n;
    m_view.index = QString::number(n).rightJustified(2, u'0');
    showIndex();
}

void NameChoice::next() {
    int n = rawIndex();
    if (n < KeyNamTab::kLast) ++n;
    n = std::clamp(n, 0, KeyNamTab::kLast);
    m_view.index = QString::number(n).rightJustified(2, u'0');
    showIndex();
}

void NameChoice::showIndex() {
    const QString name = KeyNamTab::name(indexValue());
    m_view.indexLabel =
        QStringLiteral("Под пунктом ") + m_view.index + QStringLiteral(" находится - ") + name;
    setMainName(name);
}

} // namespace ravlin
