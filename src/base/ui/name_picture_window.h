#pragma once

#include "base/core/name_picture.h"
#include "base/ui/remote_picture.h"

#include <QLabel>
#include <QWidget>

class QComboBox;
class QPushButton;

namespace ravlin {

// The picture control: sized to the picture, reports the mouse in pixels.
class RemotePictureView : public QLabel {
    Q_OBJECT

public:
    // Size of the empty control when no picture could be read (the zones still work on it).
    static constexpr int kEmptyWidth = 200;
    static constexpr int kEmptyHeight = 600;

    explicit RemotePictureView(QWidget* parent = nullptr);
    void showImage(const QImage& image);

signals:
    void moved(int x, int y);
    void clicked();
    void doubleClicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_doubleClicking = false;
};

// "Имя по рисунку" (TForm2): the remote choice, the picture, the position and key labels, and
// the hidden "O" (load) and "S" (write A08.txt) commands. Not modal.
class NamePictureWindow : public QWidget {
    Q_OBJECT

public:
    explicit NamePictureWindow(NamePicture& core, QWidget* parent = nullptr);
    ~NamePictureWindow() override;

    // Places the window centred over `main` and shows it without blocking.
    void showCentredOver(const QWidget& main);
    void refresh();

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void run(const std::function<void()>& command);

    NamePicture& m_core;
    RemotePicture m_picture;
    QComboBox* m_remote;       // ComboBox1
    RemotePictureView* m_view; // Image1
    QLabel* m_position;        // Label1
    QLabel* m_key;             // Label3
    QPushButton* m_open;       // hidden "O"
    QPushButton* m_save;       // hidden "S"
    qint64 m_shownPicture = -1;
};

} // namespace ravlin
