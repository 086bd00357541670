#include "shell/ui/shell_windows.h"

#include "acquisition/ui/reception_widgets.h"
#include "base/core/analogue_base.h"
#include "base/ui/base_entry_group.h"
#include "base/ui/base_files_panel.h"
#include "base/ui/sources_window.h"
#include "capture/ui/bitmap_save.h"
#include "capture/ui/distribution_page.h"
#include "capture/ui/hash_panel_decoders.h"
#include "capture/ui/hash_panel_page.h"
#include "capture/ui/oscillogram_widgets.h"
#include "capture/ui/pipeline_result.h"
#include "capture/ui/zoom_settings_window.h"
#include "shell/core/workbench.h"
#include "shell/ui/launcher_window.h"
#include "shell/ui/main_window.h"

#include <QAction>
#include <QLayout>

namespace ravlin {

namespace {

struct SecondaryWindow {
    const char* formName;
    const char* caption; // empty where the window's caption is set by its own class
    std::unique_ptr<QWidget> (*make)(Workbench&, MainWindow&);
};

// A window whose contents come later: empty, with its form name and caption.
std::unique_ptr<QWidget> emptyWindow(Workbench&, MainWindow&) {
    auto w = std::make_unique<QWidget>(nullptr, Qt::Window);
    w->resize(480, 360);
    return w;
}

std::unique_ptr<QWidget> zoomWindow(Workbench& wb, MainWindow&) {
    return std::make_unique<ZoomSettingsWindow>(wb.zoom());
}

// The receiver's widgets: status line and repeat indicator at the top of " Kestrum ", the timing
// lines and the reception parameters in their inner tabs.
void assembleReception(Workbench& wb, MainWindow& main) {
    auto* status = new ReceptionStatusBar(wb.poller());
    main.kestrumTopArea()->layout()->addWidget(status);
    auto* data = new ReceivedDataPage(wb.poller());
    main.receivedDataPage()->layout()->addWidget(data);
    auto* params = new ReceptionParamsPage(wb.poller());
    main.receptionParamsPage()->layout()->addWidget(params);
    QObject::connect(&wb, &Workbench::changed, status, &ReceptionStatusBar::refresh);
    QObject::connect(&wb, &Workbench::changed, data, &ReceivedDataPage::refresh);
    QObject::connect(&wb, &Workbench::changed, params, &ReceptionParamsPage::refresh);
    QObject::connect(params, &ReceptionParamsPage::changed, &wb, &Workbench::notifyChanged);
}

// "Источник": the known-remotes files that hold the hash of the last lookup; polling pauses meanwhile.
std::unique_ptr<QWidget> sourcesWindow(Workbench& wb, MainWindow&) {
    HashSources::Hooks h;
    h.pollingActive = [&wb] { return wb.poller().isPolling(); };
    h.stopPolling = [&wb] { wb.poller().stopPolling(); };
    h.startPolling = [&wb] { wb.poller().startPolling(); };
    h.lastHash = [&wb] { return wb.pipeline().lastSelectedHash(); };
    auto w =
        std::make_unique<SourcesWindow>(AnalogueBase::filePath(wb.appDir()), wb.dialogs(), wb.timers(), h);
    QObject::connect(&wb, &Workbench::changed, w.get(), &SourcesWindow::refresh);
    return w;
}

// The processing run's widgets: the hash-modules and decoder tabs, the hash result line, the
// analogue group and the IR Distribution tab.
template <typename W> void place(Workbench& wb, QWidget* area, W* widget) {
    area->layout()->addWidget(widget);
    QObject::connect(&wb, &Workbench::changed, widget, &W::refresh);
    QObject::connect(widget, &W::changed, &wb, &Workbench::notifyChanged);
}

void assemblePipeline(Workbench& wb, MainWindow& main, QWidget* sources) {
    Pipeline& p = wb.pipeline();
    place(wb, main.hashModulesPage(), new HashPanelPage(p, wb.hashPanel()));
    place(wb, main.module96Page(), new DecoderPage(p, wb.decoderSettings()));
    place(wb, main.hashResultArea(), new PipelineResultArea(p, wb.hashBox()));
    auto* window = static_cast<SourcesWindow*>(sources);
    place(wb, main.analogueArea(), new AnalogueGroup(p, [&main, window] {
              if (window) window->openOver(main);
          }));
    place(wb, main.irDistributionPage(),
          new DistributionPage(p, wb.baseEditor().settings().clearDistributionWithBase,
                               [&wb](const QImage& image) {
                                   saveBitmap(wb.dialogs(), wb.appDir(), wb.presets().diagram, image);
                               }));
}

// The base controls of " HEX Baza " and the Open/Save commands of the tool bar and "&File" menu.
void assembleBaseFiles(Workbench& wb, MainWindow& main) {
    auto* panel = new BaseFilesPanel(wb.baseFiles(), wb.rescan(), wb.hexBaza());
    main.hexBazaPage()->layout()->addWidget(panel);
    QObject::connect(&wb, &Workbench::changed, panel, &BaseFilesPanel::refresh);
    QObject::connect(panel, &BaseFilesPanel::changed, &wb, &Workbench::notifyChanged);
    const auto bind = [&](const char* text, void (BaseFileCommands::*command)()) {
        if (QAction* a = main.action(QString::fromLatin1(text)))
            QObject::connect(a, &QAction::triggered, panel, [&wb, command] {
                (wb.baseFiles().*command)();
                wb.notifyChanged();
            });
    };
    bind("Open", &BaseFileCommands::open);
    bind("&Open Cod File", &BaseFileCommands::open);
    bind("Save", &BaseFileCommands::save);
    bind("&Save Cod File", &BaseFileCommands::save);
}

// Secondary windows in creation order.
const SecondaryWindow kSecondaryWindows[] = {
    {"TForm3", "Операции с Eprom", emptyWindow},
    {"TForm2", "Имя по рисунку", emptyWindow},
    {"TForm5", "Визуализация совпадений", emptyWindow},
    {"TForm4", "Создаём слепок кодировки", emptyWindow},
    {"TForm6", "Настройка графики и зума", zoomWindow},
    {"TForm7", "Подбор переменных ХЭШирования", emptyWindow},
    {"TForm8", "Выбор имени", emptyWindow},
    {"TForm10", "Настройки под кнопки Pelvar", emptyWindow},
    {"TForm11", "Источник", sourcesWindow},
};

} // namespace

ShellWindows::ShellWindows(Workbench& workbench) : m_wb(workbench) {
    m_launcher = std::make_unique<LauncherWindow>(m_wb);
    m_main = std::make_unique<MainWindow>(m_wb);
    for (const SecondaryWindow& s : kSecondaryWindows) {
        std::unique_ptr<QWidget> w = s.make(m_wb, *m_main);
        w->setObjectName(QString::fromLatin1(s.formName));
        if (*s.caption) w->setWindowTitle(QString::fromUtf8(s.caption));
        m_secondary.push_back(std::move(w));
    }
    assemblePages();
}

ShellWindows::~ShellWindows() = default;

void ShellWindows::assemblePages() {
    // Subsystems add their page widgets to the main window's places here.
    assembleReception(m_wb, *m_main);
    assembleBaseFiles(m_wb, *m_main);
    assembleStripAndBaseEntry();
    assemblePipeline(m_wb, *m_main, byName(QStringLiteral("TForm11")));
}

void ShellWindows::assembleStripAndBaseEntry() {
    auto* strip = new OscillogramPanel(m_wb.oscillogram(), [this] {
        return m_wb.hooks().durationUnitMs ? m_wb.hooks().durationUnitMs() : 0.0;
    });
    m_main->stripArea()->layout()->addWidget(strip);
    m_main->kestrumTopArea()->layout()->addWidget(strip->lengthLabel());
    QObject::connect(&m_wb, &Workbench::changed, strip, &OscillogramPanel::refresh);
    auto* zoom = static_cast<ZoomSettingsWindow*>(byName(QStringLiteral("TForm6")));
    QObject::connect(&m_wb, &Workbench::changed, zoom, &ZoomSettingsWindow::refresh);
    QObject::connect(strip, &OscillogramPanel::zoomWindowRequested, zoom,
                     [this, zoom] { zoom->showCentredOver(*m_main); });
    if (QAction* save = m_main->action(QStringLiteral("Save &Diagram")))
        QObject::connect(save, &QAction::triggered, strip, [this] {
            saveBitmap(m_wb.dialogs(), m_wb.appDir(), m_wb.presets().diagram,
                       renderStrip(m_wb.oscillogram().drawing()));
        });

    auto* entry = new BaseEntryGroup(m_wb.baseEditor());
    m_main->baseEntryArea()->layout()->addWidget(entry);
    QObject::connect(&m_wb, &Workbench::changed, entry, &BaseEntryGroup::refresh);
    QObject::connect(entry, &BaseEntryGroup::changed, &m_wb, &Workbench::notifyChanged);
}

std::vector<QWidget*> ShellWindows::all() const {
    std::vector<QWidget*> out{m_launcher.get(), m_main.get()};
    for (const auto& w : m_secondary)
        out.push_back(w.get());
    return out;
}

QWidget* ShellWindows::byName(const QString& formName) const {
    for (QWidget* w : all())
        if (w->objectName() == formName) return w;
    return nullptr;
}

void ShellWindows::showLauncher() {
    m_launcher->refresh();
    m_launcher->show();
}

} // namespace ravlin
