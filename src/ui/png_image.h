// PNG decoding for the program's icons: libpng reads them, so the picture does not depend on
// which image plugins the Qt installation carries.
#pragma once

#include <QByteArray>
#include <QImage>

namespace quarvel {

// Decodes PNG bytes into an RGBA image; a null image when they are no PNG.
QImage DecodePng(const QByteArray &bytes);

} // namespace quarvel
