// Step 3: the bindings carried into the user's files that Main.pb includes.
#pragma once

namespace quarvel {

struct GenerationContext;

void UpdateIncludeFiles(GenerationContext &g);

} // namespace quarvel
