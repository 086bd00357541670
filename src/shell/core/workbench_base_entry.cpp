#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"

namespace ravlin {

// The oscillogram strip and the record-entry commands: a rebuilt burst is drawn and processed,
// clearing the base clears the position distribution, the display reset blanks both pictures.
void Workbench::connectBaseEntry() {
    m_oscillogram = std::make_unique<Oscillogram>(m_capture, m_zoom, m_dialogs);
    m_oscillogram->setCaption = [this](const QString& caption) { m_mainView.caption = caption; };
    // The poller is made next; the unit is asked only when the view is drawn.
    m_signalView =
        std::make_unique<SignalView>(m_capture, m_base, m_decoder, [this] { return m_poller->kind(); });
    m_baseEditor = std::make_unique<BaseEditor>(m_base, m_working, m_capture, m_entry, m_burst, m_dialogs,
                                                m_log, m_page);
    BaseEditor* editor = m_baseEditor.get();
    // Every "go to record" of the other commands is the editor's.
    connect(&m_cursor, &RecordCursor::goToRecordRequested, editor, &BaseEditor::goToRecord);
    connect(editor, &BaseEditor::burstRebuilt, this, [this] {
        drawBurst();
        processBurst();
    });
    connect(editor, &BaseEditor::distributionClearRequested, this,
            [this] { m_pipeline->clearDistribution(); });
    connect(editor, &BaseEditor::displayReset, this, [this] {
        m_oscillogram->clear();
        m_pipeline->clearVariablePicture();
    });
    // "При очистке базы очищать" is ticked at start.
    m_entry.settings.clearDistributionWithBase = true;
}

} // namespace ravlin
