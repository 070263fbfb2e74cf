// The lock that keeps one run per project, taken at the start of a run.
#pragma once

namespace quarvel {

struct GenerationContext;

// One run per project: a second one waits a few seconds for the first, then stops; a folder
// that cannot be locked stops the run too. Temporary files found once the lock is held were
// left by a run that was killed: the set it was putting in place is put right first. False,
// after the log line that stops the run, when the run may not go on.
bool LockProject(GenerationContext &run);

} // namespace quarvel
