#pragma once

#include "base/core/base_entry.h"
#include "base/core/button_base.h"

#include <QObject>
#include <QString>

namespace ravlin {

// The working record as the commands that move through the base see it: the record-number box
// (Edit6), "go to record" and the count label (LabelKn). One object, shared by the base-entry
// commands, base files, the rescan, signal import and the fitting.
class RecordCursor : public QObject {
    Q_OBJECT

public:
    RecordCursor(BaseEntry& entry, const ButtonBase& base) : m_entry(entry), m_base(base) {}

    const QString& recordNumber() const { return m_entry.settings.recordNumber; }
    const QString& remoteName() const { return m_entry.settings.remoteName; } // Edit10
    void setRecordNumber(const QString& n) { m_entry.settings.recordNumber = n; }
    void setRecordNumber(int n) { setRecordNumber(QString::number(n)); }
    // Go to the record the box shows (the base-entry commands carry it out).
    void goToRecord() { emit goToRecordRequested(); }
    // The count label shows the base's count.
    void countChanged() { m_entry.view.countLabel = QString::number(m_base.count()); }

signals:
    void goToRecordRequested();

private:
    BaseEntry& m_entry;
    const ButtonBase& m_base;
};

} // namespace ravlin
