#pragma once

#include "base/core/polling_control.h"
#include "base/core/rescan_flags.h"
#include "base/core/session_flags.h"
#include "platform/core/dialogs.h"
#include "platform/core/timer.h"

#include <QString>

#include <array>
#include <memory>

namespace ravlin {

// The stages of a capture session; Idle is "Свободен".
enum class SessionStage { Idle, Press, Hold, Release, Wait };

inline const QString kSessionSuffix = QStringLiteral("   ; Автомат сессия N");

// Settings of the session window.
struct SessionSettings {
    QString target = QStringLiteral("6"); // the box between "Принять " and "вариантов"
};

// What the session window shows: the enabled stage label and the counter label.
struct SessionView {
    SessionStage stage = SessionStage::Idle;
    QString counterLabel = QStringLiteral("Принято - 0");
};

// The three options a session unticks while it runs and gives back when it ends, in this order:
// "Не добавлять сигналы повтора", "Автоматически добавлять новые", the match window's "Включить".
// They belong to other windows; the workbench hands their owners in.
class SessionOptions {
public:
    virtual ~SessionOptions() = default;
    virtual std::array<bool, 3> values() const = 0;
    virtual void set(const std::array<bool, 3>& values) = 0;
};

// The capture-session window's logic. A session makes target + 1 passes; each guides the user
// through pressing (a burst arrives), holding (at least two bursts, then 1.5 s), releasing (0.7 s
// without bursts) and waiting (another 0.7 s without bursts). While the session-running flag is
// set the processing run adds every burst with the pass's suffix in its hash text.
class CaptureSession {
public:
    static constexpr int kTickMs = 100;
    static constexpr int kHoldTicks = 15;
    static constexpr int kQuietTicks = 7;
    static constexpr int kMaxTarget = 9999;

    // A session starts only when the receiver's last driver status (`polling`) is 0.
    CaptureSession(CaptureSessionFlags& flags, RescanFlags& rescan, SessionOptions& options, Dialogs& dialogs,
                   TimerFactory& timers, const PollingControl& polling);

    // The window is shown / closed ("Exit" closes it).
    void windowShown();
    void windowClosed();
    // "Принять" and "Отменить".
    void start();
    void cancel();
    // The session timer's handler.
    void tick();

    // The target box read as a decimal number: its leading digits, 0 when there are none.
    static int targetOf(const QString& text);
    static QString stageText(SessionStage stage);

    SessionSettings& settings() { return m_settings; }
    const SessionView& view() const { return m_view; }
    const CaptureSessionFlags& flags() const { return m_flags; }
    int passNumber() const { return m_pass; }
    int tickCounter() const { return m_ticks; }
    int target() const { return m_target; }
    bool isTimerActive() const { return m_timer->isActive(); }

private:
    void setSuffix();
    void passEnded();

    CaptureSessionFlags& m_flags;
    RescanFlags& m_rescan;
    SessionOptions& m_options;
    Dialogs& m_dialogs;
    const PollingControl& m_polling;
    std::unique_ptr<Timer> m_timer;
    SessionSettings m_settings;
    SessionView m_view;
    std::array<bool, 3> m_saved{}; // the three options as the window found them
    bool m_optionsTaken = false;   // a start unticked them since
    int m_pass = 0;
    int m_target = 0;
    int m_ticks = 0;
};

} // namespace ravlin
