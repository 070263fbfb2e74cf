// Lines that share a buffer: a file's lines are cut from its text without a copy each, and
// lines left in buffers that are mostly let go are packed into one buffer again.
#pragma once

#include "base/line_lists.h"

namespace quarvel {

// A line of text as a QString that shares text's buffer instead of holding a copy: it holds a
// reference to the buffer, so the buffer lives as long as any of its lines, and a line that is
// changed copies itself out first, as any shared QString does. The buffer is never changed
// through a line while another holds it; a line left as the buffer's only holder may grow over
// the text after it, which no one else sees any more. The character after the line should be
// a NUL, as after every QString.
inline QString SharedLine(const QString &text, qsizetype begin, qsizetype length)
{
    QString::DataPointer &buffer = const_cast<QString &>(text).data_ptr();
    if (length == 0 || !buffer.isMutable())
        return text.sliced(begin, length);
    buffer->ref();
    return QString(QString::DataPointer(buffer.d_ptr(), buffer.data() + begin, length));
}

// The line in a buffer of its own: for a line kept after the rest of its file is let go, which
// would otherwise keep the whole file's buffer.
inline QString OwnCopy(const QString &line)
{
    return QString(line.constData(), line.size());
}

// Copies the lines whose buffer the list uses for less than half of it (its other lines
// rewritten or gone) into one new buffer, which they then share; the old buffers go unless
// something else still holds them. Every other line stays as it is.
void PackSparseLines(SourceLineList &lines);

} // namespace quarvel
