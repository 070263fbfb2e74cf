// The image loading section of CommonFile.pb: LoadImage lines, or with Image Include the
// decoders, CatchImage lines and the DataSection the images are compiled into.
#pragma once

#include <QString>

namespace quarvel {

struct DesignModel;
struct OutputLines;
struct Switches;

void EmitImageSection(const DesignModel &model, const Switches &switches, OutputLines &output);

// The DataSection label under which an included image is compiled in, from its identifier as
// written ("#Image_0" -> "Image_0").
QString ImageDataLabel(const QString &written);

} // namespace quarvel
