#include "interpreter/numbered_objects.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "model/design_model.h"
#include "model/name_tables.h"

#include <QHash>

#include <algorithm>

namespace quarvel {

namespace {

// The numbers of one class name one object: windows share one set, gadgets one, and menu items
// and toolbar buttons one (both send EventMenu()).
enum class NumberClass : quint8 { None, Window, Gadget, MenuEvent };

// A command's argument that is an object of a class: its 0-based place among the arguments.
struct ObjectArgument {
    NumberClass numbers = NumberClass::None;
    int place = 0;
};

// The commands that create an object, by upper-cased name: the kind and the word its constant
// is named with.
struct Creator {
    ObjectKind kind = ObjectKind::Gadget;
    QString word;
};

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

    void line(const QString &code, qsizetype index)
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

private:
    // The event functions that return an object's number.
    struct EventFunction {
        QStringView call;
        NumberClass numbers;
    };
    static constexpr EventFunction EventFunctions[] = {{u"EVENTGADGET()", NumberClass::Gadget},
                                                       {u"EVENTMENU()", NumberClass::MenuEvent},
                                                       {u"EVENTWINDOW()", NumberClass::Window}};

    // The class of the event function called at the index at (the start of its name), None when
    // none is.
    static NumberClass EventClassAt(QStringView text, qsizetype at, qsizetype &size)
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

    // The class of object numbers a Select's subject holds: Select EventGadget(), or a variable
    // assigned such a number.
    NumberClass selectClass(QStringView statement) const
    {
        const QStringView subject = TrimBlanksView(statement.sliced(6)); // after "Select"
        qsizetype size = 0;
        const NumberClass numbers = EventClassAt(subject, 0, size);
        return numbers != NumberClass::None ? numbers : variables_.value(UpperKeepLength(subject), NumberClass::None);
    }

    // "Gadget = EventGadget()": the variable holds a gadget's number from here on.
    void noteAssignment(QStringView statement)
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

    void note(qsizetype start, QStringView text, NumberClass numbers, const Creator *creator = nullptr)
    {
        const QStringView trimmed = TrimBlanksView(text);
        qint64 value = 0;
        if (!DecimalNumber(trimmed, value))
            return;
        const qsizetype at = start + (trimmed.data() - text.data());
        uses.append({line_, at, trimmed.size(), numbers, value, window_, creator});
    }

    // "Case 1, 2": each label that is a number alone; a range ("10 To 13") is left as written.
    void caseLabels(QStringView statement, qsizetype offset, NumberClass numbers)
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

    // "EventGadget() = 1", "EventMenu() <> 101", and "Gadget = 1" where Gadget holds EventGadget()
    // (not as the target of an assignment, at the statement's start).
    void comparisons(QStringView statement, qsizetype offset)
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

    // The number compared with what ends at the index after, if one is.
    void compared(QStringView statement, qsizetype offset, qsizetype after, NumberClass numbers)
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

    void calls(QStringView statement, qsizetype offset)
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

    // The lines from here on are the window's code; UseGadgetList(WindowID(0)) goes back to a
    // window opened before.
    void enterWindow(const QString &window, bool opened)
    {
        qsizetype known = windows_.indexOf(window);
        if (known < 0 && opened) {
            windows_.append(window);
            known = windows_.size() - 1;
        }
        if (known >= 0)
            window_ = qint32(known);
    }

    void useGadgetList(QStringView argument)
    {
        const qsizetype open = IndexOfChar(argument, u'(');
        const qsizetype close = IndexOfChar(argument, u')');
        if (open >= 0 && close > open)
            enterWindow(UpperKeepLength(TrimBlanksView(argument.sliced(open + 1, close - open - 1))), false);
    }

    QStringList windows_; // as opened, upper-cased: "0", "#MAIN"
    qsizetype line_ = 0;
    qint32 window_ = -1; // the window whose code the walk is in, -1 before the first
    QList<NumberClass> selects_;
    QHash<QString, NumberClass> variables_; // upper-cased names of variables holding object numbers
};

// The objects the walk found created, by class and number; the first creation of a number in a
// window is that window's object.
struct Created {
    QString name;
    qint32 window = -1;
};

// Only a line with a number, a window it turns to, a Select (whose Case labels may be numbers)
// or an event function (assigned to a variable) needs the walk.
bool MayMatter(const QString &line)
{
    return std::any_of(line.cbegin(), line.cend(), [](QChar c) { return c.isDigit(); }) || HoldsNoCase(line, u"SELECT")
           || HoldsNoCase(line, u"OPENWINDOW") || HoldsNoCase(line, u"USEGADGETLIST") || HoldsNoCase(line, u"EVENT")
           || HoldsNoCase(line, u"PROCEDURE");
}

// The names given, by kind word and number: the first free of "Button_1", "Button_1_2", ...
class GivenNames {
public:
    explicit GivenNames(const QSet<QString> &taken) : taken_(taken) {}

    QString of(const Creator &creator, qint64 number)
    {
        const QString plain = creator.word + QLatin1Char('_') + Str(number);
        QString &name = given_[plain];
        if (name.isEmpty()) {
            name = plain;
            for (int k = 2; taken_.contains(UpperKeepLength(name)); ++k)
                name = plain + QLatin1Char('_') + QString::number(k);
        }
        return name;
    }

private:
    const QSet<QString> &taken_;
    QHash<QString, QString> given_;
};

// Whether the line calls a creator with a number first: "ButtonGadget(1", "MenuItem( 101". Only
// brackets followed by a digit are looked at.
bool CreatesNumbered(const QString &line)
{
    const QStringView text(line);
    return FindAnyOf(
               text, 0,
               [&](qsizetype open) {
                   const QStringView after = TrimLeadingBlanksView(text.sliced(open + 1));
                   if (after.isEmpty() || !after.front().isDigit())
                       return false;
                   qsizetype start = open;
                   while (start > 0 && IsIdentifierChar(text.at(start - 1)))
                       --start;
                   return start < open && Creators().contains(UpperKeepLength(text.sliced(start, open - start)));
               },
               u'(')
           >= 0;
}

} // namespace

bool CreatesNumberedObjects(const QStringList &lines)
{
    return std::any_of(lines.cbegin(), lines.cend(), CreatesNumbered);
}

QSet<QString> ConstantsBesideNumbers(const QList<QStringList> &files)
{
    QSet<QString> names;
    for (const QStringList &lines : files) {
        for (const QString &line : lines) {
            if (!HoldsChar(line, u'#'))
                continue;
            const QString code = BlankedCode(line);
            for (qsizetype h = IndexOfChar(code, u'#'); h >= 0; h = IndexOfChar(code, u'#', h + 1)) {
                if (const qsizetype end = IdentifierEnd(code, h + 1); end > h + 1)
                    names.insert(UpperKeepLength(QStringView(code).sliced(h + 1, end - h - 1)));
            }
        }
    }
    return names;
}

void NameNumberedObjects(DesignModel &model, QStringList &lines, qint32 fileIndex, const QList<bool> &skipped,
                         const QSet<QString> &taken)
{
    GivenNames names(taken);
    NumberWalk walk;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!skipped.value(i) && MayMatter(lines.at(i)))
            walk.line(BlankedCode(lines.at(i)), i);
    }
    QHash<quint64, QList<Created>> created; // class << 56 | number
    const auto key = [](NumberClass numbers, qint64 number) { return quint64(numbers) << 56 | quint64(number); };
    for (const NumberUse &use : std::as_const(walk.uses)) {
        if (!use.creator || use.numbers == NumberClass::None || (use.numbers != NumberClass::Window && use.window < 0))
            continue;
        QList<Created> &objects = created[key(use.numbers, use.number)];
        const QString name = names.of(*use.creator, use.number);
        if (std::none_of(objects.cbegin(), objects.cend(), [&](const Created &c) { return c.window == use.window; }))
            objects.append({name, use.window});
        model.NumberedObjects.append({use.creator->kind, name, use.number, {fileIndex, qint32(use.line + 1)}});
    }
    // Right to left along each line, so that the places of the numbers still to replace hold.
    std::sort(walk.uses.begin(), walk.uses.end(), [](const NumberUse &a, const NumberUse &b) {
        return a.line != b.line ? a.line < b.line : a.start < b.start;
    });
    for (qsizetype u = walk.uses.size() - 1; u >= 0; --u) {
        const NumberUse &use = walk.uses.at(u);
        if (u > 0 && walk.uses.at(u - 1).line == use.line && walk.uses.at(u - 1).start == use.start)
            continue; // one number read twice
        const QList<Created> objects = created.value(key(use.numbers, use.number));
        if (objects.isEmpty())
            continue;
        const auto own = std::find_if(objects.cbegin(), objects.cend(),
                                      [&](const Created &c) { return c.window == use.window; });
        const QString name = use.creator             ? names.of(*use.creator, use.number)
                             : own != objects.cend() ? own->name
                                                     : objects.first().name;
        lines[use.line].replace(use.start, use.size, QLatin1Char('#') + name);
    }
}

} // namespace quarvel
