#include "interpreter/object_warnings.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_search.h"
#include "model/design_model.h"
#include "model/log_messages.h"
#include "model/log_sink.h"

#include <QFileInfo>

namespace quarvel {

namespace {

// The index of the "(" of a call of command (with its "("), -1 when the line has none. A longer
// name ending in the same letters (IsWindow, DisableMenuItem) is another command.
qsizetype CallBracket(const QString &line, QStringView command)
{
    const qsizetype k = IndexOfCommandNoCase(line, command);
    return k < 0 ? -1 : k + command.size() - 1;
}

QString FirstArgument(const QString &line, qsizetype bracket)
{
    return TrimBlanks(TextBeforeCommaOrClose(line, bracket + 1));
}

bool IsPlainNumber(const QString &argument)
{
    return !argument.isEmpty() && argument.at(0).isDigit();
}

struct FileScan {
    DesignModel &model;
    LogSink &log;
    QString file;       // the name the warnings give
    QString listedPath; // as the project lists it

    QString location(int lineNumber) const { return file + QLatin1Char(':') + QString::number(lineNumber); }

    void warn(const QString &what, int lineNumber, const QString &advice)
    {
        log.Warning(NotGeneratedWarning(what, location(lineNumber), advice), listedPath, lineNumber);
    }

    // The first window that cannot be generated is the reason when no window is found at all.
    void noteUngenerated(const QString &what, int lineNumber)
    {
        if (!model.FirstUngeneratedWindow.isEmpty())
            return;
        model.FirstUngeneratedWindow = what + QStringLiteral(" (") + location(lineNumber) + QLatin1Char(')');
        model.FirstUngeneratedFile = listedPath;
        model.FirstUngeneratedLine = lineNumber;
    }

    void checkWindow(const QString &line, qsizetype bracket, int lineNumber)
    {
        const QString argument = FirstArgument(line, bracket);
        if (!IsPlainNumber(argument))
            return;
        const QString what = QStringLiteral("window ") + argument + QStringLiteral(" is opened with a plain number");
        warn(what, lineNumber,
             QStringLiteral("give it a constant, such as #Window_") + argument + QStringLiteral(", to generate it."));
        noteUngenerated(what, lineNumber);
    }

    // A window opened by top-level code that is not taken over: the reason, and what to do.
    void checkTopLevelWindow(const WindowOpening &window)
    {
        if (window.refusal.isEmpty())
            return;
        const int lineNumber = window.first + 1;
        const QString what = QStringLiteral("window ") + window.shown
                             + QStringLiteral(" is opened outside a procedure");
        const QString advice = !window.name.isEmpty() ? QStringLiteral("open it in one place to generate it.")
                               : window.shown.startsWith(QLatin1Char('#')) ? QStringLiteral(
                                     "keep its number in a variable (hWnd = OpenWindow(#PB_Any, ...)) to generate it.")
                                                                           : QStringLiteral(
                                                                               "give it a constant to generate it.");
        log.Warning(NotTakenOverWarning(what, location(lineNumber), window.refusal, advice), listedPath, lineNumber);
        noteUngenerated(what + QStringLiteral(" and not taken over"), lineNumber);
    }

    void checkNumberedItem(const QString &line, qsizetype bracket, int lineNumber, const char *what)
    {
        const QString argument = FirstArgument(line, bracket);
        if (IsPlainNumber(argument))
            warn(QLatin1String(what) + QLatin1Char(' ') + argument + QStringLiteral(" has a plain number"), lineNumber,
                 QStringLiteral("it is left as written and gets no event procedure."));
    }
};

// Whether a call of the line may be given a plain number: a "(" followed by a digit. Only such
// a line, or one that opens a window outside a procedure, can be warned about.
bool MayNumberObject(QStringView line)
{
    return FindAnyOf(
               line, 0,
               [line](qsizetype bracket) {
                   const QStringView argument = TrimLeadingBlanksView(line.sliced(bracket + 1));
                   return !argument.isEmpty() && argument.front().isDigit();
               },
               u'(')
           >= 0;
}

// The calls checked here; a line holding none of them needs none of the searches.
const CallSet &CheckedCalls()
{
    static const CallSet calls{
        {0, u"OPENWINDOW("}, {1, u"MENUITEM("}, {2, u"TOOLBARSTANDARDBUTTON("}, {3, u"TOOLBARIMAGEBUTTON("}};
    return calls;
}

} // namespace

void WarnUngeneratableObjects(DesignModel &model, LogSink &log, const QString &listedPath, const QStringList &lines,
                              const QList<WindowOpening> &topLevelWindows)
{
    FileScan scan{model, log, QFileInfo(listedPath).fileName(), listedPath};
    QHash<int, const WindowOpening *> topLevel; // by the line of its OpenWindow
    for (const WindowOpening &window : topLevelWindows)
        topLevel.insert(window.first, &window);
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        // Looking for the calls on lines that cannot be warned about cost an unchanged
        // regeneration of 200 x 100 (bench/make_project.py) 9.5 M instructions here, 4.5 M
        // this way (callgrind).
        if ((!MayNumberObject(line) && !topLevel.contains(i)) || !CheckedCalls().callsIn(line)
            || TrimLeadingBlanksView(line).startsWith(QLatin1Char(';')))
            continue;
        if (const qsizetype b = CallBracket(line, u"OPENWINDOW("); b >= 0)
            scan.checkWindow(line, b, i + 1);
        if (const WindowOpening *window = topLevel.value(i))
            scan.checkTopLevelWindow(*window);
        if (const qsizetype b = CallBracket(line, u"MENUITEM("); b >= 0)
            scan.checkNumberedItem(line, b, i + 1, "menu item");
        for (const QStringView button : {u"TOOLBARSTANDARDBUTTON(", u"TOOLBARIMAGEBUTTON("})
            if (const qsizetype b = CallBracket(line, button); b >= 0)
                scan.checkNumberedItem(line, b, i + 1, "toolbar button");
    }
}

} // namespace quarvel
