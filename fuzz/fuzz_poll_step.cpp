// Raw receive blocks and device answers through the poll step: whatever a driver hands over, the
// capture buffer, the base, the timing texts and the answer identity stay within their sizes.
#include "acquisition/core/drivers/receiver_drivers.h"
#include "acquisition/core/poller.h"
#include "fakes/manual_scheduler.h"
#include "fakes/poller_parts.h"
#include "fakes/scripted_dialogs.h"
#include "fakes/scripted_receiver.h"
#include "fuzz_check.h"

using namespace ravlin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 32 * 1024) return 0;
    fuzz::Input in(data, size);
    fakes::ManualScheduler timers;
    fakes::ScriptedDialogs dialogs;
    fakes::PollerParts parts;
    auto& [buffer, working, base, view, entry, burst, log] = parts;
    ReceiverDrivers drivers;
    fakes::ScriptedReceiver& receiver = *drivers.setUsb(std::make_unique<fakes::ScriptedReceiver>());
    Poller poller{parts.state(), drivers, timers, dialogs};
    int stored = 0;
    QObject::connect(&poller, &Poller::burstStored, [&] {
        ++stored;
        poller.startPolling(); // the processing run would restart it
    });

    static const char* const kKinds[] = {"Movrik", "USBtiny", "IgorPlug-USB", "Movrik "};
    poller.settings().kindText = QString::fromLatin1(kKinds[in.byte() % 4]);
    const std::uint8_t flags = in.byte();
    poller.settings().skipRepeats = flags & 1;
    poller.settings().fiveByteRepeats = flags & 2;
    poller.settings().storeAnswers = flags & 4;
    view.burstPageActive = flags & 8;
    // Many answers: a base that is already nearly full shows the cap.
    for (int i = (flags & 16) ? 745 : 0; i > 0; --i)
        base.append(ButtonRecord{});
    poller.applyReceiverKind();
    poller.enterSlowStartMode();
    poller.startPolling();

    while (!in.empty()) {
        const std::uint8_t status = in.byte() % 6;
        const int length = in.byte();
        std::vector<std::uint8_t> bytes;
        for (int i = 0; i < length && !in.empty(); ++i)
            bytes.push_back(in.byte());
        receiver.queue(std::move(bytes), status);
        timers.advance(poller.pollIntervalMs());

        FUZZ_CHECK(buffer.count >= 0 && buffer.count <= CaptureBuffer::kCapacity);
        FUZZ_CHECK(base.count() >= 0 && base.count() <= ButtonBase::kCapacity);
        FUZZ_CHECK(poller.lastAnswer().isEmpty() || poller.lastAnswer().size() == kAnswerBufferLength);
        // Timing texts of a burst hold at most 33 durations; only an answer's byte list is longer.
        for (const QString& t : working.timings)
            FUZZ_CHECK(t.size() <= 99 || t.startsWith(QLatin1String("0x")));
        for (int i = 1; i <= buffer.count; ++i)
            FUZZ_CHECK(buffer.durations[std::size_t(i)] >= 0);
    }
    return 0;
}
