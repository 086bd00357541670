#include "shell/ui/launcher_window.h"

#include "shell/core/startup.h"
#include "shell/core/workbench.h"
#include "shell/ui/link_label.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace ravlin {

namespace {

const char* const kLabelTexts[3] = {"Для более удобной работы", "в системе выделено три",
                                    "варианта настроек:"};
const char* const kButtonNames[3] = {"Button1", "Button2", "Button3"};
const QString kButton2 = QStringLiteral("Сбор данных для патча 9,10 прошивок");
const QString kButton3 = QStringLiteral("Сбор данных для отправки bug report.");

} // namespace

LauncherWindow::LauncherWindow(Workbench& workbench, Startup& startup, QWidget* parent)
    : QWidget(parent), m_wb(workbench), m_startup(startup) {
    setObjectName(QStringLiteral("TFormA"));
    setFixedSize(310, 340);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(6);

    auto* title = new QLabel(QStringLiteral("Ravlin"), this);
    title->setObjectName(QStringLiteral("LabelTitle"));
    QFont tf(QStringLiteral("Comic Sans MS"));
    tf.setPixelSize(40);
    title->setFont(tf);
    title->setStyleSheet(QStringLiteral("color: white;"));
    title->setAlignment(Qt::AlignHCenter);
    layout->addWidget(title);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
    layout->addWidget(m_progress);

    QFont lf = font();
    lf.setPixelSize(19);
    for (int i = 0; i < 3; ++i) {
        m_labels[i] = new QLabel(QString::fromUtf8(kLabelTexts[i]), this);
        m_labels[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        m_labels[i]->setFont(lf);
        m_labels[i]->setStyleSheet(QStringLiteral("color: lime;"));
        layout->addWidget(m_labels[i]);
    }

    const QString captions[3] = {m_wb.launcherView().button1Caption, kButton2, kButton3};
    for (int i = 0; i < 3; ++i) {
        m_buttons[i] = new QPushButton(captions[i], this);
        m_buttons[i]->setObjectName(QString::fromLatin1(kButtonNames[i]));
        m_buttons[i]->setFixedSize(233, 41);
        QFont bf = m_buttons[i]->font();
        bf.setPixelSize(11);
        m_buttons[i]->setFont(bf);
        layout->addWidget(m_buttons[i], 0, Qt::AlignHCenter);
        connect(m_buttons[i], &QPushButton::clicked, this, [this, i] { choose(i + 1); });
    }

    m_link = new LinkLabel(QStringLiteral("Страница проекта Ravlin"), this);
    m_link->setObjectName(QStringLiteral("LabelLink"));
    m_link->setStyleSheet(QStringLiteral("color: aqua;"));
    m_link->setAlignment(Qt::AlignHCenter);
    layout->addWidget(m_link);
    connect(m_link, &LinkLabel::clicked, this, [this] {
        m_wb.openProjectPage();
        m_wb.notifyChanged();
    });
    layout->addStretch();

    connect(&m_wb, &Workbench::changed, this, &LauncherWindow::refresh);
    connect(&m_startup, &Startup::hideLauncherRequested, this, &QWidget::hide);
    refresh();
}

void LauncherWindow::choose(int button) {
    m_startup.chooseConfiguration(button);
    m_wb.notifyChanged();
}

void LauncherWindow::refresh() {
    const LauncherView& v = m_wb.launcherView();
    if (windowTitle() != v.caption) setWindowTitle(v.caption);
    const int progress = std::min(v.progress, 100);
    if (m_progress->value() != progress) m_progress->setValue(progress);
    if (m_progress->isVisibleTo(this) != v.progressVisible) m_progress->setVisible(v.progressVisible);
    for (QWidget* w : {static_cast<QWidget*>(m_labels[0]), static_cast<QWidget*>(m_labels[1]),
                       static_cast<QWidget*>(m_labels[2]), static_cast<QWidget*>(m_buttons[0]),
                       static_cast<QWidget*>(m_buttons[1]), static_cast<QWidget*>(m_buttons[2]),
                       static_cast<QWidget*>(m_link)})
        if (w->isVisibleTo(this) != v.choicesVisible) w->setVisible(v.choicesVisible);
    if (m_buttons[0]->text() != v.button1Caption) m_buttons[0]->setText(v.button1Caption);
}

void LauncherWindow::closeEvent(QCloseEvent* event) {
    // The launcher is the application's main window: closing it ends the process.
    event->accept();
    m_wb.mainWindowClosing();
}

void LauncherWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0, 64, 64));
    g.setColorAt(1, QColor(0, 0, 0));
    p.fillRect(rect(), g);
}

} // namespace ravlin
