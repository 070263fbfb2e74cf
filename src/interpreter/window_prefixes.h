// Qualifies every object constant with the name of its window.
#pragma once

namespace quarvel {

struct GenerationContext;

int InsertWindowPrefixes(GenerationContext &g);

} // namespace quarvel
