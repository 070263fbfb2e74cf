#include "interpreter/opening_procedure.h"

#include "base/basic_strings.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "model/design_model.h"
#include "model/log_sink.h"

#include <QSet>

namespace quarvel {

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

// How a window is opened: the procedure around its first OpenWindow line, and the head of
// "Open_" + window when that is defined.
struct Opener {
    QString head;        // empty: the window is opened outside any procedure
    QString name;        // the name of that procedure
    qsizetype line = -1; // its first OpenWindow line in CommonSourceLines
    QString definedHead; // the head of Open_ + window; empty when there is none
    bool defined = false;
};

// The openers of the first windows of the lines (at most count of them), by upper-cased name,
// in one pass over the lines. Most runs ask for the first window only.
QHash<QString, Opener> FindOpeners(const SourceLineList &lines, qsizetype count)
{
    QHash<QString, Opener> openers;
    QHash<QString, QString> heads; // upper-cased procedure name -> head
    QString head, name;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (const std::optional<ProcedureHead> h = ReadProcedureHead(line)) {
            head = h->text.toString();
            name = h->name.toString();
            heads.insert(UpperKeepLength(name), head);
        } else if (IsProcedureEnd(line)) {
            head.clear();
            name.clear();
        } else if (openers.size() == count) {
            continue;
        } else if (const QString window = OpenedWindowConstant(line); !window.isEmpty()) {
            const QString key = UpperKeepLength(window);
            if (!openers.contains(key))
                openers.insert(key, {head, name, i, QString(), false});
        }
    }
    for (auto it = openers.begin(); it != openers.end(); ++it) {
        const auto defined = heads.constFind(QStringLiteral("OPEN_") + it.key());
        it->defined = defined != heads.cend();
        it->definedHead = it->defined ? *defined : QString();
    }
    return openers;
}

// Whether Main.pb can open the window by a call without arguments.
bool Callable(const Opener &opener)
{
    if (opener.defined)
        return CallableWithoutArguments(opener.definedHead);
    return !opener.head.isEmpty() && CallableWithoutArguments(opener.head);
}

// The window an OpenWindow line asks for as its parent (WindowID(#Parent)) when that is
// another window of the design; empty otherwise.
QString ParentWindow(const QString &line, const QString &window, const QSet<QString> &windows)
{
    const int open = FindCallNoCase(line, u"OPENWINDOW(#");
    if (open == 0)
        return QString();
    for (int k = FindCallNoCase(line, u"WINDOWID(#", open + 1); k; k = FindCallNoCase(line, u"WINDOWID(#", k + 1)) {
        const int close = FindString(line, QLatin1Char(')'), k);
        if (close == 0)
            break;
        const QString parent = TrimBlanks(Mid(line, k + 10, close - k - 10));
        const QString key = UpperKeepLength(parent);
        if (windows.contains(key) && key != UpperKeepLength(window))
            return parent;
    }
    return QString();
}

} // namespace

QString OpenedWindowConstant(const QString &line)
{
    const int k = FindCallNoCase(line, u"OPENWINDOW(#");
    if (k == 0)
        return QString();
    const int bracket = k + 10;
    const int comma = FindString(line, QLatin1Char(','), bracket);
    if (comma == 0)
        return QString();
    return Trim(Mid(line, bracket + 2, comma - bracket - 2));
}

void ChooseMainWindow(DesignModel &model, LogSink &log)
{
    DesignModel &m = model;
    const QStringList &windows = m.WindowList;
    if (windows.isEmpty())
        return;
    const SourceLineList &lines = m.CommonSourceLines.texts();
    QHash<QString, Opener> openers = FindOpeners(lines, m.TakenOverWindows.isEmpty() ? 1 : windows.size());
    QSet<QString> keys;
    for (const QString &window : windows)
        keys.insert(UpperKeepLength(window));
    const auto opener = [&](const QString &window) { return openers.value(UpperKeepLength(window)); };
    const auto parent = [&](const QString &window) {
        const Opener o = opener(window);
        return o.line < 0 ? QString() : ParentWindow(lines.at(o.line), window, keys);
    };
    const auto opensFirst = [&](const QString &window) { return Callable(opener(window)) && parent(window).isEmpty(); };
    const auto fileOf = [&](const QString &window) { return m.CommonSourceLines.origin(opener(window).line).file; };

    // The window a file's top-level code opened is its program's main window; otherwise the
    // first window that can open before any other does.
    qsizetype chosen = opensFirst(windows.first()) && m.TakenOverWindows.isEmpty() ? 0 : -1;
    if (chosen < 0 && openers.size() < windows.size())
        openers = FindOpeners(lines, windows.size());
    for (qsizetype i = 0; i < windows.size() && chosen < 0; ++i)
        if (m.TakenOverWindows.contains(windows.at(i)) && fileOf(windows.at(i)) == fileOf(windows.first())
            && opensFirst(windows.at(i)))
            chosen = i;
    for (qsizetype i = 0; i < windows.size() && chosen < 0; ++i)
        if (opensFirst(windows.at(i)))
            chosen = i;
    m.MainWindow = windows.at(qMax(chosen, qsizetype(0)));

    if (chosen > 0) {
        const QString first = windows.first();
        const Opener o = opener(first);
        const QString why = !parent(first).isEmpty()
                                ? QStringLiteral("asks for window #") + parent(first) + QStringLiteral(" as its parent")
                            : !Callable(o) ? QStringLiteral("cannot be opened by a call without arguments")
                                           : QStringLiteral("is opened by a procedure, #") + m.MainWindow
                                                 + QStringLiteral(" by the program's own code");
        const qsizetype mainLine = opener(m.MainWindow).line;
        WarnAtSourceLine(log, model,
                         QStringLiteral(" -> Warning: Main.pb opens window #") + m.MainWindow
                             + QStringLiteral(" first (") + SourceLocation(m, mainLine) + QStringLiteral("): window #")
                             + first + QStringLiteral(" (") + SourceLocation(m, o.line) + QStringLiteral(") ") + why
                             + QLatin1Char('.'),
                         mainLine);
    }

    const Opener o = opener(m.MainWindow);
    m.FirstWindowInvisible = o.line >= 0
                             && FindNoCase(BlankedCode(lines.at(o.line)), QStringLiteral("#PB_WINDOW_INVISIBLE"));
    if (o.defined || o.head.isEmpty())
        return; // Open_ + window is there, or the load warned that no procedure opens it
    if (CallableWithoutArguments(o.head)) {
        m.FirstWindowOpener = o.name + QStringLiteral("()");
        return;
    }
    WarnAtSourceLine(log, model,
                     QStringLiteral(" -> Warning: window #") + m.MainWindow + QStringLiteral(" is opened in Procedure ")
                         + o.head + QStringLiteral(" (") + SourceLocation(m, o.line)
                         + QStringLiteral("), which Main.pb cannot call: not every argument has a default."
                                          " Add Procedure Open_")
                         + m.MainWindow + QStringLiteral("() that calls it."),
                     o.line);
}

} // namespace quarvel
