#include "interpreter/window_prefixes.h"

#include "base/line_scan.h"
#include "base/word_memo.h"
#include "interpreter/pb_any_objects.h"
#include "model/generation_context.h"

#include <QSet>

namespace quarvel {

namespace {

// The calls the pass looks for.
enum Call {
    OpenWindow, UseGadgetList, CreateGadgetList, CreateToolBar, CreateStatusBar, AddStatusBarField,
    ToolBarHeight, StatusBarHeight, BalloonTip, ToolBarToolTip, DisableToolBarButton,
    GetToolBarButtonState, SetToolBarButtonState, SplitterGadget, MdiGadget,
};

const CallSet &PrefixCalls()
{
    static const CallSet calls{
        u"OPENWINDOW(#", u"USEGADGETLIST(", u"CREATEGADGETLIST(", u"CREATETOOLBAR(", u"CREATESTATUSBAR(",
        u"ADDSTATUSBARFIELD(", u"TOOLBARHEIGHT(", u"STATUSBARHEIGHT(", u"BALLOONTIP(", u"TOOLBARTOOLTIP(",
        u"DISABLETOOLBARBUTTON(", u"GETTOOLBARBUTTONSTATE(", u"SETTOOLBARBUTTONSTATE(", u"SPLITTERGADGET(",
        u"MDIGADGET(",
    };
    return calls;
}

constexpr quint64 Bit(Call call)
{
    return quint64(1) << call;
}

// The calls whose names hold "BAR".
constexpr quint64 BarCalls = Bit(CreateToolBar) | Bit(CreateStatusBar) | Bit(AddStatusBarField) | Bit(ToolBarHeight)
                             | Bit(StatusBarHeight) | Bit(ToolBarToolTip) | Bit(DisableToolBarButton)
                             | Bit(GetToolBarButtonState) | Bit(SetToolBarButtonState);

// One line being rewritten, with the calls it holds: a call it does not hold is not searched for.
struct Line {
    QString text;
    quint64 calls;

    explicit Line(const QString &s) : text(s), calls(PrefixCalls().callsIn(s)) {}
    bool has(quint64 someCalls) const { return (calls & someCalls) != 0; }
    int find(Call call, int start = 1) const
    {
        return has(Bit(call)) ? FindCallNoCase(text, PrefixCalls().call(call), start) : 0;
    }
    int find(QChar c, int start = 1) const { return FindString(text, c, start); }
    // Every insertion follows the "#" of a constant; #PB_Any names no object of its own and
    // stays as written.
    void insertAfter(int position, const QString &insertion)
    {
        if (insertion.isEmpty() || IsPbAnyAt(text, position + 1))
            return;
        text = InsertAfter(text, position, insertion);
        // A prefix cut from a damaged line may bring calls of its own; every one is searched.
        if (IndexOfChar(insertion, u'(') >= 0)
            calls = ~quint64(0);
    }
};

// Whether the word before a bracket names a command, remembered for each word as written.
struct CommandWords {
    const NameTables &tables;
    WordMemo<bool> known;

    bool isCommand(QStringView word)
    {
        return known.value(word, [&](QStringView w) {
            return tables.isCommand(w.isNull() ? QString() : UpperKeepLength(w));
        });
    }
};

// A comment line: its first ";" lies in the first nine characters. The indentation of
// commented-out code is short; a ";" further right ends a statement.
bool IsCommentLine(const QString &s)
{
    return IndexOfChar(QStringView(s).first(qMin(s.size(), qsizetype(9))), u';') >= 0;
}

// The window named inside the first "WindowID(#...)" bracket pair of a line, starting the
// bracket search at from.
QString WindowNameInBrackets(const Line &s, int from)
{
    const int p = s.find(QLatin1Char('('), from);
    const int e = s.find(QLatin1Char(')'), p);
    // A variable that holds a window ("WindowID(Window_0)") is named in full; otherwise the
    // "#" right after the bracket is skipped, and written as "WindowID( #W )" it follows a blank.
    const QString argument = Trim(Mid(s.text, p + 1, e - p - 1));
    if (!argument.isEmpty() && (argument.at(0).isLetter() || argument.at(0) == QLatin1Char('_')))
        return argument;
    const QString name = Trim(Mid(s.text, p + 2, e - p - 2));
    return name.startsWith(QLatin1Char('#')) ? Trim(name.mid(1)) : name;
}

// The window of a CreateToolBar or CreateStatusBar line: the argument of the WindowID call
// after the command's own bracket. Empty when the line creates no bar.
QString WindowOfBarLine(const Line &s)
{
    for (const Call call : {CreateToolBar, CreateStatusBar}) {
        if (const int k = s.find(call))
            return WindowNameInBrackets(s, k + int(PrefixCalls().call(call).size()) + 1);
    }
    return QString();
}

// ToolBarHeight and StatusBarHeight calls take the prefix wherever they stand in the line.
// Returns the positions of the brackets whose "#" got the prefix.
QSet<int> PrefixHeightQueries(Line &s, const QString &prefix)
{
    QSet<int> done;
    for (const Call call : {ToolBarHeight, StatusBarHeight}) {
        for (int k = s.find(call); k;) {
            const int q = s.find(QLatin1Char('('), k);
            int next = k + 1;
            // A numbered bar (ToolBarHeight(0)) has no constant to qualify.
            if (q < s.text.size() && s.text.at(q) == QLatin1Char('#')) {
                s.insertAfter(q + 1, prefix);
                done.insert(q);
                // The search goes on behind the prefix: a prefix taken from a damaged line may
                // hold the keyword itself and would otherwise be prefixed again without end.
                next = q + 2 + int(prefix.size());
            }
            k = s.find(call, next);
        }
    }
    return done;
}

// The constant after the first comma of a call, when the line has the call.
void PrefixConstantAfterFirstComma(Line &s, Call call, const QString &prefix)
{
    const int t = s.find(call);
    if (t == 0)
        return;
    const int c = s.find(QLatin1Char(','), t);
    const int h = s.find(QLatin1Char('#'), c + 1);
    if (c && h)
        s.insertAfter(h, prefix);
}

// Balloon tips and the toolbar button calls name a second object after the first comma.
void PrefixSecondArgument(Line &s, bool bars, const QString &prefix)
{
    PrefixConstantAfterFirstComma(s, BalloonTip, prefix);
    if (!bars)
        return;
    for (const Call call : {ToolBarToolTip, DisableToolBarButton, GetToolBarButtonState, SetToolBarButtonState})
        PrefixConstantAfterFirstComma(s, call, prefix);
}

// The sixth and seventh arguments of SplitterGadget (its two children) and MDIGadget, each
// only when it is a constant: a child held in a variable has no name to qualify.
void PrefixSixthAndSeventhArguments(Line &s, Call call, const QString &prefix)
{
    const int v = s.find(call);
    if (v == 0)
        return;
    const CallShape shape = ShapeOfCall(s.text, v + int(PrefixCalls().call(call).size()) - 1);
    // The seventh first, so that the sixth's prefix moves no position still to be used.
    for (const qsizetype comma : {5, 4}) {
        if (comma >= shape.commas.size())
            continue;
        const QStringView argument = QStringView(s.text).sliced(shape.commas.at(comma));
        const int h = int(s.text.size() - TrimLeadingBlanksView(argument).size()) + 1;
        if (h <= s.text.size() && s.text.at(h - 1) == QLatin1Char('#'))
            s.insertAfter(h, prefix);
    }
}

// The first object argument, when the word before "(#" is a command that takes one and the
// bracket is not a height query's, which has its prefix already.
void PrefixFirstObjectArgument(Line &s, const QSet<int> &heightBrackets, CommandWords &commands,
                               const QString &prefix)
{
    const int object = FindString(s.text, QStringLiteral("(#"));
    if (object && !heightBrackets.contains(object) && commands.isCommand(WordBefore(s.text, object)))
        s.insertAfter(object + 1, prefix);
}

// The object constants of a line inside a window take the prefix. A toolbar or status bar
// line first makes its own window the prefix of the lines from here on.
void PrefixObjectsOfLine(Line &s, QString &prefix, CommandWords &commands)
{
    // The toolbar and status bar commands all have "BAR" in their names; the searches for them
    // are skipped on a line without those letters. Only a prefix holding a bracket can bring
    // such a call into a line that has the letters but none of the calls.
    const bool bars = s.has(BarCalls)
                      || (IndexOfChar(prefix, u'(') >= 0 && FindNoCase(s.text, QStringLiteral("BAR")));
    if (const QString window = bars ? WindowOfBarLine(s) : QString(); !window.isEmpty())
        prefix = window + QLatin1Char('_');
    if (s.find(CreateGadgetList) || (bars && s.find(AddStatusBarField)))
        return;
    const QSet<int> heightBrackets = bars ? PrefixHeightQueries(s, prefix) : QSet<int>();
    PrefixFirstObjectArgument(s, heightBrackets, commands, prefix);
    PrefixSecondArgument(s, bars, prefix);
    PrefixSixthAndSeventhArguments(s, SplitterGadget, prefix);
    PrefixSixthAndSeventhArguments(s, MdiGadget, prefix);
}

// The window an OpenWindow line opens: its first argument, found at keyword.
QString OpenedWindow(const Line &s, int keyword)
{
    const int p = keyword + 10;
    const int c = s.find(QLatin1Char(','), p);
    return Trim(Mid(s.text, p + 2, c - p - 2));
}

// The window a UseGadgetList line turns to.
QString GadgetListWindow(const Line &s)
{
    const int w = FindCallNoCase(s.text, u"WINDOWID(");
    return WindowNameInBrackets(s, w + 2);
}

// A window without a constant gives its objects no prefix to take.
bool IsPbAny(const QString &window)
{
    return UpperKeepLength(window) == QLatin1String("PB_ANY");
}

} // namespace

bool InsertWindowPrefixes(GenerationContext &g)
{
    QString prefix;
    CommandWords commands{g.nameTables, {}};
    for (QString &text : g.model.CommonSourceLines) {
        // Every statement the pass looks at has a bracket.
        if (IsCommentLine(text) || IndexOfChar(text, u'(') < 0)
            continue;
        Line s(text);
        if (const int k = s.find(OpenWindow)) {
            const QString window = OpenedWindow(s, k);
            if (IsPbAny(window)) {
                g.LogLine(QStringLiteral(" -> Error: Find OpenWindow with '#PB_Any', Not supported. Stop!"));
                return false;
            }
            prefix = window + QLatin1Char('_');
        } else if (s.find(UseGadgetList)) {
            prefix = GadgetListWindow(s) + QLatin1Char('_');
        } else {
            PrefixObjectsOfLine(s, prefix, commands);
            text = s.text;
        }
    }
    return true;
}

} // namespace quarvel
