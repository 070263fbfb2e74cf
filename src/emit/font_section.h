// The font loading section of CommonFile.pb.
#pragma once

namespace quarvel {

struct GenerationContext;

void EmitFontSection(GenerationContext &g);

} // namespace quarvel
