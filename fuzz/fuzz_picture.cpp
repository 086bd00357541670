// Remote pictures (".jpg"): any bytes are refused or decoded within the pixel limit, never fatal.
#include "base/ui/remote_picture.h"
#include "fuzz_check.h"

#include <QCoreApplication>

using namespace ravlin;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Image format plugins are found through the application object.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 256 * 1024) return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QImage image = RemotePicture::decode(bytes);
    if (!image.isNull()) {
        FUZZ_CHECK(qint64(image.width()) * image.height() <= RemotePicture::kMaxPixels);
        FUZZ_CHECK(bytes.startsWith("\xFF\xD8\xFF"));
    }
    return 0;
}
