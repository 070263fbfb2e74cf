#include "pipeline/directory_lock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace quarvel {

#ifdef Q_OS_UNIX

// flock on the directory itself: no lock file to create, so a read-only project can be locked
// too, and nothing appears among the user's files.
DirectoryLock::Result DirectoryLock::Acquire(const QString &directory, int waitMilliseconds)
{
    Release();
    reason_.clear();
    const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 && (errno == ENOENT || errno == ENOTDIR))
        return Result::NoFolder;
    // A folder that may be written but not listed cannot be locked this way; a run there
    // would go on unguarded, so the caller stops it.
    if (fd < 0) {
        reason_ = QString::fromLocal8Bit(std::strerror(errno));
        return Result::Refused;
    }
    const QDeadlineTimer deadline(waitMilliseconds);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return Result::Held;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired()) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK)
                return Result::Busy;
            reason_ = QString::fromLocal8Bit(std::strerror(error));
            return Result::Refused;
        }
        QThread::msleep(50);
    }
}

void DirectoryLock::Release()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

#else

// Without flock there is no lock to take; the run goes on as if it held one.
DirectoryLock::Result DirectoryLock::Acquire(const QString &, int)
{
    return Result::Held;
}

void DirectoryLock::Release() {}

#endif

} // namespace quarvel
