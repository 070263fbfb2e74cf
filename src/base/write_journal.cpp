// The journal of the files a WriteTogether is putting in place, and the recovery of a set that
// a killed process left half in place.
#include "base/file_reader.h"
#include "base/file_write_steps.h"
#include "base/file_writer.h"

#include <QFile>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace quarvel {

using namespace write_steps;

namespace {

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

} // namespace

int write_steps::WriteJournal(const QByteArray &journal, QList<Target> &targets)
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
    return bool(bytes) && WriteInPlace(entry.target, bytes.bytes) == 0;
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
    if (text.status == FileResult::Missing)
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

} // namespace quarvel

#endif
