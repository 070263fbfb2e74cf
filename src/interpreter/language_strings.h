// Language strings: the literals of the windows' code become MyLanguage lookups, and the
// lookups of every source make up the language map.
#pragma once

#include "model/design_model.h"

namespace quarvel {

struct GenerationContext;

void WrapLanguageStrings(GenerationContext &g);
void ScanLanguageStrings(const SourceLineList &lines, LanguageMap &map);

// Adds the language strings of the sources and the include files to the map.
void CollectLanguageStrings(GenerationContext &g);

} // namespace quarvel
