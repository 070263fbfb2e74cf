// Every file Quarvel writes goes through here: into a temporary file beside the target, every
// byte and the flush checked, then renamed over it, so a failure (a full disk included) never
// leaves a truncated file and the old one stays intact.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <QList>

namespace quarvel {

class FileWriter {
public:
    // Writes bytes to path. False when the file cannot be created, written or put in place.
    bool Write(const QString &path, const QByteArray &bytes) const;

    struct PendingFile {
        QString path;
        QByteArray bytes;
    };

    // Writes many files with one flush to disk for all of them, where Write would flush each
    // on its own (a flush costs milliseconds, a backup holds hundreds of files). Each file is
    // still put in place only after its bytes are on disk. One result per file, in order.
    QList<bool> WriteAll(const QList<PendingFile> &files) const;

    // Temporary files are named TemporaryPrefix + random + TemporarySuffix: hidden, and never
    // matched by the backup's "*.pb*".
    static constexpr QLatin1StringView TemporaryPrefix{".quarvel-"};
    static constexpr QLatin1StringView TemporarySuffix{".tmp"};

    // Removes the temporary files a killed run left in directory. Call it only while no other
    // run can be writing there (under the project's DirectoryLock).
    static void RemoveStaleTemporaryFiles(const QString &directory);

    // Fault injection for tests: called with the target path once the bytes are in the
    // temporary file; returning false abandons the write as a crash at that moment would.
    std::function<bool(const QString &path)> beforeCommit;
};

} // namespace quarvel
