// The font and image loading sections of CommonFile.pb.
#pragma once

#include <QString>

namespace quarvel {

struct GenerationContext;

void EmitFontSection(GenerationContext &g);
void EmitImageSection(GenerationContext &g);

// The DataSection label under which an included image is compiled in ("#Image_0" -> "Image_0").
QString ImageDataLabel(const QString &name);

} // namespace quarvel
