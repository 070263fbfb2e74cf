// Loading the procedures of the common files and converting form-designer code.
#pragma once

#include <QList>
#include <QString>

namespace quarvel {

struct DesignModel;
struct SourceFolder;
class LogSink;

// A common file that could not be read (missing, no permission, no regular file, too large).
struct UnreadCommonFile {
    QString path; // the full path
    QString reason;
};

// Loads the common files in list order. Each one that cannot be read is logged with its
// " -> Error OpenFile " line and returned: without it the project would look as if its
// windows were renamed or gone, so the driver stops the run.
QList<UnreadCommonFile> LoadCommonFiles(DesignModel &model, const SourceFolder &folder, LogSink &log);

} // namespace quarvel
