// Qualifies every object constant with the name of its window.
#pragma once

namespace quarvel {

struct GenerationContext;

// False, after logging why, when a window is opened with #PB_Any: the run stops.
bool InsertWindowPrefixes(GenerationContext &g);

} // namespace quarvel
