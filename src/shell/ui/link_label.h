#pragma once

#include <QLabel>

namespace ravlin {

// A label that works as a web link: its font switches to "Arial" while the mouse is over it and
// back to "MS Sans Serif" when it leaves; a click emits clicked().
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setFamily(const QString& family);
};

} // namespace ravlin
