#include "ui/png_image.h"

#include <png.h>

namespace quarvel {

QImage DecodePng(const QByteArray &bytes)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.constData(), size_t(bytes.size())))
        return QImage();
    image.format = PNG_FORMAT_RGBA;
    QImage decoded(int(image.width), int(image.height), QImage::Format_RGBA8888);
    // One byte per component, so the row stride in components is the row length in bytes.
    if (decoded.isNull()
        || !png_image_finish_read(&image, nullptr, decoded.bits(), png_int_32(decoded.bytesPerLine()), nullptr)) {
        png_image_free(&image);
        return QImage();
    }
    return decoded;
}

} // namespace quarvel
