// The one place a run hands its files to. The files of a run are staged first and written
// together at the end, all of them or none, so that a failure never leaves a project half
// old and half new. A file whose bytes on disk already equal its new bytes is left alone, so
// its modification time stays and editors do not ask to reload it; a dry run writes nothing
// at all and only records what a real run would change.
#pragma once

#include "base/file_reader.h"
#include "base/file_writer.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace quarvel {

class WritePlan {
public:
    explicit WritePlan(const FileWriter &writer) : writer_(writer) {}

    // A file the run changed or created (in a dry run: would), with its bytes before and after.
    struct Change {
        QString path;
        QByteArray before;
        QByteArray after;
        bool created = false;
    };

    enum class Outcome {
        Staged,    // waiting for WriteStaged
        Unchanged, // the bytes on disk are already the new bytes: not written
        Written,   // in a dry run: would be written
        Failed,    // could not be written; see Failures
        HeldBack,  // not written, since another file of the run could not be
        Changed,   // not written: it changed on disk while the run was working
    };

    struct Failure {
        QString path;
        QString reason;
    };

    bool dryRun = false;

    enum class Order {
        InTurn, // in the order staged
        Last,   // after every file staged in turn
    };

    // What the run read of a file it may write (missing, or its bytes). A staged file is
    // written only while it still holds that, and is not written when its new text is that.
    // Only the first reading of a file counts. A file staged without one must still hold what
    // it held when it was staged.
    void NoteRead(const QString &path, const FileWriter::Content &content);
    // The same for a file that existed and whose bytes make makes again from what the run
    // keeps of it: they are made only when the plan needs them, so nobody holds them meanwhile.
    void NoteRead(const QString &path, const std::function<QByteArray()> &make);
    // The bytes the run read of a file noted as read (made now, when noted with make).
    QByteArray ReadBytes(const QString &path);

    // One file of the project (a generated file, an include, the project file), staged for
    // WriteStaged; nothing on disk changes before. Staging a file again, under any path that
    // leads to it, replaces its earlier text. Returns the handle OutcomeOf asks with.
    int Stage(const QString &path, const QByteArray &bytes, Order order = Order::InTurn);
    // The same for bytes that need not be made when the file already holds them: holds tells
    // from the file's bytes whether it does, and make makes them only when it does not. A file
    // the run neither read nor staged before is compared as it is read, a piece at a time,
    // and is not held whole when it already holds its text.
    int Stage(const QString &path, const std::function<bool(ByteSource &)> &holds,
              const std::function<QByteArray()> &make, Order order = Order::InTurn);

    // A file noted as read whose new text is the very text it read: not written, and bytes
    // noted with make are not made for it. Returns the handle OutcomeOf asks with.
    int StageKept(const QString &path);

    // Writes every staged file, all or none (FileWriter::WriteTogether). A dry run writes
    // nothing and gives each file the outcome the run would meet. False when a file failed
    // or changed. It ends the staging: afterwards the plan holds the bytes of the files it
    // changed alone (Changes).
    bool WriteStaged();

    Outcome OutcomeOf(int handle) const { return entries_.at(handle).outcome; }
    // True when the file holds its new text: written, or unchanged.
    bool IsCurrent(int handle) const
    {
        return OutcomeOf(handle) == Outcome::Written || OutcomeOf(handle) == Outcome::Unchanged;
    }
    // The file's outcome as one file's result: Done when it holds its new text, else Failed
    // (with the reason, when it was the one that failed).
    FileResult ResultOf(int handle) const
    {
        const Entry &entry = entries_.at(handle);
        return {IsCurrent(handle) ? FileResult::Done : FileResult::Failed, entry.path, entry.reason, {}};
    }

    // The backup copies, each one the caller found to differ from its source, so that it need not
    // keep the bytes of the others: written at once and each on its own, unless in a dry run;
    // not counted among the project's files. One result per copy, in order.
    QList<bool> WriteCopies(QList<FileWriter::Copy> copies);

    const QList<Change> &Changes() const { return changes_; }
    QList<Failure> Failures() const;
    // The files that met outcome, in the order staged.
    QStringList PathsWith(Outcome outcome) const;
    int UnchangedCount() const { return Count(Outcome::Unchanged); }
    int FailedCount() const { return Count(Outcome::Failed); }
    int ChangedCount() const { return Count(Outcome::Changed); }
    int HeldBackCount() const { return Count(Outcome::HeldBack); }

private:
    struct Entry {
        QString path;
        QByteArray before;
        QByteArray after;
        bool created = false;
        bool readHere = false; // its bytes before were read by the plan, not noted by the caller
        bool released = false; // unchanged, and those bytes let go: read again if staged again
        Order order = Order::InTurn;
        Outcome outcome = Outcome::Staged;
        QString reason;
    };

    static QString KeyOf(const QString &path); // the file written, through its links
    int EntryOf(const QString &path);          // the file's entry, made on its first staging
    int StageIfHeldOnDisk(const QString &path, const std::function<bool(ByteSource &)> &holds, Order order);
    bool MakeReadBytes(const QString &file); // by the file written; true when made now
    void ReleaseUnwritten();

    int Count(Outcome outcome) const;
    QList<FileWriter::Outcome> Foresee(const QList<FileWriter::PendingFile> &files) const;

    const FileWriter &writer_;
    QList<Entry> entries_;
    QHash<QString, int> entryOfFile_;                    // by the file written: a symlink's target
    QHash<QString, FileWriter::Content> read_;           // by the file written: what the run read of it
    QHash<QString, std::function<QByteArray()>> unmade_; // by the file written: read, bytes not made yet
    QList<Change> changes_;
};

} // namespace quarvel
