// The report at the end of a run: how it ended, which of the project's files were written and
// which left unchanged, then what in the project no longer fits its design, each finding with
// its file and line. The front-ends get it as one RunResult.
#pragma once

#include "model/run_result.h"

namespace quarvel {

struct GenerationContext;

// Reads what the run left behind; changes nothing. A cancelled run has no files and no findings;
// its objects are known when it stopped after step 1 had interpreted the sources (modelKnown).
RunResult BuildRunResult(const GenerationContext &run, RunOutcome outcome, bool modelKnown = true);

} // namespace quarvel
