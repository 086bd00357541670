#pragma once

#include "capture/core/distribution_drawing.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace ravlin {

// Paints the steps of a core picture into an image of its size.
QImage renderPicture(const Picture& picture);

// A fixed-size widget that shows a core picture (Image2, Image3).
class PictureView : public QWidget {
    Q_OBJECT

public:
    PictureView(std::function<const Picture&()> picture, QWidget* parent = nullptr);
    // Repaints when the picture changed since the last paint.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<const Picture&()> m_picture;
    std::vector<PictureOp> m_shown;
};

} // namespace ravlin
