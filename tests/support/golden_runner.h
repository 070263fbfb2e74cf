// Produced files against expected files kept under tests/data. With QUARVEL_UPDATE_GOLDEN=1
// set, the comparisons write what was produced over the expected files instead (review the
// change in git before committing it).
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace quarvel {

// Files by path relative to their root folder.
using FileTree = QMap<QString, QByteArray>;

enum class TreeDepth { TopFolder, AllFolders };

// Every file below root, hidden ones too, folders left out.
FileTree ReadTree(const QString &root, TreeDepth depth = TreeDepth::AllFolders);

// The lines each ended by LF, as the generator writes them.
QByteArray TextOf(const QStringList &lines);

// Empty when actual holds exactly the files of expectedFolder (a folder of tests/data) with
// the same bytes; otherwise the files missing or unexpected, or the first line that differs.
QString CompareWithExpectedTree(const FileTree &actual, const QString &expectedFolder);

// The same for one file of tests/data.
QString CompareWithExpectedFile(const QByteArray &actual, const QString &expectedFile);

} // namespace quarvel

// Fails the test with the first difference from the expected files of tests/data.
#define QUARVEL_COMPARE_TREE(actual, expectedFolder)                                                                   \
    do {                                                                                                               \
        const QString difference_ = quarvel::CompareWithExpectedTree(actual, expectedFolder);                          \
        QVERIFY2(difference_.isEmpty(), qPrintable(difference_));                                                      \
    } while (false)

#define QUARVEL_COMPARE_FILE(actual, expectedFile)                                                                     \
    do {                                                                                                               \
        const QString difference_ = quarvel::CompareWithExpectedFile(actual, expectedFile);                            \
        QVERIFY2(difference_.isEmpty(), qPrintable(difference_));                                                      \
    } while (false)
