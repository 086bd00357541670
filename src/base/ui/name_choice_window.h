#pragma once

#include "base/core/name_choice.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ravlin {

// "Выбор имени" (TForm8): the " Обучаем сейчас " group (index box, "<", ">", hidden "!"), the
// " Быстрый выбор " group (six radio buttons, ascending and descending lists, the number box,
// "Изменить текущую") and the uniqueness panel. Not modal.
class NameChoiceWindow : public QWidget {
    Q_OBJECT

public:
    explicit NameChoiceWindow(NameChoice& core, QWidget* parent = nullptr);

    // Places the window centred over `main` and shows it without blocking.
    void showCentredOver(const QWidget& main);
    void refresh();

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run(const std::function<void()>& command);

    NameChoice& m_core;
    QLineEdit* m_index;   // Edit5
    QLabel* m_indexLabel; // Label2
    std::array<QRadioButton*, NameChoice::kGroupCount> m_groups{};
    QComboBox* m_ascending;  // ComboBox1
    QComboBox* m_descending; // ComboBox2
    QLineEdit* m_number;     // Edit1
    QLabel* m_uniqueness;    // Panel1
    bool m_refreshing = false;
};

} // namespace ravlin
