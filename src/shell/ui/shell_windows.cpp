#include "shell/ui/shell_windows.h"

#include "acquisition/ui/reception_widgets.h"
#include "base/core/analogue_base.h"
#include "base/ui/base_entry_group.h"
#include "base/ui/base_files_panel.h"
#include "base/ui/name_choice_window.h"
#include "base/ui/name_picture_window.h"
#include "base/ui/sources_window.h"
#include "capture/ui/bitmap_save.h"
#include "capture/ui/distribution_page.h"
#include "capture/ui/hash_panel_decoders.h"
#include "capture/ui/hash_panel_page.h"
#include "capture/ui/oscillogram_widgets.h"
#include "capture/ui/pipeline_result.h"
#include "capture/ui/signal_window.h"
#include "capture/ui/zoom_settings_window.h"
#include "firmware/ui/action_map_window.h"
#include "firmware/ui/eeprom_window.h"
#include "firmware/ui/fitting_window.h"
#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"
#include "shell/ui/launcher_window.h"
#include "shell/ui/main_window.h"
#include "shell/ui/session_windows.h"
#include "shell/ui/test_area_assembly.h"

#include <QAction>
#include <QApplication>
#include <QLayout>

namespace ravlin {

namespace {

// The receiver's widgets: status line and repeat indicator at the top of " Kestrum ", the timing
// lines and the reception parameters in their inner tabs.
void assembleReception(Workbench& wb, WorkbenchParts& p, MainWindow& main) {
    auto* status = new ReceptionStatusBar(p.poller);
    main.burstTopArea()->layout()->addWidget(status);
    auto* data = new ReceivedDataPage(p.burstFields);
    main.receivedDataPage()->layout()->addWidget(data);
    auto* params = new ReceptionParamsPage(p.poller);
    main.receptionParamsPage()->layout()->addWidget(params);
    QObject::connect(&wb, &Workbench::changed, status, &ReceptionStatusBar::refresh);
    QObject::connect(&wb, &Workbench::changed, data, &ReceivedDataPage::refresh);
    QObject::connect(&wb, &Workbench::changed, params, &ReceptionParamsPage::refresh);
    QObject::connect(params, &ReceptionParamsPage::changed, &wb, &Workbench::notifyChanged);
}

// "Имя по рисунку" and "Выбор имени", opened from the tool bar's "Pult" and "Выбор имени".
template <typename W>
std::unique_ptr<W> namingWindow(std::unique_ptr<W> w, Workbench& wb, MainWindow& main, QAction* tool) {
    W* raw = w.get();
    QObject::connect(&wb, &Workbench::changed, raw, &W::refresh);
    QObject::connect(raw, &W::changed, &wb, &Workbench::notifyChanged);
    QObject::connect(tool, &QAction::triggered, raw, [raw, &main] { raw->showCentredOver(main); });
    return w;
}

// The processing run's widgets: the hash-modules and decoder tabs, the hash result line, the
// analogue group and the IR Distribution tab.
template <typename W> void place(Workbench& wb, QWidget* area, W* widget) {
    area->layout()->addWidget(widget);
    QObject::connect(&wb, &Workbench::changed, widget, &W::refresh);
    QObject::connect(widget, &W::changed, &wb, &Workbench::notifyChanged);
}

void assemblePipeline(Workbench& wb, WorkbenchParts& p, MainWindow& main, SourcesWindow& sources) {
    Pipeline& run = p.pipeline;
    place(wb, main.hashModulesPage(), new HashPanelPage(run, p.hashPanel));
    place(wb, main.module96Page(), new DecoderPage(run, p.decoderSettings));
    place(wb, main.hashResultArea(), new PipelineResultArea(run, p.burstFields));
    place(wb, main.analogueArea(), new AnalogueGroup(run, [&main, &sources] { sources.openOver(main); }));
    place(wb, main.irDistributionPage(),
          new DistributionPage(run, p.baseEditor.settings().clearDistributionWithBase,
                               [&wb, &p](const QImage& image) {
                                   saveBitmap(p.dialogs, wb.appDir(), p.presets.diagram, image);
                               }));
}

// The base controls of " HEX Baza " and the Open/Save commands of the tool bar and "&File" menu.
void assembleBaseFiles(Workbench& wb, WorkbenchParts& p, MainWindow& main) {
    auto* panel = new BaseFilesPanel(p.baseFiles, p.rescan, p.hexBaza);
    main.hexBazaPage()->layout()->addWidget(panel);
    QObject::connect(&wb, &Workbench::changed, panel, &BaseFilesPanel::refresh);
    QObject::connect(panel, &BaseFilesPanel::changed, &wb, &Workbench::notifyChanged);
    const auto bind = [&](QAction* action, void (BaseFileCommands::*command)()) {
        QObject::connect(action, &QAction::triggered, panel, [&wb, &p, command] {
            (p.baseFiles.*command)();
            wb.notifyChanged();
        });
    };
    const MainWindowActions& actions = main.actions();
    bind(actions.open, &BaseFileCommands::open);
    bind(actions.openCodFile, &BaseFileCommands::open);
    bind(actions.save, &BaseFileCommands::save);
    bind(actions.saveCodFile, &BaseFileCommands::save);
    const auto bindSignals = [&](QAction* action, void (SignalFileCommands::*command)()) {
        QObject::connect(action, &QAction::triggered, panel, [&wb, &p, command] {
            (p.signalFiles.*command)();
            wb.notifyChanged();
        });
    };
    QObject::connect(&p.signalFiles, &SignalFileCommands::busyChanged, [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    bindSignals(actions.importSignals, &SignalFileCommands::importSignals);
    bindSignals(actions.exportSignals, &SignalFileCommands::exportSignals);
}

// "Подбор переменных ХЭШирования": shown over the main window when the opening checks pass.
std::unique_ptr<FittingWindow> fittingWindow(Workbench& wb, WorkbenchParts& p, MainWindow& main) {
    auto w = std::make_unique<FittingWindow>(p.fitting);
    FittingWindow* window = w.get();
    QObject::connect(&wb, &Workbench::changed, window, &FittingWindow::refresh);
    QObject::connect(window, &FittingWindow::changed, &wb, &Workbench::notifyChanged);
    QObject::connect(&wb, &Workbench::fittingWindowRequested, window,
                     [window, &main] { window->showCentredOver(main); });
    return w;
}

// "Настройки под кнопки Pelvar": shown over the main window when the opening checks pass.
std::unique_ptr<ActionMapWindow> actionMapWindow(Workbench& wb, WorkbenchParts& p, MainWindow& main) {
    auto w = std::make_unique<ActionMapWindow>(p.actionMapCommands);
    ActionMapWindow* window = w.get();
    QObject::connect(&wb, &Workbench::changed, window, &ActionMapWindow::refresh);
    QObject::connect(window, &ActionMapWindow::changed, &wb, &Workbench::notifyChanged);
    QObject::connect(&wb, &Workbench::actionMapWindowRequested, window,
                     [window, &main] { window->showCentredOver(main); });
    return w;
}

// "Операции с Eprom": the tool bar's "Eprom" shows it over the main window.
std::unique_ptr<EepromWindow> eepromWindow(Workbench& wb, WorkbenchParts& p, MainWindow& main) {
    auto w = std::make_unique<EepromWindow>(p.eeprom);
    EepromWindow* window = w.get();
    QObject::connect(&wb, &Workbench::changed, window, &EepromWindow::refresh);
    QObject::connect(window, &EepromWindow::changed, &wb, &Workbench::notifyChanged);
    QObject::connect(&wb, &Workbench::eepromWindowRequested, window,
                     [window, &main] { window->showCentredOver(main); });
    QObject::connect(main.actions().eprom, &QAction::triggered, window, [&wb] { wb.openEepromWindow(); });
    return w;
}

} // namespace

ShellWindows::ShellWindows(Workbench& workbench, Creation creation)
    : m_wb(workbench), m_parts(std::make_unique<WorkbenchParts>(partsOf(workbench))) {
    m_launcher = std::make_unique<LauncherWindow>(m_wb, m_parts->startup);
    if (creation == Creation::All) createOtherWindows();
}

void ShellWindows::createOtherWindows() {
    if (m_main) return;
    m_main = std::make_unique<MainWindow>(m_wb);
    // Secondary windows in creation order.
    m_eeprom = addSecondary("TForm3", "Операции с Eprom", eepromWindow(m_wb, *m_parts, *m_main));
    m_namePicture = addSecondary("TForm2", "Имя по рисунку",
                                 namingWindow(std::make_unique<NamePictureWindow>(m_parts->namePictureAid),
                                              m_wb, *m_main, m_main->actions().pult));
    m_match = addSecondary("TForm5", "Визуализация совпадений", makeMatchWindow(m_wb, *m_parts));
    m_session = addSecondary("TForm4", "Создаём слепок кодировки", makeCaptureSessionWindow(m_wb, *m_parts));
    m_zoom = addSecondary("TForm6", "Настройка графики и зума",
                          std::make_unique<ZoomSettingsWindow>(m_parts->zoom));
    m_fitting =
        addSecondary("TForm7", "Подбор переменных ХЭШирования", fittingWindow(m_wb, *m_parts, *m_main));
    m_nameChoice = addSecondary("TForm8", "Выбор имени",
                                namingWindow(std::make_unique<NameChoiceWindow>(m_parts->nameChoice), m_wb,
                                             *m_main, m_main->actions().nameChoice));
    m_actionMap =
        addSecondary("TForm10", "Настройки под кнопки Pelvar", actionMapWindow(m_wb, *m_parts, *m_main));
    m_sources = addSecondary("TForm11", "Источник", std::make_unique<SourcesWindow>(m_parts->hashSources));
    QObject::connect(&m_wb, &Workbench::changed, m_sources, &SourcesWindow::refresh);
    m_signal =
        addSecondary("TFormSignal", "Сигнал",
                     std::make_unique<SignalWindow>(m_parts->signalView, m_parts->dialogs, m_wb.appDir()));
    QObject::connect(&m_wb, &Workbench::changed, m_signal, &SignalWindow::refresh);
    assemblePages();
}

template <typename W>
W* ShellWindows::addSecondary(const char* formName, const char* caption, std::unique_ptr<W> window) {
    W* raw = window.get();
    // Owned by the main window (transient for it: X11 marks only dialog-type windows so), so that the
    // window manager keeps it in front of the main window, also after a box or file dialog it opened.
    raw->setParent(m_main.get(), (raw->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    raw->setObjectName(QString::fromLatin1(formName));
    raw->setWindowTitle(QString::fromUtf8(caption));
    m_secondary.push_back(std::move(window));
    return raw;
}

ShellWindows::~ShellWindows() = default;

void ShellWindows::assemblePages() {
    // Subsystems add their page widgets to the main window's places here.
    assembleReception(m_wb, *m_parts, *m_main);
    assembleBaseFiles(m_wb, *m_parts, *m_main);
    assembleStripAndBaseEntry();
    assemblePipeline(m_wb, *m_parts, *m_main, *m_sources);
    assembleSessionWindows(m_wb, *m_main, m_session, m_match);
    assembleTestArea(m_wb, *m_parts, *m_main);
}

void ShellWindows::assembleStripAndBaseEntry() {
    auto* strip = new OscillogramPanel(m_parts->oscillogram, [this] { return m_wb.durationUnitMs(); });
    m_main->stripArea()->layout()->addWidget(strip);
    m_main->burstTopArea()->layout()->addWidget(strip->lengthLabel());
    QObject::connect(&m_wb, &Workbench::changed, strip, &OscillogramPanel::refresh);
    ZoomSettingsWindow* zoom = m_zoom;
    QObject::connect(&m_wb, &Workbench::changed, zoom, &ZoomSettingsWindow::refresh);
    QObject::connect(strip, &OscillogramPanel::zoomWindowRequested, zoom,
                     [this, zoom] { zoom->showCentredOver(*m_main); });
    // "Сигнал": from the strip (double click, context menu) and from the "&File" menu.
    const auto showSignal = [this] { m_signal->showCentredOver(*m_main); };
    QObject::connect(strip, &OscillogramPanel::signalWindowRequested, m_signal, showSignal);
    QObject::connect(m_main->actions().signal, &QAction::triggered, m_signal, showSignal);
    QObject::connect(m_main->actions().saveDiagram, &QAction::triggered, strip, [this] {
        saveBitmap(m_parts->dialogs, m_wb.appDir(), m_parts->presets.diagram,
                   renderStrip(m_parts->oscillogram.drawing()));
    });

    auto* entry = new BaseEntryGroup(m_parts->baseEditor);
    m_main->baseEntryArea()->layout()->addWidget(entry);
    QObject::connect(&m_wb, &Workbench::changed, entry, &BaseEntryGroup::refresh);
    QObject::connect(entry, &BaseEntryGroup::changed, &m_wb, &Workbench::notifyChanged);
}

std::vector<QWidget*> ShellWindows::all() const {
    std::vector<QWidget*> out{m_launcher.get()};
    if (m_main) out.push_back(m_main.get());
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
