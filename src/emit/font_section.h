// The font loading section of CommonFile.pb.
#pragma once

namespace quarvel {

struct DesignModel;
struct OutputLines;

void EmitFontSection(const DesignModel &model, OutputLines &output);

} // namespace quarvel
