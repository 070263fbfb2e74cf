// The walk that finds, in one common file, every plain number that names a window, gadget, menu
// item or toolbar button: where the object is created, an argument of a command of its kind, a
// comparison with EventGadget(), EventMenu() or EventWindow(), and a Case of a Select on one.
#pragma once

#include "model/object_kind.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace quarvel {

// The numbers of one class name one object: windows share one set, gadgets one, and menu items
// and toolbar buttons one (both send EventMenu()).
enum class NumberClass : quint8 { None, Window, Gadget, MenuEvent };

// The commands that create an object, by upper-cased name: the kind and the word its constant
// is named with.
struct Creator {
    ObjectKind kind = ObjectKind::Gadget;
    QString word;
};

const QHash<QString, Creator> &Creators();

// A number that names an object, where it stands in its line.
struct NumberUse {
    qsizetype line = 0;
    qsizetype start = 0; // of the number; its end is start + size
    qsizetype size = 0;
    NumberClass numbers = NumberClass::None;
    qint64 number = 0;
    qint32 window = -1;               // the window whose code holds it, -1 before the first
    const Creator *creator = nullptr; // set where the object is created
};

// One walk over the file's statements, noting every number that names an object.
class NumberWalk {
public:
    QList<NumberUse> uses;

    // code: the line's BlankedCode; index: its place in the file.
    void line(const QString &code, qsizetype index);

private:
    // The class of object numbers a Select's subject holds: Select EventGadget(), or a variable
    // assigned such a number.
    NumberClass selectClass(QStringView statement) const;

    // "Gadget = EventGadget()": the variable holds a gadget's number from here on.
    void noteAssignment(QStringView statement);

    void note(qsizetype start, QStringView text, NumberClass numbers, const Creator *creator = nullptr);

    // "Case 1, 2": each label that is a number alone; a range ("10 To 13") is left as written.
    void caseLabels(QStringView statement, qsizetype offset, NumberClass numbers);

    // "EventGadget() = 1", "EventMenu() <> 101", and "Gadget = 1" where Gadget holds EventGadget()
    // (not as the target of an assignment, at the statement's start).
    void comparisons(QStringView statement, qsizetype offset);

    // The number compared with what ends at the index after, if one is.
    void compared(QStringView statement, qsizetype offset, qsizetype after, NumberClass numbers);

    void calls(QStringView statement, qsizetype offset);

    // The lines from here on are the window's code; UseGadgetList(WindowID(0)) goes back to a
    // window opened before.
    void enterWindow(const QString &window, bool opened);

    void useGadgetList(QStringView argument);

    QStringList windows_; // as opened, upper-cased: "0", "#MAIN"
    qsizetype line_ = 0;
    qint32 window_ = -1; // the window whose code the walk is in, -1 before the first
    QList<NumberClass> selects_;
    QHash<QString, NumberClass> variables_; // upper-cased names of variables holding object numbers
};

} // namespace quarvel
