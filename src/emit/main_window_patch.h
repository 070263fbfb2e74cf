// Main.pb's first-window lines, kept in step with the design.
#pragma once

namespace quarvel {

struct GenerationContext;

void PatchMainOpenWindow(GenerationContext &g);

} // namespace quarvel
