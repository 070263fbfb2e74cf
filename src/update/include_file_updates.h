// Step 3: the bindings carried into the user's files that Main.pb includes.
#pragma once

#include "model/renames.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace quarvel {

struct DesignModel;
struct SourceFolder;
class LogSink;

// An include as read, with its new bytes when the renames changed it. The run writes those
// with its other files at the end, and only while the file still holds what was read.
struct IncludeUpdate {
    QString path;     // as Main.pb names it
    QString filePath; // the file
    QByteArray read;
    std::optional<QByteArray> updated;
};

struct IncludeUpdates {
    QList<IncludeUpdate> files; // in the order Main.pb names them, each file once
    int unread = 0;             // includes that could not be read, each logged
};

// The includes of the model's IncludeFileList with the renames carried into them. Each changed
// one is logged with its count of changes.
IncludeUpdates UpdateIncludeFiles(const Renames &renames, const DesignModel &model, const SourceFolder &folder,
                                  LogSink &log);

} // namespace quarvel
