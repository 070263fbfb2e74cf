// Loading the procedures of the common files, converting form-designer code, and the
// switch-driven rewrites of their OpenWindow and ImageGadget calls.
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
void SetParentWindow(DesignModel &model);
void SetAutoWindowPosition(DesignModel &model);
void ZeroImageGadgets(DesignModel &model);

} // namespace quarvel
