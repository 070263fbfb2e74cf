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
    // against 1.3 M (callgrind). Neighbouring lines mostly share a buffer, and a buffer is
    // looked up only where the buffer changes from one line to the next.
    QHash<const QArrayData *, qsizetype> used;
    {
        const QArrayData *buffer = nullptr;
        qsizetype *count = nullptr;
        for (const QString &line : std::as_const(lines)) {
            if (!InLargerBuffer(line))
                continue;
            if (BufferOf(line) != buffer) {
                buffer = BufferOf(line);
                count = &used[buffer];
            }
            *count += line.size() + 1;
        }
    }
    // Only the sparse buffers stay in used.
    used.removeIf([](std::pair<const QArrayData *const &, qsizetype &> buffer) {
        return 2 * buffer.second >= buffer.first->constAllocatedCapacity();
    });
    qsizetype size = 0;
    for (const qsizetype characters : std::as_const(used))
        size += characters;
    if (size == 0)
        return;
    PackedBuffer packed(size);
    const QArrayData *buffer = nullptr;
    bool sparse = false;
    for (QString &line : lines) {
        if (!InLargerBuffer(line))
            continue;
        if (BufferOf(line) != buffer) {
            buffer = BufferOf(line);
            sparse = used.contains(buffer);
        }
        if (sparse)
            packed.take(line);
    }
}

QString LineArena::line(qsizetype length, QChar *&chars)
{
    if (length >= BlockSize / 4) {
        QString own(length, Qt::Uninitialized);
        chars = own.data();
        return own;
    }
    if (block_.room() < length + 1)
        block_ = PackedBuffer(BlockSize);
    return block_.line(length, chars);
}

// A text met again for the first time: its copy, made now.
const QString &RepeatSharingCutter::firstRepeat(Recent &recent)
{
    recent.copy = QString(recent.first, recent.length);
    return recent.copy;
}

void RepeatSharingCutter::finish(QString *lines) const
{
    if (2 * own_ > text_.size())
        return;
    // Only the lines of their own are visited: every line visited, the packing of an unchanged
    // regeneration of 200 x 100 (bench/make_project.py) cost 2.3 M instructions, against 1.0 M
    // (callgrind).
    PackedBuffer packed(own_);
    for (const qint32 index : ownLines_)
        packed.take(lines[index]);
}

} // namespace quarvel
