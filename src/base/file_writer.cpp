#include "base/file_writer.h"

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

// Writes bytes into a new file beside the target and returns that file's name, empty on
// failure. The file gets the default permissions of a new file (the process umask applies)
// or, when the target exists, the target's permissions, as Write does.
QByteArray WriteBeside(const QByteArray &target, const QByteArray &bytes)
{
    struct stat existing;
    const bool exists = ::stat(target.constData(), &existing) == 0;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QByteArray name = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return {};
        bool ok = !exists || ::fchmod(fd, existing.st_mode & 07777) == 0;
        ok = WriteFully(fd, bytes) && ok;
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

} // namespace

QList<bool> FileWriter::WriteAll(const QList<PendingFile> &files) const
{
    QList<bool> written(files.size(), false);
    QList<QByteArray> temps(files.size());
    QSet<QByteArray> directories;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (QFileInfo(files[i].path).isDir())
            continue;
        temps[i] = WriteBeside(QFile::encodeName(files[i].path), files[i].bytes);
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

QList<bool> FileWriter::WriteAll(const QList<PendingFile> &files) const
{
    QList<bool> written;
    written.reserve(files.size());
    for (const PendingFile &file : files)
        written.append(Write(file.path, file.bytes));
    return written;
}

#endif

} // namespace quarvel
