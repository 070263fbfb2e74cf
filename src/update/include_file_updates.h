// Step 3: the bindings carried into the user's files that Main.pb includes.
#pragma once

namespace quarvel {

struct GenerationContext;

// Each changed include is staged in the run's write plan; it is written with the run's other
// files at the end of step 4.
void UpdateIncludeFiles(GenerationContext &g);

// Once the run's files are written: " -> Error WriteFile " for each staged include that could
// not be written.
void LogIncludeWriteFailures(GenerationContext &g);

} // namespace quarvel
