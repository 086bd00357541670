#pragma once

#include "base/core/test_area.h"

#include <QWidget>

#include <cstdint>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ravlin {

namespace ui {
class Bindings;
}

// The " Settings " tab: group " Для тестов " (Memo3, "Очистить", "Сохранить в файл", the switch
// "Перейти в тестовый " with its label "режим"), the group " Работа с неизвестными " with the
// analyses, exports and bulk renaming rules, and the main window's buttons "Подбор переменных
// ХЭШирования" and "Кнопки для Pelvar", which test mode shows. The switch and the boxes are bound to
// the test area's settings; a button makes one call and announces the change; refresh() shows its
// state.
class TestAreaPage : public QWidget {
    Q_OBJECT

public:
    explicit TestAreaPage(TestArea& area, QWidget* parent = nullptr);

    // The buttons that open the fitting and the Pelvar windows; the shell connects them.
    QPushButton* fittingButton() const { return m_fitting; }
    QPushButton* pelvarButton() const { return m_pelvar; }

    void refresh();

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildTestsGroup();
    QWidget* buildUnknownGroup();
    QPushButton* button(const QString& text, const QString& name, QWidget* parent,
                        void (TestArea::*command)());
    QLineEdit* box(const QString& name, QString& field, QWidget* parent);
    void refreshMemo();

    TestArea& m_area;
    ui::Bindings* m_bindings;         // the switch, the boxes and their settings
    QPlainTextEdit* m_memo = nullptr; // Memo3
    QLabel* m_modeLabel = nullptr;
    QPushButton* m_save = nullptr;
    QGroupBox* m_unknown = nullptr;
    QPushButton* m_fitting = nullptr;
    QPushButton* m_pelvar = nullptr;
    qsizetype m_memoLines = 0;
    std::uint64_t m_memoClears = 0;
};

} // namespace ravlin
