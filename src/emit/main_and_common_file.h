// Main.pb's first-window lines and the assembly of CommonFile.pb.
#pragma once

namespace quarvel {

struct GenerationContext;

void PatchMainOpenWindow(GenerationContext &g);
void EmitCommonFile(GenerationContext &g);

} // namespace quarvel
