#include "base/ui/base_entry_group.h"

#include "base/core/key_names.h"
#include "platform/ui/refresh.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ravlin {

namespace {

QPushButton* button(const QString& name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

BaseEntryGroup::BaseEntryGroup(BaseEditor& editor, QWidget* parent) : QWidget(parent), m_editor(editor) {
    setObjectName(QStringLiteral("BaseEntryGroup"));
    // Compact: the groups sit in a narrow column of the " Kestrum " tab.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(2);

    auto* records = new QGroupBox(QStringLiteral("База принятых кнопок"), this);
    records->setObjectName(QStringLiteral("GroupBoxBase"));
    auto* rl = new QHBoxLayout(records);
    rl->setContentsMargins(4, 2, 4, 4);
    rl->setSpacing(4);
    auto* previous = button(QStringLiteral("BitBtn8"), QStringLiteral("<"), records);
    m_recordNumber = new QLineEdit(records);
    m_recordNumber->setObjectName(QStringLiteral("Edit6"));
    m_recordNumber->setFixedWidth(48);
    auto* next = button(QStringLiteral("BitBtn9"), QStringLiteral(">"), records);
    m_count = new QLabel(records);
    m_count->setObjectName(QStringLiteral("LabelKn"));
    auto* clear = button(QStringLiteral("BitBtnCl1"), QStringLiteral("Очистить базу"), records);
    for (auto* b : {previous, next})
        b->setFixedWidth(28);
    rl->addWidget(previous);
    rl->addWidget(m_recordNumber);
    rl->addWidget(next);
    rl->addWidget(m_count);
    rl->addStretch();
    rl->addWidget(clear);
    outer->addWidget(records);

    auto* entry = new QGroupBox(QStringLiteral(" Вхождение в базу "), this);
    entry->setObjectName(QStringLiteral("GroupBoxEntry"));
    auto* grid = new QGridLayout(entry);
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setSpacing(3);
    m_remoteName = new QLineEdit(entry);
    m_remoteName->setObjectName(QStringLiteral("Edit10"));
    m_buttonName = new QComboBox(entry);
    m_buttonName->setObjectName(QStringLiteral("ComboBoxKey"));
    m_buttonName->setEditable(true);
    m_buttonName->setInsertPolicy(QComboBox::NoInsert);
    // Typed text stays as typed: a name that is a prefix of a table name must be possible.
    m_buttonName->setCompleter(nullptr);
    m_buttonName->addItems(KeyNamTab::names());
    m_marker = new QFrame(entry);
    m_marker->setObjectName(QStringLiteral("Panel1"));
    m_marker->setFrameShape(QFrame::Panel);
    m_marker->setFrameShadow(QFrame::Sunken);
    m_marker->setFixedSize(14, 14);
    m_selection = new QLabel(entry);
    m_selection->setObjectName(QStringLiteral("PanelSi1"));
    m_selection->setFrameShape(QFrame::Panel);
    m_selection->setFrameShadow(QFrame::Sunken);
    m_selection->setMinimumWidth(120);
    m_change = button(QStringLiteral("ButtonDey1"), BaseEntryView::kChangeCaption, entry);
    auto* add = button(QStringLiteral("ButtonDey2"), QStringLiteral("Добавить"), entry);
    auto* remove = button(QStringLiteral("ButtonDey3"), QStringLiteral("Удалить"), entry);
    // Captions in the first column, beside their fields.
    grid->addWidget(new QLabel(QStringLiteral("Имя пульта"), entry), 0, 0);
    grid->addWidget(m_remoteName, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Имя кнопки"), entry), 1, 0);
    grid->addWidget(m_buttonName, 1, 1);
    grid->addWidget(m_marker, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Под номером"), entry), 2, 0);
    grid->addWidget(m_selection, 2, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(3);
    buttons->addWidget(m_change);
    buttons->addWidget(add);
    buttons->addWidget(remove);
    grid->addLayout(buttons, 3, 0, 1, 3);
    outer->addWidget(entry);

    refresh();

    connect(previous, &QPushButton::clicked, this, [this] { run(&BaseEditor::previous); });
    connect(next, &QPushButton::clicked, this, [this] { run(&BaseEditor::next); });
    connect(clear, &QPushButton::clicked, this, [this] { run(&BaseEditor::clearBase); });
    connect(m_change, &QPushButton::clicked, this, [this] { run(&BaseEditor::change); });
    connect(add, &QPushButton::clicked, this, [this] { run(&BaseEditor::add); });
    connect(remove, &QPushButton::clicked, this, [this] { run(&BaseEditor::remove); });
    connect(m_recordNumber, &QLineEdit::returnPressed, this,
            [this] { run(&BaseEditor::enterInRecordNumber); });
    connect(m_recordNumber, &QLineEdit::textEdited, this,
            [this](const QString& t) { m_editor.settings().recordNumber = t; });
    connect(m_remoteName, &QLineEdit::textEdited, this,
            [this](const QString& t) { m_editor.settings().remoteName = t; });
    connect(m_buttonName, &QComboBox::editTextChanged, this, [this](const QString& t) {
        if (m_refreshing) return;
        m_editor.buttonNameChanged(t);
        emit changed();
    });
    connect(m_buttonName->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { run(&BaseEditor::buttonNameEnter); });
    m_recordNumber->installEventFilter(this);
}

void BaseEntryGroup::run(void (BaseEditor::*command)()) {
    // Controls whose edits are not reported one by one are copied before each command.
    m_editor.settings().recordNumber = m_recordNumber->text();
    m_editor.settings().remoteName = m_remoteName->text();
    (m_editor.*command)();
    refresh();
    emit changed();
}

bool BaseEntryGroup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_recordNumber && event->type() == QEvent::FocusIn) {
        // Only focus the user gives (click, Tab, shortcut) goes to the record, not the focus
        // coming back when the window is reactivated.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
            reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
            run(&BaseEditor::goToRecord);
    }
    return QWidget::eventFilter(watched, event);
}

void BaseEntryGroup::refresh() {
    m_refreshing = true;
    const BaseEntrySettings& s = m_editor.settings();
    const BaseEntryView& v = m_editor.view();
    ui::setIfDifferent(m_recordNumber, s.recordNumber);
    ui::setIfDifferent(m_remoteName, s.remoteName);
    if (m_buttonName->currentText() != s.buttonName) m_buttonName->setEditText(s.buttonName);
    ui::setIfDifferent(m_count, v.countLabel);
    ui::setIfDifferent(m_selection, v.selection);
    ui::setIfDifferent(m_change, v.changeCaption);
    ui::paintIfDifferent(m_marker, v.nameMarker);
    ui::paintIfDifferent(m_selection, v.selectionColour);
    m_refreshing = false;
}

} // namespace ravlin
