#include "interpreter/numbered_object_walk.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "model/name_tables.h"

#include <algorithm>

namespace quarvel {

namespace {

// A command's argument that is an object of a class: its 0-based place among the arguments.
struct ObjectArgument {
    NumberClass numbers = NumberClass::None;
    int place = 0;
};

NumberClass ClassOf(ObjectKind kind)
{
    switch (kind) {
    case ObjectKind::Window: return NumberClass::Window;
    case ObjectKind::Gadget: return NumberClass::Gadget;
    case ObjectKind::MenuItem:
    case ObjectKind::ToolBarButton: return NumberClass::MenuEvent;
    default: return NumberClass::None;
    }
}

// The arguments of the other commands that name an object, beyond a creator's first.
QList<ObjectArgument> ObjectArguments(const QString &upper)
{
    static const QHash<QString, QList<ObjectArgument>> known = [] {
        QHash<QString, QList<ObjectArgument>> table;
        for (const char *command :
             {"WINDOWID",        "CLOSEWINDOW",        "HIDEWINDOW",     "RESIZEWINDOW",   "SETWINDOWTITLE",
              "GETWINDOWTITLE",  "WINDOWWIDTH",        "WINDOWHEIGHT",   "WINDOWX",        "WINDOWY",
              "SETACTIVEWINDOW", "STICKYWINDOW",       "SETWINDOWSTATE", "GETWINDOWSTATE", "SETWINDOWCOLOR",
              "GETWINDOWCOLOR",  "DISABLEWINDOW",      "ISWINDOW",       "WINDOWOUTPUT",   "REMOVEKEYBOARDSHORTCUT",
              "ADDWINDOWTIMER",  "REMOVEWINDOWTIMER",  "WINDOWMOUSEX",   "WINDOWMOUSEY",   "SETWINDOWDATA",
              "GETWINDOWDATA",   "SMARTWINDOWREFRESH", "WINDOWBOUNDS"})
            table.insert(QLatin1String(command), {{NumberClass::Window, 0}});
        for (const char *command :
             {"SETMENUITEMSTATE", "GETMENUITEMSTATE", "DISABLEMENUITEM", "SETMENUITEMTEXT", "GETMENUITEMTEXT",
              "SETTOOLBARBUTTONSTATE", "GETTOOLBARBUTTONSTATE", "DISABLETOOLBARBUTTON", "TOOLBARTOOLTIP"})
            table.insert(QLatin1String(command), {{NumberClass::MenuEvent, 1}});
        table.insert(QStringLiteral("ADDKEYBOARDSHORTCUT"), {{NumberClass::Window, 0}, {NumberClass::MenuEvent, 2}});
        table.insert(QStringLiteral("SPLITTERGADGET"), {{NumberClass::Gadget, 5}, {NumberClass::Gadget, 6}});
        return table;
    }();
    if (const auto found = known.constFind(upper); found != known.cend())
        return *found;
    // Every other gadget command takes the gadget first; these take none, or create a gadget
    // Quarvel does not generate.
    static const QStringList noGadget{QStringLiteral("CLOSEGADGETLIST"), QStringLiteral("GETACTIVEGADGET"),
                                      QStringLiteral("USEGADGETLIST"),   QStringLiteral("EVENTGADGET"),
                                      QStringLiteral("FRAMEGADGET"),     QStringLiteral("SCINTILLAGADGET"),
                                      QStringLiteral("OPENGLGADGET"),    QStringLiteral("WEBVIEWGADGET")};
    if (HoldsText(upper, u"GADGET") && !Creators().contains(upper) && !noGadget.contains(upper))
        return {{NumberClass::Gadget, 0}};
    return {};
}

// A plain decimal number standing alone, as objects are numbered in hand-written code.
bool DecimalNumber(QStringView text, qint64 &value)
{
    if (text.isEmpty() || !std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
        return false;
    bool ok = false;
    value = text.toLongLong(&ok);
    return ok;
}

// The event functions that return an object's number.
struct EventFunction {
    QStringView call;
    NumberClass numbers;
};
constexpr EventFunction EventFunctions[] = {{u"EVENTGADGET()", NumberClass::Gadget},
                                            {u"EVENTMENU()", NumberClass::MenuEvent},
                                            {u"EVENTWINDOW()", NumberClass::Window}};

// The class of the event function called at the index at (the start of its name), None when
// none is.
NumberClass EventClassAt(QStringView text, qsizetype at, qsizetype &size)
{
    if (at > 0 && IsIdentifierChar(text.at(at - 1)))
        return NumberClass::None;
    for (const EventFunction &f : EventFunctions) {
        if (StartsNoCase(text.sliced(at), f.call)) {
            size = f.call.size();
            return f.numbers;
        }
    }
    return NumberClass::None;
}

} // namespace

const QHash<QString, Creator> &Creators()
{
    static const QHash<QString, Creator> creators = [] {
        QHash<QString, Creator> table{
            {QStringLiteral("OPENWINDOW"), {ObjectKind::Window, QStringLiteral("Window")}},
            {QStringLiteral("MENUITEM"), {ObjectKind::MenuItem, QStringLiteral("MenuItem")}},
            {QStringLiteral("TOOLBARSTANDARDBUTTON"), {ObjectKind::ToolBarButton, QStringLiteral("ToolBarButton")}},
            {QStringLiteral("TOOLBARIMAGEBUTTON"), {ObjectKind::ToolBarButton, QStringLiteral("ToolBarButton")}},
        };
        // "ButtonGadget" names its gadgets "Button_<number>".
        for (const QString &creator : BuiltInGadgetCreators())
            table.insert(UpperKeepLength(creator), {ObjectKind::Gadget, creator.chopped(6)});
        return table;
    }();
    return creators;
}

void NumberWalk::line(const QString &code, qsizetype index)
{
    line_ = index;
    for (const QStringView statement : Statements(code)) {
        const qsizetype offset = statement.data() - code.constData();
        const QString word = FirstWord(statement);
        if (word == QLatin1String("PROCEDURE") || word == QLatin1String("ENDPROCEDURE"))
            variables_.clear(); // a procedure's variables are its own
        if (word == QLatin1String("SELECT"))
            selects_.append(selectClass(statement));
        else if (word == QLatin1String("ENDSELECT") && !selects_.isEmpty())
            selects_.removeLast();
        else if (word == QLatin1String("CASE") && !selects_.isEmpty() && selects_.last() != NumberClass::None)
            caseLabels(statement, offset, selects_.last());
        noteAssignment(statement);
        calls(statement, offset);
        comparisons(statement, offset);
    }
}

NumberClass NumberWalk::selectClass(QStringView statement) const
{
    const QStringView subject = TrimBlanksView(statement.sliced(6)); // after "Select"
    qsizetype size = 0;
    const NumberClass numbers = EventClassAt(subject, 0, size);
    return numbers != NumberClass::None ? numbers : variables_.value(UpperKeepLength(subject), NumberClass::None);
}

void NumberWalk::noteAssignment(QStringView statement)
{
    const qsizetype nameEnd = IdentifierEnd(statement, 0);
    const QStringView rest = TrimLeadingBlanksView(statement.sliced(nameEnd));
    if (nameEnd == 0 || !rest.startsWith(u'='))
        return;
    const QStringView value = TrimBlanksView(rest.sliced(1));
    qsizetype size = 0;
    const NumberClass numbers = EventClassAt(value, 0, size);
    if (numbers != NumberClass::None && size == value.size())
        variables_.insert(UpperKeepLength(statement.first(nameEnd)), numbers);
}

void NumberWalk::note(qsizetype start, QStringView text, NumberClass numbers, const Creator *creator)
{
    const QStringView trimmed = TrimBlanksView(text);
    qint64 value = 0;
    if (!DecimalNumber(trimmed, value))
        return;
    const qsizetype at = start + (trimmed.data() - text.data());
    uses.append({line_, at, trimmed.size(), numbers, value, window_, creator});
}

void NumberWalk::caseLabels(QStringView statement, qsizetype offset, NumberClass numbers)
{
    const qsizetype after = IndexOfNoCase(statement, u"CASE") + 4;
    qsizetype from = after;
    for (const QString &field : SplitOutsideBrackets(statement.sliced(after))) {
        const qsizetype at = IndexOfText(statement, field, from);
        if (at < 0)
            return;
        note(offset + at, statement.sliced(at, field.size()), numbers);
        from = at + field.size();
    }
}

void NumberWalk::comparisons(QStringView statement, qsizetype offset)
{
    for (qsizetype k = IndexOfNoCase(statement, u"EVENT"); k >= 0; k = IndexOfNoCase(statement, u"EVENT", k + 5)) {
        qsizetype size = 0;
        if (const NumberClass numbers = EventClassAt(statement, k, size); numbers != NumberClass::None)
            compared(statement, offset, k + size, numbers);
    }
    for (const auto &[variable, numbers] : variables_.asKeyValueRange()) {
        for (qsizetype k = IndexOfWordNoCase(statement, variable, 1); k > 0;
             k = IndexOfWordNoCase(statement, variable, k + variable.size()))
            compared(statement, offset, k + variable.size(), numbers);
    }
}

void NumberWalk::compared(QStringView statement, qsizetype offset, qsizetype after, NumberClass numbers)
{
    qsizetype p = after;
    while (p < statement.size() && IsBlank(statement.at(p)))
        ++p;
    if (statement.sliced(p).startsWith(u"<>"))
        p += 2;
    else if (statement.sliced(p).startsWith(u"=") && !statement.sliced(p).startsWith(u"=>"))
        p += 1;
    else
        return;
    qsizetype start = p;
    while (start < statement.size() && IsBlank(statement.at(start)))
        ++start;
    note(offset + p, statement.sliced(p, IdentifierEnd(statement, start) - p), numbers);
}

void NumberWalk::calls(QStringView statement, qsizetype offset)
{
    for (qsizetype open = IndexOfChar(statement, u'('); open >= 0; open = IndexOfChar(statement, u'(', open + 1)) {
        qsizetype start = open;
        while (start > 0 && IsIdentifierChar(statement.at(start - 1)))
            --start;
        if (start == open)
            continue;
        const QString command = UpperKeepLength(statement.sliced(start, open - start));
        const CallShape shape = CallShapeAt(statement, open);
        const auto argument = [&](int place) {
            if (place > shape.commas.size())
                return QStringView();
            const qsizetype from = place == 0 ? open + 1 : shape.commas.at(place - 1) + 1;
            const qsizetype to = place < shape.commas.size() ? shape.commas.at(place)
                                 : shape.close >= 0          ? shape.close
                                                             : statement.size();
            return statement.sliced(from, to - from);
        };
        const auto creator = Creators().constFind(command);
        if (creator != Creators().cend()) {
            if (creator->kind == ObjectKind::Window)
                enterWindow(UpperKeepLength(TrimBlanksView(argument(0))), true);
            const QStringView first = argument(0);
            note(offset + (first.data() - statement.data()), first, ClassOf(creator->kind), &*creator);
        }
        if (command == QLatin1String("USEGADGETLIST"))
            useGadgetList(argument(0));
        for (const ObjectArgument &object : ObjectArguments(command)) {
            const QStringView text = argument(object.place);
            if (!text.isNull())
                note(offset + (text.data() - statement.data()), text, object.numbers);
        }
    }
}

void NumberWalk::enterWindow(const QString &window, bool opened)
{
    qsizetype known = windows_.indexOf(window);
    if (known < 0 && opened) {
        windows_.append(window);
        known = windows_.size() - 1;
    }
    if (known >= 0)
        window_ = qint32(known);
}

void NumberWalk::useGadgetList(QStringView argument)
{
    const qsizetype open = IndexOfChar(argument, u'(');
    const qsizetype close = IndexOfChar(argument, u')');
    if (open >= 0 && close > open)
        enterWindow(UpperKeepLength(TrimBlanksView(argument.sliced(open + 1, close - open - 1))), false);
}

} // namespace quarvel
