#include "acquisition/core/poller.h"

#include "acquisition/core/drivers/receiver_drivers.h"
#include "base/core/button_base.h"
#include "base/core/capture_buffer.h"
#include "platform/core/dialogs.h"
#include "platform/core/timer.h"

#include <algorithm>

namespace ravlin {

namespace {

constexpr std::uint8_t kAnswerMark = 0xFF;

const QString kDataLossBox = QStringLiteral(
    "!!!!  ВНИМАНИЕ  !!!!   Наблюдается потеря данных.\r\nДетектор +5В по каким-то причинам не "
    "отработал!!!\r\nНет переключения на USB систему.");
const QString kDataLossLog = QStringLiteral("!!!!  ВНИМАНИЕ  !!!!   Наблюдается потеря данных.");

} // namespace

Poller::Poller(PollerState state, ReceiverDrivers& drivers, TimerFactory& timers, Dialogs& dialogs)
    : m_s(state), m_drivers(drivers), m_dialogs(dialogs), m_network(m_settings, drivers, dialogs),
      m_timer(timers.create(m_settings.pollIntervalMs())) {
    m_timer->setHandler([this] { tick(); });
}

Poller::~Poller() = default;

void Poller::enterSlowStartMode() {
    m_timer->setInterval(kSlowIntervalMs);
    m_slow = true;
    m_notConnected = kNotConnectedStart;
    m_previousStatus = kNoStatus;
}

void Poller::startPolling() {
    m_timer->start();
}
void Poller::stopPolling() {
    m_timer->stop();
}
bool Poller::isPolling() const {
    return m_timer->isActive();
}
int Poller::pollIntervalMs() const {
    return m_timer->interval();
}

void Poller::applyReceiverKind() {
    stopPolling();
    if (!ReceiverKinds::isKindText(m_settings.kindText)) m_settings.kindText = QStringLiteral("Movrik");
    const ReceiverKind k = kind();
    m_s.view.unitLabel = ReceiverKinds::unitLabel(k);
    if (UsbDriver* usb = m_drivers.usb()) usb->setKind(k);
    if (k == ReceiverKind::IgorPlugUdp)
        m_network.start();
    else if (m_network.isRunning())
        m_network.close();
    startPolling();
}

void Poller::pollRateChanged() {
    m_settings.pollRate =
        std::clamp(m_settings.pollRate, ReceptionSettings::kPollRateMin, ReceptionSettings::kPollRateMax);
    m_timer->setInterval(m_settings.pollIntervalMs());
}

void Poller::rescanSpeedChanged() {
    m_settings.rescanSpeed = std::clamp(m_settings.rescanSpeed, ReceptionSettings::kRescanSpeedMin,
                                        ReceptionSettings::kRescanSpeedMax);
    emit rescanIntervalChanged(m_settings.rescanIntervalMs());
}

int Poller::readDriver(std::uint8_t* block, std::int32_t& count) {
    count = 0;
    int status = StatusNotConnected;
    if (kind() == ReceiverKind::IgorPlugUdp) {
        if (NetworkDriver* net = m_drivers.network())
            status = net->DoGetInfraCode(block, kRawBlockMax, count);
    } else if (UsbDriver* usb = m_drivers.usb()) {
        // The kind text may change without being applied (a base file's settings block), and the
        // backend may have been replaced; one that encodes durations itself must write the format
        // the conversion reads.
        if (usb->kind() != kind()) usb->setKind(kind());
        status = usb->DoGetInfraCode(block, kRawBlockMax, count);
        for (const QString& warning : usb->takeWarnings())
            m_s.log.append(warning);
    }
    // A driver never hands more than 255 bytes; anything else is treated as its nearest sound value.
    count = std::clamp<std::int32_t>(count, 0, kRawBlockMax);
    return status;
}

void Poller::tick() {
    // 1. The network kind needs the network receiver running.
    if (kind() == ReceiverKind::IgorPlugUdp && !m_network.isRunning()) {
        m_settings.kindText = QStringLiteral("Movrik");
        applyReceiverKind();
        return;
    }

    // 2. Read into a cleared block.
    std::array<std::uint8_t, kRawBlockSize> block{};
    std::int32_t count = 0;
    const int status = readDriver(block.data(), count);

    noteStatus(status); // 3.

    if (count == 0) { // 4.
        emptyPoll();
        return;
    }

    m_s.entry.nameMarker = ViewColour::Face; // 5.

    if (block[0] == 0 || block[1] == 0) { // 6.
        dataLoss();
        return;
    }

    if (block[0] == kAnswerMark && block[1] == kAnswerMark && kind() == ReceiverKind::Movrik) { // 7.
        deviceAnswer(block, count);
        return;
    }

    const std::span<const std::uint8_t> bytes(block.data(), static_cast<std::size_t>(count));
    if (m_settings.skipRepeats && isRepeat(bytes)) { // 8.
        repeatSignal();
        return;
    }

    burst(bytes); // 9.
}

void Poller::noteStatus(int status) {
    if (status == m_previousStatus) return;
    m_previousStatus = status;
    m_s.view.statusText = statusLineText(status);
    if (status == StatusOk) {
        if (m_slow) m_timer->setInterval(m_settings.pollIntervalMs());
        m_notConnected = 0;
        m_slow = false;
    } else if (status == StatusNotConnected) {
        if (m_notConnected <= kNotConnectedLimit) {
            ++m_notConnected;
        } else {
            m_slow = true;
            m_timer->setInterval(kSlowIntervalMs);
        }
    }
}

void Poller::emptyPoll() {
    if (m_hold <= 20) m_lastAnswer.clear();
    if (m_hold > 0) --m_hold;
    if (m_hold == 1) {
        for (int i = 0; i < kTimingTextCount; ++i) {
            if (!m_s.working.timings[i].isEmpty()) m_s.working.timings[i].clear();
            setField(i, QString());
        }
    }
}

void Poller::dataLoss() {
    // The box runs a nested event loop; polling pauses so that boxes do not stack up.
    const bool wasPolling = isPolling();
    stopPolling();
    m_dialogs.beep();
    m_dialogs.information(kDataLossBox);
    m_s.log.append(kDataLossLog);
    if (wasPolling) startPolling();
}

void Poller::deviceAnswer(std::span<const std::uint8_t, 256> block, int count) {
    std::int32_t length = 0;
    DecodeDeviceAnswer(block, count, m_answer, length);          // a.
    const QString kindText = deviceAnswerKindText(block[2]);     // b.
    const QString answerText = m_answer.text.left(length);       // c.
    const QString byteList = deviceAnswerByteList(block, count); // d.
    const QString identity = m_answer.text;                      // e.
    if (identity != m_lastAnswer) {
        m_lastAnswer = identity;
        m_hold = kHoldStart;
    }
    m_s.working.timings = {kindText, answerText, byteList, {}, {}, {}}; // f.
    showTimingFields();
    if (m_settings.storeAnswers) storeAnswer(identity); // g.
}

void Poller::storeAnswer(const QString& identity) {
    int index = m_s.base.firstIndexOfHash(identity);
    if (index == 0) {
        ButtonRecord record;
        record.hash = identity;
        // At the limit the answer goes into record 750, as the automatic add does.
        const auto result = m_s.base.append(record);
        if (result.atLimit) m_dialogs.beep();
        index = result.index;
    }
    m_s.base.setCurrentIndex(index);
    if (m_s.view.burstPageActive) {
        m_s.entry.holdSelection(QString::number(index) + QStringLiteral(" Тест"));
    } else {
        m_s.entry.dropSelection();
        m_s.entry.selectionColour = ViewColour::Face;
    }
}

bool Poller::isRepeat(std::span<const std::uint8_t> bytes) const {
    auto n = static_cast<int>(bytes.size());
    if (kind() == ReceiverKind::Movrik)
        n -= static_cast<int>(
            std::count_if(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b > kMovrikPlainMax; }));
    return m_settings.fiveByteRepeats ? n <= 5 : n <= 3;
}

void Poller::repeatSignal() {
    if (!m_s.view.burstPageActive) {
        m_s.view.repeatColour = ViewColour::Face;
        return;
    }
    if (m_s.view.repeatColour != ViewColour::Aqua) {
        m_s.view.repeatColour = ViewColour::Aqua;
    } else {
        m_s.view.repeatColour = m_s.view.lastBurstRecognised ? ViewColour::Teal : ViewColour::Fuchsia;
    }
}

void Poller::burst(std::span<const std::uint8_t> bytes) {
    stopPolling();                                                              // a.
    const std::vector<std::int32_t> durations = convertRawBlock(kind(), bytes); // b., c.
    m_s.buffer.clear();                                                         // d.
    for (std::int32_t d : durations)
        m_s.buffer.append(d);
    m_s.working.timings = timingTextsOf(m_s.buffer.span()); // e.
    showTimingFields();                                     // f.
    m_s.buffer.fromRecord = false;                          // g.
    emit burstStored();                                     // h., i.
}

void Poller::showTimingFields() {
    for (int i = 0; i < kTimingTextCount; ++i) {
        if (m_s.view.burstPageActive)
            setField(i, m_s.working.timings[i]);
        else
            setField(i, i == 0 ? WorkingRecord::kTimingPlaceholder : QString());
    }
}

void Poller::setField(int i, const QString& text) {
    if (m_s.burst.timings[i] != text) m_s.burst.timings[i] = text;
}

} // namespace ravlin
