#pragma once

#include "firmware/core/eeprom_operations.h"

#include <QWidget>

class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace ravlin {

class OutputSettingsWidget;

// The window "Операции с Eprom" (TForm3): the tab " Операции с Епром  " (memo, progress bar, "Читать
// EPROM", "Загнать в EPROM") and the tab " Настройки системы " (the output-settings controls and
// "Применить (до первой перезагрузки)").
class EepromWindow : public QWidget {
    Q_OBJECT

public:
    explicit EepromWindow(EepromOperations& operations, QWidget* parent = nullptr);

    void showCentredOver(const QWidget& main);
    QTabWidget* tabs() const { return m_tabs; }

    void refresh();
    void refreshNow();

signals:
    void changed();

private:
    void command(const std::function<void()>& run);

    EepromOperations& m_ops;
    QTabWidget* m_tabs = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QProgressBar* m_progress = nullptr;
    OutputSettingsWidget* m_output = nullptr;
};

} // namespace ravlin
