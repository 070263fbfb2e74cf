// Reading a file whole, safely: only regular files, and none larger than MaxReadSize, so that a
// FIFO, a device or a runaway file can neither hang a run nor exhaust its memory.
#pragma once

#include "base/file_result.h"

#include <QByteArray>
#include <QString>

namespace quarvel {

inline constexpr qint64 MaxReadSize = qint64(64) << 20;

// The bytes of a file read (status Done), or the path and why it could not be read.
struct FileBytes : FileResult {
    QByteArray bytes;
};

FileBytes ReadRegularFile(const QString &path);

} // namespace quarvel
