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

Pipeline::Pipeline(PipelineState state, Dialogs& dialogs, TimerFactory& timers, PollingControl& polling)
    : m_s(state), m_dialogs(dialogs), m_polling(polling), m_timer(timers.create(5, true)) {
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

void Pipeline::log(const QString& line) const {
    m_s.log.append(line);
}

void Pipeline::showCaption(const QString& caption) {
    emit errorCaption(caption);
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
    m_polling.stopPolling();

    const CaptureBuffer& buffer = m_s.buffer;
    if (buffer.count == 0) {
        m_dialogs.beep();
        showCaption(QStringLiteral("Error - диагр нул длины"));
    }
    const int repeatLimit = m_s.receptionSettings.fiveByteRepeats ? 5 : 3;
    if (m_s.distribution.markBurst(buffer.span(), repeatLimit)) {
        showCaption(QStringLiteral("Ошибка чётности"));
        m_dialogs.beep();
    }

    const RunOutcome out =
        computeHash(buffer.span(), m_s.panel, m_s.decoder, &m_histogram, [this] { m_dialogs.beep(); });
    m_s.reception.lastBurstRecognised = out.decoder.recognised();
    showModules(out);

    writeBackThreshold(m_s.panel, out.threshold);

    m_lastSelectedHash = out.selection;
    m_s.working.hash = out.selection;
    const QString hashShown = isBurstPage() ? out.selection : WorkingRecord::kHashPlaceholder;
    if (m_s.burst.hash != hashShown) m_s.burst.hash = hashShown;

    drawVariables(out);
    checkAnalogues();
    if (!isRescan()) normaliseButtonName();
    rehashShownRecord();

    m_last = out;
    if (m_s.working.hash != kNotAvailable) {
        m_last.added = autoAdd();
        if (!m_s.session.windowOpen) lookUp();
    }
    if (!isRescan()) m_polling.startPolling();
}

void Pipeline::showModules(const RunOutcome& out) {
    const bool hashTab = isHashTab();
    if (!out.decoderRan || !out.decoder.recognised()) {
        m_view.decoderStatus = kNotAvailable;
        if (out.decoderRan) {
            m_view.decodedText = kDecodedPlaceholder;
            m_view.decodedVars = kVarsPlaceholder;
            m_s.reception.repeatColour = isBurstPage() ? ViewColour::Fuchsia : ViewColour::Face;
        }
    } else {
        m_view.decodedText = out.decoder.hash;
        m_view.decodedVars = out.decoder.vars;
        if (hashTab) m_view.decoderStatus = out.decoder.hash;
        m_s.reception.repeatColour = isBurstPage() ? ViewColour::Teal : ViewColour::Face;
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
        showCaption(QStringLiteral("Div 02"));
    }
}

void Pipeline::checkAnalogues() {
    showAnalogueLookup(m_s.analogues, m_lastSelectedHash, isBurstPage(), m_settings.checkAnalogues,
                       m_view.analogue);
}

void Pipeline::normaliseButtonName() {
    QString& box = m_s.entry.settings.buttonName;
    const QString filtered = filterButtonName(box);
    const QStringList& names = KeyNamTab::names();
    for (const QString& name : names) {
        if (upperLatin(name) != filtered) continue;
        if (name != box && name != kHvost && name != kNotAvailable) box = name;
        break;
    }
    const QString& lastReal = m_lastRealName;
    if (box == kHvost && lastReal != kHvost && lastReal != kNotAvailable) box = lastReal;
}

void Pipeline::rehashShownRecord() {
    if (!m_s.buffer.fromRecord || m_s.working.hash == kNotAvailable) return;
    const std::optional<int> index = BaseEditor::parseRecordNumber(m_s.entry.settings.recordNumber);
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

    QString& box = m_s.entry.settings.buttonName;
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
                m_s.entry.view.nameMarker = ViewColour::Face;
            }
            break;
        }
    }

    ButtonRecord record;
    record.remoteName = cutName(m_s.entry.settings.remoteName);
    record.buttonName = cutName(box);
    record.hash = session.running ? hash + session.suffix : hash;
    record.timings = m_s.working.timings;
    const ButtonBase::AppendResult result = m_s.base.append(record);
    if (result.atLimit) m_dialogs.beep();
    const QString count = QString::number(m_s.base.count());
    m_s.entry.view.countLabel = count;
    log(QStringLiteral("Добавили запись. Теперь записей - ") + count);
    if (const QString cut = cutBurstStoredLine(result.index, m_s.buffer.count, record.timings);
        !cut.isEmpty())
        log(cut);
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
        m_s.entry.view.selectionColour = ViewColour::Face;
        if (isBurstPage())
            m_s.entry.view.holdSelection(indexText + QStringLiteral(" - ") + record.buttonName);
        else
            m_s.entry.view.dropSelection();
        m_s.entry.settings.remoteName = record.remoteName;
        if (record.buttonName != kNotAvailable) m_s.entry.settings.buttonName = record.buttonName;
        m_s.entry.view.offerChange();
    } else {
        base.setCurrentIndex(base.count() + 1);
        indexText = kAbsentIndex;
        m_s.entry.view.offerAdd();
        if (isBurstPage()) {
            m_s.entry.view.selectionColour = ViewColour::Red;
            m_s.entry.view.holdSelection(QStringLiteral("Нету"));
        } else {
            m_s.entry.view.selectionColour = ViewColour::Face;
            m_s.entry.view.dropSelection();
        }
    }
    const QString& box = m_s.entry.settings.buttonName;
    if (box != kNotAvailable && box != kHvost && !isRescan()) m_lastRealName = box;

    const MatchSignalSettings& match = m_s.match;
    const bool isMatch = match.anyRecord ? indexText != kAbsentIndex : match.recordNumber == indexText;
    if (match.enabled && isMatch) emit matched();
}

} // namespace ravlin
