// Include statements of a common file, rebased on the project folder, where CommonFile.pb lies.
#pragma once

#include <QSet>
#include <QString>

namespace quarvel {

// Include statements name their files from the common file's folder, or from its IncludePath;
// CommonFile.pb lies in the project folder, so the names are rebased on that. An IncludePath
// would move the includes of Main.pb that follow CommonFile.pb's too, so it is resolved here
// and left as a comment. So is an include of a common file of the project: its code is in
// CommonFile.pb already.
class IncludeNames {
public:
    // commonFiles: the paths of the project's common files, made absolute and clean.
    IncludeNames(const QString &projectDirectory, const QString &file, const QSet<QString> &commonFiles);

    // The line with the names of its include statements rebased, or commented out.
    QString Rebase(const QString &line);

private:
    QString projectDirectory_;
    QString fileFolder_; // the common file's folder from the project folder: "" or "forms/"
    QString folder_;     // where its includes are looked for: that folder, or its IncludePath
    const QSet<QString> &commonFiles_;
};

} // namespace quarvel
