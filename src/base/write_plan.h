// The one place a run hands its files to. A file whose bytes on disk already equal its new
// bytes is left alone, so its modification time stays and editors do not ask to reload it;
// a dry run writes nothing at all and only records what a real run would change.
#pragma once

#include "base/file_writer.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace quarvel {

class WritePlan {
public:
    explicit WritePlan(const FileWriter &writer) : writer_(writer) {}

    // A file the run changes or creates, with its bytes before and after.
    struct Change {
        QString path;
        QByteArray before;
        QByteArray after;
        bool created = false;
    };

    bool dryRun = false;

    // One file of the project (a generated file, an include, the project file): written when
    // its bytes differ, counted and recorded. False when the real write fails, or when a
    // folder stands where the file should be.
    bool Write(const QString &path, const QByteArray &bytes);

    // True when the file at path exists and holds exactly bytes.
    static bool Holds(const QString &path, const QByteArray &bytes);
    // Many files at once (the backup copies), each one the caller found to differ with Holds,
    // so that it need not keep the bytes of the others: written unless in a dry run; not
    // counted in the project's files. One result per file, in order.
    QList<bool> WriteAll(QList<FileWriter::PendingFile> files);

    const QList<Change> &Changes() const { return changes_; }
    int UnchangedCount() const { return unchanged_; }
    int FailedCount() const { return failed_; }

private:
    const FileWriter &writer_;
    QList<Change> changes_;
    int unchanged_ = 0;
    int failed_ = 0;
};

} // namespace quarvel
