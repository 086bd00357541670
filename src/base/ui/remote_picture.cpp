#include "base/ui/remote_picture.h"

#include "platform/core/regular_file.h"

#include <QBuffer>
#include <QImageReader>

namespace ravlin {

namespace {

// A JPEG starts with FF D8 FF and ends with FF D9; a cut-off file loses its end marker (the
// decoder would quietly fill the rest grey). A little padding after the marker is tolerated.
bool wholeJpeg(const QByteArray& bytes) {
    if (bytes.size() < 4 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
        static_cast<unsigned char>(bytes[1]) != 0xD8 || static_cast<unsigned char>(bytes[2]) != 0xFF)
        return false;
    constexpr qsizetype kPadding = 64;
    const qsizetype from = std::max<qsizetype>(2, bytes.size() - kPadding - 2);
    return bytes.indexOf(QByteArrayLiteral("\xFF\xD9"), from) >= 0;
}

} // namespace

QImage RemotePicture::decode(const QByteArray& bytes) {
    if (!wholeJpeg(bytes)) return QImage();
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || static_cast<qint64>(size.width()) * size.height() > kMaxPixels)
        return QImage();
    QImage image;
    if (!reader.read(&image)) return QImage();
    return image;
}

bool RemotePicture::load(const QString& path) {
    m_image = QImage();
    const std::optional<QByteArray> bytes = readRegularFile(path, kMaxFileBytes);
    if (!bytes) return false;
    m_image = decode(*bytes);
    return !m_image.isNull();
}

} // namespace ravlin
