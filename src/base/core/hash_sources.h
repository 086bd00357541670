#pragma once

#include "base/core/polling_control.h"
#include "platform/core/dialogs.h"
#include "platform/core/timer.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace ravlin {

// The "Источник" window's logic: which remote files of the known-remotes base hold the hash of
// the last lookup. Polling pauses while the window is open.
class HashSources {
public:
    static inline const QString kMissingMessage =
        QStringLiteral("Немогу подгрузить базу!!!\r\n(её необходимо скачать отдельно)");
    static inline const QString kMissingLine = QStringLiteral("Немогу подгрузить базу!!!");

    // `lastHash` is the hash of the last lookup, read when the window fills.
    HashSources(QString basePath, const QString& lastHash, Dialogs& dialogs, TimerFactory& timers,
                PollingControl& polling);

    // Showing: remembers whether polling ran, stops it, starts the 50 ms timer.
    void shown();
    // The timer's tick: fills the hash field and the list.
    void tick();
    // Closing ("Ok"): polling back as it was.
    void closed();

    const QString& hashText() const { return m_hash; }       // Edit1
    const QStringList& sources() const { return m_sources; } // Memo1
    bool timerActive() const { return m_timer->isActive(); }

private:
    QString m_path;
    Dialogs& m_dialogs;
    const QString& m_lastHash;
    PollingControl& m_polling;
    std::unique_ptr<Timer> m_timer;
    bool m_pollingWasActive = false;
    QString m_hash = QStringLiteral("Тут будет ХЭШ");
    QStringList m_sources{QStringLiteral("А тут будет перечень файлов")};
};

} // namespace ravlin
