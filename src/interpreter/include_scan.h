// The include files of Main.pb: the user's own sources that the language scan reads and
// the regeneration updates.
#pragma once

#include <QString>

namespace quarvel {

struct DesignModel;
struct SourceFolder;

// Appends every live IncludeFile / XIncludeFile of fileName (in the project directory) to the
// include list, except the files the generator writes itself.
void ScanIncludes(DesignModel &model, const SourceFolder &folder, const QString &fileName);

} // namespace quarvel
