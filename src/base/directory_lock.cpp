#include "base/directory_lock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace quarvel {

#ifdef Q_OS_UNIX

// flock on the directory itself: no lock file to create, so a read-only project can be locked
// too, and nothing appears among the user's files.
DirectoryLock::Result DirectoryLock::Acquire(const QString &directory, int waitMilliseconds)
{
    Release();
    const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Result::Unavailable;
    const QDeadlineTimer deadline(waitMilliseconds);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return Result::Held;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired()) {
            const bool busy = errno == EWOULDBLOCK;
            ::close(fd);
            return busy ? Result::Busy : Result::Unavailable;
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

DirectoryLock::Result DirectoryLock::Acquire(const QString &, int)
{
    return Result::Unavailable;
}

void DirectoryLock::Release() {}

#endif

} // namespace quarvel
