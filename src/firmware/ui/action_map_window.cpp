#include "firmware/ui/action_map_window.h"

#include "platform/core/view_colour.h"
#include "platform/ui/refresh.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace ravlin {

namespace {

void setCell(QTableWidget* grid, int row, int column, const QString& text) {
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) {
        grid->setItem(row, column, new QTableWidgetItem(text));
    } else if (item->text() != text) {
        item->setText(text);
    }
}

QLabel* label(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setWordWrap(false);
    return l;
}

} // namespace

ActionMapWindow::ActionMapWindow(ActionMapCommands& commands, QWidget* parent)
    : QWidget(parent, Qt::Window), m_commands(commands) {
    setObjectName(QStringLiteral("TForm10"));
    setWindowTitle(QStringLiteral("Настройки под кнопки Pelvar"));
    auto* outer = new QVBoxLayout(this);

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    m_barActions.open = bar->addAction(QStringLiteral("Open"));
    m_barActions.save = bar->addAction(QStringLiteral("Save"));
    m_barActions.avto = bar->addAction(QStringLiteral("Avto"));
    m_barActions.exit = bar->addAction(QStringLiteral("Exit"));
    connect(m_barActions.open, &QAction::triggered, this, [this] { run(&ActionMapCommands::openFile); });
    connect(m_barActions.save, &QAction::triggered, this, [this] { run(&ActionMapCommands::saveFile); });
    connect(m_barActions.avto, &QAction::triggered, this, [this] {
        m_commands.avto();
        refreshNow();
        emit changed();
    });
    connect(m_barActions.exit, &QAction::triggered, this, &QWidget::close);
    outer->addWidget(bar);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    outer->addWidget(m_tabs);
    auto* table = new QWidget;
    buildTableTab(table);
    m_tabs->addTab(table, QStringLiteral("  Соответствие Имени-Действию   "));
    auto* exportPage = new QWidget;
    buildExportTab(exportPage);
    m_tabs->addTab(exportPage, QStringLiteral("  Выгрузка данных для патчера  "));
    m_tabs->setCurrentIndex(0);

    refreshNow();
    adjustSize();
}

void ActionMapWindow::buildTableTab(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    auto* rows = new QGridLayout;
    m_grid = new QTableWidget(ActionMap::kPageRows, 2, page);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setColumnWidth(0, 130);
    m_grid->setColumnWidth(1, 170);
    for (int r = 0; r < ActionMap::kPageRows; ++r)
        m_grid->setRowHeight(r, 24);
    m_grid->setFixedSize(304, 24 * ActionMap::kPageRows + 4);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        m_commands.importCurrentButton(row, m_actions[static_cast<std::size_t>(row)]->currentText());
        refreshNow();
        emit changed();
    });
    auto* numbers = new QVBoxLayout;
    numbers->setSpacing(0);
    auto* combos = new QVBoxLayout;
    combos->setSpacing(0);
    for (int r = 0; r < ActionMap::kPageRows; ++r) {
        auto* n = new QLabel(page);
        n->setObjectName(QStringLiteral("LabelA%1").arg(r + 1, 2, 10, QLatin1Char('0')));
        n->setFixedSize(24, 24);
        n->setAlignment(Qt::AlignCenter);
        n->setAutoFillBackground(true);
        numbers->addWidget(n);
        m_numbers[static_cast<std::size_t>(r)] = n;
        auto* c = new QComboBox(page);
        c->setObjectName(QStringLiteral("ComboBox%1").arg(r + 1));
        c->addItems(JoystickActionNames());
        c->setFixedHeight(24);
        connect(c, &QComboBox::currentTextChanged, this, &ActionMapWindow::actionChosen);
        combos->addWidget(c);
        m_actions[static_cast<std::size_t>(r)] = c;
    }
    m_scroll = new QScrollBar(Qt::Vertical, page);
    m_scroll->setObjectName(QStringLiteral("ScrollBar1"));
    m_scroll->setRange(0, ActionMap::kPages - 1);
    m_scroll->setPageStep(1);
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (m_refreshing) return;
        m_commands.setPage(value);
        refreshNow();
        emit changed();
    });
    rows->addLayout(numbers, 0, 0);
    rows->addWidget(m_grid, 0, 1);
    rows->addLayout(combos, 0, 2);
    rows->addWidget(m_scroll, 0, 3);
    layout->addLayout(rows);

    m_skipXY = new QCheckBox(QStringLiteral("Не использовать Х и У при автоматической раскладке"), page);
    m_skipXY->setObjectName(QStringLiteral("CheckBoxAv01"));
    m_skipXY->setChecked(m_commands.skipXY);
    connect(m_skipXY, &QCheckBox::toggled, this, [this](bool on) { m_commands.skipXY = on; });
    layout->addWidget(m_skipXY);
    for (const char* text : {"Если сделать двойной клик левой кнопкой мыши на ячейке,  то параметры",
                             "текущей кнопки (с основной формы) импортируются в выбранную ячейку ",
                             "Можно нажать на кнопку Avto. При этом ХЭШи автоматом скопируются",
                             "с первой формы, а номер действия присвоится по порядку."})
        layout->addWidget(label(QString::fromUtf8(text), page));
    layout->addStretch();
}

void ActionMapWindow::buildExportTab(QWidget* page) {
    auto* layout = new QGridLayout(page);
    layout->addWidget(
        label(QStringLiteral("В зависимости от девайса изменяется входной формат данных"), page), 0, 0, 1, 2);
    auto* pelvar = new QPushButton(QStringLiteral("Pelvar"), page);
    pelvar->setObjectName(QStringLiteral("Button1"));
    connect(pelvar, &QPushButton::clicked, this, [this] { run(&ActionMapCommands::exportPelvar); });
    layout->addWidget(pelvar, 1, 0);
    layout->addWidget(label(QStringLiteral("Подготавливает данные для обучения прошивки"), page), 1, 1);
    int row = 2;
    for (const char* text : {"PS/2    ", "IR-Com"}) {
        auto* b = new QPushButton(QString::fromLatin1(text), page);
        b->setEnabled(false);
        layout->addWidget(b, row, 0);
        layout->addWidget(label(QStringLiteral("Будет реализовано в будущих версиях программы"), page), row,
                          1);
        ++row;
    }
    layout->setRowStretch(row, 1);
}

void ActionMapWindow::showCentredOver(const QWidget& main) {
    refreshNow();
    ui::showCentredOver(*this, main);
}

void ActionMapWindow::refresh() {
    if (isVisible()) refreshNow();
}

void ActionMapWindow::refreshNow() {
    m_refreshing = true;
    const int page = m_commands.page();
    if (m_scroll->value() != page) m_scroll->setValue(page);
    const ActionMap& map = m_commands.map();
    for (int r = 0; r < ActionMap::kPageRows; ++r) {
        const std::size_t set = static_cast<std::size_t>(page * ActionMap::kPageRows + r);
        const ActionMapEntry& e = map.entries[set];
        QLabel* n = m_numbers[static_cast<std::size_t>(r)];
        const QString number = QStringLiteral("%1").arg(set + 1, 2, 10, QLatin1Char('0'));
        if (n->text() != number) n->setText(number);
        const QColor colour =
            map.valid[set] ? QColor::fromRgb(rgbOf(ViewColour::Aqua)) : QPalette().color(QPalette::Window);
        if (n->palette().color(QPalette::Window) != colour) {
            QPalette p = n->palette();
            p.setColor(QPalette::Window, colour);
            n->setPalette(p);
        }
        setCell(m_grid, r, 0, e.name);
        setCell(m_grid, r, 1, e.hash);
        QComboBox* c = m_actions[static_cast<std::size_t>(r)];
        const QString action = e.action.isEmpty() ? QStringLiteral("None") : e.action;
        if (c->currentText() != action) {
            const int i = c->findText(action);
            c->setCurrentIndex(i >= 0 ? i : 0);
        }
    }
    if (m_skipXY->isChecked() != m_commands.skipXY) m_skipXY->setChecked(m_commands.skipXY);
    m_refreshing = false;
}

void ActionMapWindow::actionChosen() {
    if (m_refreshing) return;
    std::array<QString, ActionMap::kPageRows> texts;
    for (std::size_t r = 0; r < texts.size(); ++r)
        texts[r] = m_actions[r]->currentText();
    m_commands.chooseActions(texts);
    refreshNow();
    emit changed();
}

void ActionMapWindow::run(bool (ActionMapCommands::*command)()) {
    (m_commands.*command)();
    refreshNow();
    emit changed();
}

} // namespace ravlin
