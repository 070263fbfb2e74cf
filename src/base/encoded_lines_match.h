// Whether a file already holds the text a run would write to it, found without writing that
// text out first.
#pragma once

#include "base/file_reader.h"
#include "base/text_encoding.h"

#include <QByteArrayView>

namespace quarvel {

// EncodeLines(lines, format, ends) == bytes, without making those bytes: each line is compared
// with the bytes where it would stand, and only a line that is not one byte a character
// (beyond ASCII in UTF-8, any line in UTF-16 or UTF-32) is encoded on its own.
bool EncodesAs(const QStringList &lines, TextFormat format, QByteArrayView bytes, LineEnds ends = {});
// The same for bytes read as the comparison goes, such as a file read a piece at a time.
bool EncodesAs(const QStringList &lines, TextFormat format, ByteSource &bytes, LineEnds ends = {});

} // namespace quarvel
