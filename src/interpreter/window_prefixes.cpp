#include "interpreter/window_prefixes.h"

#include "base/line_scan.h"
#include "interpreter/pb_any_objects.h"
#include "model/generation_context.h"

#include <QSet>

namespace quarvel {

namespace {

// One line being rewritten, with its upper-cased copy for the keyword searches.
struct Line {
    QString text;
    QString upper;

    explicit Line(const QString &s) : text(s), upper(UpperKeepLength(s)) {}
    int find(const QString &upperKeyword, int start = 1) const
    {
        return FindString(upper, upperKeyword, start);
    }
    int find(QChar c, int start = 1) const { return FindString(text, c, start); }
    // Every insertion follows the "#" of a constant; #PB_Any names no object of its own and
    // stays as written.
    void insertAfter(int position, const QString &insertion)
    {
        if (insertion.isEmpty() || IsPbAnyAt(text, position + 1))
            return;
        text = InsertAfter(text, position, insertion);
        upper = InsertAfter(upper, position, UpperKeepLength(insertion));
    }
};

// A comment line: its first ";" lies in the first nine characters. The indentation of
// commented-out code is short; a ";" further right ends a statement.
bool IsCommentLine(const QString &s)
{
    const int semicolon = FindString(s, QLatin1Char(';'));
    return semicolon >= 1 && semicolon <= 9;
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
    static const QString keywords[] = {QStringLiteral("CREATETOOLBAR("), QStringLiteral("CREATESTATUSBAR(")};
    for (const QString &keyword : keywords) {
        if (const int k = s.find(keyword))
            return WindowNameInBrackets(s, k + int(keyword.size()) + 1);
    }
    return QString();
}

// ToolBarHeight and StatusBarHeight calls take the prefix wherever they stand in the line.
// Returns the positions of the brackets whose "#" got the prefix.
QSet<int> PrefixHeightQueries(Line &s, const QString &prefix)
{
    QSet<int> done;
    static const QString keywords[] = {QStringLiteral("TOOLBARHEIGHT("), QStringLiteral("STATUSBARHEIGHT(")};
    for (const QString &keyword : keywords) {
        for (int k = s.find(keyword); k;) {
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
            k = s.find(keyword, next);
        }
    }
    return done;
}

// The constant after the first comma of a call, when the line has the call.
void PrefixConstantAfterFirstComma(Line &s, const QString &keyword, const QString &prefix)
{
    const int t = s.find(keyword);
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
    static const QString toolBarCalls[] = {
        QStringLiteral("TOOLBARTOOLTIP("), QStringLiteral("DISABLETOOLBARBUTTON("),
        QStringLiteral("GETTOOLBARBUTTONSTATE("), QStringLiteral("SETTOOLBARBUTTONSTATE("),
    };
    PrefixConstantAfterFirstComma(s, QStringLiteral("BALLOONTIP("), prefix);
    if (!bars)
        return;
    for (const QString &keyword : toolBarCalls)
        PrefixConstantAfterFirstComma(s, keyword, prefix);
}

// The sixth and seventh arguments of SplitterGadget (its two children) and MDIGadget.
void PrefixSixthAndSeventhArguments(Line &s, const QString &keyword, const QString &prefix)
{
    const int v = s.find(keyword);
    if (v == 0)
        return;
    int x = v;
    for (int i = 0; i < 5; ++i)
        x = s.find(QLatin1Char(','), x) + 1;
    const int h = s.find(QLatin1Char('#'), x);
    if (h)
        s.insertAfter(h, prefix);
    x = s.find(QLatin1Char(','), h) + 1;
    const int h2 = s.find(QLatin1Char('#'), x);
    if (h2)
        s.insertAfter(h2, prefix);
}

// The first object argument, when the word before "(#" is a command that takes one and the
// bracket is not a height query's, which has its prefix already.
void PrefixFirstObjectArgument(Line &s, const QSet<int> &heightBrackets, const NameTables &tables,
                               const QString &prefix)
{
    const int object = FindString(s.text, QStringLiteral("(#"));
    if (object && !heightBrackets.contains(object) && tables.isCommand(UpperWordBefore(s.text, object)))
        s.insertAfter(object + 1, prefix);
}

// The object constants of a line inside a window take the prefix. A toolbar or status bar
// line first makes its own window the prefix of the lines from here on.
void PrefixObjectsOfLine(Line &s, QString &prefix, const NameTables &tables)
{
    // The toolbar and status bar commands all have "BAR" in their names; most lines have
    // none, and skip those searches.
    const bool bars = s.find(QStringLiteral("BAR")) != 0;
    if (const QString window = bars ? WindowOfBarLine(s) : QString(); !window.isEmpty())
        prefix = window + QLatin1Char('_');
    if (s.find(QStringLiteral("CREATEGADGETLIST(")) || (bars && s.find(QStringLiteral("ADDSTATUSBARFIELD("))))
        return;
    const QSet<int> heightBrackets = bars ? PrefixHeightQueries(s, prefix) : QSet<int>();
    PrefixFirstObjectArgument(s, heightBrackets, tables, prefix);
    PrefixSecondArgument(s, bars, prefix);
    PrefixSixthAndSeventhArguments(s, QStringLiteral("SPLITTERGADGET("), prefix);
    PrefixSixthAndSeventhArguments(s, QStringLiteral("MDIGADGET("), prefix);
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
    const int w = s.find(QStringLiteral("WINDOWID("));
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
    for (QString &text : g.model.CommonSourceLines) {
        // Every statement the pass looks at has a bracket.
        if (IsCommentLine(text) || !text.contains(QLatin1Char('(')))
            continue;
        Line s(text);
        if (const int k = s.find(QStringLiteral("OPENWINDOW(#"))) {
            const QString window = OpenedWindow(s, k);
            if (IsPbAny(window)) {
                g.LogLine(QStringLiteral(" -> Error: Find OpenWindow with '#PB_Any', Not supported. Stop!"));
                return false;
            }
            prefix = window + QLatin1Char('_');
        } else if (s.find(QStringLiteral("USEGADGETLIST("))) {
            prefix = GadgetListWindow(s) + QLatin1Char('_');
        } else {
            PrefixObjectsOfLine(s, prefix, g.nameTables);
            text = s.text;
        }
    }
    return true;
}

} // namespace quarvel
