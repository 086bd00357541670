#pragma once

#include "base/core/test_area.h"

#include <QWidget>

#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ravlin {

// The " Settings " tab: group " Для тестов " (Memo3, "Очистить", "Сохранить в файл", the switch
// "Перейти в тестовый " with its label "режим"), the group " Работа с неизвестными " with the
// analyses, exports and bulk renaming rules, and the main window's buttons "Подбор переменных
// ХЭШирования" and "Кнопки для Pelvar", which test mode shows. Handlers copy the controls into the
// test area's settings, make one call and announce the change; refresh() shows its state.
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
    QLineEdit* box(const QString& name, QString TestAreaSettings::*field, QWidget* parent);
    void copySettings();
    void refreshMemo();

    TestArea& m_area;
    QPlainTextEdit* m_memo = nullptr; // Memo3
    QCheckBox* m_switch = nullptr;
    QLabel* m_modeLabel = nullptr;
    QPushButton* m_save = nullptr;
    QGroupBox* m_unknown = nullptr;
    QPushButton* m_fitting = nullptr;
    QPushButton* m_pelvar = nullptr;
    struct Box {
        QLineEdit* edit;
        QString TestAreaSettings::*field;
    };
    QList<Box> m_boxes;
    bool m_refreshing = false;
    qsizetype m_memoLines = 0;
    std::uint64_t m_memoClears = 0;
};

} // namespace ravlin
