#include "base/ui/base_files_panel.h"

#include "platform/ui/bindings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ravlin {

namespace {

template <typename W> W* named(W* w, const QString& name) {
    w->setObjectName(name);
    return w;
}

} // namespace

BaseFilesPanel::BaseFilesPanel(BaseFileCommands& files, Rescan& rescan, HexBazaSettings& settings,
                               QWidget* parent)
    : QWidget(parent), m_files(files), m_rescan(rescan), m_bindings(new ui::Bindings(this)) {
    setObjectName(QStringLiteral("BaseFilesPanel"));
    connect(m_bindings, &ui::Bindings::edited, this, &BaseFilesPanel::changed);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    // Two columns so the page fits the window's width: file saving above checks and statistics,
    // the base operations beside them.
    auto* groups = new QGridLayout;
    outer->addLayout(groups);

    auto* save = named(new QGroupBox(QStringLiteral(" Сохранение файла пульта "), this),
                       QStringLiteral("GroupBoxSave"));
    auto* sl = new QVBoxLayout(save);
    auto* saveOnly = named(new QRadioButton(QStringLiteral("Только сохранить текущее состояние базы"), save),
                           QStringLiteral("RadioButtonSaveOnly"));
    auto* saveAndClear = named(new QRadioButton(QStringLiteral("После сохранения очистить базу"), save),
                               QStringLiteral("RadioButtonSaveClear"));
    m_bindings->bindChoice<bool>({{saveOnly, false}, {saveAndClear, true}}, settings.clearAfterSave);
    sl->addWidget(saveOnly);
    sl->addWidget(saveAndClear);
    sl->addStretch();
    groups->addWidget(save, 0, 0);

    auto* work =
        named(new QGroupBox(QStringLiteral(" Работа с базой "), this), QStringLiteral("GroupBoxWork"));
    auto* wl = new QGridLayout(work);
    m_rescanButton = named(new QPushButton(RescanView::kIdleCaption, work), QStringLiteral("Button4"));
    auto* dedupe =
        named(new QPushButton(QStringLiteral("Выкинуть дубли по ХЭШ"), work), QStringLiteral("ButtonDubli"));
    auto* ignoreRemotes = m_bindings->bind(named(new QCheckBox(QStringLiteral("Игнорировать не совп."), work),
                                                 QStringLiteral("CheckBoxIgnoreRemotes")),
                                           settings.duplicates.ignoreRemoteNames);
    auto* ignoreButtons = m_bindings->bind(named(new QCheckBox(QStringLiteral("Игнорировать не совп."), work),
                                                 QStringLiteral("CheckBoxIgnoreButtons")),
                                           settings.duplicates.ignoreButtonNames);
    wl->addWidget(m_rescanButton, 0, 0, 1, 2);
    wl->addWidget(dedupe, 1, 0, 1, 2);
    wl->addWidget(
        named(new QLabel(QStringLiteral("Имена пультов"), work), QStringLiteral("LabelRemoteNames")), 2, 0);
    wl->addWidget(ignoreRemotes, 2, 1);
    wl->addWidget(named(new QLabel(QStringLiteral("Имена кнопок"), work), QStringLiteral("LabelButtonNames")),
                  3, 0);
    wl->addWidget(ignoreButtons, 3, 1);
    wl->setRowStretch(4, 1);
    groups->addWidget(work, 0, 1, 2, 1);

    auto* checks = named(new QGroupBox(QStringLiteral(" Проверки и статистика "), this),
                         QStringLiteral("GroupBoxChecks"));
    auto* cl = new QVBoxLayout(checks);
    auto* byName = named(new QRadioButton(QStringLiteral("Основа статистики - имя"), checks),
                         QStringLiteral("RadioButtonStatName"));
    auto* byHash = named(new QRadioButton(QStringLiteral("Основа статистики - ХЭШ"), checks),
                         QStringLiteral("RadioButtonStatHash"));
    m_bindings->bindChoice<bool>({{byName, false}, {byHash, true}}, settings.statisticsByHash);
    auto* stats =
        named(new QPushButton(QStringLiteral("Вывести статистику"), checks), QStringLiteral("ButtonStat"));
    cl->addWidget(byName);
    cl->addWidget(byHash);
    cl->addWidget(stats);
    cl->addStretch();
    groups->addWidget(checks, 1, 0);
    groups->setColumnStretch(2, 1);

    m_progress = named(new QProgressBar(this), QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    // Keep the place of the bar when it is hidden, so the memo below does not jump.
    QSizePolicy keep = m_progress->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_progress->setSizePolicy(keep);
    outer->addWidget(m_progress);

    // Radio buttons of different groups must not exclude each other.
    auto* saveGroup = new QButtonGroup(this);
    saveGroup->addButton(saveOnly);
    saveGroup->addButton(saveAndClear);
    auto* statGroup = new QButtonGroup(this);
    statGroup->addButton(byName);
    statGroup->addButton(byHash);

    refresh();

    connect(m_rescanButton, &QPushButton::clicked, this, [this] { run([this] { m_rescan.pressRescan(); }); });
    connect(dedupe, &QPushButton::clicked, this, [this] { run([this] { m_rescan.removeDuplicates(); }); });
    connect(stats, &QPushButton::clicked, this, [this] { run([this] { m_files.showStatistics(); }); });
}

template <typename F> void BaseFilesPanel::run(F command) {
    command();
    refresh();
    emit changed();
}

void BaseFilesPanel::refresh() {
    const RescanView& v = m_rescan.view();
    if (m_rescanButton->text() != v.caption) m_rescanButton->setText(v.caption);
    if (m_progress->isVisibleTo(this) != v.progressVisible) m_progress->setVisible(v.progressVisible);
    if (m_progress->value() != v.progress) m_progress->setValue(v.progress);
    m_bindings->refresh();
}

} // namespace ravlin
