// The steps a safe write is made of on Linux, shared by the writer (file_writer.cpp) and its
// journal (write_journal.cpp), the only files that include this: temporary files beside their
// targets, written in full and flushed; writes in place; the owner, group and mode a new file
// takes over; symlinks resolved; the journal of a set of files on its way into place.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#ifdef Q_OS_LINUX
#include <sys/stat.h>

namespace quarvel::write_steps {

// The folder part of a path with its "/", empty for a bare name.
QByteArray FolderOf(const QByteArray &path);

QByteArray FolderToOpen(const QByteArray &path);

// A new temporary name in the folder of target.
QByteArray TemporaryNameBeside(const QByteArray &target);

// Where path's symlinks lead. A chain too long or a loop leaves a link, which is refused later.
QByteArray ResolveLinks(QByteArray path);

// What a new file takes over: the mode, owner and group of the file it replaces or copies.
struct Attributes {
    bool keepMode = false;
    mode_t mode = 0;
    bool keepOwner = false;
    uid_t owner = 0;
    gid_t group = 0;
};

Attributes AttributesOf(const struct stat &info, mode_t modeBits);

// A new file in a folder that belongs to someone else (a run with sudo in a user's project)
// is given to the folder's owner; otherwise it is made as any new file is.
Attributes NewFileAttributes(const QByteArray &folder);

// The owner and group where the process may (the group alone where only that is allowed),
// then the mode, which a change of owner may have cut.
bool ApplyAttributes(int fd, const Attributes &attributes);

// 0, or the error of a failed or short write.
int WriteFully(int fd, const QByteArray &bytes);

struct Temporary {
    QByteArray name; // empty when it could not be written
    int error = 0;
};

// Writes bytes into a new file beside target: every byte and the close are checked (a full
// disk or a file-size limit shows there), and with syncNow the bytes are flushed to disk.
Temporary WriteBeside(const QByteArray &target, const QByteArray &bytes, const Attributes &attributes, bool syncNow);

// Writes bytes over the file's own content, so that every hard link of it sees them.
int WriteInPlace(const QByteArray &path, const QByteArray &bytes);

// Flushes every file system buffer of the file system that holds folder: 0, or the error.
int SyncFileSystemOf(const QByteArray &folder);

// One file of a WriteTogether on its way into place.
struct Target {
    QByteArray path; // the file written: where the given path's symlinks lead
    bool exists = false;
    bool inPlace = false; // several hard links: written in place, so that they stay
    Attributes attributes;
    QByteArray before; // the old bytes, to put back
    QByteArray temporary;
    QByteArray keep; // the old text kept beside it while the journal lists it, empty for none
};

// Puts the old bytes back where a file of the run has been placed already. False when that
// fails too: the file then keeps its new text.
bool PutBack(const Target &target);

void RemoveStaleIn(int folder, bool subfolders, int depth);

// The temporary files of a WriteTogether that are left: new texts not placed, written in
// place, or held back, and the old texts kept beside.
void RemoveTemporaries(const QList<Target> &targets);

// One flush for the file systems of the targets' folders (normally one) and of extra: 0, or
// the error.
int SyncFileSystemsOf(const QList<Target> &targets, const QByteArray &extra = QByteArray());

// Finds the target of path and what must stay of it; the reason when it cannot be written.
QString Prepare(const QString &path, Target &target);

// The journal: for each file its target, its new text and its old text kept beside, and the
// identities that tell which of them the target holds (no file's bytes are hashed: a rename
// gives the target the new text's inode; a file written in place is told by its bytes). It
// takes its place only when all it names is on disk: 0, or the error.
int WriteJournal(const QByteArray &journal, QList<Target> &targets);

} // namespace quarvel::write_steps

#endif
