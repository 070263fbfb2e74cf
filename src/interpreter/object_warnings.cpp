#include "interpreter/object_warnings.h"

#include "base/line_scan.h"
#include "interpreter/opening_procedure.h"
#include "interpreter/pb_any_objects.h"
#include "model/generation_context.h"

#include <QFileInfo>

namespace quarvel {

namespace {

// The bracket of a call of command (with its "("), 0 when the line has none. A longer name
// ending in the same letters (IsWindow, DisableMenuItem) is another command.
int CallBracket(const QString &line, QStringView command)
{
    const int k = FindCommandNoCase(line, command);
    return k ? k + int(command.size()) - 1 : 0;
}

QString FirstArgument(const QString &line, int bracket)
{
    const int comma = FindString(line, QLatin1Char(','), bracket);
    const int close = FindString(line, QLatin1Char(')'), bracket);
    const int end = (comma && close) ? qMin(comma, close) : qMax(comma, close);
    return TrimBlanks(Mid(line, bracket + 1, end - bracket - 1));
}

bool IsPlainNumber(const QString &argument)
{
    return !argument.isEmpty() && argument.at(0).isDigit();
}

// The name a window is known by: its constant, or the variable that holds a #PB_Any window.
QString WindowName(const QString &line, int bracket, const QString &argument)
{
    if (!argument.startsWith(QLatin1Char('#')))
        return argument;
    if (!IsPbAnyAt(argument, 2))
        return TrimBlanks(argument.mid(1));
    const QString before = TrimBlanks(Left(line, bracket - 10));
    return before.endsWith(QLatin1Char('=')) ? TrimBlanks(before.chopped(1)) : QString();
}

struct FileScan {
    GenerationContext &g;
    QString file;

    void warn(const QString &what, int lineNumber, const QString &advice)
    {
        g.LogLine(QStringLiteral(" -> Warning: ") + what + QStringLiteral(" (") + file + QLatin1Char(':')
                  + QString::number(lineNumber) + QStringLiteral("); ") + advice);
    }

    void checkWindow(const QString &line, int bracket, int lineNumber, bool inProcedure)
    {
        const QString argument = FirstArgument(line, bracket);
        if (IsPlainNumber(argument)) {
            warn(QStringLiteral("window ") + argument + QStringLiteral(" is opened with a plain number"), lineNumber,
                 QStringLiteral("give it a constant, such as #Window_") + argument + QStringLiteral(", to generate it."));
            return;
        }
        const QString name = WindowName(line, bracket, argument);
        if (inProcedure || name.isEmpty())
            return;
        const QString shown = argument.startsWith(QLatin1Char('#')) && !IsPbAnyAt(argument, 2) ? QStringLiteral("#") + name : name;
        warn(QStringLiteral("window ") + shown + QStringLiteral(" is opened outside a procedure"), lineNumber,
             QStringLiteral("put its code in Procedure Open_") + name + QStringLiteral("() to generate it."));
    }

    void checkNumberedItem(const QString &line, int bracket, int lineNumber, const char *what)
    {
        const QString argument = FirstArgument(line, bracket);
        if (IsPlainNumber(argument))
            warn(QLatin1String(what) + QLatin1Char(' ') + argument + QStringLiteral(" has a plain number"), lineNumber,
                 QStringLiteral("it is left as written and gets no event procedure."));
    }
};

// The calls checked here; a line holding none of them needs none of the searches.
const CallSet &CheckedCalls()
{
    static const CallSet calls{u"OPENWINDOW(", u"MENUITEM(", u"TOOLBARSTANDARDBUTTON(", u"TOOLBARIMAGEBUTTON("};
    return calls;
}

} // namespace

void WarnUngeneratableObjects(GenerationContext &g, const QString &listedPath, const QStringList &lines)
{
    FileScan scan{g, QFileInfo(listedPath).fileName()};
    bool inProcedure = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (!ProcedureHead(line).isEmpty())
            inProcedure = true;
        else if (IsProcedureEnd(line))
            inProcedure = false;
        if (!CheckedCalls().callsIn(line) || TrimLeadingBlanksView(line).startsWith(QLatin1Char(';')))
            continue;
        if (const int b = CallBracket(line, u"OPENWINDOW("))
            scan.checkWindow(line, b, i + 1, inProcedure);
        if (const int b = CallBracket(line, u"MENUITEM("))
            scan.checkNumberedItem(line, b, i + 1, "menu item");
        for (const QStringView button : {u"TOOLBARSTANDARDBUTTON(", u"TOOLBARIMAGEBUTTON("})
            if (const int b = CallBracket(line, button))
                scan.checkNumberedItem(line, b, i + 1, "toolbar button");
    }
}

} // namespace quarvel
