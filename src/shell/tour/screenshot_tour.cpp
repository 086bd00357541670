#include "shell/tour/screenshot_tour.h"

#include "acquisition/core/drivers/simulated_receiver.h"
#include "firmware/core/hash_variables.h"
#include "hashing/core/number_text.h"
#include "platform/core/answering_dialogs.h"
#include "platform/core/clock.h"
#include "platform/core/manual_scheduler.h"
#include "platform/core/timer.h"
#include "platform/core/url_opener.h"
#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"
#include "shell/ui/launcher_window.h"
#include "shell/ui/main_window.h"
#include "shell/ui/shell_windows.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace ravlin {

namespace {

bool copyFolder(const QString& from, const QString& to) {
    const QDir source(from);
    if (!source.exists() || !QDir().mkpath(to)) return false;
    for (const QString& name : source.entryList(QDir::Files)) {
        const QString target = to + u'/' + name;
        QFile::remove(target);
        if (!QFile::copy(source.filePath(name), target)) return false;
    }
    return true;
}

// Names the tour gives to the buttons of the demo remote, in the order they first arrive.
const char* const kNames[] = {"PW",   "Key 1", "Key 2", "Key 3", "CH+",  "CH-",  "VOL+", "VOL-",
                              "Mute", "OK",    "Play",  "Stop",  "Menu", "Info", "Exit", "Up"};

class Tour {
public:
    Tour(const TourOptions& options, const QString& appDir)
        : m_options(options), m_wb(m_dialogs, m_timers, m_urls, m_clock, appDir) {
        auto receiver =
            std::make_unique<SimulatedReceiver>(options.capturePath, [this] { return m_timers.now(); });
        m_receiver = receiver.get();
        m_wb.setUsbDriver(std::move(receiver));
        m_windows = std::make_unique<ShellWindows>(m_wb);
    }

    ~Tour() {
        for (QWidget* w : m_windows->all())
            w->hide();
    }

    TourResult run();

private:
    MainWindow& main() { return m_windows->mainWindow(); }
    QWidget& form(const char* name) { return *m_windows->byName(QString::fromLatin1(name)); }

    void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    void advance(std::int64_t ms) {
        m_timers.advance(ms);
        settle();
    }

    // Writes a picture of `window` (its client area at its own size).
    void shot(QWidget& window, const QString& name) {
        settle();
        const QPixmap picture = window.grab();
        const QString file =
            QStringLiteral("%1-%2.png").arg(m_result.shots.size() + 1, 2, 10, QLatin1Char('0')).arg(name);
        if (!picture.save(m_options.outDir + u'/' + file, "PNG")) {
            if (m_result.error.isEmpty()) m_result.error = QStringLiteral("cannot write ") + file;
            return;
        }
        m_result.shots.append({file, window.objectName(), picture.size()});
    }

    template <typename T = QAbstractButton> T* child(QWidget& root, const char* name) {
        T* c = root.findChild<T*>(QString::fromLatin1(name));
        if (!c) fail(QStringLiteral("missing control ") + QString::fromLatin1(name));
        return c;
    }
    void click(QWidget& root, const char* name) {
        if (auto* b = child(root, name)) b->click();
        settle();
    }
    // A button found by its caption.
    void clickText(QWidget& root, const QString& text) {
        for (QAbstractButton* b : root.findChildren<QAbstractButton*>())
            if (b->text() == text) {
                b->click();
                settle();
                return;
            }
        fail(QStringLiteral("missing button ") + text);
    }
    void trigger(QWidget& root, const QString& text) {
        for (QAction* a : root.findChildren<QAction*>())
            if (a->text() == text) {
                a->trigger();
                settle();
                return;
            }
        fail(QStringLiteral("missing action ") + text);
    }
    void fail(const QString& what) {
        if (m_result.error.isEmpty()) m_result.error = what;
    }

    void mainTab(int page, int inner = -1) {
        main().tabs()->setCurrentIndex(page);
        if (inner >= 0) main().burstTabs()->setCurrentIndex(inner);
        settle();
    }

    // Lets the receiver serve its next burst and the processing run finish.
    void receive() {
        const std::size_t before = m_receiver->nextIndex();
        m_timers.advanceWhile([&] { return m_receiver->nextIndex() == before; }, 10, 1000);
        advance(50);
    }
    // Receives until a button other than the one on screen arrives.
    void receiveAnother() {
        const QString before = m_wb.working().hash;
        for (std::size_t i = 0; i < m_receiver->file().bursts.size() && m_wb.working().hash == before; ++i)
            receive();
    }
    bool burstInBase() {
        const ButtonBase& base = m_wb.base();
        for (int i = 1; i <= base.count(); ++i)
            if (base.record(i).hash == m_wb.working().hash) return true;
        return false;
    }
    // A new button on screen gets the next name and "Добавить".
    void nameAndAdd() {
        if (!m_wb.working().hasBurst() || burstInBase() || m_named >= int(std::size(kNames))) return;
        auto* name = child<QComboBox>(main(), "ComboBoxKey");
        if (!name) return;
        name->setEditText(QString::fromLatin1(kNames[m_named++]));
        click(main(), "ButtonDey2");
    }
    void chooseSource(const char* radio) {
        mainTab(2, 2);
        click(main(), radio);
    }
    // "Пересканировать все ХЭШи" (or another button of " HEX Baza " that starts the rescan), to its end.
    void rescan(const char* button = "Button4") {
        mainTab(1);
        click(main(), button);
        m_timers.advanceWhile([this] { return m_wb.rescan().isRunning(); }, 50, 2000);
        settle();
    }

    // "Scan Buffer" of the fitting window, run to its end.
    void fitToTheEnd() {
        m_timers.advanceWhile([this] { return m_wb.fitting().isRunning(); }, Fitting::kIntervalMs, 100);
    }

    // The steps of the tour, in order; each leaves its pictures and the windows as the next expects.
    void start();
    void recordDemoRemote();
    void burstPageTabs();
    void baseSettingsAndDistribution();
    void sources();
    void namingAids();
    void captureSession();
    void matchBlinking();
    void openTestArea();
    void fitting();
    void actionMap();
    void eeprom();
    void testMode();
    void recognitionCheck();
    void signalWindow();

    TourOptions m_options;
    // Timers fire only when the tour advances its clock: every timeout due by then runs, in time
    // order, synchronously. Questions get the queued answers (Yes when none is queued), file
    // dialogs the queued names; the clock stands still.
    ManualScheduler m_timers;
    AnsweringDialogs m_dialogs;
    NoUrlOpener m_urls;
    FixedClock m_clock{QDateTime(QDate(2026, 1, 10), QTime(12, 0, 0))};
    Workbench m_wb;
    SimulatedReceiver* m_receiver = nullptr;
    std::unique_ptr<ShellWindows> m_windows;
    TourResult m_result;
    int m_named = 0;
    int m_bursts = 0; // bursts of the capture file
    QString m_saved;  // the demo base the tour saved
};

TourResult Tour::run() {
    if (m_receiver->file().bursts.empty()) {
        m_result.error = QStringLiteral("no bursts in ") + m_options.capturePath;
        return m_result;
    }
    start();
    recordDemoRemote();
    burstPageTabs();
    baseSettingsAndDistribution();
    sources();
    namingAids();
    captureSession();
    matchBlinking();
    openTestArea();
    fitting();
    actionMap();
    eeprom();
    testMode();
    recognitionCheck();
    signalWindow();
    return m_result;
}

void Tour::start() {
    // Start: the launcher counts down; the main configuration is chosen.
    m_windows->showLauncher();
    m_wb.beginStartup();
    advance(Startup::kLoadingMs + 7 * Startup::kProgressMs + 2 * Startup::kCountdownMs);
    shot(m_windows->launcher(), QStringLiteral("launcher"));
    click(m_windows->launcher(), "Button1");
    advance(Startup::kMainStartMs + 50);
    shot(main(), QStringLiteral("main-about"));
}

void Tour::recordDemoRemote() {
    // Record the demo remote: every new button is named and added, once round the capture.
    mainTab(2, 0);
    if (auto* remote = child<QLineEdit>(main(), "Edit10")) {
        remote->setText(QStringLiteral("Демо"));
        emit remote->textEdited(remote->text());
    }
    m_bursts = int(m_receiver->file().bursts.size());
    for (int i = 0; i < m_bursts; ++i) {
        receive();
        nameAndAdd();
    }
    // Save the base and open it again, as after a restart.
    m_saved = m_wb.appDir() + QStringLiteral("/demo.txt");
    m_dialogs.fileNames = {m_saved};
    trigger(main(), QStringLiteral("Save"));
    m_dialogs.fileNames = {m_saved};
    trigger(main(), QStringLiteral("Open"));
}

void Tour::burstPageTabs() {
    // The burst on " Kestrum " and its inner tabs: the capture starts over with its first button.
    receive();
    shot(main(), QStringLiteral("kestrum-received-data"));
    click(main(), "ButtonZoom");
    shot(form("TForm6"), QStringLiteral("zoom-settings"));
    form("TForm6").hide();
    mainTab(2, 1);
    receiveAnother();
    shot(main(), QStringLiteral("kestrum-reception"));
    // The hash modules with " ХЭШ 1bit" as the data source, as the fitting needs it.
    chooseSource("RadioButtonHs2");
    receiveAnother();
    shot(main(), QStringLiteral("kestrum-hash-modules"));
    chooseSource("RadioButtonHs1");
    mainTab(2, 3);
    receiveAnother();
    shot(main(), QStringLiteral("kestrum-module96"));
}

void Tour::baseSettingsAndDistribution() {
    // " HEX Baza " after cleaning the base: the button on screen is added a second time, then
    // "Выкинуть дубли по ХЭШ" rescans and removes the copy.
    mainTab(2, 0);
    click(main(), "ButtonDey2");
    rescan("ButtonDubli");
    shot(main(), QStringLiteral("hex-baza"));
    mainTab(3);
    shot(main(), QStringLiteral("settings"));
    mainTab(4);
    clickText(main(), QStringLiteral("Нанести"));
    shot(main(), QStringLiteral("ir-distribution"));
}

void Tour::sources() {
    // "Источник": a button of the known-remotes base; the window is modal, so its picture is taken
    // from inside its own event loop before "Ok" closes it.
    mainTab(2, 0);
    QAbstractButton* see = child(main(), "ButtonHsSm");
    for (int i = 0; i < m_bursts && see && !see->isVisible(); ++i)
        receive();
    QTimer::singleShot(0, &main(), [this] {
        advance(100);
        shot(form("TForm11"), QStringLiteral("sources"));
        click(form("TForm11"), "Button1");
    });
    click(main(), "ButtonHsSm");
}

void Tour::namingAids() {
    // Naming aids.
    trigger(main(), QStringLiteral("Выбор имени"));
    clickText(form("TForm8"), QStringLiteral("TV"));
    // "Mute" picked from the ascending list: the base holds it already.
    if (auto* list = child<QComboBox>(form("TForm8"), "ComboBox1")) {
        list->setCurrentIndex(list->findText(QStringLiteral("Mute")));
        emit list->textActivated(list->currentText());
        settle();
    }
    shot(form("TForm8"), QStringLiteral("name-choice"));
    form("TForm8").hide();
    trigger(main(), QStringLiteral("Pult"));
    if (auto* view = child<QLabel>(form("TForm2"), "Image1")) {
        // Over the "PW" zone of the first remote (zones are in picture units, 0..100 across, 0..700 down).
        const QPointF at(view->width() * 20.0 / 100.0, view->height() * 72.0 / 700.0);
        QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(view, &move);
        settle();
    }
    shot(form("TForm2"), QStringLiteral("name-picture"));
    form("TForm2").hide();
}

void Tour::captureSession() {
    // A capture session half-way: the first pass has its button held.
    trigger(main(), QStringLiteral("Создание слепка"));
    child<QLineEdit>(form("TForm4"), "Edit1")->setText(QStringLiteral("2"));
    trigger(form("TForm4"), QStringLiteral("Принять"));
    receive();
    shot(form("TForm4"), QStringLiteral("capture-session"));
    trigger(form("TForm4"), QStringLiteral("Exit"));
    advance(1000);
    // The session's records go: the saved base comes back.
    m_dialogs.fileNames = {m_saved};
    trigger(main(), QStringLiteral("Open"));
}

void Tour::matchBlinking() {
    // The match window blinking red on a button of the base.
    mainTab(1);
    click(main(), "ButtonMatch");
    click(form("TForm5"), "CheckBox1");
    click(form("TForm5"), "RadioButton2");
    mainTab(2, 0);
    for (int i = 0; i < m_bursts && !m_wb.matchVisualisation().isBlinking(); ++i)
        receive();
    // The picture is taken in a red phase of the blinking.
    m_timers.advanceWhile([this] { return m_wb.matchVisualisation().groupColour() != ViewColour::Red; }, 10,
                          100);
    shot(form("TForm5"), QStringLiteral("match-blinking"));
    click(form("TForm5"), "CheckBox1");
    form("TForm5").hide();
}

void Tour::openTestArea() {
    // The firmware windows open from the full test area of " Settings ".
    mainTab(3);
    auto* testSwitch = child(main(), "CheckBoxTestMode");
    auto* modeLabel = child<QLabel>(main(), "LabelTestMode");
    if (testSwitch && modeLabel) {
        testSwitch->click();
        const QPointF at(2, 2);
        QMouseEvent press(QEvent::MouseButtonDblClick, at, modeLabel->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(modeLabel, &press);
        testSwitch->click();
        testSwitch->click();
        settle();
    }
}

void Tour::fitting() {
    // Fitting on the 1bit hash.
    chooseSource("RadioButtonHs2");
    rescan();
    mainTab(3);
    click(main(), "ButtonFitting");
    trigger(form("TForm7"), QStringLiteral("Scan Buffer"));
    fitToTheEnd();
    settle();
    shot(form("TForm7"), QStringLiteral("fitting"));
    form("TForm7").hide();
}

void Tour::actionMap() {
    // The action map on the M96 hash, filled by "Avto" with the axes in use.
    chooseSource("RadioButtonHs96");
    rescan();
    mainTab(3);
    click(main(), "ButtonPelvar");
    click(form("TForm10"), "CheckBoxAv01"); // the arrow buttons may take the joystick axes
    trigger(form("TForm10"), QStringLiteral("Avto"));
    shot(form("TForm10"), QStringLiteral("action-map"));
    form("TForm10").hide();
}

void Tour::eeprom() {
    // The EEPROM of the simulated receiver, read.
    chooseSource("RadioButtonHs1");
    mainTab(2, 0);
    receive();
    trigger(main(), QStringLiteral("Eprom"));
    clickText(form("TForm3"), QStringLiteral("Загнать в EPROM"));
    advance(3000);
    clickText(form("TForm3"), QStringLiteral("Читать EPROM"));
    advance(3000);
    shot(form("TForm3"), QStringLiteral("eeprom"));
    form("TForm3").hide();
}

void Tour::testMode() {
    // Test mode: the burst on screen as assembler data and as a list of durations.
    mainTab(2, 0);
    click(main(), "ButtonTest");
    m_dialogs.answers = {Answer::No}; // "длинн" offers to save the memo
    click(main(), "ButtonLengths");
    mainTab(3);
    shot(main(), QStringLiteral("test-mode"));
}

void Tour::recognitionCheck() {
    // The recognition check: the demo base fitted by hand with KnBit one below the breaking point,
    // so that two buttons share a device hash; the check on " Сообщения" shows the pair.
    m_dialogs.fileNames = {m_saved};
    trigger(main(), QStringLiteral("Open"));
    chooseSource("RadioButtonHs2");
    rescan();
    mainTab(3);
    click(main(), "ButtonFitting");
    QWidget& fitting = form("TForm7");
    trigger(fitting, QStringLiteral("Scan Buffer"));
    fitToTheEnd();
    const QString breakingPoint = m_wb.fitting().view().breakingPointLabel.section(u' ', -1);
    if (auto* automatic = child(fitting, "CheckBoxAvt1"); automatic && automatic->isChecked())
        automatic->click();
    if (auto* knBit = child<QLineEdit>(fitting, "EditB11")) {
        knBit->setText(ByteHex(StrToBase(breakingPoint, 16) - 1));
        emit knBit->textEdited(knBit->text());
    }
    trigger(fitting, QStringLiteral("Scan Buffer"));
    fitToTheEnd();
    if (auto* tabs = child<QTabWidget>(fitting, "PageControl1")) tabs->setCurrentIndex(2);
    shot(fitting, QStringLiteral("recognition-check"));
    fitting.hide();
}

void Tour::signalWindow() {
    // "Сигнал" on an NEC frame of the first remote, the cursors across its leader, the pointer over
    // its first data space.
    mainTab(2, 0);
    const auto necFrame = [this] { return m_wb.signalView().decodedText().startsWith(QStringLiteral("96")); };
    for (int i = 0; i < m_bursts && !necFrame(); ++i)
        receive();
    trigger(main(), QStringLiteral("&Сигнал…"));
    if (auto* plot = child<QWidget>(form("TFormSignal"), "SignalPlot")) {
        settle();
        const SignalView& view = m_wb.signalView();
        const auto edge = [&](int k) {
            std::int64_t t = 0;
            for (int i = 0; i < k && i < int(view.snapshot().durations.size()); ++i)
                t += view.snapshot().durations[std::size_t(i)];
            return QPointF(view.viewport().xOf(double(t)), plot->height() / 3.0);
        };
        const auto mouse = [&](QEvent::Type type, QPointF at, Qt::MouseButton button) {
            QMouseEvent e(type, at, plot->mapToGlobal(at), button,
                          type == QEvent::MouseMove ? Qt::NoButton : button, Qt::NoModifier);
            QCoreApplication::sendEvent(plot, &e);
        };
        for (int k : {0, 2}) {
            mouse(QEvent::MouseButtonPress, edge(k), Qt::LeftButton);
            mouse(QEvent::MouseButtonRelease, edge(k), Qt::LeftButton);
        }
        mouse(QEvent::MouseMove, (edge(3) + edge(4)) / 2.0, Qt::NoButton);
    }
    shot(form("TFormSignal"), QStringLiteral("signal"));
    form("TFormSignal").hide();
}

} // namespace

TourResult runScreenshotTour(const TourOptions& options) {
    TourResult failed;
    if (!QDir().mkpath(options.outDir)) {
        failed.error = QStringLiteral("cannot create ") + options.outDir;
        return failed;
    }
    QTemporaryDir appDir;
    if (!appDir.isValid() || !copyFolder(options.dataDir + QStringLiteral("/Tarnisk/OpisPl"),
                                         appDir.path() + QStringLiteral("/Tarnisk/OpisPl"))) {
        failed.error = QStringLiteral("cannot copy Tarnisk/OpisPl from ") + options.dataDir +
                       QStringLiteral(" (run the tour in the folder that holds the program's data)");
        return failed;
    }
    if (!QFile::exists(options.capturePath)) {
        failed.error = QStringLiteral("no capture file ") + options.capturePath;
        return failed;
    }
    Tour tour(options, appDir.path());
    return tour.run();
}

} // namespace ravlin
