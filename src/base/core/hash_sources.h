#pragma once

#include "platform/core/dialogs.h"
#include "platform/core/timer.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace ravlin {

// The "Источник" window's logic: which remote files of the known-remotes base hold the hash of
// the last lookup. Polling pauses while the window is open.
class HashSources {
public:
    struct Hooks {
        std::function<bool()> pollingActive;
        std::function<void()> stopPolling;
        std::function<void()> startPolling;
        std::function<QString()> lastHash;       // the hash of the last lookup
        std::function<void(const QString&)> log; // a line of the main results memo
    };

    static inline const QString kMissingMessage =
        QStringLiteral("Немогу подгрузить базу!!!\r\n(её необходимо скачать отдельно)");
    static inline const QString kMissingLine = QStringLiteral("Немогу подгрузить базу!!!");

    HashSources(QString basePath, Dialogs& dialogs, TimerFactory& timers, Hooks hooks);

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
    Hooks m_hooks;
    std::unique_ptr<Timer> m_timer;
    bool m_pollingWasActive = false;
    QString m_hash = QStringLiteral("Тут будет ХЭШ");
    QStringList m_sources{QStringLiteral("А тут будет перечень файлов")};
};

} // namespace ravlin
