#include "acquisition/core/drivers/lirc_receiver.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#if __has_include(<linux/lirc.h>)
#include <linux/lirc.h>
#endif

namespace ravlin {

namespace {

constexpr std::size_t kReadChunk = 4096;
constexpr std::size_t kMaxBytesPerPoll = 64 * 1024; // bounded work per read call
constexpr std::size_t kMaxPendingBursts = 64;
constexpr std::int64_t kNoiseReportMs = 1000; // at most one noise line a second

} // namespace

LircReceiver::LircReceiver(const QString& path, MonotonicMs now, std::uint32_t gapMicros)
    : m_path(path), m_now(std::move(now)), m_framer(gapMicros) {
    const QByteArray native = QFile::encodeName(path);
    m_fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) return;
#if defined(LIRC_SET_REC_MODE) && defined(LIRC_MODE_MODE2)
    struct stat st {};
    if (::fstat(m_fd, &st) == 0 && S_ISCHR(st.st_mode)) {
        unsigned int mode = LIRC_MODE_MODE2;
        ::ioctl(m_fd, LIRC_SET_REC_MODE, &mode); // a device that refuses still may speak mode2
#if defined(LIRC_SET_REC_TIMEOUT_REPORTS)
        unsigned int on = 1;
        ::ioctl(m_fd, LIRC_SET_REC_TIMEOUT_REPORTS, &on);
#endif
    }
#endif
    m_lastSampleMs = m_now();
}

LircReceiver::~LircReceiver() {
    close();
}

void LircReceiver::close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

void LircReceiver::readAvailable() {
    std::size_t total = 0;
    std::uint8_t chunk[kReadChunk];
    while (m_fd >= 0 && total < kMaxBytesPerPoll) {
        const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) close(); // the device went away
            break;
        }
        if (n == 0) break; // end of a file or pipe: nothing more for now
        total += static_cast<std::size_t>(n);
        m_lastSampleMs = m_now();
        m_partial.insert(m_partial.end(), chunk, chunk + n);
        std::size_t used = 0;
        for (; used + 4 <= m_partial.size(); used += 4) {
            std::uint32_t word;
            std::memcpy(&word, m_partial.data() + used, 4); // mode2 words are in the machine's order
            if (auto burst = m_framer.feed(decodeMode2Word(word))) {
                if (m_bursts.size() < kMaxPendingBursts) m_bursts.push_back(std::move(*burst));
            }
        }
        m_partial.erase(m_partial.begin(), m_partial.begin() + static_cast<std::ptrdiff_t>(used));
        if (static_cast<std::size_t>(n) < sizeof chunk) break;
    }
    // No sample for the gap time ends the burst in progress.
    const auto gapMs = static_cast<std::int64_t>((m_framer.gapMicros() + 999) / 1000);
    if (m_framer.inBurst() && m_now() - m_lastSampleMs >= gapMs) {
        if (auto burst = m_framer.flush()) {
            if (m_bursts.size() < kMaxPendingBursts) m_bursts.push_back(std::move(*burst));
        }
    }
}

int LircReceiver::DoGetInfraCode(std::uint8_t* block, int max, std::int32_t& count) {
    count = 0;
    readAvailable();
    while (!m_bursts.empty() && block) {
        std::vector<std::uint32_t> burst = std::move(m_bursts.front());
        m_bursts.pop_front();
        if (burst.size() == 1) {
            // A lone pulse is no frame: stray light or a receiver glitch. Handed on it would be a
            // one-byte block, which the poll step takes for data loss.
            ++m_noiseDropped;
            ++m_noiseUnreported;
            continue;
        }
        const std::size_t had = burst.size();
        cutLongBurst(burst);
        // The kind's byte format may need more than one byte per duration: the block is then cut
        // after an earlier mark.
        const std::vector<std::uint8_t> bytes = encodeMicros(m_kind, burst, std::min(max, kRawBlockMax));
        const std::size_t kept = convertRawBlock(m_kind, bytes).size();
        if (kept < had)
            m_warnings << QStringLiteral(
                              "Посылка из %1 длительностей обрезана до %2 (после последнего целого импульса)")
                              .arg(had)
                              .arg(kept);
        if (bytes.empty()) continue;
        std::memcpy(block, bytes.data(), bytes.size());
        count = static_cast<std::int32_t>(bytes.size());
        break;
    }
    reportNoise();
    return m_fd >= 0 ? StatusOk : StatusNotConnected;
}

void LircReceiver::reportNoise() {
    if (m_noiseUnreported == 0) return;
    const std::int64_t now = m_now();
    if (m_lastNoiseReportMs && now - *m_lastNoiseReportMs < kNoiseReportMs) return;
    m_warnings << QStringLiteral("Помеха: отброшено одиночных импульсов - %1 (всего %2)")
                      .arg(m_noiseUnreported)
                      .arg(m_noiseDropped);
    m_noiseUnreported = 0;
    m_lastNoiseReportMs = now;
}

int LircReceiver::DoEEPROMRead(std::uint8_t, std::uint8_t&) {
    return StatusNotConnected;
}
int LircReceiver::DoEEPROMWrite(std::uint8_t, std::uint8_t) {
    return StatusNotConnected;
}

QStringList LircReceiver::takeWarnings() {
    return std::exchange(m_warnings, {});
}

QString LircReceiver::description() const {
    return m_fd >= 0 ? QStringLiteral("Linux IR device %1").arg(m_path)
                     : QStringLiteral("Linux IR device %1 (not open)").arg(m_path);
}

} // namespace ravlin
