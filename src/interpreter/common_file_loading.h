// Loading the procedures of the common files, converting form-designer code, and the
// switch-driven rewrites of their OpenWindow and ImageGadget calls.
#pragma once

namespace quarvel {

struct GenerationContext;

void LoadCommonFiles(GenerationContext &g);
void SetParentWindow(GenerationContext &g);
void SetAutoWindowPosition(GenerationContext &g);
void ZeroImageGadgets(GenerationContext &g);

} // namespace quarvel
