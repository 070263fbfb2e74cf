// Copies the project's sources, and every file the run may change, into its Backup folder
// before anything is changed.
#pragma once

#include <QString>

namespace quarvel {

struct GenerationContext;

void MakeBackup(GenerationContext &run);

// Where the backup keeps its copy of the file at path (a full path): a file of the project
// folder under its own name, one in a subfolder of it under the same subfolder, and one
// outside the project under "Outside" and its full path.
QString BackupCopyPath(const QString &projectDirectory, const QString &path);

} // namespace quarvel
