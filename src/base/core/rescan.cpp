#include "base/core/rescan.h"

#include "base/core/base_file.h"
#include "base/core/base_order.h"
#include "base/core/cut_burst.h"
#include "platform/core/rounding.h"

#include <algorithm>

namespace ravlin {

namespace {

const QString kUnnamed = QStringLiteral("N/A");

} // namespace

Rescan::Rescan(ButtonBase& base, Dialogs& dialogs, TimerFactory& timers, RescanFlags& flags,
               const HexBazaSettings& settings, const HashPanelSettings& panel, RecordCursor& cursor,
               PollingControl& polling, ResultLog& log)
    : m_base(base), m_dialogs(dialogs), m_flags(flags), m_settings(settings), m_panel(panel),
      m_cursor(cursor), m_polling(polling), m_log(log), m_timer(timers.create(kDefaultIntervalMs)) {
    m_timer->setHandler([this] { tick(); });
}

Rescan::~Rescan() = default;

void Rescan::setIntervalMs(int ms) {
    m_timer->setInterval(ms);
}
int Rescan::intervalMs() const {
    return m_timer->interval();
}

void Rescan::log(const QString& line) const {
    m_log.append(line);
}

void Rescan::setRecordNumber(int n) {
    m_cursor.setRecordNumber(n);
}

int Rescan::recordNumber() const {
    return static_cast<int>(
        std::clamp<std::int64_t>(leadingNumber(m_cursor.recordNumber()), -1, ButtonBase::kCapacity + 1));
}

void Rescan::hideProgress() {
    m_view.progress = 0;
    m_view.progressVisible = false;
}

void Rescan::pressRescan() {
    m_flags.rescanned = true;
    m_flags.withM96 = m_panel.source == HashSource::M96;
    m_timer->stop();
    log(QString());
    log(QStringLiteral("Активирован режим пересканирования ХЭШей"));

    if (!isRunning()) {
        if (m_base.isEmpty()) {
            log(QStringLiteral("База пуста - выход"));
            m_dialogs.beep();
            return;
        }
        setRecordNumber(1);
        m_firstTick = true;
        m_timer->start();
        m_view.caption = RescanView::kRunningCaption;
        m_flags.running = true;
        log(QStringLiteral("Начата обработка данных"));
        return;
    }
    // Cancelled: records already replayed keep their new hash texts.
    setRecordNumber(1);
    m_view.caption = RescanView::kIdleCaption;
    m_flags.running = false;
    log(QStringLiteral("Пересчёт отменён пользователем!!!"));
    hideProgress();
}

void Rescan::removeDuplicates() {
    m_dedupe = true;
    pressRescan();
}

void Rescan::tick() {
    const int n = recordNumber();
    const int count = m_base.count();
    m_view.progressVisible = true;
    const int progress = count > 0 ? static_cast<int>(std::clamp<std::int64_t>(
                                         5 * divideHalfEven(std::int64_t(n) * 20, count), 0, 100))
                                   : 0;
    if (progress != m_view.progress) m_view.progress = progress;

    // The first tick visits the record the box shows (record 1 is replayed too); later ticks
    // advance by one. Processing stores the new hash into the record the box shows.
    const int target = m_firstTick ? n : n + 1;
    m_firstTick = false;
    if (n >= 1 && n <= count && target <= count) {
        setRecordNumber(target);
        m_cursor.goToRecord();
        return;
    }
    finish();
}

void Rescan::tidy(ButtonBase& base) {
    for (int i = 1; i <= base.count(); ++i) {
        ButtonRecord& r = base.record(i);
        if (r.remoteName.isEmpty()) r.remoteName = kUnnamed;
        if (r.buttonName.isEmpty()) r.buttonName = kUnnamed;
    }
    for (int i = 1; i <= base.count(); ++i)
        if (IsRepeatRecord(base, i)) base.record(i).buttonName = QStringLiteral("Hvost");
    orderByKeyNames(base);
    moveUnnamedToEnd(base);
}

int Rescan::removeHashDuplicates(ButtonBase& base, const DuplicateOptions& options) {
    markHashDuplicates(base, options);
    return removeMarkedRecords(base);
}

void Rescan::finish() {
    m_timer->stop();
    m_view.caption = RescanView::kIdleCaption;
    m_flags.running = false;
    tidy(m_base);
    log(QStringLiteral("Пересчёт ХЭШей завершён."));
    hideProgress();
    m_polling.startPolling();

    if (m_dedupe) {
        log(QStringLiteral("Режим удаления дублей - Активирован..."));
        const int removed = removeHashDuplicates(m_base, m_settings.duplicates);
        m_cursor.countChanged();
        log(QStringLiteral("Пересканировали базу. Теперь записей - ") + QString::number(m_base.count()));
        log(QStringLiteral("При этом было игнорировано дублей - ") + QString::number(removed));
        log(QStringLiteral("Операция завершена успешно..."));
        m_dedupe = false;
    }
    if (const QString cut = cutBurstRescanLine(m_base); !cut.isEmpty()) log(cut);
    setRecordNumber(1);
    m_cursor.goToRecord();
}

} // namespace ravlin
