// Step 3: the bindings carried into Main.pb and the event files.
#pragma once

#include "model/generation_context.h"

namespace quarvel {

void UpdatePrefixes(GenerationContext &g);
void UpdateProcedureNames(GenerationContext &g);
void UpdateConstantNames(GenerationContext &g);
void UpdateOpenWindowCalls(GenerationContext &g);

// For every renamed object held in a variable, the binding of its variable's old name to the
// new one.
BindingList VariableBindings(const GenerationContext &g);

} // namespace quarvel
