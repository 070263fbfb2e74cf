#include "interpreter/source_structure.h"

#include "base/basic_strings.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "interpreter/line_words.h"
#include "interpreter/opening_procedure.h"

namespace quarvel {

namespace {

struct Block {
    const char *opener; // upper-cased first word
    const char *end;    // the statement that ends it, as the generated code writes it
    BlockKind kind;
};

const Block Blocks[] = {
    {"IF", "EndIf", BlockKind::Control},
    {"SELECT", "EndSelect", BlockKind::Control},
    {"FOR", "Next", BlockKind::Control},
    {"FOREACH", "Next", BlockKind::Control},
    {"WHILE", "Wend", BlockKind::Control},
    {"REPEAT", "Until #True", BlockKind::Control},
    {"WITH", "EndWith", BlockKind::Control},
    {"COMPILERIF", "CompilerEndIf", BlockKind::Compiler},
    {"COMPILERSELECT", "CompilerEndSelect", BlockKind::Compiler},
    {"MODULE", "EndModule", BlockKind::Module},
    {"DECLAREMODULE", "EndDeclareModule", BlockKind::Module},
    {"ENUMERATION", "EndEnumeration", BlockKind::Opaque},
    {"ENUMERATIONBINARY", "EndEnumeration", BlockKind::Opaque},
    {"STRUCTURE", "EndStructure", BlockKind::Opaque},
    {"INTERFACE", "EndInterface", BlockKind::Opaque},
    {"IMPORT", "EndImport", BlockKind::Opaque},
    {"IMPORTC", "EndImport", BlockKind::Opaque},
    {"MACRO", "EndMacro", BlockKind::Opaque},
    {"DATASECTION", "EndDataSection", BlockKind::Opaque},
};

const Block *FindBlock(const QString &firstWord)
{
    static const QHash<NoCaseKey, const Block *> byOpener = [] {
        QHash<NoCaseKey, const Block *> map;
        for (const Block &block : Blocks)
            map.insert(NoCaseKey::Holding(QLatin1String(block.opener)), &block);
        return map;
    }();
    return byOpener.value(NoCaseKey(firstWord), nullptr);
}

bool OneLineProcedure(const QString &line)
{
    const QString code = BlankedCode(line);
    const QList<QStringView> statements = Statements(code);
    for (qsizetype k = 1; k < statements.size(); ++k)
        if (FirstWord(statements.at(k)) == QLatin1String("ENDPROCEDURE"))
            return true;
    return false;
}

// What the top-level passes need to know of a procedure's line: whether the procedure waits
// for events, which window it opens, whether the line shares main-code variables.
void ReadProcedureLine(FileStructure &s, const QString &line, qint32 index, const QString &procedure)
{
    static const CallSet calls{{0, u"OPENWINDOW(#"}, {1, u"WAITWINDOWEVENT("}};
    const QStringView code = TrimLeadingBlanksView(line);
    if (StartsNoCase(code, u"SHARED") && (code.size() == 6 || !IsIdentifierChar(code.at(6))))
        s.sharedLines.append(index);
    const quint64 found = calls.callsIn(line);
    if (found == 0)
        return;
    const QString blanked = BlankedCode(line);
    if (const QString window = OpenedWindowConstant(blanked); !window.isEmpty())
        s.windowsInProcedures.insert(NoCaseKey::Holding(window));
    if (WaitsForEvent(blanked) && !procedure.isEmpty())
        s.waitingProcedures.insert(procedure);
}

} // namespace

// An opaque block only ends at its own end: the contents of an Enumeration or a Macro are not
// statements of the program.
void BlockStack::Step(const QString &word, const QString &indentation)
{
    if (Innermost() == BlockKind::Opaque) {
        if (word == open_.last().endWord)
            open_.removeLast();
        return;
    }
    if (const Block *block = FindBlock(word)) {
        const QString end = QLatin1String(block->end);
        open_.append({block->kind, FirstWord(end), indentation + end});
        return;
    }
    if (ClosesBlock(word) && !open_.isEmpty())
        open_.removeLast();
}

QStringList BlockStack::Ends() const
{
    QStringList ends;
    for (qsizetype i = open_.size() - 1; i >= 0; --i)
        ends.append(open_.at(i).end);
    return ends;
}

BlockKind OpenedBlock(const QString &firstWord)
{
    const Block *block = FindBlock(firstWord);
    return block ? block->kind : BlockKind::None;
}

bool ClosesBlock(const QString &firstWord)
{
    static const QSet<QString> ends = {
        QStringLiteral("ENDIF"),
        QStringLiteral("ENDSELECT"),
        QStringLiteral("NEXT"),
        QStringLiteral("WEND"),
        QStringLiteral("UNTIL"),
        QStringLiteral("FOREVER"),
        QStringLiteral("ENDWITH"),
        QStringLiteral("COMPILERENDIF"),
        QStringLiteral("COMPILERENDSELECT"),
        QStringLiteral("ENDMODULE"),
        QStringLiteral("ENDDECLAREMODULE"),
        QStringLiteral("ENDENUMERATION"),
        QStringLiteral("ENDSTRUCTURE"),
        QStringLiteral("ENDINTERFACE"),
        QStringLiteral("ENDIMPORT"),
        QStringLiteral("ENDMACRO"),
        QStringLiteral("ENDDATASECTION"),
    };
    return ends.contains(firstWord);
}

static bool Calls(const QString &code, QStringView call)
{
    const qsizetype k = IndexOfCallNoCase(code, call);
    return k >= 0 && !HoldsChar(QStringView(code).first(k), u';');
}

bool WaitsForEvent(const QString &code)
{
    return Calls(code, u"WAITWINDOWEVENT(");
}

bool TakesEvents(const QString &code)
{
    return Calls(code, u"WINDOWEVENT(");
}

Declaration ReadDeclaration(QStringView statement)
{
    qsizetype n = IdentifierEnd(statement, 0);
    if (n < statement.size() && statement.at(n) == QLatin1Char('.'))
        n = IdentifierEnd(statement, n + 1);
    return {n, SplitOutsideBrackets(statement.sliced(n))};
}

QStringView DeclaredName(QStringView item)
{
    // "Global NewList Items.s()", "Define Dim Grid(9, 9)": the list, map or array is declared.
    for (const QStringView word : {u"NEWLIST", u"NEWMAP", u"DIM"}) {
        const qsizetype n = word.size();
        if (item.size() > n && StartsNoCase(item, word)
            && (item.at(n) == QLatin1Char(' ') || item.at(n) == QLatin1Char('\t')))
            item = TrimBlanksView(item.sliced(n));
    }
    if (item.startsWith(QLatin1Char('*')))
        item = item.sliced(1);
    return item.first(IdentifierEnd(item, 0));
}

FileStructure ReadFileStructure(const QStringList &lines, const QList<quint8> &words)
{
    FileStructure s;
    const qint32 n = qint32(lines.size());
    s.inProcedure.resize(n);
    s.code.resize(n);
    s.statements.resize(n);
    s.depthBefore.resize(n);
    s.depthAfter.resize(n);
    s.enclosing.resize(n);
    s.inModule.resize(n);
    BlockStack open;
    bool inProcedure = false;
    bool opensWindow = false; // a top-level line opens a window
    for (qint32 i = 0; i < n; ++i) {
        const QString &line = lines.at(i);
        if (!inProcedure && open.Innermost() != BlockKind::Opaque) {
            if (const std::optional<ProcedureHead> head = ReadProcedureHead(line)) {
                s.procedures.insert(NoCaseKey::Holding(head->name.toString()), i);
                inProcedure = !OneLineProcedure(line);
                s.inProcedure[i] = true;
                continue;
            }
        }
        if (inProcedure) {
            s.inProcedure[i] = true;
            // Only a line with the word is read for the end: reading every line of the procedures
            // of 200 x 100 (bench/make_project.py) cost this walk 9.2 M instructions, 8.0 M so.
            inProcedure = !((words.isEmpty() || words.at(i) & EndProcedureWord) && IsProcedureEnd(line));
            continue;
        }
        s.topLevel.append(i);
        s.code[i] = BlankedCode(line);
        s.depthBefore[i] = qint32(open.Depth());
        s.enclosing[i] = open.Innermost();
        s.inModule[i] = open.Holds(BlockKind::Module);
        // Read once for every pass over the top level: the sorting of the common files of
        // 200 x 100 (bench/make_project.py) read them again for 1.1 M instructions more.
        s.statements[i] = quarvel::Statements(s.code.at(i));
        for (const QStringView statement : std::as_const(s.statements.at(i)))
            open.Step(FirstWord(statement));
        s.depthAfter[i] = qint32(open.Depth());
        opensWindow = opensWindow || IndexOfCallNoCase(s.code.at(i), u"OPENWINDOW(") >= 0;
    }
    // What the procedures wait for, open and share only matters to a window of the top level.
    if (opensWindow) {
        QString procedure;
        for (qint32 i = 0; i < n; ++i) {
            if (!s.inProcedure.at(i))
                continue;
            if (const std::optional<ProcedureHead> head = ReadProcedureHead(lines.at(i)))
                procedure = UpperKeepLength(head->name);
            ReadProcedureLine(s, lines.at(i), i, procedure);
        }
    }
    return s;
}

} // namespace quarvel
