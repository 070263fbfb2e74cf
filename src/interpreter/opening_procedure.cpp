#include "interpreter/opening_procedure.h"

#include "base/basic_strings.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "model/design_model.h"
#include "model/log_messages.h"
#include "model/log_sink.h"

#include <QSet>

#include <optional>

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

// The openers of the first windows of the lines (at most count of them), by name in any
// letter case, in one pass over the lines. Most runs ask for the first window only.
QHash<NoCaseKey, Opener> FindOpeners(const SourceLineList &lines, qsizetype count)
{
    QHash<NoCaseKey, Opener> openers;
    QHash<NoCaseKey, QString> heads; // procedure name -> head
    QString head, name;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (const std::optional<ProcedureHead> h = ReadProcedureHead(line)) {
            head = h->text.toString();
            name = h->name.toString();
            heads.insert(NoCaseKey::Holding(name), head);
        } else if (IsProcedureEnd(line)) {
            head.clear();
            name.clear();
        } else if (openers.size() == count) {
            continue;
        } else if (const QString window = OpenedWindowConstant(line); !window.isEmpty()) {
            const NoCaseKey key = NoCaseKey::Holding(window);
            if (!openers.contains(key))
                openers.insert(key, {head, name, i, QString(), false});
        }
    }
    for (auto it = openers.begin(); it != openers.end(); ++it) {
        const QString opener = QStringLiteral("Open_") + it.key().text().toString();
        const auto defined = heads.constFind(NoCaseKey(opener));
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
QString ParentWindow(const QString &line, const QString &window, const QSet<NoCaseKey> &windows)
{
    const qsizetype open = IndexOfCallNoCase(line, u"OPENWINDOW(#");
    if (open < 0)
        return QString();
    for (qsizetype k = IndexOfCallNoCase(line, u"WINDOWID(#", open + 1); k >= 0;
         k = IndexOfCallNoCase(line, u"WINDOWID(#", k + 1)) {
        const qsizetype close = IndexOfChar(line, u')', k);
        if (close < 0)
            break;
        const QString parent = TrimBlanks(QStringView(line).sliced(k + 10, close - k - 10));
        if (windows.contains(NoCaseKey(parent)) && NoCaseKey(parent) != NoCaseKey(window))
            return parent;
    }
    return QString();
}

} // namespace

QString OpenedWindowConstant(const QString &line)
{
    const qsizetype k = IndexOfCallNoCase(line, u"OPENWINDOW(#");
    if (k < 0)
        return QString();
    const qsizetype comma = IndexOfChar(line, u',', k);
    if (comma < 0)
        return QString();
    return Trim(line.sliced(k + 12, comma - k - 12)); // the constant after "OpenWindow(#"
}

namespace {

// How each window of the model is opened, and what that tells of the order they can open in.
class WindowOpenings {
public:
    explicit WindowOpenings(const DesignModel &model)
        : model_(model),
          openers_(
              FindOpeners(model.CommonSourceLines.texts(), model.TakenOverWindows.isEmpty() ? 1 : Windows().size()))
    {
        for (const QString &window : Windows())
            keys_.insert(NoCaseKey(window));
    }

    const QStringList &Windows() const { return model_.WindowList; }
    Opener Of(const QString &window) const { return openers_.value(NoCaseKey(window)); }
    QString Parent(const QString &window) const
    {
        const Opener o = Of(window);
        return o.line < 0 ? QString() : ParentWindow(model_.CommonSourceLines.at(o.line), window, keys_);
    }
    bool OpensFirst(const QString &window) const { return Callable(Of(window)) && Parent(window).isEmpty(); }

    // The window a file's top-level code opened is its program's main window; otherwise the
    // first window that can open before any other does. 0 when none can.
    qsizetype ChooseFirst()
    {
        const QStringList &windows = Windows();
        const QList<QString> &takenOver = model_.TakenOverWindows;
        if (OpensFirst(windows.first()) && takenOver.isEmpty())
            return 0;
        if (openers_.size() < windows.size())
            openers_ = FindOpeners(model_.CommonSourceLines.texts(), windows.size());
        for (qsizetype i = 0; i < windows.size(); ++i)
            if (takenOver.contains(windows.at(i)) && FileOf(windows.at(i)) == FileOf(windows.first())
                && OpensFirst(windows.at(i)))
                return i;
        for (qsizetype i = 0; i < windows.size(); ++i)
            if (OpensFirst(windows.at(i)))
                return i;
        return 0;
    }

private:
    qint32 FileOf(const QString &window) const { return model_.CommonSourceLines.origin(Of(window).line).file; }

    const DesignModel &model_;
    QHash<NoCaseKey, Opener> openers_;
    QSet<NoCaseKey> keys_; // view the model's window names
};

// Main.pb opens another window than the first one: the log says why the first cannot be.
void WarnFirstPassedOver(const DesignModel &m, const WindowOpenings &openings, LogSink &log)
{
    const QString first = m.WindowList.first();
    const Opener o = openings.Of(first);
    const QString parent = openings.Parent(first);
    const QString why = !parent.isEmpty()
                            ? QStringLiteral("asks for window #") + parent + QStringLiteral(" as its parent")
                        : !Callable(o) ? QStringLiteral("cannot be opened by a call without arguments")
                                       : QStringLiteral("is opened by a procedure, #") + m.MainWindow
                                             + QStringLiteral(" by the program's own code");
    const qsizetype mainLine = openings.Of(m.MainWindow).line;
    WarnAtSourceLine(
        log, m,
        MainOpensOtherFirstWarning(m.MainWindow, SourceLocation(m, mainLine), first, SourceLocation(m, o.line), why),
        mainLine);
}

// What a line's last HideWindow(#window, state) with a plain state does to the window: true
// hides it (1, #True), false shows it (0, #False); none when the line has no such call. The
// window may be named by its constant ("#Main") or by what holds its number (a #PB_Any
// window's variable or structure field): names holds both, as written.
std::optional<bool> HidesWindow(const QString &line, const QStringList &names)
{
    const QString code = BlankedCode(line);
    std::optional<bool> hides;
    for (qsizetype k = IndexOfCommandNoCase(code, u"HIDEWINDOW("); k >= 0;
         k = IndexOfCommandNoCase(code, u"HIDEWINDOW(", k + 1)) {
        const qsizetype open = k + 10;
        const CallShape call = CallShapeAt(code, open);
        if (call.commas.isEmpty() || call.close < 0)
            continue;
        const qsizetype comma = call.commas.first();
        const qsizetype end = call.commas.size() > 1 ? call.commas.at(1) : call.close;
        const QStringView first = TrimBlanksView(QStringView(code).sliced(open + 1, comma - open - 1));
        const QStringView state = TrimBlanksView(QStringView(code).sliced(comma + 1, end - comma - 1));
        if (!names.contains(first, Qt::CaseInsensitive))
            continue;
        if (state == u"1" || NoCaseKey(state) == NoCaseKey(u"#True"))
            hides = true;
        else if (state == u"0" || NoCaseKey(state) == NoCaseKey(u"#False"))
            hides = false;
    }
    return hides;
}

// Whether the window is still hidden once it is open: opened with #PB_Window_Invisible, or
// hidden by HideWindow after it opens and not shown again before its procedure returns (the
// program's own code that shows it later is not taken over).
bool OpensHidden(const DesignModel &m, const Opener &o, const QString &window)
{
    const SourceLineList &lines = m.CommonSourceLines.texts();
    if (o.line < 0)
        return false;
    if (IndexOfNoCase(BlankedCode(lines.at(o.line)), u"#PB_WINDOW_INVISIBLE") >= 0)
        return true;
    if (o.head.isEmpty())
        return false;
    QStringList names{QLatin1Char('#') + window};
    for (const VariableObject &object : m.VariableObjects)
        if (NoCaseKey(object.constant) == NoCaseKey(window))
            names.append(object.variable);
    bool hidden = false;
    for (qsizetype i = o.line; i < lines.size() && !IsProcedureEnd(lines.at(i)); ++i)
        hidden = HidesWindow(lines.at(i), names).value_or(hidden);
    return hidden;
}

// How Main.pb opens the main window: by Open_ and its name, or by the procedure that opens
// it when that can be called without arguments; else the log says what to add.
void NoteMainWindowOpener(DesignModel &m, const Opener &o, LogSink &log)
{
    m.FirstWindowInvisible = OpensHidden(m, o, m.MainWindow);
    if (o.defined || o.head.isEmpty())
        return; // Open_ + window is there, or the load warned that no procedure opens it
    if (CallableWithoutArguments(o.head)) {
        m.FirstWindowOpener = o.name + QStringLiteral("()");
        return;
    }
    WarnAtSourceLine(log, m, OpenerNeedsDefaultsWarning(m.MainWindow, o.head, SourceLocation(m, o.line)), o.line);
}

} // namespace

void ChooseMainWindow(DesignModel &model, LogSink &log)
{
    if (model.WindowList.isEmpty())
        return;
    WindowOpenings openings(model);
    const qsizetype chosen = openings.ChooseFirst();
    model.MainWindow = model.WindowList.at(chosen);
    if (chosen > 0)
        WarnFirstPassedOver(model, openings, log);
    NoteMainWindowOpener(model, openings.Of(model.MainWindow), log);
}

} // namespace quarvel
