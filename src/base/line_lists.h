// Line lists: a file's lines without terminators, and the few shapes every generated file
// shares.
#pragma once

#include <QString>
#include <QStringList>

namespace quarvel {

// A file's lines without terminators, in file order.
using SourceLineList = QStringList;

// An empty line, "; " and 87 asterisks, an empty line.
void AppendSeparator(SourceLineList &target);

// Removes CRs and appends the text's LF-terminated lines; text after the last LF is not taken.
void SplitTemplate(const QString &templateText, SourceLineList &target);

// Takes the run of comment and blank lines off the end of an event file (the IDE's option
// lines and the user's notes), behind the last separator of the run, and returns it in file
// order: appended procedures go before it.
SourceLineList TakeTrailingCommentLines(SourceLineList &lines);

// Where the data block of LoadLanguage.pb lies: the start marker line and the first end line
// after it (both 0-based). Either is -1 when the file has lost it.
struct LanguageBlock {
    qsizetype start = -1;
    qsizetype end = -1;

    bool Whole() const { return start >= 0 && end >= 0; }
};

// A marker counts only as a line of its own, its comment removed: a comment or a string that
// mentions it is no marker.
LanguageBlock FindLanguageBlock(const SourceLineList &lines);

} // namespace quarvel
