// Step 3: the bindings carried into Main.pb and the event files.
#pragma once

namespace quarvel {

struct GenerationContext;

void UpdatePrefixes(GenerationContext &g);
void UpdateProcedureNames(GenerationContext &g);
void UpdateConstantNames(GenerationContext &g);
void UpdateOpenWindowCalls(GenerationContext &g);

} // namespace quarvel
