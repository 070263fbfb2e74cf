#include "interpreter/window_takeover.h"

#include "base/basic_strings.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "interpreter/pb_any_objects.h"

namespace quarvel {

namespace {

// The offset in code of the statement that holds position (0-based).
qsizetype StatementStart(const QString &code, qsizetype position)
{
    qsizetype start = 0;
    for (const QStringView statement : Statements(code)) {
        const qsizetype offset = statement.data() - code.data();
        if (offset > position)
            break;
        start = offset;
    }
    return start;
}

bool IsVariableName(QStringView name)
{
    return !name.isEmpty() && !name.front().isDigit() && IdentifierEnd(name, 0) == name.size();
}

// The variable a statement "x = ...", "x.s = ..." or "*p = ..." assigns: the declarator as
// written ("x.s", "*p") and the variable's name ("x", "p"); empty for any other statement.
struct Assignment {
    QString declarator;
    QString name;
};

Assignment AssignedVariable(QStringView statement)
{
    qsizetype n = statement.startsWith(QLatin1Char('*')) ? 1 : 0;
    const qsizetype nameEnd = IdentifierEnd(statement, n);
    if (nameEnd == n || statement.at(n).isDigit())
        return {};
    n = nameEnd;
    if (n < statement.size() && statement.at(n) == QLatin1Char('$'))
        ++n;
    else if (n + 1 < statement.size() && statement.at(n) == QLatin1Char('.'))
        n = IdentifierEnd(statement, n + 1);
    const QStringView rest = TrimLeadingBlanksView(statement.sliced(n));
    if (!rest.startsWith(QLatin1Char('=')) || rest.startsWith(u"=="))
        return {};
    const qsizetype star = statement.startsWith(QLatin1Char('*')) ? 1 : 0;
    return {statement.first(n).toString(), statement.sliced(star, nameEnd - star).toString()};
}

// The window of a top-level OpenWindow call at index k of its line. Fills name, shown,
// firstLine and a refusal of its own shape; shown stays empty for a plain number.
WindowOpening ReadOpening(const QString &line, const QString &code, qsizetype k)
{
    WindowOpening o;
    const QString argument = TrimBlanks(TextBeforeCommaOrClose(code, k + 11));
    if (argument.isEmpty() || argument.front().isDigit())
        return o;
    o.firstLine = line;
    if (!argument.startsWith(QLatin1Char('#'))
        || (!IsPbAnyAtIndex(argument, 1) && !IsVariableName(TrimBlanks(argument.mid(1))))) {
        o.shown = argument; // a variable, or an expression such as #Window_0 + i
        o.refusal = QStringLiteral("its number is not a constant");
        return o;
    }
    if (!IsPbAnyAtIndex(argument, 1)) {
        o.name = TrimBlanks(argument.mid(1));
        o.shown = QLatin1Char('#') + o.name;
        return o;
    }
    // "hWnd = OpenWindow(#PB_Any, ...)", also declared on the spot: "Global hWnd = ...".
    o.shown = QStringLiteral("#PB_Any");
    const qsizetype start = StatementStart(code, k);
    const QString before = TrimBlanks(QStringView(code).sliced(start, k - start));
    if (!before.endsWith(QLatin1Char('='))) {
        o.refusal = QStringLiteral("its number is not kept");
        return o;
    }
    qsizetype variable = start;
    while (variable < code.size() && (code.at(variable) == QLatin1Char(' ') || code.at(variable) == QLatin1Char('\t')))
        ++variable;
    const QString keyword = FirstWord(QStringView(code).sliced(variable));
    if (keyword == QLatin1String("GLOBAL") || keyword == QLatin1String("DEFINE")) {
        variable = IdentifierEnd(code, variable);
        if (variable < code.size() && code.at(variable) == QLatin1Char('.'))
            variable = IdentifierEnd(code, variable + 1);
        while (variable < code.size()
               && (code.at(variable) == QLatin1Char(' ') || code.at(variable) == QLatin1Char('\t')))
            ++variable;
        o.firstLine = line.left(start) + line.mid(variable);
    }
    const QString assigned = TrimBlanks(QStringView(code).sliced(variable, k - variable)).chopped(1);
    const QString name = TrimBlanks(assigned).section(QLatin1Char('.'), 0, 0);
    if (keyword == QLatin1String("IF") || !IsVariableName(name)) {
        o.refusal = keyword == QLatin1String("IF") ? QStringLiteral("its number is not kept")
                                                   : QStringLiteral("its number goes to ") + TrimBlanks(assigned)
                                                         + QStringLiteral(", which is not a plain variable");
        return o;
    }
    o.name = name;
    o.shown = name;
    return o;
}

QString Conflict(const FileStructure &s, const QString &name, const QSet<NoCaseKey> &taken)
{
    if (s.windowsInProcedures.contains(NoCaseKey(name)))
        return QStringLiteral("a procedure opens it too");
    const QString opener = QStringLiteral("Open_") + name;
    if (s.procedures.contains(NoCaseKey(opener)))
        return QStringLiteral("Procedure Open_") + name + QStringLiteral("() is defined already");
    if (taken.contains(NoCaseKey(name)))
        return QStringLiteral("the program opens it twice");
    return QString();
}

bool CallsWaitingProcedure(const FileStructure &s, const QString &code)
{
    for (const QString &procedure : s.waitingProcedures) {
        for (qsizetype k = IndexOfWordNoCase(code, procedure); k >= 0; k = IndexOfWordNoCase(code, procedure, k + 1)) {
            const QStringView after = TrimLeadingBlanksView(QStringView(code).sliced(k + procedure.size()));
            if (after.startsWith(QLatin1Char('(')))
                return true;
        }
    }
    return false;
}

// The position in topLevel of the line that closes the loop opened at position pos.
qsizetype LoopEnd(const FileStructure &s, qsizetype pos)
{
    const qint32 depth = s.depthBefore.at(s.topLevel.at(pos));
    for (qsizetype p = pos; p < s.topLevel.size(); ++p)
        if (s.depthAfter.at(s.topLevel.at(p)) <= depth)
            return p;
    return s.topLevel.size() - 1;
}

// The program's event loop: a loop that waits for events (one that only takes the events
// there are, "While WindowEvent() : Wend", is one when it spans more than its line), a call
// of a procedure that waits for them, or a bare wait. quietEnd is set to the last position of
// a loop found to be none, which holds no event loop either.
bool StartsEventLoop(const FileStructure &s, qsizetype pos, qsizetype *quietEnd = nullptr)
{
    const QString &code = s.code.at(s.topLevel.at(pos));
    const auto waits = [&](const QString &c) { return WaitsForEvent(c) || CallsWaitingProcedure(s, c); };
    for (const QStringView statement : Statements(code)) {
        const QString word = FirstWord(statement);
        if (word != QLatin1String("REPEAT") && word != QLatin1String("WHILE"))
            continue;
        const qsizetype end = LoopEnd(s, pos);
        bool takes = false;
        for (qsizetype p = pos; p <= end; ++p) {
            const QString &inner = s.code.at(s.topLevel.at(p));
            if (waits(inner))
                return true;
            takes = takes || TakesEvents(inner);
        }
        if (quietEnd && !(takes && end > pos))
            *quietEnd = end;
        return takes && end > pos;
    }
    return waits(code);
}

bool EndsProgram(const FileStructure &s, qint32 line, qint32 depth)
{
    if (s.depthBefore.at(line) != depth)
        return false;
    const QList<QStringView> statements = s.Statements(line);
    return !statements.isEmpty() && FirstWord(statements.first()) == QLatin1String("END");
}

// A window a module opens is left to the module, whose code stays as written.
bool OpensWindow(const FileStructure &s, qint32 line)
{
    return s.enclosing.at(line) != BlockKind::Opaque && !s.inModule.at(line)
           && IndexOfCommandNoCase(s.code.at(line), u"OPENWINDOW(") >= 0;
}

// The position in topLevel of the last line of the opening that starts at position pos. A
// second window opened before the event loop is opened by the same procedure, unless the first
// cannot be taken over; then the second is looked at on its own.
qsizetype OpeningEnd(const FileStructure &s, qsizetype pos, bool taken)
{
    const qint32 depth = s.depthBefore.at(s.topLevel.at(pos));
    qsizetype last = pos;
    qsizetype quietEnd = pos; // the lines up to here hold no event loop
    for (qsizetype p = pos + 1; p < s.topLevel.size(); ++p) {
        const qint32 j = s.topLevel.at(p);
        if (s.depthAfter.at(j) < depth || (p > quietEnd && StartsEventLoop(s, p, &quietEnd)) || EndsProgram(s, j, depth)
            || (!taken && OpensWindow(s, j)))
            break;
        if (s.HasCode(j))
            last = p;
    }
    return last;
}

QStringList EndsOfOpenBlocks(const QStringList &lines, const FileStructure &s, qsizetype from, qsizetype to)
{
    BlockStack blocks;
    for (qsizetype p = from; p <= to; ++p) {
        const qint32 j = s.topLevel.at(p);
        const QString indentation = Indentation(lines.at(j));
        for (const QStringView statement : s.Statements(j))
            blocks.Step(FirstWord(statement), indentation);
    }
    return blocks.Ends();
}

// The names a declaration statement "Define a, *b.i = 1" or "NewList c()" declares.
QStringList DeclaredNames(QStringView statement)
{
    QStringList names;
    for (const QString &item : ReadDeclaration(statement).items)
        if (const QStringView name = DeclaredName(item); !name.isEmpty())
            names.append(name.toString());
    return names;
}

// The words of code, in any letter case: one look-up answers whether code uses a name. The
// keys view code.
QSet<NoCaseKey> Words(const QString &code)
{
    QSet<NoCaseKey> words;
    for (WordSpan w = NextWord(code, 0); w.start < code.size(); w = NextWord(code, w.end)) {
        if (!code.at(w.start).isDigit())
            words.insert(NoCaseKey(QStringView(code).sliced(w.start, w.end - w.start)));
    }
    return words;
}

bool UsesAny(const QSet<NoCaseKey> &words, const QStringList &names)
{
    for (const QString &name : names)
        if (words.contains(NoCaseKey(name)))
            return true;
    return false;
}

} // namespace

bool RunsProgram(const FileStructure &s, qsizetype pos)
{
    const qint32 line = s.topLevel.at(pos);
    return StartsEventLoop(s, pos) || EndsProgram(s, line, s.depthBefore.at(line));
}

QList<WindowOpening> FindWindowOpenings(const QStringList &lines, const FileStructure &s)
{
    QList<WindowOpening> openings;
    QSet<NoCaseKey> taken;
    for (qsizetype pos = 0; pos < s.topLevel.size(); ++pos) {
        const qint32 i = s.topLevel.at(pos);
        if (!OpensWindow(s, i))
            continue;
        const QString &code = s.code.at(i);
        WindowOpening opening = ReadOpening(lines.at(i), code, IndexOfCommandNoCase(code, u"OPENWINDOW("));
        if (opening.shown.isEmpty())
            continue;
        if (opening.refusal.isEmpty())
            opening.refusal = Conflict(s, opening.name, taken);
        const qsizetype end = OpeningEnd(s, pos, opening.refusal.isEmpty());
        opening.first = i;
        opening.last = s.topLevel.at(end);
        opening.ends = EndsOfOpenBlocks(lines, s, pos, end);
        if (opening.refusal.isEmpty())
            taken.insert(NoCaseKey::Holding(opening.name));
        openings.append(opening);
        pos = end;
    }
    return openings;
}

TakenOverVariables DeclareTakenOverVariables(const QStringList &lines, const FileStructure &s,
                                             const QList<bool> &inBody)
{
    TakenOverVariables result;
    if (!inBody.contains(true))
        return result;
    QString bodyCode, outsideCode; // the code of the taken-over lines, and of every other top-level line
    for (const qint32 j : s.topLevel)
        (inBody.at(j) ? bodyCode : outsideCode).append(s.code.at(j) + QLatin1Char('\n'));
    for (const qint32 j : s.sharedLines)
        outsideCode.append(BlankedCode(lines.at(j)) + QLatin1Char('\n'));
    const QSet<NoCaseKey> body = Words(bodyCode), outside = Words(outsideCode);

    QSet<NoCaseKey> global; // the names the file declares Global; the keys hold them
    for (const qint32 j : s.topLevel) {
        const QList<QStringView> statements = s.Statements(j);
        if (inBody.at(j) || statements.size() != 1)
            continue;
        const QStringView statement = statements.first();
        const QString keyword = FirstWord(statement);
        const bool isGlobal = keyword == QLatin1String("GLOBAL") || keyword == QLatin1String("THREADED");
        if (!isGlobal && keyword != QLatin1String("DEFINE") && keyword != QLatin1String("NEWLIST")
            && keyword != QLatin1String("NEWMAP") && keyword != QLatin1String("DIM"))
            continue;
        const QStringList names = DeclaredNames(statement);
        if (!isGlobal && !UsesAny(body, names))
            continue;
        for (const QString &name : names)
            global.insert(NoCaseKey::Holding(name));
        if (isGlobal)
            continue;
        const QString &line = lines.at(j);
        const qsizetype start = statement.data() - s.code.at(j).data();
        result.rewritten.insert(j, keyword == QLatin1String("DEFINE")
                                       ? line.left(start) + QStringLiteral("Global") + line.mid(start + 6)
                                       : line.left(start) + QStringLiteral("Global ") + line.mid(start));
    }

    for (const qint32 j : s.topLevel) {
        if (!inBody.at(j))
            continue;
        for (const QStringView statement : s.Statements(j)) {
            const Assignment assigned = AssignedVariable(statement);
            const NoCaseKey name = NoCaseKey::Holding(assigned.name);
            if (assigned.name.isEmpty() || global.contains(name) || HoldsNoCase(statement, u"(#PB_ANY"))
                continue;
            global.insert(name);
            if (outside.contains(name))
                result.globals.append(QStringLiteral("Global ") + assigned.declarator);
        }
    }
    return result;
}

} // namespace quarvel
