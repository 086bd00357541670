// A mode2 word stream through the real Linux IR backend read path (a pipe read by LircReceiver):
// every block it hands on fits the block, converts to at most 255 durations and is never a lone
// pulse.
#include "acquisition/core/drivers/lirc_receiver.h"
#include "base/core/receiver_units.h"
#include "fuzz_check.h"

#include <fcntl.h>
#include <unistd.h>

using namespace ravlin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2 || size > 60000) return 0; // a pipe holds 64 KiB
    fuzz::Input in(data, size);
    const ReceiverKind kind = ReceiverKind(1 + in.byte() % 4);
    const std::uint32_t gap = 100 + 97u * in.byte();
    const QByteArray words = in.rest();
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return 0;
    FUZZ_CHECK(::write(fds[1], words.constData(), static_cast<std::size_t>(words.size())) == words.size());
    ::close(fds[1]);
    std::int64_t now = 0;
    {
        LircReceiver lirc(
            QStringLiteral("/dev/fd/%1").arg(fds[0]), [&] { return now; }, gap);
        lirc.setKind(kind);
        for (int poll = 0; poll < 100; ++poll) {
            std::array<std::uint8_t, 256> block{};
            std::int32_t count = -1;
            lirc.DoGetInfraCode(block.data(), 255, count);
            FUZZ_CHECK(count >= 0 && count <= 255);
            if (count > 0) {
                const auto durations =
                    convertRawBlock(kind, std::vector<std::uint8_t>(block.begin(), block.begin() + count));
                FUZZ_CHECK(durations.size() <= 255);
                FUZZ_CHECK(durations.size() != 1);
            } else if (lirc.pendingBursts() == 0) {
                now += 50;
            }
            lirc.takeWarnings();
        }
    }
    ::close(fds[0]);
    return 0;
}
