// The include files of Main.pb: the user's own sources that the language scan reads and
// the regeneration updates.
#pragma once

#include <QString>

namespace quarvel {

struct GenerationContext;

// Appends every live IncludeFile / XIncludeFile of fileName (in the project directory) to the
// include list, except the files the generator writes itself.
void ScanIncludes(GenerationContext &g, const QString &fileName);

} // namespace quarvel
