#include "base/core/test_area.h"

#include "base/core/bulk_rename.h"
#include "base/core/test_exports.h"
#include "platform/core/text_file.h"

#include <QFileInfo>

namespace ravlin {

TestArea::TestArea(ButtonBase& base, const WorkingRecord& working, Dialogs& dialogs, QString& saveName,
                   const QString& openedFile)
    : m_base(base), m_working(working), m_dialogs(dialogs), m_saveName(saveName), m_openedFile(openedFile) {}

void TestArea::switchChanged(bool on) {
    m_settings.testSwitch = on;
    if (m_view.extended) {
        m_view.unknownGroup = on;
        m_view.testButton = on;
        m_view.saveButton = on;
        m_view.fittingButton = on;
        m_view.pelvarButton = on;
    }
    m_view.lengthsButton = on;
}

void TestArea::modeLabelDoubleClicked() {
    m_view.extended = m_settings.testSwitch;
}

void TestArea::clearMemo() {
    m_memo.clear();
}

void TestArea::replaceMemo(const QStringList& lines) {
    m_memo.clear();
    m_memo.append(lines);
}

void TestArea::lengthAnalysis() {
    replaceMemo(TestExports::lengthAnalysis(m_base));
}

void TestArea::bitAnalysis() {
    replaceMemo(TestExports::bitAnalysis(m_base, m_settings.bitNumber));
}

void TestArea::keyNamesTest() {
    replaceMemo(TestExports::keyNameTable());
}

std::array<QString, kTimingTextCount> TestArea::burstOnScreen() const {
    // Before the first burst the timing texts hold the placeholder, which holds no durations.
    if (m_working.timings[0] == WorkingRecord::kTimingPlaceholder) return {};
    return m_working.timings;
}

void TestArea::assemblerTest() {
    m_memo.append(TestExports::assemblerData(burstOnScreen()));
}

void TestArea::durationList() {
    replaceMemo(TestExports::durationList(burstOnScreen()));
    saveToFile();
}

void TestArea::saveToFile() {
    const QString chosen = m_dialogs.saveFileName(kFilter, m_saveName, kExtension);
    if (chosen.isEmpty()) return;
    const QString name = withExtension(chosen, kExtension);
    m_saveName = name;
    const QFileInfo info(name);
    if (info.isFile() && info.size() > 0) {
        m_dialogs.beep();
        if (m_dialogs.askYesNo(kOverwriteQuestion) == Answer::No) return;
    }
    QString error;
    if (!TextFileWriter::write(name, m_memo.lines(), &error)) {
        m_dialogs.beep();
        m_dialogs.information(QStringLiteral("Файл не сохранён.\r\n") + error +
                              QStringLiteral("\r\nПрежний файл не изменён."));
    }
}

void TestArea::exportButtons() {
    m_memo.append(TestExports::characteristicButtons(m_base, QFileInfo(m_openedFile).fileName()));
    emit reloadBaseRequested();
}

void TestArea::renameByNonZeroHash() {
    BulkRename::byNonZeroHash(m_base);
}

void TestArea::renameByHashStart() {
    BulkRename::byHashStart(m_base, m_settings.hashStart1, m_settings.hashStart2);
}

void TestArea::renameByLength() {
    BulkRename::byLength(m_base);
}

void TestArea::renameRemoteToMode() {
    BulkRename::remoteToMode(m_base, m_settings.modeRemote);
}

} // namespace ravlin
