#include "base/core/base_editor.h"

#include "base/core/cut_burst.h"
#include "base/core/key_names.h"
#include "hashing/core/number_text.h"

#include <algorithm>

namespace ravlin {

namespace {

bool allowedInName(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x20 && u <= 0x7E) || (u >= 0x0410 && u <= 0x044F) || u == 0x0401 || u == 0x0451 ||
           u == 0x2116 || u == u'\t' || u == u'\r';
}

QString upperAscii(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - (u'a' - u'A'));
    return out;
}

ViewColour markerFor(const QString& buttonName) {
    return KeyNamTab::indexOf(buttonName) >= 0 ? ViewColour::Face : ViewColour::Yellow;
}

} // namespace

BaseEditor::BaseEditor(ButtonBase& base, WorkingRecord& working, CaptureBuffer& buffer, BaseEntry& entry,
                       BurstFields& burst, Dialogs& dialogs, ResultLog& log, const PageInFront& page)
    : m_base(base), m_working(working), m_buffer(buffer), m_entry(entry), m_burst(burst), m_dialogs(dialogs),
      m_log(log), m_page(page) {}

std::optional<int> BaseEditor::parseRecordNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    if (i == text.size()) return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > std::numeric_limits<int>::max()) return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

QString BaseEditor::normalisedName(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (allowedInName(c)) out.append(c);
    return upperAscii(out);
}

QString BaseEditor::matchingKeyName(const QString& text) {
    const QString typed = normalisedName(text);
    for (const QString& entry : KeyNamTab::names())
        if (upperAscii(entry) == typed) return entry;
    return QString();
}

void BaseEditor::rebuildBuffer(CaptureBuffer& buffer, const std::array<QString, kTimingTextCount>& timings) {
    buffer.clear();
    buffer.fromRecord = true;
    // Texts with a character that is no hexadecimal digit give no burst: the record is then shown
    // and rescanned as one without timings (it keeps its hash), never as made-up durations.
    std::array<std::vector<std::int32_t>, kTimingTextCount> values;
    for (int t = 0; t < kTimingTextCount; ++t) {
        std::optional<std::vector<std::int32_t>> v = timingTextValues(timings[t]);
        if (!v) return;
        values[t] = std::move(*v);
    }
    for (const std::vector<std::int32_t>& text : values)
        for (std::int32_t d : text)
            if (!buffer.append(d)) return;
}

int BaseEditor::recordNumberValue() const {
    return parseRecordNumber(m_entry.settings.recordNumber).value_or(0);
}

void BaseEditor::setRecordNumber(int n) {
    m_entry.settings.recordNumber = QString::number(n);
}

void BaseEditor::showBurstFields() {
    if (m_page.burstPage) {
        m_burst.hash = m_working.hash;
        m_burst.timings = m_working.timings;
    } else {
        m_burst = BurstFields();
    }
}

void BaseEditor::goToRecord() {
    const std::optional<int> parsed = parseRecordNumber(m_entry.settings.recordNumber);
    const int n = parsed.value_or(0);
    setRecordNumber(n);
    if (!parsed) m_dialogs.beep();
    if (n < 1 || n > m_base.count()) {
        m_dialogs.beep();
        return;
    }
    m_base.setCurrentIndex(n);
    const ButtonRecord& r = m_base.record(n);
    m_entry.settings.remoteName = r.remoteName;
    m_entry.settings.buttonName = r.buttonName;
    m_entry.view.nameMarker = markerFor(r.buttonName);
    m_working.hash = r.hash;
    m_working.timings = r.timings;
    showBurstFields();
    rebuildBuffer(m_buffer, r.timings);
    emit burstRebuilt();
}

void BaseEditor::previous() {
    int n = recordNumberValue();
    if (n >= 2) --n;
    setRecordNumber(std::max(std::min(n, m_base.count()), 1));
    goToRecord();
}

void BaseEditor::next() {
    int n = recordNumberValue();
    if (n < m_base.count()) ++n;
    setRecordNumber(std::max(std::min(n, m_base.count()), 1));
    goToRecord();
}

void BaseEditor::enterInRecordNumber() {
    setRecordNumber(std::max(std::min(recordNumberValue(), m_base.count()), 1));
    goToRecord();
}

void BaseEditor::appendWorking() {
    const ButtonBase::AppendResult r = m_base.append(ButtonRecord{});
    if (r.atLimit) m_dialogs.beep();
    m_base.setCurrentIndex(r.index);
    m_entry.view.selectionColour = ViewColour::Face;
    m_entry.view.offerChange();
    m_entry.view.countLabel = QString::number(m_base.count());
    m_log.append(QStringLiteral("Добавили запись. Теперь записей - ") + QString::number(m_base.count()));
}

void BaseEditor::storeWorking() {
    const int index = m_base.currentIndex();
    ButtonRecord r;
    r.remoteName = cutName(m_entry.settings.remoteName);
    r.buttonName = cutName(m_entry.settings.buttonName);
    r.hash = m_working.hash;
    r.timings = m_working.timings;
    m_base.setRecord(index, r);
    m_entry.view.holdSelection(QString::number(index) + QStringLiteral(" - ") + r.buttonName);
    const QString cut =
        m_buffer.fromRecord ? QString() : cutBurstStoredLine(index, m_buffer.count, r.timings);
    if (!cut.isEmpty()) m_log.append(cut);
}

void BaseEditor::add() {
    if (!m_working.hasBurst()) return;
    appendWorking();
    storeWorking();
}

void BaseEditor::change() {
    if (!m_working.hasBurst()) return;
    if (m_entry.view.changeAdds) {
        appendWorking();
    } else {
        const int index = m_base.currentIndex();
        if (index < 1 || index > m_base.count()) {
            m_dialogs.beep();
            m_dialogs.information(kNothingSelected);
            return;
        }
    }
    storeWorking();
}

void BaseEditor::remove() {
    m_dialogs.beep();
    if (m_base.count() < 1) {
        m_dialogs.information(kEmptyList);
        return;
    }
    if (!m_entry.view.selectionHeld || m_working.hash == QStringLiteral("N/A"))
        m_base.setCurrentIndex(recordNumberValue());
    const int index = m_base.currentIndex();
    // Index 0 means nothing selected; an index beyond the records cannot be deleted either.
    if (index < 1 || index > m_base.count()) {
        m_dialogs.information(kNothingSelected);
        return;
    }
    const QString question =
        QStringLiteral("Удалить кнопку N") + QString::number(index) + QStringLiteral(" из базы?");
    if (m_dialogs.askYesNo(question) != Answer::Yes) return;
    m_base.remove(index);
    m_base.setCurrentIndex(0);
    m_entry.view.dropSelection(QStringLiteral("N/A"));
    m_entry.view.offerChange();
    m_entry.view.countLabel = QString::number(m_base.count());
    m_dialogs.information(kDeleted);
}

void BaseEditor::clearBase() {
    if (m_dialogs.askYesNo(kClearQuestion, QString(), QuestionKind::Confirmation) != Answer::Yes) return;
    m_base.clear();
    setRecordNumber(1);
    m_entry.view.countLabel = QStringLiteral("0");
    m_entry.view.dropSelection();
    if (m_entry.settings.clearDistributionWithBase) emit distributionClearRequested();
    resetDisplay();
}

void BaseEditor::resetDisplay() {
    m_entry.view.dropSelection();
    m_entry.settings.buttonName = KeyNamTab::name(KeyNamTab::kUnknown);
    m_entry.view.nameMarker = ViewColour::Face;
    // The burst on screen is gone with it, so Add has nothing to store until the next one.
    m_working.reset();
    m_burst = BurstFields();
    setRecordNumber(1);
    m_base.setCurrentIndex(1);
    emit displayReset();
}

void BaseEditor::buttonNameChanged(const QString& text) {
    m_entry.settings.buttonName = text;
    m_entry.view.nameMarker = markerFor(text);
}

void BaseEditor::buttonNameEnter() {
    const QString entry = matchingKeyName(m_entry.settings.buttonName);
    if (entry.isEmpty()) return;
    if (entry != m_entry.settings.buttonName) m_entry.settings.buttonName = entry;
    m_entry.view.nameMarker = ViewColour::Face;
}

} // namespace ravlin
