// Lines of code that remember where they were read: one record a line, its text and its origin
// (the common file and the line's number there). A pass that adds, removes or reorders lines
// does it through this class, which moves a line's text and origin together, so the two cannot
// drift apart. The texts stand side by side in one list, so that a scan reads them as the
// plain line list every line helper takes.
#pragma once

#include "base/line_lists.h"
#include "base/shared_lines.h"

#include <QList>
#include <QString>

namespace quarvel {

// Where a line was read: the common file (its index in the design model's CommonFileList) and
// the line's number there, counted from 1 as editors count. A line the generator adds itself
// (a separator) has none.
struct SourceOrigin {
    qint32 file = -1;
    qint32 line = 0;

    bool operator==(const SourceOrigin &) const = default;
};

// One line with its origin, as a pass adds it.
struct SourceLine {
    QString text;
    SourceOrigin origin;
};

class SourceLines {
public:
    SourceLines() = default;
    // Lines of no file (a test's, a generated block's).
    static SourceLines WithoutOrigin(const SourceLineList &texts)
    {
        SourceLines lines;
        lines.texts_ = texts;
        lines.origins_.resize(texts.size());
        return lines;
    }

    qsizetype size() const { return texts_.size(); }
    bool isEmpty() const { return texts_.isEmpty(); }
    const QString &at(qsizetype i) const { return texts_.at(i); }
    // A line's text, to be rewritten in place: its origin stays.
    QString &operator[](qsizetype i) { return texts_[i]; }
    SourceOrigin origin(qsizetype i) const { return origins_.value(i); }
    SourceLine line(qsizetype i) const { return {texts_.at(i), origins_.at(i)}; }
    // The texts alone, in order, for the line helpers.
    const SourceLineList &texts() const { return texts_; }

    // The texts one by one, to be rewritten in place.
    SourceLineList::iterator begin() { return texts_.begin(); }
    SourceLineList::iterator end() { return texts_.end(); }
    SourceLineList::const_iterator begin() const { return texts_.begin(); }
    SourceLineList::const_iterator end() const { return texts_.end(); }

    void reserve(qsizetype size)
    {
        texts_.reserve(size);
        origins_.reserve(size);
    }
    void append(const QString &text, SourceOrigin origin = {})
    {
        texts_.append(text);
        origins_.append(origin);
    }
    void append(const SourceLine &line) { append(line.text, line.origin); }
    // A line of no file.
    SourceLines &operator<<(const QString &text)
    {
        append(text);
        return *this;
    }
    void append(const SourceLines &other)
    {
        texts_.append(other.texts_);
        origins_.append(other.origins_);
    }
    // The empty line, the separator and the empty line that end a block.
    void appendSeparator()
    {
        AppendSeparator(texts_);
        origins_.resize(texts_.size());
    }
    void clear()
    {
        texts_.clear();
        origins_.clear();
    }
    // After a pass that rewrote most lines: the lines left in their files' buffers are packed,
    // so that those buffers can go.
    void packSparseTexts() { PackSparseLines(texts_); }

    bool operator==(const SourceLines &) const = default;

private:
    SourceLineList texts_;
    QList<SourceOrigin> origins_;
};

} // namespace quarvel
