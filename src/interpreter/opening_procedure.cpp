#include "interpreter/opening_procedure.h"

#include "base/line_scan.h"
#include "model/generation_context.h"

namespace quarvel {

namespace {

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

QString HeadName(const QString &head)
{
    return TrimBlanks(head.section(QLatin1Char('('), 0, 0));
}

QStringList HeadArguments(const QString &head)
{
    const int open = FindString(head, QLatin1Char('('));
    const int close = FindBackward(head, QLatin1Char(')'));
    QStringList arguments;
    if (open == 0 || close <= open)
        return arguments;
    QString current;
    int depth = 0;
    bool inString = false;
    for (QChar c : Mid(head, open + 1, close - open - 1)) {
        if (c == QLatin1Char('"'))
            inString = !inString;
        else if (!inString && (c == QLatin1Char('(') || c == QLatin1Char('[')))
            ++depth;
        else if (!inString && (c == QLatin1Char(')') || c == QLatin1Char(']')))
            --depth;
        else if (!inString && depth == 0 && c == QLatin1Char(',')) {
            arguments.append(TrimBlanks(current));
            current.clear();
            continue;
        }
        current.append(c);
    }
    if (!TrimBlanks(current).isEmpty() || !arguments.isEmpty())
        arguments.append(TrimBlanks(current));
    return arguments;
}

namespace {

// A procedure can be called without arguments when it has none or each has a default.
bool CallableWithoutArguments(const QString &head)
{
    const QStringList arguments = HeadArguments(head);
    for (const QString &argument : arguments)
        if (!argument.contains(QLatin1Char('=')))
            return false;
    return true;
}

// The window a line opens by its constant, empty for any other line.
QString OpenedWindowConstant(const QString &line)
{
    const int k = FindCallNoCase(line, u"OPENWINDOW(#");
    if (k == 0)
        return QString();
    const int bracket = k + 10;
    const int comma = FindString(line, QLatin1Char(','), bracket);
    return Trim(Mid(line, bracket + 2, comma - bracket - 2));
}

struct Opener {
    QString head; // empty: the window is opened outside any procedure
    bool defined = false; // "Open_" + window is defined
};

Opener FindOpener(const SourceLineList &lines, const QString &window)
{
    const QString wanted = UpperKeepLength(QStringLiteral("Open_") + window);
    Opener opener;
    QString head;
    bool found = false;
    for (const QString &line : lines) {
        if (const QString h = ProcedureHead(line); !h.isEmpty()) {
            head = h;
            opener.defined = opener.defined || UpperKeepLength(HeadName(h)) == wanted;
        } else if (IsProcedureEnd(line))
            head.clear();
        else if (!found && UpperKeepLength(OpenedWindowConstant(line)) == UpperKeepLength(window)) {
            opener.head = head;
            found = true;
        }
    }
    return opener;
}

} // namespace

// Every line of the windows' code is asked whether it begins or ends a procedure; the first
// letter of its code answers for nearly all of them.
static bool CodeStartsWith(QStringView text, char16_t upperLetter)
{
    return !text.isEmpty() && UpperChar(text.front()) == QChar(upperLetter);
}

QString ProcedureHead(const QString &line)
{
    const QStringView text = TrimLeadingBlanksView(line);
    if (!CodeStartsWith(text, u'P') || !StartsNoCase(text, u"PROCEDURE"))
        return QString();
    qsizetype n = 9;
    for (const QStringView variant : {u"CDLL", u"DLL", u"C"})
        if (StartsNoCase(text.sliced(n), variant)) {
            n += variant.size();
            break;
        }
    if (n < text.size() && text.at(n) == QLatin1Char('.')) // the return type
        while (n < text.size() && !IsBlank(text.at(n)))
            ++n;
    if (n >= text.size() || !IsBlank(text.at(n)))
        return QString(); // ProcedureReturn, a Procedure... variable, a bare keyword
    return TrimBlanks(text.sliced(n));
}

bool IsProcedureEnd(const QString &line)
{
    const QStringView text = TrimLeadingBlanksView(line);
    return CodeStartsWith(text, u'E') && StartsNoCase(text, u"ENDPROCEDURE") && (text.size() == 12 || !IsIdentifierChar(UpperChar(text.at(12))));
}

void FindFirstWindowOpener(GenerationContext &g)
{
    if (g.model.WindowList.isEmpty())
        return;
    const QString window = g.model.WindowList.first();
    const Opener opener = FindOpener(g.model.CommonSourceLines, window);
    if (opener.defined || opener.head.isEmpty())
        return; // Open_ + window is there, or the load warned that no procedure opens it
    if (CallableWithoutArguments(opener.head)) {
        g.model.FirstWindowOpener = HeadName(opener.head) + QStringLiteral("()");
        return;
    }
    g.LogLine(QStringLiteral(" -> Warning: window #") + window + QStringLiteral(" is opened in Procedure ")
              + opener.head + QStringLiteral(", which Main.pb cannot call: not every argument has a default."
                                             " Add Procedure Open_")
              + window + QStringLiteral("() that calls it."));
}

} // namespace quarvel
