#include "firmware/ui/fitting_window.h"

#include "firmware/ui/output_settings_widget.h"
#include "platform/ui/refresh.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace ravlin {

namespace {

QColor colourOf(ViewColour c, const QPalette& palette, QPalette::ColorRole face) {
    if (c == ViewColour::Face) return palette.color(face);
    return QColor::fromRgb(rgbOf(c));
}

void setText(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

void setText(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) edit->setText(text);
}

void setLines(QPlainTextEdit* memo, const QStringList& lines) {
    const QString text = lines.join(u'\n');
    if (memo->toPlainText() != text) memo->setPlainText(text);
}

void setBackground(QWidget* w, ViewColour c, QPalette::ColorRole role) {
    QPalette p = w->palette();
    const QColor colour = colourOf(c, QPalette(), role);
    if (p.color(role) == colour) return;
    p.setColor(role, colour);
    w->setPalette(p);
}

} // namespace

FittingWindow::FittingWindow(Fitting& fitting, QWidget* parent)
    : QWidget(parent, Qt::Window), m_fitting(fitting) {
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(QStringLiteral("Подбор переменных ХЭШирования"));
    auto* outer = new QVBoxLayout(this);

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    m_barActions.scan = bar->addAction(QStringLiteral("Scan Buffer"));
    m_barActions.save = bar->addAction(QStringLiteral("Save Pach"));
    m_barActions.exit = bar->addAction(QStringLiteral("Exit"));
    connect(m_barActions.scan, &QAction::triggered, this, &FittingWindow::scan);
    connect(m_barActions.save, &QAction::triggered, this, &FittingWindow::save);
    connect(m_barActions.exit, &QAction::triggered, this, &QWidget::close);
    outer->addWidget(bar);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    outer->addWidget(m_tabs);

    m_output = new OutputSettingsWidget(m_fitting.output());
    m_output->setObjectName(QStringLiteral("OutputSettings"));
    m_tabs->addTab(m_output, QStringLiteral("Настройки выхода"));
    connect(m_output, &OutputSettingsWidget::changed, this, &FittingWindow::changed);

    auto* page = new QWidget;
    buildFittingTab(page);
    m_tabs->addTab(page, QStringLiteral("   Подбор переменных ХЭШирования   "));

    m_tabs->addTab(buildMessagesTab(), QStringLiteral(" Сообщения"));

    m_patch = new QPlainTextEdit;
    m_patch->setObjectName(QStringLiteral("Memo2"));
    m_patch->setReadOnly(true);
    m_patch->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_tabs->addTab(m_patch, QStringLiteral(" Тестовая "));
    m_tabs->setCurrentIndex(1);

    refreshNow();
    adjustSize();
}

void FittingWindow::buildFittingTab(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    auto* vars = new QGroupBox(QStringLiteral(" Переменные ХЭШирования "), page);
    auto* grid = new QGridLayout(vars);
    for (int i = 0; i < HashVariableSet::Count; ++i) {
        auto* edit = new QLineEdit(vars);
        edit->setObjectName(QStringLiteral("EditB%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        edit->setFixedWidth(40);
        edit->setAutoFillBackground(true);
        auto* label = new QLabel(QString::fromLatin1(kHashVariableNames[static_cast<std::size_t>(i)]), vars);
        label->setBuddy(edit);
        const int row = i % 7, column = (i / 7) * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
        connect(edit, &QLineEdit::textEdited, this, &FittingWindow::storeBoxes);
        m_boxes[static_cast<std::size_t>(i)] = edit;
    }
    layout->addWidget(vars);

    auto* run = new QGridLayout;
    run->addWidget(new QLabel(QStringLiteral("Допустимая величина разброса при подборе величин со *"), page),
                   0, 0);
    m_tolerance = new QLineEdit(page);
    m_tolerance->setObjectName(QStringLiteral("Edit1"));
    m_tolerance->setFixedWidth(40);
    connect(m_tolerance, &QLineEdit::textEdited, this, &FittingWindow::storeBoxes);
    run->addWidget(m_tolerance, 0, 1);
    m_automatic = new QCheckBox(QStringLiteral("Доверить первоначальный выбор автоматике"), page);
    m_automatic->setObjectName(QStringLiteral("CheckBoxAvt1"));
    connect(m_automatic, &QCheckBox::toggled, this, &FittingWindow::storeBoxes);
    run->addWidget(m_automatic, 1, 0, 1, 2);
    auto* scanButton = new QPushButton(QStringLiteral("Просканировать буфер и подобрать со *"), page);
    scanButton->setObjectName(QStringLiteral("ButtonScan"));
    connect(scanButton, &QPushButton::clicked, this, &FittingWindow::scan);
    run->addWidget(scanButton, 2, 0, 1, 2);
    layout->addLayout(run);

    auto* results = new QGridLayout;
    const auto pair = [&](int row, const QString& caption, QLabel*& value, const char* name) {
        results->addWidget(new QLabel(caption, page), row, 0);
        value = new QLabel(page);
        value->setObjectName(QString::fromLatin1(name));
        results->addWidget(value, row, 1);
    };
    pair(0, QStringLiteral("KnPz выбрать больше,"), m_pause, "LabelKnPz");
    pair(1, QStringLiteral("При выбранном KnBit было дублей ХЭШа"), m_duplicates, "LabelDubli");
    pair(2, QStringLiteral("Переломное значение "), m_breakingPoint, "LabelKnBit");
    results->addWidget(new QLabel(QStringLiteral("(без учёта принадлежности)"), page), 3, 1);
    layout->addLayout(results);

    auto* state = new QHBoxLayout;
    m_status = new QLabel(page);
    m_status->setObjectName(QStringLiteral("Label2"));
    m_panel = new QLabel(page);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setAlignment(Qt::AlignCenter);
    m_panel->setFixedSize(40, 24);
    m_panel->setFrameShape(QFrame::Panel);
    m_panel->setAutoFillBackground(true);
    state->addWidget(m_status, 1);
    state->addWidget(m_panel);
    layout->addLayout(state);
    layout->addStretch();
}

namespace {

// A table that asks for little room, so that the messages tab never makes the window larger than
// the fitting tab does.
class CompactTable : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    QSize sizeHint() const override { return {240, 110}; }
};

const QString kNoCheck = QStringLiteral("Проверка распознавания - N/A");

} // namespace

QWidget* FittingWindow::buildMessagesTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    m_messages = new QPlainTextEdit(page);
    m_messages->setObjectName(QStringLiteral("MemoSys"));
    m_messages->setReadOnly(true);
    layout->addWidget(m_messages, 1);
    auto* group = new QGroupBox(QStringLiteral(" Проверка распознавания "), page);
    group->setObjectName(QStringLiteral("GroupBoxCheck"));
    auto* gl = new QVBoxLayout(group);
    m_recognition = new CompactTable(0, 5, group);
    m_recognition->setObjectName(QStringLiteral("GridCheck"));
    m_recognition->setHorizontalHeaderLabels({QStringLiteral("Кнопка"), QStringLiteral("Вариантов"),
                                              QStringLiteral("Свои"), QStringLiteral("Как другие"),
                                              QStringLiteral("Не распознаны")});
    m_recognition->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_recognition->verticalHeader()->setVisible(false);
    m_recognition->horizontalHeader()->setStretchLastSection(true);
    gl->addWidget(m_recognition, 1);
    m_verdict = new QLabel(kNoCheck, group);
    m_verdict->setObjectName(QStringLiteral("LabelCheck"));
    m_verdict->setWordWrap(true);
    gl->addWidget(m_verdict);
    layout->addWidget(group, 2);
    return page;
}

// One row per button; a button with variants the receiver would not recognise is red, one taken
// for another button or losing its table entry to another button yellow.
void FittingWindow::refreshRecognition() {
    const auto& check = m_fitting.view().recognition;
    setText(m_verdict, check ? m_fitting.view().recognitionVerdict : kNoCheck);
    std::vector<QStringList> rows;
    std::vector<ViewColour> colours;
    if (check) {
        for (const RecognitionRow& r : check->rows) {
            QStringList others;
            for (const auto& [name, count] : r.others)
                others << QStringLiteral("%1 - %2").arg(name).arg(count);
            rows.push_back({r.button, QString::number(r.total), QString::number(r.self), others.join(u','),
                            r.none > 0 ? QString::number(r.none) : QString()});
            const bool collides =
                std::any_of(check->collisions.begin(), check->collisions.end(),
                            [&](const auto& c) { return c.kept == r.button || c.lost == r.button; });
            colours.push_back(r.none > 0
                                  ? ViewColour::Red
                                  : (r.other() > 0 || collides ? ViewColour::Yellow : ViewColour::Face));
        }
    }
    if (m_recognition->rowCount() != int(rows.size())) m_recognition->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i) {
        const QBrush brush = colours[std::size_t(i)] == ViewColour::Face
                                 ? QBrush()
                                 : QBrush(QColor::fromRgb(rgbOf(colours[std::size_t(i)])));
        for (int c = 0; c < 5; ++c) {
            QTableWidgetItem* item = m_recognition->item(i, c);
            if (!item) {
                item = new QTableWidgetItem;
                m_recognition->setItem(i, c, item);
            }
            const QString& text = rows[std::size_t(i)].at(c);
            if (item->text() != text) item->setText(text);
            if (item->background() != brush) item->setBackground(brush);
        }
    }
}

void FittingWindow::showCentredOver(const QWidget& main) {
    refreshNow();
    ui::showCentredOver(*this, main);
}

void FittingWindow::refresh() {
    // A hidden window catches up when it is shown.
    if (isVisible()) refreshNow();
}

void FittingWindow::refreshNow() {
    m_refreshing = true;
    const FittingSettings& s = m_fitting.settings();
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        setText(m_boxes[i], s.boxes[i]);
    setText(m_tolerance, s.tolerance);
    if (m_automatic->isChecked() != s.automatic) m_automatic->setChecked(s.automatic);
    const FittingView& v = m_fitting.view();
    setText(m_status, v.status);
    setText(m_panel, v.panelCaption);
    setBackground(m_panel, v.panelColour, QPalette::Window);
    setBackground(m_boxes[HashVariableSet::Bit], v.knBitColour, QPalette::Base);
    setText(m_pause, v.pauseLabel);
    setText(m_duplicates, v.duplicatesLabel);
    setText(m_breakingPoint, v.breakingPointLabel);
    setLines(m_messages, v.messages);
    setLines(m_patch, v.patch);
    refreshRecognition();
    m_output->refresh();
    m_refreshing = false;
}

void FittingWindow::storeBoxes() {
    if (m_refreshing) return;
    FittingSettings& s = m_fitting.settings();
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        s.boxes[i] = m_boxes[i]->text();
    s.tolerance = m_tolerance->text();
    s.automatic = m_automatic->isChecked();
    emit changed();
}

void FittingWindow::scan() {
    m_fitting.scan();
    // The status shows at once, before the run's tick.
    refreshNow();
    repaint();
    emit changed();
}

void FittingWindow::save() {
    m_fitting.save();
    emit changed();
}

} // namespace ravlin
