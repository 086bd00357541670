#include "base/ui/base_files_panel.h"

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
    : QWidget(parent), m_files(files), m_rescan(rescan), m_settings(settings) {
    setObjectName(QStringLiteral("BaseFilesPanel"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    // Two columns so the page fits the window's width: file saving above checks and statistics,
    // the base operations beside them.
    auto* groups = new QGridLayout;
    outer->addLayout(groups);

    auto* save = named(new QGroupBox(QStringLiteral(" Сохранение файла пульта "), this),
                       QStringLiteral("GroupBoxSave"));
    auto* sl = new QVBoxLayout(save);
    m_saveOnly = named(new QRadioButton(QStringLiteral("Только сохранить текущее состояние базы"), save),
                       QStringLiteral("RadioButtonSaveOnly"));
    m_saveAndClear = named(new QRadioButton(QStringLiteral("После сохранения очистить базу"), save),
                           QStringLiteral("RadioButtonSaveClear"));
    sl->addWidget(m_saveOnly);
    sl->addWidget(m_saveAndClear);
    sl->addStretch();
    groups->addWidget(save, 0, 0);

    auto* work =
        named(new QGroupBox(QStringLiteral(" Работа с базой "), this), QStringLiteral("GroupBoxWork"));
    auto* wl = new QGridLayout(work);
    m_rescanButton = named(new QPushButton(RescanView::kIdleCaption, work), QStringLiteral("Button4"));
    auto* dedupe =
        named(new QPushButton(QStringLiteral("Выкинуть дубли по ХЭШ"), work), QStringLiteral("ButtonDubli"));
    m_ignoreRemotes = named(new QCheckBox(QStringLiteral("Игнорировать не совп."), work),
                            QStringLiteral("CheckBoxIgnoreRemotes"));
    m_ignoreButtons = named(new QCheckBox(QStringLiteral("Игнорировать не совп."), work),
                            QStringLiteral("CheckBoxIgnoreButtons"));
    wl->addWidget(m_rescanButton, 0, 0, 1, 2);
    wl->addWidget(dedupe, 1, 0, 1, 2);
    wl->addWidget(
        named(new QLabel(QStringLiteral("Имена пультов"), work), QStringLiteral("LabelRemoteNames")), 2, 0);
    wl->addWidget(m_ignoreRemotes, 2, 1);
    wl->addWidget(named(new QLabel(QStringLiteral("Имена кнопок"), work), QStringLiteral("LabelButtonNames")),
                  3, 0);
    wl->addWidget(m_ignoreButtons, 3, 1);
    wl->setRowStretch(4, 1);
    groups->addWidget(work, 0, 1, 2, 1);

    auto* checks = named(new QGroupBox(QStringLiteral(" Проверки и статистика "), this),
                         QStringLiteral("GroupBoxChecks"));
    auto* cl = new QVBoxLayout(checks);
    m_byName = named(new QRadioButton(QStringLiteral("Основа статистики - имя"), checks),
                     QStringLiteral("RadioButtonStatName"));
    m_byHash = named(new QRadioButton(QStringLiteral("Основа статистики - ХЭШ"), checks),
                     QStringLiteral("RadioButtonStatHash"));
    auto* stats =
        named(new QPushButton(QStringLiteral("Вывести статистику"), checks), QStringLiteral("ButtonStat"));
    cl->addWidget(m_byName);
    cl->addWidget(m_byHash);
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
    saveGroup->addButton(m_saveOnly);
    saveGroup->addButton(m_saveAndClear);
    auto* statGroup = new QButtonGroup(this);
    statGroup->addButton(m_byName);
    statGroup->addButton(m_byHash);

    refresh();

    connect(m_rescanButton, &QPushButton::clicked, this, [this] { run([this] { m_rescan.pressRescan(); }); });
    connect(dedupe, &QPushButton::clicked, this, [this] { run([this] { m_rescan.removeDuplicates(); }); });
    connect(stats, &QPushButton::clicked, this, [this] { run([this] { m_files.showStatistics(); }); });
    for (auto* b : {m_saveOnly, m_saveAndClear, m_byName, m_byHash})
        connect(b, &QRadioButton::clicked, this, [this] { run([] {}); });
    for (auto* c : {m_ignoreRemotes, m_ignoreButtons})
        connect(c, &QCheckBox::clicked, this, [this] { run([] {}); });
}

void BaseFilesPanel::copySettings() {
    m_settings.clearAfterSave = m_saveAndClear->isChecked();
    m_settings.duplicates.ignoreRemoteNames = m_ignoreRemotes->isChecked();
    m_settings.duplicates.ignoreButtonNames = m_ignoreButtons->isChecked();
    m_settings.statisticsByHash = m_byHash->isChecked();
}

template <typename F> void BaseFilesPanel::run(F command) {
    copySettings();
    command();
    refresh();
    emit changed();
}

void BaseFilesPanel::refresh() {
    const RescanView& v = m_rescan.view();
    if (m_rescanButton->text() != v.caption) m_rescanButton->setText(v.caption);
    if (m_progress->isVisibleTo(this) != v.progressVisible) m_progress->setVisible(v.progressVisible);
    if (m_progress->value() != v.progress) m_progress->setValue(v.progress);
    if (m_saveAndClear->isChecked() != m_settings.clearAfterSave ||
        m_saveOnly->isChecked() == m_settings.clearAfterSave) {
        m_saveAndClear->setChecked(m_settings.clearAfterSave);
        m_saveOnly->setChecked(!m_settings.clearAfterSave);
    }
    if (m_ignoreRemotes->isChecked() != m_settings.duplicates.ignoreRemoteNames)
        m_ignoreRemotes->setChecked(m_settings.duplicates.ignoreRemoteNames);
    if (m_ignoreButtons->isChecked() != m_settings.duplicates.ignoreButtonNames)
        m_ignoreButtons->setChecked(m_settings.duplicates.ignoreButtonNames);
    if (m_byHash->isChecked() != m_settings.statisticsByHash ||
        m_byName->isChecked() == m_settings.statisticsByHash) {
        m_byHash->setChecked(m_settings.statisticsByHash);
        m_byName->setChecked(!m_settings.statisticsByHash);
    }
}

} // namespace ravlin
