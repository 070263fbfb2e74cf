// The end of step 4: the run's files written into the project directory, all of them or none.
#pragma once

namespace quarvel {

struct GenerationContext;

// Stages the files of model/generated_files.h in their order (LoadLanguage.pb and Catalog with
// Multi Language only), in the run's output format (a user's file with the
// line ends it had), and writes them together with whatever else the run staged (the
// includes of step 3, the project file): all of them, or none when one cannot be written or
// changed on disk since the run read it. Each file is logged as written or failed (nothing is
// logged when one changed: the run stops). True when no file failed or changed.
bool WriteOutputFiles(GenerationContext &run);

// The includes the renames changed wait in the write plan for the run's other files; every
// include read is noted, so that none is written over once it changed on disk.
void StageIncludeUpdates(GenerationContext &run);

// Once the run's files are written: " -> Error WriteFile " for each staged include that could
// not be written.
void LogIncludeWriteFailures(GenerationContext &run);

} // namespace quarvel
