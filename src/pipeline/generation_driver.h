// One generation: four steps from the project's sources to the written files, each step
// logged line by line through the front-end.
#pragma once

#include "model/run_result.h"

namespace quarvel {

struct DesignModel;
struct GenerationContext;
struct OutputLines;
struct Switches;
class LogSink;

// Runs the whole generation on the calling thread (the desktop program's worker thread, or
// the command line's main thread). The result goes to the front-end's RunFinished, once,
// whichever way the run ended, and is returned.
RunResult GenerationWorker(GenerationContext &run);

// The four steps, each logged as "Generate Code Step N ...". Each returns false when the run
// stops before writing anything; run.log.stopReason then says why.
bool LoadAndInterpret(GenerationContext &run); // step 1: check Main.pb, load, interpret
bool CheckNames(GenerationContext &run);       // step 2: the user binds renamed objects
bool CarryRenames(GenerationContext &run);     // step 3: back up, carry the renames into the code
bool WriteFiles(GenerationContext &run);       // step 4: create the new code and write it

// Step 4's emitters, in order: the language data and the common file's sections, Main.pb
// patched, CommonFile.pb, the dispatcher, the skeletons.
void CreateNewCode(DesignModel &model, const Switches &switches, OutputLines &output, LogSink &log);

} // namespace quarvel
