#include "firmware/ui/eeprom_window.h"

#include "firmware/ui/output_settings_widget.h"
#include "platform/core/view_colour.h"
#include "platform/ui/refresh.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ravlin {

EepromWindow::EepromWindow(EepromOperations& operations, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ops(operations) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("Операции с Eprom"));
    auto* outer = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    outer->addWidget(m_tabs);

    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    m_memo = new QPlainTextEdit(page);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setFont(QFont(QStringLiteral("Monospace")));
    layout->addWidget(m_memo);
    m_progress = new QProgressBar(page);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    layout->addWidget(m_progress);
    auto* buttons = new QHBoxLayout;
    auto* read = new QPushButton(QStringLiteral("Читать EPROM"), page);
    read->setObjectName(QStringLiteral("Button2"));
    connect(read, &QPushButton::clicked, this, [this] { command([this] { m_ops.read(); }); });
    auto* write = new QPushButton(QStringLiteral("Загнать в EPROM"), page);
    write->setObjectName(QStringLiteral("Button1"));
    connect(write, &QPushButton::clicked, this, [this] { command([this] { m_ops.writeBurst(); }); });
    buttons->addWidget(read);
    buttons->addWidget(write);
    layout->addLayout(buttons);
    m_tabs->addTab(page, QStringLiteral(" Операции с Епром  "));

    auto* settings = new QWidget;
    auto* sl = new QVBoxLayout(settings);
    m_output = new OutputSettingsWidget(m_ops.output(), settings);
    m_output->setObjectName(QStringLiteral("OutputSettings"));
    connect(m_output, &OutputSettingsWidget::changed, this, &EepromWindow::changed);
    sl->addWidget(m_output);
    auto* apply = new QPushButton(QStringLiteral("Применить (до первой перезагрузки)"), settings);
    apply->setObjectName(QStringLiteral("Button3"));
    connect(apply, &QPushButton::clicked, this, [this] { command([this] { m_ops.applySettings(); }); });
    sl->addWidget(apply);
    m_tabs->addTab(settings, QStringLiteral(" Настройки системы "));
    m_tabs->setCurrentIndex(0);

    refreshNow();
    adjustSize();
}

void EepromWindow::showCentredOver(const QWidget& main) {
    refreshNow();
    ui::showCentredOver(*this, main);
}

void EepromWindow::refresh() {
    if (isVisible()) refreshNow();
}

void EepromWindow::refreshNow() {
    const EepromView& v = m_ops.view();
    const QString text = v.memo.join(u'\n');
    if (m_memo->toPlainText() != text) m_memo->setPlainText(text);
    const QColor colour =
        v.memoRed ? QColor::fromRgb(rgbOf(ViewColour::Red)) : QPalette().color(QPalette::Base);
    if (m_memo->palette().color(QPalette::Base) != colour) {
        QPalette p = m_memo->palette();
        p.setColor(QPalette::Base, colour);
        m_memo->setPalette(p);
    }
    if (m_progress->value() != v.progress) m_progress->setValue(v.progress);
    m_output->refresh();
}

void EepromWindow::command(const std::function<void()>& run) {
    run();
    refreshNow();
    emit changed();
}

} // namespace ravlin
