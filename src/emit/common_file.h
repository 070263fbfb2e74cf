// CommonFile.pb: the constants, font and image sections and the windows' own code.
#pragma once

namespace quarvel {

struct GenerationContext;

void EmitCommonFile(GenerationContext &g);

} // namespace quarvel
