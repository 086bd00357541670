#pragma once

#include "firmware/core/action_map.h"

#include <QWidget>

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QScrollBar;
class QTableWidget;
class QTabWidget;

namespace ravlin {

// The action map window's tool bar actions (captions in comments), each created once.
struct ActionMapWindowActions {
    QAction* open = nullptr; // "Open"
    QAction* save = nullptr; // "Save"
    QAction* avto = nullptr; // "Avto"
    QAction* exit = nullptr; // "Exit"
};

// The window "Настройки под кнопки Pelvar" (TForm10): tool bar "Open", "Save", "Avto", "Exit";
// the table tab (ten-row grid, number labels, drop-down lists, page scroll bar) and the export tab.
class ActionMapWindow : public QWidget {
    Q_OBJECT

public:
    explicit ActionMapWindow(ActionMapCommands& commands, QWidget* parent = nullptr);

    void showCentredOver(const QWidget& main);
    QTabWidget* tabs() const { return m_tabs; }
    const ActionMapWindowActions& actions() const { return m_barActions; }

    // Shows the page's sets and the valid flags while the window is visible.
    void refresh();
    void refreshNow();

signals:
    void changed();

private:
    void buildTableTab(QWidget* page);
    void buildExportTab(QWidget* page);
    void actionChosen();
    void run(bool (ActionMapCommands::*command)());

    ActionMapCommands& m_commands;
    QTabWidget* m_tabs = nullptr;
    ActionMapWindowActions m_barActions;
    QTableWidget* m_grid = nullptr;
    std::array<QLabel*, ActionMap::kPageRows> m_numbers{};
    std::array<QComboBox*, ActionMap::kPageRows> m_actions{};
    QScrollBar* m_scroll = nullptr;
    QCheckBox* m_skipXY = nullptr;
    bool m_refreshing = false;
};

} // namespace ravlin
