#include "base/file_writer.h"

#include "base/file_error_line.h"
#include "base/file_reader.h"
#include "base/file_write_steps.h"

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

FileResult FileWriter::Write(const QString &path, const QByteArray &bytes) const
{
    // Built in place: copying a PendingFile out of an initializer list makes GCC 12 under
    // -fsanitize=thread warn that the empty optional may be used uninitialized.
    QList<PendingFile> files;
    files.emplaceBack(PendingFile{path, bytes});
    const Outcome outcome = WriteTogether(files).first();
    if (outcome.state == Outcome::Written)
        return {FileResult::Done, path, {}, {}};
    return {FileResult::Failed, path, outcome.reason, {}};
}

#ifdef Q_OS_LINUX

using namespace write_steps;

QString FileWriter::Obstacle(const QString &path) const
{
    Target target;
    return Prepare(path, target);
}

namespace {

using Pending = QList<FileWriter::PendingFile>;
using Outcomes = QList<FileWriter::Outcome>;

void FailAll(Outcomes &outcomes, int error)
{
    for (FileWriter::Outcome &outcome : outcomes)
        outcome = {FileWriter::Outcome::Failed, SystemReason(error)};
}

// Every new text into its temporary file beside its target. A single file is flushed by
// itself; many share one flush of their file system. False when one could not be written.
bool WriteTemporaries(const Pending &files, QList<Target> &targets, Outcomes &outcomes, bool syncEach)
{
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
            outcomes[i] = {FileWriter::Outcome::Failed, reason};
            complete = false;
        }
    }
    if (complete && !syncEach) {
        if (const int error = SyncFileSystemsOf(targets)) {
            FailAll(outcomes, error);
            complete = false;
        }
    }
    return complete;
}

// As late as can be, so that a save made while the new texts were written is seen: each file
// must still hold what it was expected to. Its old bytes are kept where they may have to be
// put back. False when one changed or cannot be read.
bool KeepOldTexts(const Pending &files, QList<Target> &targets, Outcomes &outcomes, bool syncEach)
{
    for (qsizetype i = 0; i < files.size(); ++i) {
        Target &target = targets[i];
        if (!files[i].expected && !(target.exists && (target.inPlace || !syncEach)))
            continue;
        FileBytes now = ReadRegularFile(QFile::decodeName(target.path));
        if (now.status == FileResult::Failed) {
            outcomes[i] = {FileWriter::Outcome::Failed, now.reason};
            return false;
        }
        if (files[i].expected && *files[i].expected != FileWriter::Content{bool(now), now.bytes}) {
            outcomes[i] = {FileWriter::Outcome::Changed, {}};
            return false;
        }
        target.before = std::move(now.bytes);
    }
    return true;
}

// Every new text is complete and on disk: now each takes its place, in order. When one
// fails, the files placed before it get their old bytes back. False when one of them kept
// its new text: it leaves the journal, so that the next run puts the set right from the old
// texts kept beside.
bool PlaceInOrder(const Pending &files, const QList<Target> &targets, Outcomes &outcomes,
                  const std::function<bool(const QString &)> &beforeCommit)
{
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
            outcomes[i] = {FileWriter::Outcome::Written, {}};
            continue;
        }
        outcomes[i] = {FileWriter::Outcome::Failed, SystemReason(error)};
        bool allBack = true;
        for (qsizetype j = i - 1; j >= 0; --j) {
            const bool back = PutBack(targets[j]);
            if (back)
                outcomes[j] = {FileWriter::Outcome::HeldBack, {}};
            allBack = allBack && back;
        }
        for (qsizetype j = i; j < files.size(); ++j)
            ::unlink(targets[j].temporary.constData());
        return allBack;
    }
    return true;
}

} // namespace

QList<FileWriter::Outcome> FileWriter::WriteTogether(const QList<PendingFile> &files) const
{
    QList<Outcome> outcomes(files.size());
    QList<Target> targets(files.size());
    const bool syncEach = files.size() == 1;
    bool complete = WriteTemporaries(files, targets, outcomes, syncEach)
                    && KeepOldTexts(files, targets, outcomes, syncEach);
    const bool journaled = complete && files.size() > 1 && !journalPath.isEmpty();
    if (journaled) {
        if (const int error = WriteJournal(QFile::encodeName(journalPath), targets)) {
            FailAll(outcomes, error);
            complete = false;
        }
    }
    if (!complete) {
        RemoveTemporaries(targets);
        return outcomes;
    }
    if (!PlaceInOrder(files, targets, outcomes, beforeCommit))
        return outcomes;
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
        if (*files[i].expected != Content{bool(now), now.bytes}) {
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
