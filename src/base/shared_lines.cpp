#include "base/shared_lines.h"

#include <QHash>

#include <algorithm>

namespace quarvel {

namespace {

// The buffer a line's characters lie in; null for a line of none. Asking does not detach.
const QArrayData *BufferOf(const QString &line)
{
    return const_cast<QString &>(line).data_ptr().d_ptr();
}

// A line whose buffer holds more than twice the line, NUL included; a line of its own buffer
// (rewritten, or made by the run) never is.
bool InLargerBuffer(const QString &line)
{
    const QArrayData *buffer = BufferOf(line);
    return buffer && buffer->constAllocatedCapacity() > 2 * (line.size() + 1);
}

} // namespace

void PackSparseLines(SourceLineList &lines)
{
    // The characters of each larger buffer the list still uses, a NUL after each line counted.
    // Only lines in a larger buffer are counted: counting every line's, the packing of an
    // unchanged regeneration of 200 x 100 (bench/make_project.py) cost 9.0 M instructions,
    // against 1.3 M (callgrind).
    QHash<const QArrayData *, qsizetype> used;
    for (const QString &line : std::as_const(lines))
        if (InLargerBuffer(line))
            used[BufferOf(line)] += line.size() + 1;
    const auto sparse = [&used](const QString &line) {
        return InLargerBuffer(line) && 2 * used.value(BufferOf(line)) < BufferOf(line)->constAllocatedCapacity();
    };
    qsizetype size = 0;
    for (const QString &line : std::as_const(lines))
        if (sparse(line))
            size += line.size() + 1;
    if (size == 0)
        return;
    QString packed(size, Qt::Uninitialized);
    QChar *const chars = packed.data();
    qsizetype at = 0;
    for (QString &line : lines) {
        if (!sparse(line))
            continue;
        const qsizetype length = line.size();
        std::copy(line.cbegin(), line.cend(), chars + at);
        chars[at + length] = QChar(u'\0');
        line = SharedLine(packed, at, length);
        at += length + 1;
    }
}

} // namespace quarvel
