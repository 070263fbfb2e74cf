// The font and image loading sections of CommonFile.pb.
#pragma once

namespace quarvel {

struct GenerationContext;

void EmitFontSection(GenerationContext &g);
void EmitImageSection(GenerationContext &g);

} // namespace quarvel
