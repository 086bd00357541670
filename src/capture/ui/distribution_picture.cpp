#include "capture/ui/distribution_picture.h"

#include "platform/ui/refresh.h"

#include <QPainter>

namespace ravlin {

QImage renderPicture(const Picture& picture) {
    QImage image(std::max(picture.width, 1), std::max(picture.height, 1), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    for (const PictureOp& op : picture.ops) {
        const QColor colour = ui::colourOf(op.colour);
        switch (op.kind) {
        case PictureOp::Kind::Fill:
            p.fillRect(image.rect(), colour);
            break;
        case PictureOp::Kind::Line:
            p.setPen(colour);
            p.drawLine(op.x1, op.y1, op.x2, op.y2);
            break;
        case PictureOp::Kind::Pixel:
            p.setPen(colour);
            p.drawPoint(op.x1, op.y1);
            break;
        }
    }
    return image;
}

PictureView::PictureView(std::function<const Picture&()> picture, QWidget* parent)
    : QWidget(parent), m_picture(std::move(picture)) {
    const Picture& p = m_picture();
    setFixedSize(p.width, p.height);
}

void PictureView::refresh() {
    if (m_picture().ops != m_shown) update();
}

void PictureView::paintEvent(QPaintEvent*) {
    const Picture& picture = m_picture();
    m_shown = picture.ops;
    QPainter p(this);
    p.drawImage(0, 0, renderPicture(picture));
}

} // namespace ravlin
