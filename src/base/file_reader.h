// Reading a file safely, whole or a piece at a time: only regular files, and none larger than
// MaxReadSize, so that a FIFO, a device or a runaway file can neither hang a run nor exhaust
// its memory.
#pragma once

#include "base/file_result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <algorithm>
#include <memory>

class QFile;

namespace quarvel {

inline constexpr qint64 MaxReadSize = qint64(64) << 20;

// The bytes of a file read (status Done), or the path and why it could not be read.
struct FileBytes : FileResult {
    QByteArray bytes;
};

FileBytes ReadRegularFile(const QString &path);

// Bytes read front to back: held whole, or read from a file a piece at a time.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // The bytes from position at on: at least want of them, or all there are. No position
    // before at is asked for again.
    virtual QByteArrayView From(qsizetype at, qsizetype want) = 0;
};

class ByteView : public ByteSource {
public:
    explicit ByteView(QByteArrayView bytes) : bytes_(bytes) {}
    QByteArrayView From(qsizetype at, qsizetype) override { return bytes_.sliced(std::min(at, bytes_.size())); }

private:
    QByteArrayView bytes_;
};

// Whether two sources hold the same bytes, compared a piece at a time.
bool SameBytes(ByteSource &a, ByteSource &b);

// A regular file read as it is asked for, with the checks of ReadRegularFile, so that it can be
// compared without holding it whole. A file that cannot be read, or fails on the way, gives no
// more bytes than it has read, and its status says why.
class RegularFileStream : public ByteSource {
public:
    explicit RegularFileStream(const QString &path);
    ~RegularFileStream() override;
    RegularFileStream(const RegularFileStream &) = delete;
    RegularFileStream &operator=(const RegularFileStream &) = delete;

    const FileResult &Status() const { return status_; }
    QByteArrayView From(qsizetype at, qsizetype want) override;
#ifdef Q_OS_UNIX
    // The owner's, group's and others' permission bits of the file it opened; -1 for none.
    int PermissionBits() const
    {
        return permissionBits_;
    }
#endif

private:
    bool ReadMore(qsizetype want);

    FileResult status_;
#ifdef Q_OS_UNIX
    int fd_ = -1;
    int permissionBits_ = -1;
#else
    std::unique_ptr<QFile> file_;
#endif
    bool atEnd_ = false;
    QByteArray buffer_;
    qsizetype bufferStart_ = 0; // the file position of buffer_'s first byte
    qint64 total_ = 0;          // bytes read so far
};

} // namespace quarvel
