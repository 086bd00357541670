#include "base/ui/sources_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cstdlib>

namespace ravlin {

SourcesWindow::SourcesWindow(HashSources& core, QWidget* parent) : QDialog(parent), m_core(core) {
    setObjectName(QStringLiteral("TForm11"));
    setWindowTitle(QStringLiteral("Источник"));
    setModal(true);
    resize(360, 300);
    auto* grid = new QGridLayout(this);
    auto* label1 = new QLabel(QStringLiteral("ХЭШ "), this);
    label1->setObjectName(QStringLiteral("Label1"));
    m_hash = new QLineEdit(this);
    m_hash->setObjectName(QStringLiteral("Edit1"));
    auto* label2 = new QLabel(QStringLiteral("Встречается в следующих файлах"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    m_list = new QPlainTextEdit(this);
    m_list->setObjectName(QStringLiteral("Memo1"));
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    grid->addWidget(label1, 0, 0);
    grid->addWidget(m_hash, 0, 1);
    grid->addWidget(label2, 1, 0, 1, 2);
    grid->addWidget(m_list, 2, 0, 1, 2);
    grid->addWidget(ok, 3, 1, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
}

void SourcesWindow::openOver(QWidget& main) {
    const int top = main.y() + std::abs(main.height() - height()) / 2;
    const int left = main.x() + std::abs(main.width() - width()) / 2;
    move(left, top);
    exec();
}

void SourcesWindow::refresh() {
    if (m_hash->text() != m_core.hashText()) m_hash->setText(m_core.hashText());
    const QString list = m_core.sources().join(QLatin1Char('\n'));
    if (m_list->toPlainText() != list) m_list->setPlainText(list);
}

void SourcesWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_open) return;
    m_open = true;
    m_core.shown();
}

void SourcesWindow::done(int result) {
    if (m_open) {
        m_open = false;
        m_core.closed();
    }
    QDialog::done(result);
}

} // namespace ravlin
