// The end of step 4: every generated file written into the project directory.
#pragma once

namespace quarvel {

struct GenerationContext;

// Main.pb, CommonFile.pb, EventMain.pb, the three event files and, with Multi Language,
// LoadLanguage.pb and Catalog, in the run's output format.
void WriteOutputFiles(GenerationContext &g);

} // namespace quarvel
