// Paths as the system finds them, each folder asked about once: nearly every file of a project
// lies in its folder, and resolving a path asks the system about every folder on it.
#pragma once

#include <QHash>
#include <QString>

namespace quarvel {

// A path as the system finds it: links, "." and ".." followed in order (a ".." after a link
// goes up from where the link leads, as many ".." at "/" stay there). A path that does not
// exist is resolved by its text alone. Qt's own absolute paths drop "x/.." by the text, which
// a link at x makes another path.
QString ResolvedFolder(const QString &folder);

class FolderResolutions {
public:
    // ResolvedFolder of the folder, asked of the system the first time only.
    const QString &Folder(const QString &folder);
    // The same, ending in "/"; a folder given with its "/" is the one given without it.
    QString FolderWithSlash(const QString &folder);

    // The path with its folder resolved and its own name kept: a link among a folder's files
    // stays itself.
    QString KeepingName(const QString &path);

    // The file a path names as the system opens it: links followed where it exists, else the
    // path cleaned by its text.
    QString Identity(const QString &absolutePath);

private:
    QHash<QString, QString> known_;
};

} // namespace quarvel
