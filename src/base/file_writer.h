// Every file Quarvel writes goes through here. A new text goes into a temporary file beside
// its target first, every byte and the flush checked, and only then takes the target's place,
// so that no failure leaves a torn file. What the user set up around a file stays as it was:
// a symlink's target is written and the link kept, a file with several hard links is written
// in place so that its links stay, owner, group and mode are kept, and a file the user may
// not write is not replaced.
#pragma once

#include "base/file_result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace quarvel {

class FileWriter {
public:
    // What a file held when the caller read it: missing, or these bytes.
    struct Content {
        bool exists = false;
        QByteArray bytes;

        bool operator==(const Content &) const = default;
    };

    struct PendingFile {
        QString path;
        QByteArray bytes;
        // When given, the file must still hold this as it is about to take its new text: a
        // file saved by someone else meanwhile is not overwritten.
        std::optional<Content> expected = std::nullopt;
    };

    struct Outcome {
        enum State { Written, Failed, HeldBack, Changed };
        State state = HeldBack;
        QString reason; // why a failed file could not be written, as "Permission denied"
    };

    // Writes all of files or none. Every new text goes to its temporary file first; only when
    // all are complete, and every file still holds what it was expected to, do they take their
    // places, in order. When one cannot be written, or changed (Changed), the others are held
    // back and every file stays as it was; should one fail as it takes its place, the files
    // placed before it get their old bytes back. With a journal path, the files about to take
    // their places are listed there first, so that a process killed among them leaves a set
    // that RecoverInterruptedWrite can finish or undo. One outcome per file.
    QList<Outcome> WriteTogether(const QList<PendingFile> &files) const;

    // One file, as WriteTogether writes it: Done, or Failed with the reason.
    FileResult Write(const QString &path, const QByteArray &bytes) const;

    // Why the file at path could not be written, found without writing (a folder or a device
    // in its place, no write permission); empty when nothing stands in the way.
    QString Obstacle(const QString &path) const;

    // A copy of source (the backup): whatever stands at its path, a link included, is
    // replaced and never followed; it gets the mode of source and, where the process may,
    // its owner and group.
    struct Copy {
        QString path;
        QByteArray bytes;
        QString source;
    };

    // Writes each copy on its own, with one flush to disk for all of them, where Write would
    // flush each (a backup holds hundreds of files). One result per copy, in order.
    QList<bool> WriteCopies(const QList<Copy> &copies) const;

    // The file that writing path changes: path itself, or where its symlinks lead.
    static QString WrittenPath(const QString &path);

    // A real folder at path (never a link), made owner-only when missing and owned like the
    // folder it is made in, where the process may. False when something else stands there
    // or it cannot be made.
    static bool MakeRealFolder(const QString &path);

    // Temporary files are named TemporaryPrefix + 16 lowercase hexadecimal digits +
    // TemporarySuffix: hidden, never matched by the backup's "*.pb*", and unlike any name a
    // user gives a file.
    static constexpr QLatin1StringView TemporaryPrefix{".quarvel-"};
    static constexpr QLatin1StringView TemporarySuffix{".tmp"};
    static bool IsTemporaryName(QStringView name);

    // Removes the temporary files a killed run left in directory (and, with subfolders, in
    // its real subfolders): regular files of exactly the temporary name shape, never a link
    // or a folder reached through one. Call it only while no other run can be writing there
    // (under the project's DirectoryLock).
    static void RemoveStaleTemporaryFiles(const QString &directory, bool subfolders = false);

    // The journal of a WriteTogether of several files, empty for none; it lies in the project
    // folder while the files take their places.
    QString journalPath;

    // What RecoverInterruptedWrite did with the set a killed process left.
    struct Recovery {
        enum Kind {
            None,       // no journal: nothing was interrupted
            Finished,   // the files still waiting were put in place
            RolledBack, // a file could not be put in place: those placed got their old text back
            Unreadable, // a journal that cannot be read, removed
        };
        Kind kind = None;
        int files = 0;         // the files put in place, or given their old text back
        QStringList leftAlone; // files changed since the interruption: left as they are
    };

    // Finishes the writing that a process killed while its files took their places left (its
    // journal at journalPath): every file of the set then holds its new text, or, when one's
    // new text is lost, every file its old one. A file changed since is left alone. Call it
    // only while no other run can be writing there, before the stale temporary files are
    // removed: the set's new and old texts are among them.
    static Recovery RecoverInterruptedWrite(const QString &journalPath);
    static bool HasJournal(const QString &journalPath);

    // A file-size limit makes a write that passes it fail with EFBIG instead of killing the
    // process with SIGXFSZ, so that it is reported like a full disk. For a program's main().
    static void KeepRunningPastFileSizeLimit();

    // Fault injection for tests: called with a file's path just before it takes its place;
    // false fails that step, as a failed rename would.
    std::function<bool(const QString &path)> beforeCommit;
};

} // namespace quarvel
