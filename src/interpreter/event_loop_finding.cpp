#include "interpreter/event_loop_finding.h"

#include "base/basic_strings.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"

namespace quarvel {

namespace {

bool OpensLoop(const QString &word)
{
    return word == QLatin1String("REPEAT") || word == QLatin1String("WHILE");
}

bool ClosesLoop(const QString &word)
{
    return word == QLatin1String("UNTIL") || word == QLatin1String("FOREVER") || word == QLatin1String("WEND");
}

// Whether a loop's own line calls a procedure other than the waits, as "Until
// Events(WaitWindowEvent()) = #False" does: such a loop hands its events to code of its own,
// which stays as it is.
bool HandsEventsOn(QStringView code)
{
    for (WordSpan w = NextWord(code, 0); w.start < code.size(); w = NextWord(code, w.end)) {
        const QString word = code.sliced(w.start, w.end - w.start).toString().toUpper();
        if (TrimLeadingBlanksView(code.sliced(w.end)).startsWith(u'(') && word != QLatin1String("WAITWINDOWEVENT")
            && word != QLatin1String("WINDOWEVENT"))
            return true;
    }
    return false;
}

// A loop that waits for events, or takes them over more than one line.
bool IsEventLoop(const QStringList &code, qint32 first, qint32 last)
{
    for (const qint32 j : {first, last})
        for (const QStringView statement : Statements(code.at(j)))
            if (const QString word = FirstWord(statement);
                (OpensLoop(word) || ClosesLoop(word)) && HandsEventsOn(statement))
                return false;
    for (qint32 j = first; j <= last; ++j)
        if (WaitsForEvent(code.at(j)) || (last > first && TakesEvents(code.at(j))))
            return true;
    return false;
}

// The outermost event loops inside procedures that open no window before them; the names of
// those procedures.
void FindProcedureLoops(const QStringList &lines, const FileStructure &s, qint32 fileIndex, QList<EventLoopSpan> &loops,
                        QStringList &procedures)
{
    QStringList code(lines.size());
    for (qint32 j = 0; j < lines.size(); ++j)
        if (s.inProcedure.at(j))
            code[j] = BlankedCode(lines.at(j));
    QString procedure;
    bool opens = false;
    qint32 depth = 0, first = -1;
    for (qint32 j = 0; j < lines.size(); ++j) {
        if (!s.inProcedure.at(j)) {
            procedure.clear();
            continue;
        }
        if (procedure.isEmpty()) {
            procedure = ProcedureHeadName(lines.at(j)).toString();
            opens = false;
            depth = 0;
        }
        for (const QStringView statement : Statements(code.at(j))) {
            const QString word = FirstWord(statement);
            if (OpensLoop(word) && depth++ == 0)
                first = j;
            else if (ClosesLoop(word) && depth > 0 && --depth == 0 && !opens && IsEventLoop(code, first, j)) {
                loops.append({{{fileIndex, first + 1}, j + 1}, true});
                if (!procedures.contains(procedure))
                    procedures.append(procedure);
            }
        }
        opens = opens || IndexOfCommandNoCase(code.at(j), u"OPENWINDOW(") >= 0;
        if (IsProcedureEnd(lines.at(j)))
            procedure.clear();
    }
}

// An End right after the loop ends the program as Main.pb's loop does now, and the ends of the
// blocks the window's opening was cut from close nothing any more.
void DropWhatEndsTheRun(const FileStructure &s, qsizetype after, TopLevelCode &top)
{
    for (qsizetype p = after + 1; p < s.topLevel.size(); ++p) {
        LineRole &role = top.roles[s.topLevel.at(p)];
        const QList<QStringView> statements = s.Statements(s.topLevel.at(p));
        if (role == LineRole::Blank || statements.isEmpty())
            continue;
        bool ends = role == LineRole::LeftOut;
        for (const QStringView statement : statements) {
            const QString word = FirstWord(statement);
            ends = ends && (ClosesBlock(word) || (word == QLatin1String("END") && statement.size() == 3));
        }
        if (!ends)
            return;
        role = LineRole::Blank;
    }
}

// The top-level loops that wait for events: their lines go on as procedure text.
void MarkTopLevelLoops(const FileStructure &s, TopLevelCode &top, qint32 fileIndex, QList<EventLoopSpan> &loops)
{
    for (qsizetype pos = 0; pos < s.topLevel.size(); ++pos) {
        const qint32 j = s.topLevel.at(pos);
        if (top.roles.at(j) != LineRole::LeftOut) // most top-level lines declare
            continue;
        const QList<QStringView> statements = s.Statements(j);
        if (statements.isEmpty() || !OpensLoop(FirstWord(statements.first())) || !RunsProgram(s, pos))
            continue;
        const qint32 depth = s.depthBefore.at(j);
        qsizetype end = pos;
        while (end + 1 < s.topLevel.size() && s.depthAfter.at(s.topLevel.at(end)) > depth)
            ++end;
        if (!IsEventLoop(s.code, j, s.topLevel.at(end)))
            continue;
        for (qsizetype p = pos; p <= end; ++p)
            top.roles[s.topLevel.at(p)] = LineRole::Kept;
        DropWhatEndsTheRun(s, end, top);
        loops.append({{{fileIndex, j + 1}, s.topLevel.at(end) + 1}, false});
        pos = end;
    }
}

// The program's own call of a procedure that holds its loop, outside every procedure or after
// its end ("EndProcedure : Main()"): Main.pb starts the program now.
void DropProgramCalls(const QStringList &lines, const FileStructure &s, const QStringList &procedures,
                      TopLevelCode &top)
{
    for (qint32 j = 0; j < lines.size(); ++j) {
        if (s.inProcedure.at(j) && !IsProcedureEnd(lines.at(j)))
            continue;
        const QString code = BlankedCode(lines.at(j));
        const QList<QStringView> statements = Statements(code);
        QString kept = lines.at(j);
        for (qsizetype n = statements.size() - 1; n >= 0; --n) {
            const QStringView statement = statements.at(n);
            const qsizetype end = IdentifierEnd(statement, 0);
            if (end == 0 || TrimBlanksView(statement.sliced(end)) != u"()"
                || !procedures.contains(statement.first(end).toString(), Qt::CaseInsensitive))
                continue;
            qsizetype from = statement.data() - code.data();
            const qsizetype to = from + statement.size();
            while (from > 0 && (IsBlank(code.at(from - 1)) || code.at(from - 1) == QLatin1Char(':')))
                --from; // the ":" before it goes with it
            kept.remove(from, to - from);
        }
        if (kept == lines.at(j))
            continue;
        if (TrimBlanks(CodeOfLine(kept)).isEmpty())
            top.roles[j] = LineRole::Blank;
        else
            top.rewritten.insert(j, kept);
    }
}

} // namespace

void MarkEventLoops(const QStringList &lines, TopLevelCode &top, qint32 fileIndex, QList<EventLoopSpan> &loops)
{
    const FileStructure &s = top.structure;
    MarkTopLevelLoops(s, top, fileIndex, loops);
    // Most window sources run no loop in a procedure: a look at the first letter of each line
    // tells, before any is read as statements (an unchanged 200 x 100 regeneration spent 6 M of
    // its 547 M instructions reading them all, 7 M looking for "WINDOWEVENT(" at each bracket).
    const auto opensLoop = [](const QString &line) {
        const QStringView code = TrimLeadingBlanksView(line);
        const QChar letter = code.isEmpty() ? QChar() : UpperChar(code.front());
        return (letter == u'R' && StartsNoCase(code, u"REPEAT")) || (letter == u'W' && StartsNoCase(code, u"WHILE"));
    };
    bool anyLoop = false;
    for (qint32 j = 0; j < lines.size() && !anyLoop; ++j)
        anyLoop = s.inProcedure.at(j) && opensLoop(lines.at(j));
    QStringList procedures;
    if (anyLoop)
        FindProcedureLoops(lines, s, fileIndex, loops, procedures);
    if (!procedures.isEmpty())
        DropProgramCalls(lines, s, procedures, top);
}

} // namespace quarvel
