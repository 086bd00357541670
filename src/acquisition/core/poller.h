#pragma once

#include "acquisition/core/device_answer.h"
#include "acquisition/core/network_receiver.h"
#include "acquisition/core/receiver_kind.h"
#include "acquisition/core/reception_settings.h"
#include "base/core/base_entry.h"
#include "base/core/polling_control.h"
#include "platform/core/result_log.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <memory>

namespace ravlin {

class ButtonBase;
class Dialogs;
class ReceiverDrivers;
class Timer;
class TimerFactory;
struct CaptureBuffer;

// The shared state a poll tick writes, owned by the workbench.
struct PollerState {
    CaptureBuffer& buffer;
    WorkingRecord& working;
    ButtonBase& base;
    ReceptionView& view;  // the receiver's own displays (the processing run colours the repeat square)
    BaseEntryView& entry; // PanelSi1 and the square beside the button-name box
    BurstFields& burst;   // the six timing fields
    ResultLog& log;       // the result log of the " HEX Baza " tab
};

// Polls the selected receiver on the poll timer: status line and slow mode, data loss, device
// answers, repeat signals, and bursts converted into the capture buffer and the timing texts. The
// drivers are asked of the holder on every read, so a replaced backend is read from the next tick.
class Poller final : public QObject, public PollingControl {
    Q_OBJECT

public:
    static constexpr int kSlowIntervalMs = 1000;
    static constexpr int kNoStatus = 9955;
    static constexpr int kHoldStart = 30;
    static constexpr int kNotConnectedStart = 30;
    static constexpr int kNotConnectedLimit = 20;

    Poller(PollerState state, ReceiverDrivers& drivers, TimerFactory& timers, Dialogs& dialogs);
    ~Poller() override;

    ReceptionSettings& settings() { return m_settings; }
    const ReceptionSettings& settings() const { return m_settings; }
    ReceptionView& view() { return m_s.view; }
    const ReceptionView& view() const { return m_s.view; }
    NetworkReceiver& network() { return m_network; }

    // The kind in use (the kind text read as a kind; other texts count as Movrik).
    ReceiverKind kind() const { return ReceiverKinds::fromText(m_settings.kindText); }

    // The start tick's slow start mode: 1000 ms, slow flag, counter 30, previous status none.
    void enterSlowStartMode() override;
    void startPolling() override;
    void stopPolling() override;
    bool isPolling() const override;
    int lastDriverStatus() const override { return m_previousStatus; }
    int pollIntervalMs() const;

    // Handlers of the reception parameters' controls (the UI writes the settings first).
    void applyReceiverKind();
    void pollRateChanged();
    void rescanSpeedChanged();

    // The poll timer's handler.
    void tick();

    // Fields 1..6 from the working record's timing texts under the tab-active rule.
    void showTimingFields();

    // Polling state, for the parts that save or inspect it.
    int previousStatus() const { return m_previousStatus; }
    bool slow() const { return m_slow; }
    int notConnectedCounter() const { return m_notConnected; }
    int answerHold() const { return m_hold; }
    const QString& lastAnswer() const { return m_lastAnswer; }

signals:
    // A burst is in the capture buffer and polling is stopped: draw it and process it.
    void burstStored();
    // The rescan speed changed: the rescan timer's new interval.
    void rescanIntervalChanged(int ms);

private:
    int readDriver(std::uint8_t* block, std::int32_t& count);
    void noteStatus(int status);
    void emptyPoll();
    void dataLoss();
    void deviceAnswer(std::span<const std::uint8_t, 256> block, int count);
    void storeAnswer(const QString& identity);
    bool isRepeat(std::span<const std::uint8_t> bytes) const;
    void repeatSignal();
    void burst(std::span<const std::uint8_t> bytes);
    void setField(int i, const QString& text);

    PollerState m_s;
    ReceiverDrivers& m_drivers;
    Dialogs& m_dialogs;
    ReceptionSettings m_settings;
    NetworkReceiver m_network;
    std::unique_ptr<Timer> m_timer;

    int m_previousStatus = kNoStatus;
    bool m_slow = true;
    int m_notConnected = kNotConnectedStart;
    int m_hold = 0;
    QString m_lastAnswer;
    AnswerBuffer m_answer;
};

} // namespace ravlin
