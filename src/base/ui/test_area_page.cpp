#include "base/ui/test_area_page.h"

#include "platform/ui/bindings.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ravlin {

namespace {

void showIf(QWidget* w, bool shown) {
    if (w->isHidden() == shown) w->setVisible(shown);
}

} // namespace

TestAreaPage::TestAreaPage(TestArea& area, QWidget* parent)
    : QWidget(parent), m_area(area), m_bindings(new ui::Bindings(this)) {
    setObjectName(QStringLiteral("TestAreaPage"));
    connect(m_bindings, &ui::Bindings::edited, this, &TestAreaPage::changed);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(buildTestsGroup(), 1);
    l->addWidget(buildUnknownGroup());

    auto* firmware = new QHBoxLayout;
    m_fitting = new QPushButton(QStringLiteral("Подбор переменных ХЭШирования"), this);
    m_fitting->setObjectName(QStringLiteral("ButtonFitting"));
    m_pelvar = new QPushButton(QStringLiteral("Кнопки для Pelvar"), this);
    m_pelvar->setObjectName(QStringLiteral("ButtonPelvar"));
    firmware->addWidget(m_fitting);
    firmware->addWidget(m_pelvar);
    firmware->addStretch();
    l->addLayout(firmware);
    refresh();
}

QPushButton* TestAreaPage::button(const QString& text, const QString& name, QWidget* parent,
                                  void (TestArea::*command)()) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, [this, command] {
        (m_area.*command)();
        emit changed();
    });
    return b;
}

QLineEdit* TestAreaPage::box(const QString& name, QString& field, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaximumWidth(64);
    return m_bindings->bind(e, field);
}

QWidget* TestAreaPage::buildTestsGroup() {
    auto* g = new QGroupBox(QStringLiteral(" Для тестов "), this);
    g->setObjectName(QStringLiteral("GroupBoxTests"));
    auto* l = new QHBoxLayout(g);
    m_memo = new QPlainTextEdit(g);
    m_memo->setObjectName(QStringLiteral("Memo3"));
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setMinimumHeight(160);
    l->addWidget(m_memo, 1);

    auto* side = new QVBoxLayout;
    side->addWidget(
        button(QStringLiteral("Очистить"), QStringLiteral("ButtonClearTests"), g, &TestArea::clearMemo));
    m_save = button(QStringLiteral("Сохранить в файл"), QStringLiteral("ButtonSaveTests"), g,
                    &TestArea::saveToFile);
    side->addWidget(m_save);
    side->addStretch();
    auto* mode = new QHBoxLayout;
    mode->setSpacing(0);
    auto* testSwitch = new QCheckBox(QStringLiteral("Перейти в тестовый "), g);
    testSwitch->setObjectName(QStringLiteral("CheckBoxTestMode"));
    m_bindings->bind(testSwitch, m_area.settings().testSwitch,
                     [this] { m_area.switchChanged(m_area.settings().testSwitch); });
    m_modeLabel = new QLabel(QStringLiteral("режим"), g);
    m_modeLabel->setObjectName(QStringLiteral("LabelTestMode"));
    m_modeLabel->installEventFilter(this);
    mode->addWidget(testSwitch);
    mode->addWidget(m_modeLabel);
    side->addLayout(mode);
    l->addLayout(side);
    return g;
}

QWidget* TestAreaPage::buildUnknownGroup() {
    m_unknown = new QGroupBox(QStringLiteral(" Работа с неизвестными "), this);
    m_unknown->setObjectName(QStringLiteral("GroupBoxUnknown"));
    auto* g = m_unknown;
    auto* l = new QGridLayout(g);
    l->addWidget(button(QStringLiteral("Анализ длинны"), QStringLiteral("ButtonLengthAnalysis"), g,
                        &TestArea::lengthAnalysis),
                 0, 0);
    auto* bit = new QHBoxLayout;
    bit->addWidget(button(QStringLiteral("Анализ бита"), QStringLiteral("ButtonBitAnalysis"), g,
                          &TestArea::bitAnalysis));
    bit->addWidget(box(QStringLiteral("EditBitNumber"), m_area.settings().bitNumber, g));
    l->addLayout(bit, 1, 0);
    l->addWidget(
        button(QStringLiteral("Имена - Тест"), QStringLiteral("ButtonKeyNames"), g, &TestArea::keyNamesTest),
        2, 0);
    l->addWidget(button(QStringLiteral("Выгрузить кнопки"), QStringLiteral("ButtonExportButtons"), g,
                        &TestArea::exportButtons),
                 3, 0);
    l->addWidget(
        button(QStringLiteral("УникалнХэш"), QStringLiteral("ButtonUniqueHash"), g, &TestArea::uniqueHash), 4,
        0);

    l->addWidget(button(QStringLiteral("Если ХЭШ<>00... то Name='PW'"), QStringLiteral("ButtonRenameNonZero"),
                        g, &TestArea::renameByNonZeroHash),
                 0, 1);
    auto* start = new QHBoxLayout;
    start->addWidget(button(QStringLiteral("Если ХЭШ=002F или 0025 то Name='PW'"),
                            QStringLiteral("ButtonRenameHashStart"), g, &TestArea::renameByHashStart));
    start->addWidget(box(QStringLiteral("EditHashStart1"), m_area.settings().hashStart1, g));
    start->addWidget(box(QStringLiteral("EditHashStart2"), m_area.settings().hashStart2, g));
    l->addLayout(start, 1, 1);
    l->addWidget(button(QStringLiteral("Name=key0-key9 от длины"), QStringLiteral("ButtonRenameByLength"), g,
                        &TestArea::renameByLength),
                 2, 1);
    auto* remote = new QHBoxLayout;
    remote->addWidget(button(QStringLiteral("Переим все кн пульта"), QStringLiteral("ButtonRenameRemote"), g,
                             &TestArea::renameRemoteToMode));
    remote->addWidget(box(QStringLiteral("EditModeRemote"), m_area.settings().modeRemote, g));
    l->addLayout(remote, 3, 1);
    return g;
}

bool TestAreaPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_modeLabel && event->type() == QEvent::MouseButtonDblClick) {
        m_area.modeLabelDoubleClicked();
        emit changed();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TestAreaPage::refresh() {
    m_bindings->refresh();
    const TestAreaView& v = m_area.view();
    showIf(m_unknown, v.unknownGroup);
    showIf(m_save, v.saveButton);
    showIf(m_fitting, v.fittingButton);
    showIf(m_pelvar, v.pelvarButton);
    refreshMemo();
}

void TestAreaPage::refreshMemo() {
    const ResultLog& memo = m_area.memo();
    if (memo.clears() != m_memoClears || memo.lines().size() < m_memoLines) {
        m_memo->clear();
        m_memoLines = 0;
        m_memoClears = memo.clears();
    }
    if (m_memoLines < memo.lines().size()) {
        m_memo->appendPlainText(memo.lines().mid(m_memoLines).join(QLatin1Char('\n')));
        m_memoLines = memo.lines().size();
    }
}

} // namespace ravlin
