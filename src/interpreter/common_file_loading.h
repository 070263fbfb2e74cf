// Loading the procedures of the common files and converting form-designer code.
#pragma once

#include "base/file_result.h"

#include <QList>
#include <QString>

namespace quarvel {

struct DesignModel;
struct SourceFolder;
class LogSink;

// Loads the common files in list order. Each one that cannot be read (missing, no permission,
// no regular file, too large) is logged with its " -> Error OpenFile " line and returned, with
// its full path and the reason: without it the project would look as if its windows were
// renamed or gone, so the driver stops the run.
QList<FileResult> LoadCommonFiles(DesignModel &model, const SourceFolder &folder, LogSink &log);

} // namespace quarvel
