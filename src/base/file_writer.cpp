#include "base/file_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSet>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#endif

namespace quarvel {

#ifdef Q_OS_LINUX

namespace {

bool WriteFully(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

// A new temporary name in the folder of target.
QByteArray TemporaryNameBeside(const QByteArray &target)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray() : target.left(slash + 1);
    return folder + QFile::encodeName(FileWriter::TemporaryPrefix)
           + QByteArray::number(QRandomGenerator::global()->generate64(), 36)
           + QFile::encodeName(FileWriter::TemporarySuffix);
}

// Writes bytes into a new file beside the target and returns that file's name, empty on
// failure: every byte and the close are checked (a full disk or a file-size limit shows
// there), and with syncNow the bytes are flushed to disk first. The file gets the default
// permissions of a new file (the process umask applies) or, when the target exists, the
// target's permissions.
QByteArray WriteBeside(const QByteArray &target, const QByteArray &bytes, bool syncNow)
{
    struct stat existing;
    const bool exists = ::stat(target.constData(), &existing) == 0;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QByteArray name = TemporaryNameBeside(target);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return {};
        bool ok = !exists || ::fchmod(fd, existing.st_mode & 07777) == 0;
        ok = WriteFully(fd, bytes) && ok;
        ok = (!syncNow || ::fsync(fd) == 0) && ok;
        ok = ::close(fd) == 0 && ok;
        if (ok)
            return name;
        ::unlink(name.constData());
        return {};
    }
    return {};
}

// Flushes every file system buffer of the file system that holds directory.
bool SyncFileSystemOf(const QByteArray &directory)
{
    const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::syncfs(fd) == 0;
    ::close(fd);
    return synced;
}

// The temporary file takes the target's place; false (and the temporary file gone) when the
// fault seam abandons the write or the rename fails.
bool PutInPlace(const FileWriter &writer, const QByteArray &temporary, const QString &path)
{
    const bool placed = (!writer.beforeCommit || writer.beforeCommit(path))
                        && std::rename(temporary.constData(), QFile::encodeName(path).constData()) == 0;
    if (!placed)
        ::unlink(temporary.constData());
    return placed;
}

} // namespace

bool FileWriter::Write(const QString &path, const QByteArray &bytes) const
{
    if (QFileInfo(path).isDir())
        return false;
    const QByteArray temporary = WriteBeside(QFile::encodeName(path), bytes, true);
    return !temporary.isEmpty() && PutInPlace(*this, temporary, path);
}

QList<bool> FileWriter::WriteAll(const QList<PendingFile> &files) const
{
    QList<bool> written(files.size(), false);
    QList<QByteArray> temps(files.size());
    QSet<QByteArray> directories;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (QFileInfo(files[i].path).isDir())
            continue;
        temps[i] = WriteBeside(QFile::encodeName(files[i].path), files[i].bytes, false);
        if (!temps[i].isEmpty() && beforeCommit && !beforeCommit(files[i].path)) {
            ::unlink(temps[i].constData());
            temps[i].clear();
        }
        if (!temps[i].isEmpty())
            directories.insert(QFile::encodeName(QFileInfo(files[i].path).absolutePath()));
    }
    // One flush (per folder, normally one) puts every new file's bytes on disk before any of
    // them replaces its target.
    bool onDisk = true;
    for (const QByteArray &directory : std::as_const(directories))
        onDisk = SyncFileSystemOf(directory) && onDisk;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (temps[i].isEmpty())
            continue;
        written[i] = onDisk && std::rename(temps[i].constData(), QFile::encodeName(files[i].path).constData()) == 0;
        if (!written[i])
            ::unlink(temps[i].constData());
    }
    return written;
}

#else

bool FileWriter::Write(const QString &path, const QByteArray &bytes) const
{
    if (QFileInfo(path).isDir())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (beforeCommit && !beforeCommit(path)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QList<bool> FileWriter::WriteAll(const QList<PendingFile> &files) const
{
    QList<bool> written;
    written.reserve(files.size());
    for (const PendingFile &file : files)
        written.append(Write(file.path, file.bytes));
    return written;
}

#endif

void FileWriter::RemoveStaleTemporaryFiles(const QString &directory)
{
    QDir folder(directory);
    const QStringList stale = folder.entryList({TemporaryPrefix + QLatin1Char('*') + TemporarySuffix},
                                               QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : stale)
        folder.remove(name);
}

} // namespace quarvel
