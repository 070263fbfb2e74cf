#include "base/file_writer.h"

#include "base/file_error_line.h"
#include "base/file_reader.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <memory>
#include <vector>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quarvel {

bool FileWriter::IsTemporaryName(QStringView name)
{
    constexpr qsizetype Digits = 16;
    if (name.size() != TemporaryPrefix.size() + Digits + TemporarySuffix.size() || !name.startsWith(TemporaryPrefix)
        || !name.endsWith(TemporarySuffix))
        return false;
    const QStringView digits = name.sliced(TemporaryPrefix.size(), Digits);
    return std::all_of(digits.begin(), digits.end(),
                       [](QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'); });
}

bool FileWriter::Write(const QString &path, const QByteArray &bytes) const
{
    // Built in place: copying a PendingFile out of an initializer list makes GCC 12 under
    // -fsanitize=thread warn that the empty optional may be used uninitialized.
    QList<PendingFile> files;
    files.emplaceBack(PendingFile{path, bytes});
    return WriteTogether(files).first().state == Outcome::Written;
}

#ifdef Q_OS_LINUX

namespace {

// The folder part of a path with its "/", empty for a bare name.
QByteArray FolderOf(const QByteArray &path)
{
    return path.left(path.lastIndexOf('/') + 1);
}

QByteArray FolderToOpen(const QByteArray &path)
{
    const QByteArray folder = FolderOf(path);
    return folder.isEmpty() ? QByteArray(".") : folder;
}

// A new temporary name in the folder of target.
QByteArray TemporaryNameBeside(const QByteArray &target)
{
    return FolderOf(target) + QFile::encodeName(FileWriter::TemporaryPrefix)
           + QByteArray::number(QRandomGenerator::global()->generate64(), 16).rightJustified(16, '0')
           + QFile::encodeName(FileWriter::TemporarySuffix);
}

// Where path's symlinks lead. A chain too long or a loop leaves a link, which is refused later.
QByteArray ResolveLinks(QByteArray path)
{
    for (int hops = 0; hops < 40; ++hops) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), target, sizeof target);
        if (n < 0 || size_t(n) == sizeof target)
            return path;
        const QByteArray next(target, n);
        path = next.startsWith('/') ? next : FolderOf(path) + next;
    }
    return path;
}

// What a new file takes over: the mode, owner and group of the file it replaces or copies.
struct Attributes {
    bool keepMode = false;
    mode_t mode = 0;
    bool keepOwner = false;
    uid_t owner = 0;
    gid_t group = 0;
};

Attributes AttributesOf(const struct stat &info, mode_t modeBits)
{
    return {true, info.st_mode & modeBits, true, info.st_uid, info.st_gid};
}

// A new file in a folder that belongs to someone else (a run with sudo in a user's project)
// is given to the folder's owner; otherwise it is made as any new file is.
Attributes NewFileAttributes(const QByteArray &folder)
{
    struct stat info;
    if (::stat(folder.constData(), &info) != 0 || info.st_uid == ::geteuid())
        return {};
    return {false, 0, true, info.st_uid, info.st_gid};
}

// The owner and group where the process may (the group alone where only that is allowed),
// then the mode, which a change of owner may have cut.
bool ApplyAttributes(int fd, const Attributes &attributes)
{
    if (attributes.keepOwner && ::fchown(fd, attributes.owner, attributes.group) != 0
        && ::fchown(fd, uid_t(-1), attributes.group) != 0) {
        // Not allowed: the file belongs to the user running the program.
    }
    return !attributes.keepMode || ::fchmod(fd, attributes.mode) == 0;
}

// 0, or the error of a failed or short write.
int WriteFully(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        data += n;
        left -= n;
    }
    return 0;
}

struct Temporary {
    QByteArray name; // empty when it could not be written
    int error = 0;
};

// Writes bytes into a new file beside target: every byte and the close are checked (a full
// disk or a file-size limit shows there), and with syncNow the bytes are flushed to disk.
Temporary WriteBeside(const QByteArray &target, const QByteArray &bytes, const Attributes &attributes, bool syncNow)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QByteArray name = TemporaryNameBeside(target);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return {{}, errno};
        int error = ApplyAttributes(fd, attributes) ? 0 : errno;
        if (!error)
            error = WriteFully(fd, bytes);
        if (!error && syncNow && ::fsync(fd) != 0)
            error = errno;
        if (::close(fd) != 0 && !error)
            error = errno;
        if (!error)
            return {name, 0};
        ::unlink(name.constData());
        return {{}, error};
    }
    return {{}, EEXIST};
}

// Writes bytes over the file's own content, so that every hard link of it sees them.
int WriteInPlace(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = WriteFully(fd, bytes);
    if (!error && ::ftruncate(fd, bytes.size()) != 0)
        error = errno;
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    return error;
}

// Flushes every file system buffer of the file system that holds folder: 0, or the error.
int SyncFileSystemOf(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = ::syncfs(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

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
bool PutBack(const Target &target)
{
    if (!target.exists)
        return ::unlink(target.path.constData()) == 0;
    if (target.inPlace)
        return WriteInPlace(target.path, target.before) == 0;
    const Temporary old = WriteBeside(target.path, target.before, target.attributes, true);
    if (old.error)
        return false;
    if (::rename(old.name.constData(), target.path.constData()) == 0)
        return true;
    ::unlink(old.name.constData());
    return false;
}

void RemoveStaleIn(int folder, bool subfolders, int depth)
{
    DIR *listing = ::fdopendir(folder);
    if (!listing) {
        ::close(folder);
        return;
    }
    while (const dirent *entry = ::readdir(listing)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        struct stat info;
        if (::fstatat(folder, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(info.st_mode) && FileWriter::IsTemporaryName(QFile::decodeName(entry->d_name))) {
            ::unlinkat(folder, entry->d_name, 0);
        } else if (subfolders && S_ISDIR(info.st_mode) && depth < 64) {
            const int inner = ::openat(folder, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (inner >= 0)
                RemoveStaleIn(inner, true, depth + 1);
        }
    }
    ::closedir(listing);
}

// The temporary files of a WriteTogether that are left: new texts not placed, written in
// place, or held back, and the old texts kept beside.
void RemoveTemporaries(const QList<Target> &targets)
{
    for (const Target &target : targets) {
        if (!target.temporary.isEmpty())
            ::unlink(target.temporary.constData());
        if (!target.keep.isEmpty())
            ::unlink(target.keep.constData());
    }
}

// One flush for the file systems of the targets' folders (normally one) and of extra: 0, or
// the error.
int SyncFileSystemsOf(const QList<Target> &targets, const QByteArray &extra = QByteArray())
{
    QSet<QByteArray> folders;
    for (const Target &target : targets)
        folders.insert(FolderToOpen(target.path));
    if (!extra.isEmpty())
        folders.insert(FolderToOpen(extra));
    for (const QByteArray &folder : std::as_const(folders))
        if (const int error = SyncFileSystemOf(folder))
            return error;
    return 0;
}

const QByteArray JournalHeader("quarvel journal 1");

// Which file a path holds: its inode, size and time of change, as stat gives them. A file
// replaced by a rename, or written since, is another file.
struct Identity {
    bool exists = false;
    qulonglong inode = 0;
    qlonglong size = 0;
    qlonglong modified = 0; // nanoseconds

    bool operator==(const Identity &) const = default;
};

Identity IdentityOf(const QByteArray &path)
{
    struct stat info;
    if (path.isEmpty() || ::lstat(path.constData(), &info) != 0)
        return {};
    return {true, qulonglong(info.st_ino), qlonglong(info.st_size),
            qlonglong(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

QByteArray JournalField(const QByteArray &value)
{
    return value.isEmpty() ? QByteArray("-") : value.toPercentEncoding("/");
}

QByteArray JournalField(const Identity &identity)
{
    if (!identity.exists)
        return "- - -";
    return QByteArray::number(identity.inode) + ' ' + QByteArray::number(identity.size) + ' '
           + QByteArray::number(identity.modified);
}

// The old text of a file about to be replaced, kept beside it until the set is in place: a
// second link to it, where the replacement leaves its bytes alone, or else a copy.
QByteArray KeepOldText(const Target &target)
{
    if (!target.inPlace) {
        for (int attempt = 0; attempt < 16; ++attempt) {
            const QByteArray name = TemporaryNameBeside(target.path);
            if (::link(target.path.constData(), name.constData()) == 0)
                return name;
            if (errno != EEXIST)
                break;
        }
    }
    return WriteBeside(target.path, target.before, target.attributes, false).name;
}

// The journal: for each file its target, its new text and its old text kept beside, and the
// identities that tell which of them the target holds (no file's bytes are hashed: a rename
// gives the target the new text's inode; a file written in place is told by its bytes). It
// takes its place only when all it names is on disk: 0, or the error.
int WriteJournal(const QByteArray &journal, QList<Target> &targets)
{
    QByteArray text = JournalHeader + '\n';
    for (Target &target : targets) {
        if (target.exists) {
            target.keep = KeepOldText(target);
            if (target.keep.isEmpty())
                return EIO;
        }
        text += JournalField(target.path) + ' ' + JournalField(target.temporary) + ' ' + JournalField(target.keep) + ' '
                + (target.inPlace ? '1' : '0') + ' ' + JournalField(IdentityOf(target.temporary)) + ' '
                + JournalField(IdentityOf(target.keep)) + ' '
                + JournalField(target.exists ? IdentityOf(target.path) : Identity()) + '\n';
    }
    const Temporary written = WriteBeside(journal, text, {}, false);
    if (written.error)
        return written.error;
    int error = SyncFileSystemsOf(targets, journal);
    if (!error && ::rename(written.name.constData(), journal.constData()) != 0)
        error = errno;
    if (error) {
        ::unlink(written.name.constData());
        return error;
    }
    const int folder = ::open(FolderToOpen(journal).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        error = ::fsync(folder) == 0 ? 0 : errno;
        ::close(folder);
    }
    if (error)
        ::unlink(journal.constData());
    return error;
}

// Finds the target of path and what must stay of it; the reason when it cannot be written.
QString Prepare(const QString &path, Target &target)
{
    target.path = ResolveLinks(QFile::encodeName(path));
    struct stat info;
    if (::lstat(target.path.constData(), &info) != 0) {
        if (errno != ENOENT)
            return SystemReason(errno); // a path through a regular file, a link loop, ...
        target.attributes = NewFileAttributes(FolderToOpen(target.path));
        return {};
    }
    if (S_ISLNK(info.st_mode))
        return SystemReason(ELOOP);
    if (S_ISDIR(info.st_mode))
        return SystemReason(EISDIR);
    if (!S_ISREG(info.st_mode))
        return QStringLiteral("not a regular file");
    // A file the user may not write is not replaced, though its folder would allow it; nor is
    // one that nobody may write (mode 0444), which editors refuse even to root, whom the access
    // check lets through.
    if (::faccessat(AT_FDCWD, target.path.constData(), W_OK, AT_EACCESS) != 0)
        return SystemReason(errno);
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return SystemReason(EACCES);
    target.exists = true;
    target.inPlace = info.st_nlink > 1;
    target.attributes = AttributesOf(info, 07777);
    return {};
}

} // namespace

QString FileWriter::Obstacle(const QString &path) const
{
    Target target;
    return Prepare(path, target);
}

QList<FileWriter::Outcome> FileWriter::WriteTogether(const QList<PendingFile> &files) const
{
    QList<Outcome> outcomes(files.size());
    QList<Target> targets(files.size());
    // A single file is flushed by itself; many share one flush of their file system.
    const bool syncEach = files.size() == 1;
    bool complete = true;
    for (qsizetype i = 0; i < files.size(); ++i) {
        Target &target = targets[i];
        QString reason = Prepare(files[i].path, target);
        if (reason.isEmpty()) {
            const Temporary written = WriteBeside(target.path, files[i].bytes, target.attributes, syncEach);
            target.temporary = written.name;
            if (written.error)
                reason = SystemReason(written.error);
        }
        if (!reason.isEmpty()) {
            outcomes[i] = {Outcome::Failed, reason};
            complete = false;
        }
    }
    if (complete && !syncEach) {
        if (const int error = SyncFileSystemsOf(targets)) {
            for (Outcome &outcome : outcomes)
                outcome = {Outcome::Failed, SystemReason(error)};
            complete = false;
        }
    }
    // As late as can be, so that a save made while the new texts were written is seen: each
    // file must still hold what it was expected to. Its old bytes are kept where they may have
    // to be put back.
    for (qsizetype i = 0; complete && i < files.size(); ++i) {
        Target &target = targets[i];
        if (!files[i].expected && !(target.exists && (target.inPlace || !syncEach)))
            continue;
        FileBytes now = ReadRegularFile(QFile::decodeName(target.path));
        if (now.status == FileBytes::Unreadable) {
            outcomes[i] = {Outcome::Failed, now.reason};
            complete = false;
        } else if (files[i].expected && *files[i].expected != Content{now.status == FileBytes::Read, now.bytes}) {
            outcomes[i] = {Outcome::Changed, {}};
            complete = false;
        }
        target.before = std::move(now.bytes);
    }
    const bool journaled = complete && files.size() > 1 && !journalPath.isEmpty();
    if (journaled) {
        if (const int error = WriteJournal(QFile::encodeName(journalPath), targets)) {
            for (Outcome &outcome : outcomes)
                outcome = {Outcome::Failed, SystemReason(error)};
            complete = false;
        }
    }
    if (!complete) {
        RemoveTemporaries(targets);
        return outcomes;
    }
    // Every new text is complete and on disk: now each takes its place, in order.
    for (qsizetype i = 0; i < files.size(); ++i) {
        const Target &target = targets[i];
        int error = 0;
        if (beforeCommit && !beforeCommit(files[i].path)) {
            error = ECANCELED;
        } else if (target.inPlace) {
            error = WriteInPlace(target.path, files[i].bytes);
            if (error)
                WriteInPlace(target.path, target.before); // not left torn by a write that stopped part way
        } else if (::rename(target.temporary.constData(), target.path.constData()) != 0) {
            error = errno;
        }
        if (!error) {
            outcomes[i] = {Outcome::Written, {}};
            continue;
        }
        outcomes[i] = {Outcome::Failed, SystemReason(error)};
        bool allBack = true;
        for (qsizetype j = i - 1; j >= 0; --j) {
            const bool back = PutBack(targets[j]);
            if (back)
                outcomes[j] = {Outcome::HeldBack, {}};
            allBack = allBack && back;
        }
        for (qsizetype j = i; j < files.size(); ++j)
            ::unlink(targets[j].temporary.constData());
        // A file that kept its new text leaves the journal, so that the next run puts the set
        // right from the old texts kept beside.
        if (!allBack)
            return outcomes;
        break;
    }
    if (journaled)
        ::unlink(QFile::encodeName(journalPath).constData());
    RemoveTemporaries(targets);
    return outcomes;
}

QList<bool> FileWriter::WriteCopies(const QList<Copy> &copies) const
{
    QList<bool> written(copies.size(), false);
    QList<QByteArray> temporaries(copies.size());
    QSet<QByteArray> folders;
    for (qsizetype i = 0; i < copies.size(); ++i) {
        const QByteArray path = QFile::encodeName(copies[i].path);
        struct stat info;
        if (::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode))
            continue;
        Attributes attributes;
        if (::stat(QFile::encodeName(copies[i].source).constData(), &info) == 0)
            attributes = AttributesOf(info, 0777);
        temporaries[i] = WriteBeside(path, copies[i].bytes, attributes, false).name;
        if (!temporaries[i].isEmpty())
            folders.insert(FolderToOpen(path));
    }
    // One flush (per folder, normally one) puts every copy's bytes on disk before any of them
    // replaces an older copy.
    bool onDisk = true;
    for (const QByteArray &folder : std::as_const(folders))
        onDisk = SyncFileSystemOf(folder) == 0 && onDisk;
    for (qsizetype i = 0; i < copies.size(); ++i) {
        if (temporaries[i].isEmpty())
            continue;
        written[i] = onDisk && (!beforeCommit || beforeCommit(copies[i].path))
                     && ::rename(temporaries[i].constData(), QFile::encodeName(copies[i].path).constData()) == 0;
        if (!written[i])
            ::unlink(temporaries[i].constData());
    }
    return written;
}

QString FileWriter::WrittenPath(const QString &path)
{
    return QFile::decodeName(ResolveLinks(QFile::encodeName(path)));
}

bool FileWriter::MakeRealFolder(const QString &path)
{
    QByteArray folder = QFile::encodeName(path);
    while (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    struct stat info;
    if (::lstat(folder.constData(), &info) == 0)
        return S_ISDIR(info.st_mode);
    if (errno != ENOENT || ::mkdir(folder.constData(), 0700) != 0)
        return false;
    const Attributes attributes = NewFileAttributes(FolderToOpen(folder));
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    ApplyAttributes(fd, attributes);
    ::close(fd);
    return true;
}

void FileWriter::RemoveStaleTemporaryFiles(const QString &directory, bool subfolders)
{
    const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0)
        RemoveStaleIn(fd, subfolders, 0);
}

namespace {

// One file of an interrupted WriteTogether, as its journal lists it.
struct JournalEntry {
    QByteArray target;
    QByteArray temporary;
    QByteArray keep; // empty: the file was new
    bool inPlace = false;
    Identity temporaryWas; // the new text as written beside the target
    Identity keepWas;      // the old text kept beside it
    Identity targetWas;    // the target as it was before the set took its place
};

std::optional<QList<JournalEntry>> ReadJournal(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    if (lines.isEmpty() || lines.takeFirst() != JournalHeader || lines.isEmpty() || !lines.takeLast().isEmpty())
        return std::nullopt;
    const auto path = [](const QByteArray &value) {
        return value == "-" ? QByteArray() : QByteArray::fromPercentEncoding(value);
    };
    const auto identity = [](const QList<QByteArray> &fields, qsizetype at) {
        if (fields[at] == "-")
            return Identity();
        return Identity{true, fields[at].toULongLong(), fields[at + 1].toLongLong(), fields[at + 2].toLongLong()};
    };
    QList<JournalEntry> entries;
    for (const QByteArray &line : std::as_const(lines)) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() != 13 || fields[0] == "-" || fields[1] == "-")
            return std::nullopt;
        entries.append({path(fields[0]), path(fields[1]), path(fields[2]), fields[3] == "1", identity(fields, 4),
                        identity(fields, 7), identity(fields, 10)});
    }
    return entries;
}

QByteArray BytesOf(const QByteArray &path)
{
    return ReadRegularFile(QFile::decodeName(path)).bytes;
}

// Where a file of the set stands: Placed, it holds its new text; Waiting, its old one (one
// written in place may be torn); otherwise it was changed since and is left alone.
enum class Standing { Placed, Waiting, Changed };

Standing StandingOf(const JournalEntry &entry)
{
    const Identity now = IdentityOf(entry.target);
    if (entry.inPlace) {
        const bool placed = IdentityOf(entry.temporary).exists && BytesOf(entry.target) == BytesOf(entry.temporary);
        return placed ? Standing::Placed : Standing::Waiting;
    }
    if (now.exists && now.inode == entry.temporaryWas.inode)
        return Standing::Placed;
    return now == entry.targetWas ? Standing::Waiting : Standing::Changed;
}

// Puts a text kept beside the target (its new text, or its old one) in the target's place.
bool PutInPlace(const JournalEntry &entry, const QByteArray &kept)
{
    if (!entry.inPlace)
        return ::rename(kept.constData(), entry.target.constData()) == 0;
    const FileBytes bytes = ReadRegularFile(QFile::decodeName(kept));
    return bytes.status == FileBytes::Read && WriteInPlace(entry.target, bytes.bytes) == 0;
}

bool StillKept(const QByteArray &path, const Identity &was)
{
    const Identity now = IdentityOf(path);
    return was.exists && now.exists && now.inode == was.inode && now.size == was.size;
}

} // namespace

bool FileWriter::HasJournal(const QString &journalPath)
{
    struct stat info;
    return ::lstat(QFile::encodeName(journalPath).constData(), &info) == 0;
}

FileWriter::Recovery FileWriter::RecoverInterruptedWrite(const QString &journalPath)
{
    const QByteArray journal = QFile::encodeName(journalPath);
    const FileBytes text = ReadRegularFile(journalPath);
    if (text.status == FileBytes::Missing)
        return {};
    const std::optional<QList<JournalEntry>> entries = ReadJournal(text.bytes);
    if (!entries) {
        ::unlink(journal.constData());
        return {Recovery::Unreadable, 0, {}};
    }
    QList<Standing> standings;
    bool finishable = true;
    Recovery recovery;
    for (const JournalEntry &entry : *entries) {
        const Standing standing = StandingOf(entry);
        if (standing == Standing::Waiting && !StillKept(entry.temporary, entry.temporaryWas))
            finishable = false; // its new text is lost
        if (standing == Standing::Changed)
            recovery.leftAlone.append(QFile::decodeName(entry.target));
        standings.append(standing);
    }
    recovery.kind = finishable ? Recovery::Finished : Recovery::RolledBack;
    for (qsizetype i = 0; i < entries->size(); ++i) {
        const JournalEntry &entry = entries->at(i);
        bool done = false;
        if (finishable && standings[i] == Standing::Waiting) {
            done = PutInPlace(entry, entry.temporary);
        } else if (!finishable
                   && (standings[i] == Standing::Placed
                       || (entry.inPlace && BytesOf(entry.target) != BytesOf(entry.keep)))) { // torn
            if (entry.keep.isEmpty())
                done = ::unlink(entry.target.constData()) == 0;
            else if (StillKept(entry.keep, entry.keepWas))
                done = PutInPlace(entry, entry.keep);
            if (!done)
                recovery.leftAlone.append(QFile::decodeName(entry.target));
        }
        recovery.files += done;
    }
    ::unlink(journal.constData());
    for (const JournalEntry &entry : *entries) {
        ::unlink(entry.temporary.constData());
        if (!entry.keep.isEmpty())
            ::unlink(entry.keep.constData());
    }
    return recovery;
}

void FileWriter::KeepRunningPastFileSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

#else

// Elsewhere QSaveFile does the temporary file and the rename; the files of one call are all
// complete before the first is committed.
QList<FileWriter::Outcome> FileWriter::WriteTogether(const QList<PendingFile> &files) const
{
    QList<Outcome> outcomes(files.size());
    std::vector<std::unique_ptr<QSaveFile>> saves;
    bool complete = true;
    for (qsizetype i = 0; i < files.size(); ++i) {
        saves.push_back(std::make_unique<QSaveFile>(files[i].path));
        QSaveFile &file = *saves.back();
        const QString obstacle = Obstacle(files[i].path);
        if (!obstacle.isEmpty() || !file.open(QIODevice::WriteOnly)
            || file.write(files[i].bytes) != files[i].bytes.size()) {
            outcomes[i] = {Outcome::Failed, obstacle.isEmpty() ? file.errorString() : obstacle};
            complete = false;
        }
    }
    for (qsizetype i = 0; complete && i < files.size(); ++i) {
        if (!files[i].expected)
            continue;
        const FileBytes now = ReadRegularFile(files[i].path);
        if (*files[i].expected != Content{now.status == FileBytes::Read, now.bytes}) {
            outcomes[i] = {Outcome::Changed, {}};
            complete = false;
        }
    }
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (!complete || (beforeCommit && !beforeCommit(files[i].path))) {
            saves[size_t(i)]->cancelWriting();
            continue;
        }
        outcomes[i] = saves[size_t(i)]->commit() ? Outcome{Outcome::Written, {}}
                                                 : Outcome{Outcome::Failed, saves[size_t(i)]->errorString()};
    }
    return outcomes;
}

// Elsewhere no journal is kept: QSaveFile places each file on its own.
bool FileWriter::HasJournal(const QString &)
{
    return false;
}

FileWriter::Recovery FileWriter::RecoverInterruptedWrite(const QString &)
{
    return {};
}

void FileWriter::KeepRunningPastFileSizeLimit() {}

QString FileWriter::Obstacle(const QString &path) const
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("Is a directory");
    if (info.exists() && !info.isWritable())
        return QStringLiteral("Permission denied");
    return {};
}

QList<bool> FileWriter::WriteCopies(const QList<Copy> &copies) const
{
    QList<bool> written;
    for (const Copy &copy : copies) {
        QFile::remove(copy.path);
        written.append(Write(copy.path, copy.bytes));
        QFile::setPermissions(copy.path, QFileInfo(copy.source).permissions());
    }
    return written;
}

QString FileWriter::WrittenPath(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : path;
}

bool FileWriter::MakeRealFolder(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return false;
    if (info.exists())
        return info.isDir();
    return QDir().mkdir(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void FileWriter::RemoveStaleTemporaryFiles(const QString &directory, bool subfolders)
{
    QDirIterator it(directory, QDir::Files | QDir::Hidden | QDir::System,
                    subfolders ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (!info.isSymLink() && IsTemporaryName(info.fileName()))
            QFile::remove(info.filePath());
    }
}

#endif

} // namespace quarvel
