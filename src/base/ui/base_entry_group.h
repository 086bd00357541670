#pragma once

#include "base/core/base_editor.h"

#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ravlin {

// The base-entry controls of the " Kestrum " tab: record number with "<" and ">", record count,
// remote and button names with the name marker, the selection panel, change/add/delete and
// "Очистить базу". Each handler copies the control into the editor's settings, makes one call and
// announces the change; refresh() shows the editor's settings and view.
class BaseEntryGroup : public QWidget {
    Q_OBJECT

public:
    explicit BaseEntryGroup(BaseEditor& editor, QWidget* parent = nullptr);

    void refresh();

signals:
    // A command ran or a control was edited: the state changed.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run(void (BaseEditor::*command)());

    BaseEditor& m_editor;
    QLineEdit* m_recordNumber; // Edit6
    QLabel* m_count;           // LabelKn
    QLineEdit* m_remoteName;   // Edit10
    QComboBox* m_buttonName;   // ComboBoxKey
    QFrame* m_marker;          // Panel1
    QLabel* m_selection;       // PanelSi1
    QPushButton* m_change;     // ButtonDey1
    bool m_refreshing = false;
};

} // namespace ravlin
