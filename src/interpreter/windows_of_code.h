// The first walk of the prefix pass over the common files' code: the windows in the order
// met, the window each line belongs to, and every statement that creates an object.
#pragma once

#include "base/line_lists.h"
#include "base/no_case_key.h"
#include "interpreter/object_names.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace quarvel {

struct DesignModel;
struct NameTables;
class LogSink;

namespace prefixes {

// The parts of the run the prefix pass reads and writes.
struct PrefixPass {
    DesignModel &model;
    const NameTables &nameTables;
    LogSink &log;
};

inline constexpr qint32 NoWindow = -1;

// One statement that creates an object: its line, the bracket of its command, its constant as
// written and its window.
struct Creation {
    qsizetype line = 0;
    qsizetype bracket = -1; // the index of the command's "("
    QStringView name;       // in the lines as they were read, or a name given to the object here
    qint32 window = NoWindow;
    bool variable = false; // a #PB_Any object kept in a variable, given a constant of its own
    qsizetype next = -1;   // the first creation of this name in a further window, -1 for none
    qint32 windowSet = -1; // of a first creation of an object made in further windows: its set
};

// What the first walk notes of each line for the second.
struct LineFacts {
    qint32 window = NoWindow;
    // A comment line: its first ";" lies in the first nine characters. The indentation of
    // commented-out code is short; a ";" further right ends a statement.
    bool comment = false;
    bool otherHash = false; // a "#" besides the one of the constant the line creates
};

// What the first walk learns: the windows in the order met, the facts of each line, and every
// statement that creates an object.
struct WindowsOfCode {
    SourceLineList original; // the lines as read: the names of the creations lie in them
    QStringList givenNames;  // names given to objects here
    QStringList windows;
    QList<qsizetype> windowLines;         // the line each window is first named on
    QHash<NoCaseKey, qint32> windowIndex; // keys view the names of windows
    QList<LineFacts> lines;
    QList<Creation> creations;
    DeclaringLines declaring;            // every line that declares an object, comment lines too
    QHash<NoCaseKey, qsizetype> objects; // name -> its first creation; keys view the names
    QList<qsizetype> firstCreations;     // the first creation of each object, in line order
    // The windows of each object made in several, bit 1 + window for each (NoWindow too), in
    // words of windowSetWords() each: a bit test instead of a lookup of each creation and use in
    // a set of objects in windows, which cost an unchanged regeneration of 200 x 100
    // (bench/make_project.py) 1.8 M instructions more.
    std::vector<quint64> windowSets;

    qint32 windowNamed(const QString &name, qsizetype line)
    {
        if (name.isEmpty())
            return NoWindow;
        if (const auto known = windowIndex.constFind(NoCaseKey(name)); known != windowIndex.cend())
            return *known;
        windows.append(name);
        windowLines.append(line);
        windowIndex.insert(NoCaseKey(windows.last()), qint32(windows.size() - 1));
        return qint32(windows.size() - 1);
    }

    qsizetype windowSetWords() const { return (windows.size() + 1 + 63) / 64; }
    // Whether the object, by its first creation, is made in the window.
    bool createdIn(qsizetype object, qint32 window) const;
    // Notes that the object, by its first creation, is made in the window: false when it was.
    bool noteCreatedIn(qsizetype object, qint32 window);
};

// Walks the lines once: the window a line belongs to is set by a window line, a UseGadgetList
// line or a toolbar or status bar line, and carries on from one procedure and common file to
// the next. False, after logging why, when a window is opened with #PB_Any; `stop` is then
// that line.
bool FindWindowsOfCode(PrefixPass &g, WindowsOfCode &code, qsizetype &stop);

} // namespace prefixes

} // namespace quarvel
