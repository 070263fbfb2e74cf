#include "base/file_reader.h"

#include "base/file_error_line.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quarvel {

namespace {

FileBytes Unreadable(const QString &reason)
{
    return {{FileResult::Failed, {}, reason, {}}, {}};
}

FileBytes Read(QByteArray bytes)
{
    return {{}, std::move(bytes)};
}

QString TooLarge()
{
    return QStringLiteral("larger than 64 MiB");
}

} // namespace

#ifdef Q_OS_UNIX

namespace {

// Reads to the end straight into the result, one byte more than allowed at most, so a file
// growing while it is read is still caught.
FileBytes ReadOpenFile(int fd, qint64 size)
{
    QByteArray bytes(qsizetype(size) + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(std::min<qsizetype>(bytes.size() * 2, MaxReadSize + 1));
        const ssize_t n = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Unreadable(SystemReason(errno));
        if (n == 0) {
            bytes.truncate(filled);
            return Read(std::move(bytes));
        }
        filled += n;
        if (filled > MaxReadSize)
            return Unreadable(TooLarge());
    }
}

// Non-blocking, so that opening a FIFO returns at once; only a regular file is then read.
FileBytes ReadOpenedPath(int fd)
{
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return Unreadable(SystemReason(errno));
    if (S_ISDIR(info.st_mode))
        return Unreadable(SystemReason(EISDIR));
    if (!S_ISREG(info.st_mode))
        return Unreadable(QStringLiteral("not a regular file"));
    if (info.st_size > MaxReadSize)
        return Unreadable(TooLarge());
    return ReadOpenFile(fd, info.st_size);
}

} // namespace

FileBytes ReadRegularFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        FileBytes failure = Unreadable(SystemReason(error));
        if (error == ENOENT || error == ENOTDIR)
            failure.status = FileResult::Missing;
        failure.path = path;
        return failure;
    }
    FileBytes result = ReadOpenedPath(fd);
    ::close(fd);
    result.path = path;
    return result;
}

#else

namespace {

FileBytes ReadFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        FileBytes missing = Unreadable(QStringLiteral("No such file or directory"));
        missing.status = FileResult::Missing;
        return missing;
    }
    if (!info.isFile())
        return Unreadable(QStringLiteral("not a regular file"));
    if (info.size() > MaxReadSize)
        return Unreadable(TooLarge());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Unreadable(file.errorString());
    return Read(file.readAll());
}

} // namespace

FileBytes ReadRegularFile(const QString &path)
{
    FileBytes result = ReadFile(path);
    result.path = path;
    return result;
}

#endif

} // namespace quarvel
