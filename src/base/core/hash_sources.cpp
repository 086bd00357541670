#include "base/core/hash_sources.h"

#include "base/core/analogue_lookup.h"
#include "platform/core/regular_file.h"
#include "platform/core/text_file.h"

#include <QFileInfo>

namespace ravlin {

HashSources::HashSources(QString basePath, const QString& lastHash, Dialogs& dialogs, TimerFactory& timers,
                         PollingControl& polling)
    : m_path(std::move(basePath)), m_dialogs(dialogs), m_lastHash(lastHash), m_polling(polling),
      m_timer(timers.create(50, true)) {
    m_timer->setHandler([this] { tick(); });
}

void HashSources::shown() {
    m_pollingWasActive = m_polling.isPolling();
    m_polling.stopPolling();
    m_timer->start();
}

void HashSources::tick() {
    m_timer->stop();
    m_hash = m_lastHash;
    m_sources.clear();
    if (!QFileInfo::exists(m_path)) {
        m_dialogs.beep();
        m_dialogs.information(kMissingMessage);
        m_sources << kMissingLine;
        return;
    }
    QString error;
    const auto lines = readTextFile(m_path, AnalogueBase::kFileMaxBytes, &error);
    if (!lines) {
        m_dialogs.information(QStringLiteral("Ошибка чтения файла ") + m_path + QStringLiteral(": ") + error);
        return;
    }
    m_sources = hashSourcesOf(lines->lines(), m_hash);
}

void HashSources::closed() {
    m_timer->stop();
    if (m_pollingWasActive) m_polling.startPolling();
}

} // namespace ravlin
