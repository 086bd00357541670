#include "base/ui/name_choice_window.h"

#include "platform/ui/refresh.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdlib>

namespace ravlin {

namespace {

QComboBox* nameBox(const QString& name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(120);
    return box;
}

void setItems(QComboBox* box, const QStringList& items) {
    QStringList now;
    for (int i = 0; i < box->count(); ++i)
        now << box->itemText(i);
    if (now == items) return;
    const QString text = box->currentText();
    box->clear();
    box->addItems(items);
    box->setEditText(text);
}

} // namespace

NameChoiceWindow::NameChoiceWindow(NameChoice& core, QWidget* parent)
    : QWidget(parent, Qt::Window), m_core(core) {
    setObjectName(QStringLiteral("TForm8"));
    setWindowTitle(QStringLiteral("Выбор имени"));
    auto* layout = new QVBoxLayout(this);

    auto* now = new QGroupBox(QStringLiteral(" Обучаем сейчас "), this);
    now->setObjectName(QStringLiteral("GroupBox1"));
    auto* nl = new QGridLayout(now);
    nl->addWidget(new QLabel(QStringLiteral("Для облегчения ввода имени клавиш"), now), 0, 0, 1, 4);
    auto* previous = new QPushButton(QStringLiteral("<"), now);
    previous->setObjectName(QStringLiteral("Button1"));
    m_index = new QLineEdit(now);
    m_index->setObjectName(QStringLiteral("Edit5"));
    m_index->setFixedWidth(40);
    auto* next = new QPushButton(QStringLiteral(">"), now);
    next->setObjectName(QStringLiteral("Button2"));
    auto* show = new QPushButton(QStringLiteral("!"), now);
    show->setObjectName(QStringLiteral("Button3"));
    show->setVisible(false);
    nl->addWidget(previous, 1, 0);
    nl->addWidget(m_index, 1, 1);
    nl->addWidget(next, 1, 2);
    nl->addWidget(show, 1, 3);
    m_indexLabel = new QLabel(now);
    m_indexLabel->setObjectName(QStringLiteral("Label2"));
    nl->addWidget(m_indexLabel, 2, 0, 1, 4);
    layout->addWidget(now);

    auto* quick = new QGroupBox(QStringLiteral(" Быстрый выбор "), this);
    quick->setObjectName(QStringLiteral("GroupBox2"));
    auto* ql = new QGridLayout(quick);
    auto* radios = new QButtonGroup(this);
    for (int i = 0; i < NameChoice::kGroupCount; ++i) {
        m_groups[i] = new QRadioButton(QString::fromLatin1(NameChoice::kGroups[i].caption), quick);
        m_groups[i]->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        radios->addButton(m_groups[i], i);
        ql->addWidget(m_groups[i], i / 3, i % 3);
    }
    ql->addWidget(new QLabel(QStringLiteral("По возрастанию"), quick), 2, 0);
    ql->addWidget(new QLabel(QStringLiteral("По убыванию"), quick), 2, 2);
    m_ascending = nameBox(QStringLiteral("ComboBox1"), quick);
    m_descending = nameBox(QStringLiteral("ComboBox2"), quick);
    ql->addWidget(m_ascending, 3, 0, 1, 2);
    ql->addWidget(m_descending, 3, 2);
    ql->addWidget(new QLabel(QStringLiteral("Подгружать только выбранный кусок"), quick), 4, 0, 1, 3);
    ql->addWidget(new QLabel(QStringLiteral("По точно известному номеру кнопки"), quick), 5, 0, 1, 2);
    m_number = new QLineEdit(quick);
    m_number->setObjectName(QStringLiteral("Edit1"));
    m_number->setFixedWidth(48);
    ql->addWidget(m_number, 5, 2);
    auto* change = new QPushButton(QStringLiteral("Изменить текущую"), quick);
    change->setObjectName(QStringLiteral("ButtonChange"));
    ql->addWidget(change, 6, 0, 1, 3);
    layout->addWidget(quick);

    m_uniqueness = new QLabel(this);
    m_uniqueness->setObjectName(QStringLiteral("Panel1"));
    m_uniqueness->setFrameShape(QFrame::Panel);
    m_uniqueness->setFrameShadow(QFrame::Sunken);
    m_uniqueness->setAlignment(Qt::AlignCenter);
    m_uniqueness->setAutoFillBackground(true);
    m_uniqueness->setMinimumHeight(24);
    m_uniqueness->setWordWrap(true);
    layout->addWidget(m_uniqueness);

    connect(previous, &QPushButton::clicked, this, [this] { run([this] { m_core.previous(); }); });
    connect(next, &QPushButton::clicked, this, [this] { run([this] { m_core.next(); }); });
    connect(show, &QPushButton::clicked, this, [this] { run([this] { m_core.showIndex(); }); });
    connect(m_index, &QLineEdit::textEdited, this, [this](const QString& t) { m_core.view().index = t; });
    connect(radios, &QButtonGroup::idClicked, this,
            [this](int id) { run([this, id] { m_core.selectGroup(id); }); });
    connect(m_ascending, &QComboBox::textActivated, this,
            [this](const QString& t) { run([this, t] { m_core.choose(true, t); }); });
    connect(m_descending, &QComboBox::textActivated, this,
            [this](const QString& t) { run([this, t] { m_core.choose(false, t); }); });
    // Enter in a name box normalises its text; it is caught before the box would take it as a choice.
    m_ascending->lineEdit()->installEventFilter(this);
    m_descending->lineEdit()->installEventFilter(this);
    connect(m_number, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (m_refreshing) return;
        run([this, t] { m_core.numberChanged(t); });
    });
    connect(change, &QPushButton::clicked, this, [this] { run([this] { m_core.changeCurrent(); }); });
    refresh();
}

bool NameChoiceWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool ascending = watched == m_ascending->lineEdit();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            (ascending || watched == m_descending->lineEdit())) {
            QComboBox* box = ascending ? m_ascending : m_descending;
            run([this, ascending, box] { m_core.enter(ascending, box->currentText()); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void NameChoiceWindow::run(const std::function<void()>& command) {
    command();
    refresh();
    emit changed();
}

void NameChoiceWindow::showCentredOver(const QWidget& main) {
    refresh();
    ui::showCentredOver(*this, main);
}

void NameChoiceWindow::refresh() {
    m_refreshing = true;
    const NameChoiceView& v = m_core.view();
    for (int i = 0; i < NameChoice::kGroupCount; ++i)
        if (m_groups[i]->isChecked() != (v.group == i)) m_groups[i]->setChecked(v.group == i);
    setItems(m_ascending, v.ascending);
    setItems(m_descending, v.descending);
    if (m_ascending->currentText() != v.ascendingText) m_ascending->setEditText(v.ascendingText);
    if (m_descending->currentText() != v.descendingText) m_descending->setEditText(v.descendingText);
    if (m_index->text() != v.index) m_index->setText(v.index);
    if (m_indexLabel->text() != v.indexLabel) m_indexLabel->setText(v.indexLabel);
    if (m_number->text() != v.number) m_number->setText(v.number);
    if (m_uniqueness->text() != v.uniqueness) m_uniqueness->setText(v.uniqueness);
    QPalette p = m_uniqueness->palette();
    const QColor colour = v.uniquenessColour == ViewColour::Face ? palette().color(QPalette::Button)
                                                                 : QColor::fromRgb(rgbOf(v.uniquenessColour));
    if (p.color(QPalette::Window) != colour) {
        p.setColor(QPalette::Window, colour);
        m_uniqueness->setPalette(p);
    }
    m_refreshing = false;
}

} // namespace ravlin
