#pragma once

#include "base/core/hash_sources.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace ravlin {

// "Источник" (TForm11): the remote files of the known-remotes base in which the hash of the last
// lookup occurs. Modal; polling pauses while it is open.
class SourcesWindow : public QDialog {
    Q_OBJECT

public:
    explicit SourcesWindow(HashSources& core, QWidget* parent = nullptr);

    HashSources& core() { return m_core; }
    // Shows the window modally, centred over `main`.
    void openOver(QWidget& main);
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    HashSources& m_core;
    QLineEdit* m_hash;      // Edit1
    QPlainTextEdit* m_list; // Memo1
    bool m_open = false;
};

} // namespace ravlin
