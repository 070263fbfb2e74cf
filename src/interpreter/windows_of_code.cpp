#include "interpreter/windows_of_code.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "interpreter/object_names.h"
#include "interpreter/pb_any_objects.h"
#include "model/design_model.h"
#include "model/log_messages.h"
#include "model/log_sink.h"
#include "model/name_tables.h"

#include <QSet>

#include <array>

namespace quarvel::prefixes {

namespace {

// The calls that tell whose objects the following lines create.
enum Call { OpenWindow, UseGadgetList, CreateToolBar, CreateStatusBar };

const CallSet &WindowCalls()
{
    static const CallSet calls{{OpenWindow, u"OPENWINDOW(#"},
                               {UseGadgetList, u"USEGADGETLIST("},
                               {CreateToolBar, u"CREATETOOLBAR("},
                               {CreateStatusBar, u"CREATESTATUSBAR("}};
    return calls;
}

// The index of the call, -1 when the line does not hold it.
qsizetype FindCall(const QString &s, quint64 calls, Call call)
{
    return CallSet::Holds(calls, call) ? IndexOfCallNoCase(s, WindowCalls().call(call)) : -1;
}

// The window named inside the first "WindowID(#...)" bracket pair of a line, starting the
// bracket search at the index from; null when no bracket pair follows.
QString WindowNameInBrackets(const QString &s, qsizetype from)
{
    const qsizetype p = IndexOfChar(s, u'(', from);
    const qsizetype e = p < 0 ? -1 : IndexOfChar(s, u')', p);
    if (e < 0)
        return QString();
    // A variable that holds a window ("WindowID(Window_0)") is named in full; otherwise the
    // "#" right after the bracket is skipped, and written as "WindowID( #W )" it follows a blank.
    const QStringView inside = QStringView(s).sliced(p + 1, e - p - 1);
    const QStringView argument = TrimView(inside);
    if (!argument.isEmpty() && (argument.at(0).isLetter() || argument.at(0) == QLatin1Char('_')))
        return argument.toString();
    const QStringView name = TrimView(inside.mid(1));
    return (name.startsWith(QLatin1Char('#')) ? TrimView(name.sliced(1)) : name).toString();
}

// The window of a CreateToolBar or CreateStatusBar line: the argument of the WindowID call
// after the command's own bracket. Null when the line creates no bar.
QString WindowOfBarLine(const QString &s, quint64 calls)
{
    for (const Call call : {CreateToolBar, CreateStatusBar}) {
        if (const qsizetype k = FindCall(s, calls, call); k >= 0)
            return WindowNameInBrackets(s, k + int(WindowCalls().call(call).size()) + 1);
    }
    return QString();
}

// The window an OpenWindow line opens: its first argument, after the "(#" of the call found at
// the index keyword; null when no comma ends it.
QString OpenedWindow(const QString &s, qsizetype keyword)
{
    const qsizetype p = keyword + 10; // the "("
    const qsizetype c = IndexOfChar(s, u',', p);
    return c < 0 ? QString() : TrimView(QStringView(s).sliced(p + 2, c - p - 2)).toString();
}

// The window a UseGadgetList line turns to. A gadget list of a gadget
// ("UseGadgetList(GadgetID(#Panel))") belongs to the window in use: null.
QString GadgetListWindow(const QString &s, qsizetype keyword)
{
    const qsizetype w = IndexOfCallNoCase(s, u"WINDOWID(", keyword);
    return w < 0 ? QString() : WindowNameInBrackets(s, w + 2);
}

bool IsPbAny(const QString &window)
{
    return UpperKeepLength(window) == QLatin1String("PB_ANY");
}

// The object a line that declares one creates other than a window, by the rules of the name
// collection.
Creation CreationOfLine(const QString &s, const DeclaringLine &declared)
{
    const ObjectDeclaration &declaration = declared.declaration;
    if (declaration.kind == ObjectKind::None || declaration.kind == ObjectKind::Window
        || (declaration.kind == ObjectKind::Gadget && declared.gadgetType.isNull()))
        return {};
    // A #PB_Any right after the bracket gives the name PB_Any (or none, without an end to the
    // argument): a name of another length is told apart without comparing.
    const QStringView name = DeclaredName(s, declaration.bracket);
    if (name.size() == 6 && IsPbAnyAtIndex(s, declaration.bracket + 2))
        return {};
    Creation creation;
    creation.bracket = declaration.bracket;
    creation.name = name;
    return creation;
}

// The characters of a line both walks ask about, found in one look at the line instead of a
// search for each: the first bracket, the window calls whose brackets the line holds, the first
// two "#" and whether a ";" lies in the first nine characters (a comment line). Searching for
// each cost an unchanged regeneration of 200 x 100 (bench/make_project.py) 4.5 M instructions
// more (callgrind).
struct LineMarks {
    qsizetype bracket = -1;
    quint64 calls = 0; // of the call set given
    std::array<qsizetype, 2> hashes{-1, -1};
    bool comment = false;

    LineMarks(QStringView s, const CallSet &callSet)
    {
        qsizetype found = 0;
        FindAnyOf(
            s, 0,
            [&](qsizetype at) {
                const QChar c = s[at];
                if (c == u'(') {
                    if (bracket < 0)
                        bracket = at;
                    calls |= callSet.callsAt(s, at);
                } else if (c == u'#' && found < 2) {
                    hashes[found++] = at;
                } else if (c == u';' && at < 9) {
                    comment = true;
                }
                return false;
            },
            u'(', u'#', u';');
    }

    // Whether the line holds a "#" other than the one at hash.
    bool hashBesides(qsizetype hash) const { return hashes[0] >= 0 && (hashes[0] != hash || hashes[1] >= 0); }
};

// Turns current to the window the calls of a line of code name. False, after logging why, when
// the line opens a window with #PB_Any.
bool TurnToWindowOfLine(PrefixPass &g, WindowsOfCode &code, const QString &s, quint64 calls, qsizetype i,
                        qint32 &current)
{
    if (calls == 0) // most lines
        return true;
    if (const qsizetype k = FindCall(s, calls, OpenWindow); k >= 0) {
        const QString window = OpenedWindow(s, k);
        if (IsPbAny(window)) {
            StopAtSourceLine(g.log, g.model, PbAnyWindowStopLine(SourceLocation(g.model, i)), i);
            return false;
        }
        current = code.windowNamed(window, i);
    } else if (const qsizetype u = FindCall(s, calls, UseGadgetList); u >= 0) {
        if (const QString window = GadgetListWindow(s, u); !window.isNull())
            current = code.windowNamed(window, i);
    } else if (const QString window = WindowOfBarLine(s, calls); !window.isEmpty()) {
        current = code.windowNamed(window, i);
    }
    return true;
}

} // namespace

bool WindowsOfCode::createdIn(qsizetype object, qint32 window) const
{
    const Creation &first = creations.at(object);
    if (first.windowSet < 0)
        return first.window == window;
    const size_t bit = size_t(window) + 1;
    return (windowSets[size_t(first.windowSet) * size_t(windowSetWords()) + bit / 64] >> (bit % 64)) & 1u;
}

bool WindowsOfCode::noteCreatedIn(qsizetype object, qint32 window)
{
    Creation &first = creations[object];
    const size_t words = size_t(windowSetWords());
    if (first.windowSet < 0) {
        if (first.window == window)
            return false;
        first.windowSet = qint32(windowSets.size() / words);
        windowSets.resize(windowSets.size() + words);
        const size_t bit = size_t(first.window) + 1;
        windowSets[size_t(first.windowSet) * words + bit / 64] |= quint64(1) << (bit % 64);
    }
    const size_t bit = size_t(window) + 1;
    quint64 &word = windowSets[size_t(first.windowSet) * words + bit / 64];
    if ((word >> (bit % 64)) & 1u)
        return false;
    word |= quint64(1) << (bit % 64);
    return true;
}

bool FindWindowsOfCode(PrefixPass &g, WindowsOfCode &code, qsizetype &stop)
{
    code.original = g.model.CommonSourceLines.texts();
    const SourceLineList &lines = code.original;
    QSet<qsizetype> variableLines;
    for (const VariableObject &object : std::as_const(g.model.VariableObjects))
        variableLines.insert(object.line);
    DeclarationReader reader(g.nameTables);
    const CallSet &windowCalls = WindowCalls();
    qint32 current = NoWindow;
    // Nearly every line of a window's code creates an object: the lists are made once.
    code.lines.reserve(lines.size());
    code.declaring.reserve(lines.size());
    code.creations.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &s = lines.at(i);
        const LineMarks marks(s, windowCalls);
        // Every statement the walk looks at has a bracket, and every declaration a "(#".
        const bool inCode = marks.bracket >= 0 && !marks.comment;
        DeclaringLine declared = marks.bracket >= 0 && marks.hashes[0] >= 0 ? reader.read(s, i) : DeclaringLine();
        Creation creation;
        if (declared.declaration.kind != ObjectKind::None) {
            if (inCode)
                creation = CreationOfLine(s, declared);
            code.declaring.append(std::move(declared));
        }
        if (inCode && !TurnToWindowOfLine(g, code, s, marks.calls, i, current)) {
            stop = i;
            return false;
        }
        const bool creates = !creation.name.isEmpty();
        code.lines.append({current, marks.comment, marks.hashBesides(creates ? creation.bracket + 1 : -1)});
        if (!creates)
            continue;
        creation.line = i;
        creation.window = current;
        creation.variable = variableLines.contains(i);
        code.creations.append(creation);
    }
    stop = lines.size();
    return true;
}

} // namespace quarvel::prefixes
