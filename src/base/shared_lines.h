// Lines that share a buffer: a file's lines are cut from its text without a copy each, and
// lines left in buffers that are mostly let go are packed into one buffer again.
#pragma once

#include "base/line_lists.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace quarvel {

// A line of text as a QString that shares text's buffer instead of holding a copy: it holds a
// reference to the buffer, so the buffer lives as long as any of its lines, and a line that is
// changed copies itself out first, as any shared QString does. The buffer is never changed
// through a line while another holds it; a line left as the buffer's only holder may grow over
// the text after it, which no one else sees any more. The character after the line should be
// a NUL, as after every QString.
inline QString SharedLine(const QString &text, qsizetype begin, qsizetype length)
{
    // An empty line is a copy of one empty string, as empty as a slice: a slice of nothing
    // cost a call to QString's constructor for each of the 29,000 empty lines of an unchanged
    // regeneration of 200 x 100 (bench/make_project.py), 0.8 M instructions (callgrind).
    static const QString empty = QString::fromRawData(reinterpret_cast<const QChar *>(u""), 0);
    if (length == 0)
        return empty;
    QString::DataPointer &buffer = const_cast<QString &>(text).data_ptr();
    if (!buffer.isMutable())
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

// A buffer of size characters that lines are written into, one after the other, each ended by
// a NUL, and then share.
class PackedBuffer {
public:
    explicit PackedBuffer(qsizetype size = 0)
        : text_(size, Qt::Uninitialized),
          chars_(size > 0 ? text_.data() : nullptr)
    {}
    // Moved, the characters stay where they are; copied, they would be the copy's too.
    PackedBuffer(PackedBuffer &&) = default;
    PackedBuffer &operator=(PackedBuffer &&) = default;
    PackedBuffer(const PackedBuffer &) = delete;
    PackedBuffer &operator=(const PackedBuffer &) = delete;

    // The characters left, a NUL after each line counted.
    qsizetype room() const { return text_.size() - at_; }
    // A line of length characters, written through chars before the next line is asked for.
    // Inline: called, with the arena's calls, it cost an unchanged regeneration of 200 x 100
    // (bench/make_project.py) 341.0 M instructions, against 338.5 M (callgrind).
    QString line(qsizetype length, QChar *&chars)
    {
        chars = chars_ + at_;
        chars[length] = QChar(u'\0');
        QString line = SharedLine(text_, at_, length);
        at_ += length + 1;
        return line;
    }

    // line, copied in.
    void take(QString &line)
    {
        QChar *chars = nullptr;
        QString packed = this->line(line.size(), chars);
        std::copy(line.cbegin(), line.cend(), chars);
        line = std::move(packed);
    }

private:
    QString text_;
    QChar *chars_; // taken before any line shares the buffer, which would then be copied
    qsizetype at_ = 0;
};

// Lines written one after another into shared buffers, rather than each into a buffer of its
// own: a pass that rewrites most lines of a file allocates a buffer for many lines at once, and
// each line costs no allocation header of its own.
class LineArena {
public:
    // A line of length characters, written through chars before the next line is asked for.
    QString line(qsizetype length, QChar *&chars);
    // The line of the pieces, one after the other.
    QString joined(std::initializer_list<QStringView> pieces)
    {
        qsizetype length = 0;
        for (const QStringView piece : pieces)
            length += piece.size();
        QChar *chars = nullptr;
        QString line = this->line(length, chars);
        for (const QStringView piece : pieces)
            chars = std::copy(piece.cbegin(), piece.cend(), chars);
        return line;
    }

private:
    static constexpr qsizetype BlockSize = 16384; // characters

    PackedBuffer block_;
};

// Cuts a text into lines that share its buffer, except that a line repeating a recent line's
// text ("EndProcedure", a blank or separator line) shares one copy of that text instead. When
// the repeats make up most of the text, as in a generated event file, finish() packs the other
// lines into a buffer of their own, and the text's buffer goes with the text.
class RepeatSharingCutter {
public:
    // text is not changed through the cutter, and outlives it.
    explicit RepeatSharingCutter(const QString &text) : text_(text) {}

    // The line at begin, the index-th cut.
    QString line(qint32 index, qsizetype begin, qsizetype length)
    {
        if (length == 0)
            return SharedLine(text_, begin, 0);
        const QChar *const chars = text_.constData() + begin;
        Recent &recent = recent_[RecentSlot(chars, length)];
        if (recent.length == length && std::memcmp(recent.first, chars, size_t(length) * sizeof(QChar)) == 0)
            return recent.copy.isNull() ? firstRepeat(recent) : recent.copy;
        if (recent.copy.isNull()) {
            recent.first = chars;
            recent.length = length;
        }
        own_ += length + 1;
        ownLines_.push_back(index);
        return SharedLine(text_, begin, length);
    }
    // lines: every line cut, in the order cut, in a list of its own.
    void finish(QString *lines) const;

private:
    // A recent text: where it was first met, and its copy once it is met again. A text met
    // once gives its slot to the next text of the slot; a text met again keeps it.
    struct Recent {
        const QChar *first = nullptr;
        qsizetype length = 0;
        QString copy;
    };

    // The slot of the table that a text goes to: one text always goes to one slot, and the
    // few texts a generated event file repeats go to different ones.
    static size_t RecentSlot(const QChar *chars, qsizetype length)
    {
        return (size_t(length) << 3 ^ chars[length - 1].unicode() ^ chars[0].unicode() << 1) & 255u;
    }

    static const QString &firstRepeat(Recent &recent);

    const QString &text_;
    std::array<Recent, 256> recent_{};
    // The lines cut from the text's buffer, and their characters, a NUL after each.
    std::vector<qint32> ownLines_;
    qsizetype own_ = 0;
};

} // namespace quarvel
