// One generation: four steps from the project's sources to the written files, each step
// logged line by line through the front-end.
#pragma once

#include "model/run_result.h"

namespace quarvel {

struct GenerationContext;

// Runs the whole generation on the calling thread (the desktop program's worker thread, or
// the command line's main thread). The result goes to the front-end's RunFinished, once,
// whichever way the run ended, and is returned.
RunResult GenerationWorker(GenerationContext &g);

// Each step returns false when the run stops before writing anything; g.stopReason then says
// why.
bool GenerateStep1(GenerationContext &g); // check Main.pb, load, interpret
bool GenerateStep2(GenerationContext &g); // check constants
bool GenerateStep3(GenerationContext &g); // back up, update existing code
bool GenerateStep4(GenerationContext &g); // create new code and write

// Step 4's emitters, in order: Main.pb patched, CommonFile.pb, the dispatcher, the skeletons.
void CreateNewCode(GenerationContext &g);

} // namespace quarvel
