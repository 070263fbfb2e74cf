// Reading a file whole, safely: only regular files, and none larger than MaxReadSize, so that a
// FIFO, a device or a runaway file can neither hang a run nor exhaust its memory.
#pragma once

#include <QByteArray>
#include <QString>

namespace quarvel {

inline constexpr qint64 MaxReadSize = qint64(64) << 20;

struct FileBytes {
    enum Status { Read, Missing, Unreadable };
    Status status = Missing;
    QByteArray bytes;
    QString reason; // why an existing file could not be read, as "Permission denied"
};

FileBytes ReadRegularFile(const QString &path);

} // namespace quarvel
