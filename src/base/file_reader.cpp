#include "base/file_reader.h"

#include "base/file_error_line.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

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

// One read(2) into the bytes at into, tried again when a signal interrupts it.
ssize_t ReadSome(int fd, char *into, qsizetype want)
{
    ssize_t n;
    do {
        n = ::read(fd, into, size_t(want));
    } while (n < 0 && errno == EINTR);
    return n;
}

// Reads to the end straight into the result, one byte more than allowed at most, so a file
// growing while it is read is still caught.
FileBytes ReadOpenFile(int fd, qint64 size)
{
    QByteArray bytes(qsizetype(size) + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(std::min<qsizetype>(bytes.size() * 2, MaxReadSize + 1));
        const ssize_t n = ReadSome(fd, bytes.data() + filled, bytes.size() - filled);
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

// Opens path non-blocking, so that opening a FIFO returns at once, and keeps it open only when
// it is a regular file no larger than MaxReadSize: -1 else, with status saying why.
int OpenRegularFile(const QString &path, FileResult &status, qint64 &size, int *permissionBits = nullptr)
{
    status.path = path;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        status.status = error == ENOENT || error == ENOTDIR ? FileResult::Missing : FileResult::Failed;
        status.reason = SystemReason(error);
        return -1;
    }
    struct stat info;
    QString unfit;
    if (::fstat(fd, &info) != 0)
        unfit = SystemReason(errno);
    else if (S_ISDIR(info.st_mode))
        unfit = SystemReason(EISDIR);
    else if (!S_ISREG(info.st_mode))
        unfit = QStringLiteral("not a regular file");
    else if (info.st_size > MaxReadSize)
        unfit = TooLarge();
    if (!unfit.isEmpty()) {
        ::close(fd);
        status.status = FileResult::Failed;
        status.reason = unfit;
        return -1;
    }
    size = info.st_size;
    if (permissionBits)
        *permissionBits = int(info.st_mode & 0777);
    return fd;
}

} // namespace

FileBytes ReadRegularFile(const QString &path)
{
    FileBytes result;
    qint64 size = 0;
    const int fd = OpenRegularFile(path, result, size);
    if (fd < 0)
        return result;
    result = ReadOpenFile(fd, size);
    ::close(fd);
    result.path = path;
    return result;
}

RegularFileStream::RegularFileStream(const QString &path)
{
    qint64 size = 0;
    fd_ = OpenRegularFile(path, status_, size, &permissionBits_);
    atEnd_ = fd_ < 0;
}

RegularFileStream::~RegularFileStream()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool RegularFileStream::ReadMore(qsizetype want)
{
    const qsizetype filled = buffer_.size();
    buffer_.resize(filled + want);
    const ssize_t n = ReadSome(fd_, buffer_.data() + filled, want);
    if (n < 0)
        status_ = {FileResult::Failed, status_.path, SystemReason(errno), {}};
    buffer_.truncate(filled + std::max<qsizetype>(n, 0));
    return n > 0;
}

#else

namespace {

// With read false the file is only checked: Done when it could be read.
FileBytes ReadFile(const QString &path, bool read = true)
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
    if (!read)
        return {};
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

RegularFileStream::RegularFileStream(const QString &path)
{
    const FileBytes checked = ReadFile(path, false);
    status_ = checked;
    status_.path = path;
    if (checked) {
        file_ = std::make_unique<QFile>(path);
        if (!file_->open(QIODevice::ReadOnly))
            status_ = {FileResult::Failed, path, file_->errorString(), {}};
    }
    atEnd_ = !status_;
}

RegularFileStream::~RegularFileStream() = default;

bool RegularFileStream::ReadMore(qsizetype want)
{
    const qsizetype filled = buffer_.size();
    buffer_.resize(filled + want);
    const qint64 n = file_->read(buffer_.data() + filled, want);
    if (n < 0)
        status_ = {FileResult::Failed, status_.path, file_->errorString(), {}};
    buffer_.truncate(filled + std::max<qint64>(n, 0));
    return n > 0;
}

#endif

namespace {

// What a file is read and compared in at a time.
constexpr qsizetype Piece = qsizetype(1) << 20;

} // namespace

bool SameBytes(ByteSource &a, ByteSource &b)
{
    for (qsizetype at = 0;;) {
        const QByteArrayView x = a.From(at, Piece);
        const QByteArrayView y = b.From(at, Piece);
        const qsizetype n = std::min({x.size(), y.size(), Piece});
        if (n == 0)
            return x.isEmpty() && y.isEmpty();
        if (x.first(n) != y.first(n))
            return false;
        at += n;
    }
}

// Reads in pieces of 1 MiB. No byte before at is asked for again: before each piece, the bytes
// after at move to the front, and the piece fills the room the buffer has, so that a file is
// compared holding about one piece of it, however large it is. Dropped with QByteArray::remove,
// and only once a piece was passed, the bytes left their room behind: comparing CommonFile.pb
// with its new text, the buffer grew to 4.2 MB in an unchanged regeneration of 200 x 100
// (bench/make_project.py), and the run's heap peaked 1.8 MB higher (heaptrack).
QByteArrayView RegularFileStream::From(qsizetype at, qsizetype want)
{
    while (!atEnd_ && bufferStart_ + buffer_.size() < at + want) {
        if (const qsizetype dropped = std::min(at - bufferStart_, buffer_.size()); dropped > 0) {
            std::memmove(buffer_.data(), buffer_.constData() + dropped, buffer_.size() - dropped);
            buffer_.truncate(buffer_.size() - dropped);
            bufferStart_ += dropped;
        }
        const qsizetype before = buffer_.size();
        atEnd_ = !ReadMore(std::max(Piece, at + want - bufferStart_ - before));
        total_ += buffer_.size() - before;
        if (total_ > MaxReadSize) {
            status_ = {FileResult::Failed, status_.path, TooLarge(), {}};
            atEnd_ = true;
        }
    }
    return QByteArrayView(buffer_).sliced(std::min(at - bufferStart_, buffer_.size()));
}

} // namespace quarvel
