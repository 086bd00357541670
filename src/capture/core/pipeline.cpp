#include "capture/core/pipeline.h"

#include "base/core/base_editor.h"
#include "base/core/cut_burst.h"
#include "base/core/key_names.h"
#include "hashing/core/number_text.h"
#include "hashing/core/protocol_threshold.h"

#include <algorithm>

namespace ravlin {

namespace {
bool decoderSource(HashSource s) {
    return s == HashSource::M96 || s == HashSource::M96NA;
}

template <typename T> T& bound(T* pointer, T& own) {
    return pointer ? *pointer : own;
}

// Latin a-z made upper case; every other character kept.
QString upperLatin(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 'a' + 'A');
    }
    return out;
}

bool allowedNameChar(QChar c) {
    const char16_t u = c.unicode();
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9')) return true;
    if (u >= 0x0410 && u <= 0x044F) return true;                // А..я
    if (u == 0x0401 || u == 0x0451 || u == 0x2116) return true; // Ё ё №
    static const QString kSigns = QStringLiteral(" \r\t[];,./{}:<>?*-+~!#$%^&()_=@\"'\\|`");
    return kSigns.contains(c);
}
} // namespace

void synchronisePanel(HashPanelSettings& s) {
    const HashSource src = s.source;
    const bool needsOneBit = src == HashSource::OneBit || src == HashSource::OneBitPlusM96;
    const bool needsXBit = src == HashSource::XBit;
    const bool needsDecoder =
        src == HashSource::M96 || src == HashSource::M96NA || src == HashSource::OneBitPlusM96;
    if (!s.oneBit && needsOneBit) s.oneBit = true;
    if (!s.xBit) s.xBit = needsXBit;
    if (!s.decoder && needsDecoder) s.decoder = true;
    s.oneBitLocked = needsOneBit;
    s.xBitLocked = needsXBit;
    s.decoderLocked = needsDecoder;
    if (src == HashSource::OneBit) s.decoder = false;
}

RunOutcome computeHash(std::span<const std::int32_t> durations, const HashPanelSettings& panel,
                       const DecoderSettings& decoder, DurationHistogram* histogram,
                       const std::function<void()>& beep) {
    RunOutcome out;
    const auto sound = [&] {
        if (beep) beep();
    };
    int t = StrToBase(panel.threshold, 16);
    bool recognised = false;
    QString decoderText = kNotAvailable;

    if (panel.decoder) {
        out.decoderRan = true;
        const DecoderMasks m = decoderMasks(decoder);
        out.decoder = ProtocolDecoder(durations, m.group1, m.group2, m.group3);
        if (out.decoder.recognised()) {
            recognised = true;
            decoderText = out.decoder.hash;
            t = StrToBase(ProtocolThreshold(decoderText), 16);
        }
    }

    const bool skipModules =
        recognised && (panel.source == HashSource::OneBitPlusM96 || decoderSource(panel.source));
    int t1 = 0;
    int t2 = 0;
    if (panel.oneBit && !skipModules) {
        out.oneBitRan = true;
        out.oneBit = Hash1bit(durations, histogram);
        if (out.oneBit.code > 16) sound();
        out.oneBitText = hashText(out.oneBit.record);
        t1 = out.oneBit.threshold;
    }
    if (panel.xBit && !skipModules) {
        out.xBitRan = true;
        out.xBit = HashXbit(durations);
        if (out.xBit.code > 16) sound();
        out.xBitText = hashText(out.xBit.record);
        t2 = out.xBit.threshold;
    }

    QString selection;
    switch (panel.source) {
    case HashSource::M96:
    case HashSource::M96NA:
        selection = recognised ? decoderText : kNotAvailable;
        break;
    case HashSource::OneBitPlusM96:
        if (recognised) {
            selection = decoderText;
        } else {
            selection = out.oneBitText;
            if (t1 != 0) t = t1;
            if (panel.xBit) {
                selection = out.xBitText;
                if (t2 != 0) t = t2;
            }
            selection = QStringLiteral("00") + selection;
        }
        break;
    case HashSource::OneBit:
        selection = out.oneBitText;
        if (t1 != 0) t = t1;
        break;
    case HashSource::XBit:
        selection = out.xBitText;
        if (t2 != 0) t = t2;
        break;
    }

    if (panel.ver1 && !decoderSource(panel.source) && !recognised) {
        out.ver1Ran = true;
        out.ver1Text = ver1Text(EncodeVer1(durations, t));
        selection =
            panel.source == HashSource::OneBitPlusM96 ? QStringLiteral("00") + out.ver1Text : out.ver1Text;
    }
    out.selection = selection;
    out.threshold = t;
    return out;
}

void writeBackThreshold(HashPanelSettings& panel, int threshold) {
    if (panel.autoThreshold && threshold != 0) panel.threshold = IntToBase(threshold, 16);
}

Pipeline::Pipeline(PipelineState state, Dialogs& dialogs, TimerFactory& timers, PipelineHooks hooks,
                   PipelineBindings bindings)
    : m_s(state), m_dialogs(dialogs), m_hooks(std::move(hooks)), m_b(bindings),
      m_timer(timers.create(5, true)) {
    m_b.caption = &bound(m_b.caption, m_own.caption);
    m_b.repeatIndicator = &bound(m_b.repeatIndicator, m_own.repeatIndicator);
    m_b.hashField = &bound(m_b.hashField, m_own.hashField);
    m_b.buttonName = &bound(m_b.buttonName, m_own.buttonName);
    m_b.nameMarker = &bound(m_b.nameMarker, m_own.nameMarker);
    m_b.remoteName = &bound(m_b.remoteName, m_own.remoteName);
    m_b.recordNumber = &bound(m_b.recordNumber, m_own.recordNumber);
    m_b.recordPanel = &bound(m_b.recordPanel, m_own.recordPanel);
    m_b.recordPanelColour = &bound(m_b.recordPanelColour, m_own.recordPanelColour);
    m_b.changeCaption = &bound(m_b.changeCaption, m_own.changeCaption);
    m_b.countLabel = &bound(m_b.countLabel, m_own.countLabel);
    m_b.lastRealName = &bound(m_b.lastRealName, m_own.lastRealName);
    m_view.variableDistribution.fill(ViewColour::Black);
    m_irDistribution.fill(ViewColour::Black);
    m_timer->setHandler([this] { run(); });
}

void Pipeline::schedule() {
    m_timer->start();
}
bool Pipeline::isScheduled() const {
    return m_timer->isActive();
}

MainEntryFields Pipeline::fields() const {
    MainEntryFields f;
    f.caption = *m_b.caption;
    f.repeatIndicator = *m_b.repeatIndicator;
    f.hashField = *m_b.hashField;
    f.buttonName = *m_b.buttonName;
    f.nameMarker = *m_b.nameMarker;
    f.remoteName = *m_b.remoteName;
    f.recordNumber = *m_b.recordNumber;
    f.recordPanel = *m_b.recordPanel;
    f.recordPanelColour = *m_b.recordPanelColour;
    f.changeCaption = *m_b.changeCaption;
    f.countLabel = *m_b.countLabel;
    f.lastRealName = *m_b.lastRealName;
    return f;
}

void Pipeline::log(const QString& line) const {
    if (m_hooks.log) m_hooks.log(line);
}

void Pipeline::applyPanel() {
    synchronisePanel(m_s.panel);
    m_view.oneBitStatus = kNotAvailable;
    m_view.xBitStatus = kNotAvailable;
    m_view.decoderStatus = kNotAvailable;
}

void Pipeline::clearDistribution() {
    m_s.distribution.clear();
}

void Pipeline::drawDistribution() {
    drawPositionDistribution(m_irDistribution, m_s.distribution, m_distributionSettings);
}

QString Pipeline::filterButtonName(const QString& text) {
    QString out;
    for (QChar c : text) {
        if (allowedNameChar(c)) out += c;
    }
    return upperLatin(out);
}

void Pipeline::run() {
    m_timer->stop();
    if (m_hooks.stopPolling) m_hooks.stopPolling();

    const CaptureBuffer& buffer = m_s.buffer;
    if (buffer.count == 0) {
        m_dialogs.beep();
        *m_b.caption = QStringLiteral("Error - диагр нул длины");
    }
    const int repeatLimit = m_hooks.repeatLimit ? m_hooks.repeatLimit() : 3;
    if (m_s.distribution.markBurst(buffer.span(), repeatLimit)) {
        *m_b.caption = QStringLiteral("Ошибка чётности");
        m_dialogs.beep();
    }

    const RunOutcome out =
        computeHash(buffer.span(), m_s.panel, m_s.decoder, &m_histogram, [this] { m_dialogs.beep(); });
    m_recognised = out.decoder.recognised();
    showModules(out);

    writeBackThreshold(m_s.panel, out.threshold);

    m_lastSelectedHash = out.selection;
    m_s.working.hash = out.selection;
    const QString hashShown = isKestrum() ? out.selection : WorkingRecord::kHashPlaceholder;
    if (*m_b.hashField != hashShown) *m_b.hashField = hashShown;

    drawVariables(out);
    checkAnalogues();
    if (!isRescan()) normaliseButtonName();
    rehashShownRecord();

    m_last = out;
    if (m_s.working.hash != kNotAvailable) {
        m_last.added = autoAdd();
        if (!m_s.session.windowOpen) lookUp();
    }
    if (!isRescan() && m_hooks.restartPolling) m_hooks.restartPolling();
}

void Pipeline::showModules(const RunOutcome& out) {
    const bool hashTab = isHashTab();
    if (!out.decoderRan || !out.decoder.recognised()) {
        m_view.decoderStatus = kNotAvailable;
        if (out.decoderRan) {
            m_view.decodedText = kDecodedPlaceholder;
            m_view.decodedVars = kVarsPlaceholder;
            *m_b.repeatIndicator = isKestrum() ? ViewColour::Fuchsia : ViewColour::Face;
        }
    } else {
        m_view.decodedText = out.decoder.hash;
        m_view.decodedVars = out.decoder.vars;
        if (hashTab) m_view.decoderStatus = out.decoder.hash;
        *m_b.repeatIndicator = isKestrum() ? ViewColour::Teal : ViewColour::Face;
    }
    if (!out.oneBitRan)
        m_view.oneBitStatus = kNotAvailable;
    else if (hashTab)
        m_view.oneBitStatus = statusText(out.oneBit.code, out.oneBit.record);
    if (!out.xBitRan)
        m_view.xBitStatus = kNotAvailable;
    else if (hashTab)
        m_view.xBitStatus = statusText(out.xBit.code, out.xBit.record);
}

void Pipeline::drawVariables(const RunOutcome& out) {
    Picture& picture = m_view.variableDistribution;
    if (m_firstRun || m_clearImageNext) picture.fill(ViewColour::Black);
    m_firstRun = false;
    const bool hashTab = isHashTab();
    m_clearImageNext = hashTab && out.ver1Ran;
    if (!(hashTab && out.ver1Ran && m_s.panel.oneBit && m_s.buffer.count > 5)) return;
    const HistogramLabels labels = drawVariableDistribution(picture, m_histogram, out.threshold);
    m_view.minLabel = labels.min;
    m_view.maxLabel = labels.max;
    m_view.mediumLabel = labels.medium;
    if (labels.divisionGuard) {
        m_dialogs.beep();
        *m_b.caption = QStringLiteral("Div 02");
    }
}

void Pipeline::checkAnalogues() {
    showAnalogueLookup(m_s.analogues, m_lastSelectedHash, isKestrum(), m_settings.checkAnalogues,
                       m_view.analogue);
}

void Pipeline::normaliseButtonName() {
    QString& box = *m_b.buttonName;
    const QString filtered = filterButtonName(box);
    const QStringList& names = KeyNamTab::names();
    for (const QString& name : names) {
        if (upperLatin(name) != filtered) continue;
        if (name != box && name != kHvost && name != kNotAvailable) box = name;
        break;
    }
    const QString& lastReal = *m_b.lastRealName;
    if (box == kHvost && lastReal != kHvost && lastReal != kNotAvailable) box = lastReal;
}

void Pipeline::rehashShownRecord() {
    if (!m_s.buffer.fromRecord || m_s.working.hash == kNotAvailable) return;
    const std::optional<int> index = BaseEditor::parseRecordNumber(*m_b.recordNumber);
    if (!index || *index < 1 || *index > m_s.base.count()) {
        m_dialogs.beep();
        return;
    }
    m_s.base.record(*index).hash = m_s.working.hash;
}

bool Pipeline::autoAdd() {
    const QString& hash = m_s.working.hash;
    bool add = hash.size() > 1 && !m_s.buffer.fromRecord && m_settings.autoAdd;
    if (add && m_s.base.firstIndexOfHash(hash) > 0) add = false;

    CaptureSessionFlags& session = m_s.session;
    if (session.burstCounter < 50) ++session.burstCounter;
    if (session.running) {
        add = true;
        if (session.sessionCounter < 500) ++session.sessionCounter;
        if (session.windowOpen && session.sessionCounter > 15) add = false;
    }
    if (!add) return false;

    QString& box = *m_b.buttonName;
    if (!session.windowOpen && box != kNotAvailable) {
        // Only the records already in the base are compared; the slot being filled holds nothing yet.
        int same = 0;
        for (int i = 1; i <= m_s.base.count(); ++i) {
            if (m_s.base.record(i).buttonName != box) continue;
            if (++same < 2) continue;
            const QString question = QStringLiteral("С таким названием уже ") + QStringLiteral("2") +
                                     QStringLiteral(" кн. в базе") + QStringLiteral("\r\n") +
                                     QStringLiteral("Вы уверенны что хотите добавить ещё?");
            if (m_dialogs.askYesNo(question) == Answer::No) {
                box = kNotAvailable;
                *m_b.nameMarker = ViewColour::Face;
            }
            break;
        }
    }

    ButtonRecord record;
    record.remoteName = cutName(*m_b.remoteName);
    record.buttonName = cutName(box);
    record.hash = session.running ? hash + session.suffix : hash;
    record.timings = m_s.working.timings;
    const ButtonBase::AppendResult result = m_s.base.append(record);
    if (result.atLimit) m_dialogs.beep();
    const QString count = QString::number(m_s.base.count());
    *m_b.countLabel = count;
    log(QStringLiteral("Добавили запись. Теперь записей - ") + count);
    if (const QString cut = cutBurstStoredLine(result.index, m_s.buffer.count, record.timings);
        !cut.isEmpty())
        log(cut);
    if (m_hooks.recordAdded) m_hooks.recordAdded(result.index);
    return true;
}

void Pipeline::lookUp() {
    ButtonBase& base = m_s.base;
    const int index = base.lastIndexOfHash(m_s.working.hash);
    QString indexText;
    if (index > 0) {
        base.setCurrentIndex(index);
        const ButtonRecord& record = base.record(index);
        indexText = QString::number(index);
        *m_b.recordPanelColour = ViewColour::Face;
        *m_b.recordPanel = isKestrum() ? indexText + QStringLiteral(" - ") + record.buttonName : QString();
        *m_b.remoteName = record.remoteName;
        if (record.buttonName != kNotAvailable) *m_b.buttonName = record.buttonName;
        *m_b.changeCaption = kChangeCaption;
    } else {
        base.setCurrentIndex(base.count() + 1);
        indexText = kAbsentIndex;
        *m_b.changeCaption = kAddCaption;
        if (isKestrum()) {
            *m_b.recordPanelColour = ViewColour::Red;
            *m_b.recordPanel = QStringLiteral("Нету");
        } else {
            *m_b.recordPanelColour = ViewColour::Face;
            m_b.recordPanel->clear();
        }
    }
    const QString& box = *m_b.buttonName;
    if (box != kNotAvailable && box != kHvost && !isRescan()) *m_b.lastRealName = box;

    const MatchSignalSettings& match = m_s.match;
    const bool matched = match.anyRecord ? indexText != kAbsentIndex : match.recordNumber == indexText;
    if (match.enabled && matched && m_hooks.matchSignal) m_hooks.matchSignal();
}

} // namespace ravlin
