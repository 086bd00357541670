#include "shell/ui/link_label.h"

#include <QMouseEvent>

namespace ravlin {

namespace {
const QString kRestFamily = QStringLiteral("MS Sans Serif");
const QString kHoverFamily = QStringLiteral("Arial");
} // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setFamily(kRestFamily);
}

void LinkLabel::setFamily(const QString& family) {
    QFont f = font();
    f.setFamily(family);
    f.setUnderline(true);
    setFont(f);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    setFamily(kHoverFamily);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    setFamily(kRestFamily);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace ravlin
