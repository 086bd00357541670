#pragma once

#include "platform/core/build_info.h"
#include "platform/core/file_dialog_presets.h"
#include "platform/core/result_log.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

namespace ravlin {

inline const QString kAppCaption = QStringLiteral("Ravlin   ver " RAVLIN_VERSION_TEXT);
inline const QString kVersionText = QStringLiteral("ver " RAVLIN_VERSION_TEXT);
inline const QString kAuthorText =
    QStringLiteral("Ravlin IR workbench — автор и сопровождение: команда Ravlin, 10.01.11");

// Pages of the main window's tab set, in tab order.
enum class MainPage { About = 0, HexBaza = 1, Burst = 2, Settings = 3, IrDistribution = 4 };
// Inner pages of the " Kestrum " tab, in tab order.
enum class BurstTab { ReceivedData = 0, ReceptionParams = 1, HashModules = 2, Module96 = 3 };

// What the launcher shows.
struct LauncherView {
    QString caption = kAppCaption;
    int progress = 0; // 0..105 in steps of 15
    bool progressVisible = true;
    bool choicesVisible = false; // the three labels, the three buttons and the link label
    QString button1Caption = QStringLiteral("Основная конфигурация  (10)");
    bool visible = true;
};

// What the main window frame shows, and which page the user has in front.
struct MainView {
    QString caption = QStringLiteral("Ravlin");
    QString versionLabel;
    QString authorLabel;
    bool visible = false;
    MainPage page = MainPage::About;
    BurstTab burstTab = BurstTab::ReceivedData;
    // Drop-down items of the button-name box ("Имя кнопки"), filled by the start tick.
    QStringList keyNameItems;
};

// `dir` + "/" + `relative`, without doubling a separator when `dir` already ends in one.
QString joinPath(const QString& dir, const QString& relative);
// A preset that holds no separator ("/" or "\") gets the directory in front; others stay.
QString withDirectoryPrefix(const QString& preset, const QString& dir);
// Top-left corner that centres a window on a screen, halves rounded to even.
QPoint centredPosition(QSize screen, QSize window);

} // namespace ravlin
