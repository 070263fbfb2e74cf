// The constant enumerations of every object of the design.
#pragma once

namespace quarvel {

struct GenerationContext;

void EmitConstantsSection(GenerationContext &g);

} // namespace quarvel
