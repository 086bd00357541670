#include "shell/ui/main_window.h"

#include "shell/core/startup.h"
#include "shell/core/workbench.h"
#include "shell/ui/link_label.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace ravlin {

namespace {

// An empty place with a margin-less vertical layout that a subsystem fills.
QWidget* makePlace(const QString& name, QWidget* parent = nullptr) {
    auto* w = new QWidget(parent);
    w->setObjectName(name);
    auto* l = new QVBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(2);
    return w;
}

// A page whose contents may need more room than the window gives: the place inside a frameless
// scroll box, so a page never makes the window grow.
QScrollArea* scrollable(QWidget* place) {
    auto* box = new QScrollArea;
    box->setObjectName(place->objectName() + QStringLiteral("Scroll"));
    box->setFrameShape(QFrame::NoFrame);
    box->setWidgetResizable(true);
    box->setWidget(place);
    // Transparent, so the page looks the same as one without a scroll box.
    box->viewport()->setAutoFillBackground(false);
    place->setAutoFillBackground(false);
    return box;
}

} // namespace

MainWindow::MainWindow(Workbench& workbench, QWidget* parent) : QMainWindow(parent), m_wb(workbench) {
    setObjectName(QStringLiteral("TForm1"));
    // The window opens at its design size; an explicit minimum keeps the pages' own minimum sizes
    // from enlarging it (pages that hold more scroll instead).
    setMinimumSize(kWidth, kHeight);
    resize(kWidth, kHeight);

    buildActions();

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    m_tabs->setTabPosition(QTabWidget::South);
    setCentralWidget(m_tabs);

    buildAbout();
    buildHexBaza();
    buildBurstPage();
    m_settings = makePlace(QStringLiteral("TabSheetSettings"));
    m_tabs->addTab(scrollable(m_settings), QStringLiteral(" Settings "));
    m_irDistribution = makePlace(QStringLiteral("TabSheetIrDistribution"));
    m_tabs->addTab(scrollable(m_irDistribution), QStringLiteral("IR Distribution"));

    statusBar()->setObjectName(QStringLiteral("StatusBar1"));

    connect(m_tabs, &QTabWidget::currentChanged, this, &MainWindow::pageChanged);
    connect(m_burstTabs, &QTabWidget::currentChanged, this, &MainWindow::pageChanged);
    connect(&m_wb, &Workbench::changed, this, &MainWindow::refresh);
    connect(&m_wb.startup(), &Startup::centreMainWindowRequested, this, &MainWindow::centreOnScreen);
    connect(&m_wb.startup(), &Startup::showMainWindowRequested, this, &MainWindow::showFromLauncher);
    connect(&m_wb, &Workbench::closeMainWindowRequested, this, &QWidget::close);
    refresh();
}

void MainWindow::buildActions() {
    m_toolBar = addToolBar(QStringLiteral("ToolBar1"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto tool = [this](const char* text) {
        QAction* a = m_toolBar->addAction(QString::fromUtf8(text));
        a->setObjectName(QStringLiteral("ToolButton") + QString::fromUtf8(text));
        return a;
    };
    m_actions.open = tool("Open");
    m_actions.save = tool("Save");
    m_actions.pult = tool("Pult");
    m_actions.eprom = tool("Eprom");
    m_actions.captureSession = tool("Создание слепка");
    m_actions.nameChoice = tool("Выбор имени");
    m_actions.exit = tool("Exit");

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MenuFile"));
    m_actions.openCodFile = file->addAction(QStringLiteral("&Open Cod File"));
    m_actions.saveCodFile = file->addAction(QStringLiteral("&Save Cod File"));
    m_actions.saveDiagram = file->addAction(QStringLiteral("Save &Diagram"));
    m_actions.signal = file->addAction(QStringLiteral("&Сигнал…"));
    // Remote-control files of other tools, beside the base files.
    file->addSeparator();
    m_actions.importSignals = file->addAction(QStringLiteral("&Import Signals..."));
    m_actions.exportSignals = file->addAction(QStringLiteral("E&xport Signals..."));
    file->addSeparator();
    m_actions.fileExit = file->addAction(QStringLiteral("&Exit"));
    m_actions.help = menuBar()->addAction(QStringLiteral("About &Help"));

    const auto exit = [this] {
        m_wb.exitCommand();
        m_wb.notifyChanged();
    };
    connect(m_actions.exit, &QAction::triggered, this, exit);
    connect(m_actions.fileExit, &QAction::triggered, this, exit);
    connect(m_actions.help, &QAction::triggered, this, [this] {
        m_wb.openHelpPage();
        m_wb.notifyChanged();
    });
}

void MainWindow::buildAbout() {
    m_about = makePlace(QStringLiteral("TabSheetAbout"));
    auto* l = static_cast<QVBoxLayout*>(m_about->layout());
    l->setContentsMargins(24, 24, 24, 24);
    l->addStretch();

    auto* product = new QLabel(QStringLiteral("Ravlin"), m_about);
    product->setObjectName(QStringLiteral("LabelProduct"));
    QFont pf(QStringLiteral("Comic Sans MS"));
    pf.setPixelSize(96);
    product->setFont(pf);
    product->setAlignment(Qt::AlignCenter);
    l->addWidget(product);

    m_version = new QLabel(m_about);
    m_version->setObjectName(QStringLiteral("LabelVersion"));
    m_version->setAlignment(Qt::AlignCenter);
    QFont vf = m_version->font();
    vf.setPixelSize(18);
    m_version->setFont(vf);
    l->addWidget(m_version);

    auto* project = new LinkLabel(QStringLiteral("Страница проекта Ravlin"), m_about);
    project->setObjectName(QStringLiteral("LabelLink1"));
    project->setAlignment(Qt::AlignCenter);
    l->addWidget(project);
    auto* help = new LinkLabel(QStringLiteral("Помощь по работе с программой"), m_about);
    help->setObjectName(QStringLiteral("LabelLink2"));
    help->setAlignment(Qt::AlignCenter);
    l->addWidget(help);
    connect(project, &LinkLabel::clicked, this, [this] {
        m_wb.openProjectPage();
        m_wb.notifyChanged();
    });
    connect(help, &LinkLabel::clicked, this, [this] {
        m_wb.openHelpPage();
        m_wb.notifyChanged();
    });

    l->addStretch();
    m_author = new QLabel(m_about);
    m_author->setObjectName(QStringLiteral("LabelAuthor"));
    m_author->setAlignment(Qt::AlignCenter);
    l->addWidget(m_author);

    m_tabs->addTab(m_about, QStringLiteral(" About "));
}

void MainWindow::buildHexBaza() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetHexBaza"));
    auto* l = new QVBoxLayout(page);
    l->setContentsMargins(2, 2, 2, 2);
    l->setSpacing(2);
    m_hexBaza = makePlace(QStringLiteral("HexBazaArea"));
    l->addWidget(scrollable(m_hexBaza));
    m_memo = new QPlainTextEdit(page);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setReadOnly(true);
    l->addWidget(m_memo, 1);
    m_tabs->addTab(page, QStringLiteral(" HEX Baza "));
}

void MainWindow::buildBurstPage() {
    // From top to bottom: status and length line; inner tabs beside a narrow column with the base
    // entry and analogue groups; hash result line; oscillogram strip with its readouts. Only the
    // inner tabs stretch; pages that hold more than they show scroll.
    m_burstPage = new QWidget;
    m_burstPage->setObjectName(QStringLiteral("TabSheetKestrum"));
    auto* column = new QVBoxLayout(m_burstPage);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);

    m_burstTop = new QWidget(m_burstPage);
    m_burstTop->setObjectName(QStringLiteral("KestrumTopArea"));
    auto* top = new QHBoxLayout(m_burstTop);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(8);
    column->addWidget(m_burstTop);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(4);
    m_burstTabs = new QTabWidget(m_burstPage);
    m_burstTabs->setObjectName(QStringLiteral("PageControl2"));
    m_burstTabs->setUsesScrollButtons(true);
    // Slim tabs, so the four captions fit beside the right column.
    QFont tabFont = m_burstTabs->tabBar()->font();
    tabFont.setPointSizeF(std::max(6.0, tabFont.pointSizeF() - 1.0));
    m_burstTabs->tabBar()->setFont(tabFont);
    m_burstTabs->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 1px; }"));
    m_receivedData = makePlace(QStringLiteral("TabSheetReceivedData"));
    m_receptionParams = makePlace(QStringLiteral("TabSheetReceptionParams"));
    m_hashModules = makePlace(QStringLiteral("TabSheetHashModules"));
    m_module96 = makePlace(QStringLiteral("TabSheetModule96"));
    m_burstTabs->addTab(scrollable(m_receivedData), QStringLiteral(" Принятые данные "));
    m_burstTabs->addTab(scrollable(m_receptionParams), QStringLiteral(" Параметры приёма "));
    m_burstTabs->addTab(scrollable(m_hashModules), QStringLiteral("Модули ХЭШирования"));
    m_burstTabs->addTab(scrollable(m_module96), QStringLiteral("Модуль 96 и другие"));
    middle->addWidget(m_burstTabs, 1);

    auto* right = new QWidget(m_burstPage);
    right->setObjectName(QStringLiteral("KestrumRightColumn"));
    right->setFixedWidth(kRightColumnWidth);
    auto* rightColumn = new QVBoxLayout(right);
    rightColumn->setContentsMargins(0, 0, 0, 0);
    rightColumn->setSpacing(2);
    m_baseEntry = makePlace(QStringLiteral("BaseEntryArea"), right);
    rightColumn->addWidget(m_baseEntry);
    m_analogue = makePlace(QStringLiteral("AnalogueArea"), right);
    rightColumn->addWidget(m_analogue);
    rightColumn->addStretch(1);
    middle->addWidget(right);
    column->addLayout(middle, 1);

    m_hashResult = makePlace(QStringLiteral("HashResultArea"), m_burstPage);
    column->addWidget(m_hashResult);
    m_strip = makePlace(QStringLiteral("StripArea"), m_burstPage);
    column->addWidget(m_strip);

    m_tabs->addTab(m_burstPage, QStringLiteral(" Kestrum "));
}

void MainWindow::pageChanged() {
    if (m_refreshing) return;
    m_wb.setActivePage(static_cast<MainPage>(m_tabs->currentIndex()),
                       static_cast<BurstTab>(m_burstTabs->currentIndex()));
    m_wb.notifyChanged();
}

void MainWindow::centreOnScreen() {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    move(centredPosition(s->geometry().size(), frameGeometry().size()) + s->geometry().topLeft());
}

void MainWindow::showFromLauncher() {
    refresh();
    show();
    raise();
    activateWindow();
}

void MainWindow::refresh() {
    const MainView& v = m_wb.mainView();
    m_refreshing = true;
    if (windowTitle() != v.caption) setWindowTitle(v.caption);
    if (m_version->text() != v.versionLabel) m_version->setText(v.versionLabel);
    if (m_author->text() != v.authorLabel) m_author->setText(v.authorLabel);
    const int page = static_cast<int>(v.page);
    if (m_tabs->currentIndex() != page) m_tabs->setCurrentIndex(page);
    const int inner = static_cast<int>(v.burstTab);
    if (m_burstTabs->currentIndex() != inner) m_burstTabs->setCurrentIndex(inner);
    refreshMemo();
    m_refreshing = false;
}

void MainWindow::refreshMemo() {
    const ResultLog& log = m_wb.resultLog();
    if (log.clears() != m_memoClears || log.lines().size() < m_memoLines) {
        m_memo->clear();
        m_memoLines = 0;
        m_memoClears = log.clears();
    }
    if (m_memoLines == log.lines().size()) return;
    for (; m_memoLines < log.lines().size(); ++m_memoLines)
        m_memo->appendPlainText(log.lines().at(m_memoLines));
    // The newest line stays in view, also for lines added while the page was hidden.
    m_memo->moveCursor(QTextCursor::End);
    m_memo->ensureCursorVisible();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The close box loses unsaved records as "Exit" would: it asks the same question.
    if (!m_wb.closeBoxPressed()) {
        event->ignore();
        return;
    }
    event->accept();
    m_wb.mainWindowClosing();
}

} // namespace ravlin
