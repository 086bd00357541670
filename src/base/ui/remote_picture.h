#pragma once

#include "base/core/name_picture.h"

#include <QImage>

namespace ravlin {

// A remote's picture read with Qt's image reader. The file must be a whole JPEG (start and end
// markers present) of at most kMaxPixels pixels; anything else is refused without decoding it.
class RemotePicture : public RemotePictureLoader {
public:
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;
    static constexpr qint64 kMaxPixels = 4'000'000;

    bool load(const QString& path) override;
    void clear() override { m_image = QImage(); }

    const QImage& image() const { return m_image; }

    // Decodes JPEG bytes; a null image when they are not a whole, readable JPEG within the limits.
    static QImage decode(const QByteArray& bytes);

private:
    QImage m_image;
};

} // namespace ravlin
