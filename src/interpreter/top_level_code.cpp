#include "interpreter/top_level_code.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"

namespace quarvel {

namespace {

// Statements that declare, or tell the compiler something, and run no code of the program's.
bool IsDeclarationStatement(QStringView statement, const QString &word)
{
    static const QSet<QString> declaring = {
        QStringLiteral("GLOBAL"),
        QStringLiteral("DEFINE"),
        QStringLiteral("NEWLIST"),
        QStringLiteral("NEWMAP"),
        QStringLiteral("DIM"),
        QStringLiteral("THREADED"),
        QStringLiteral("PROTOTYPE"),
        QStringLiteral("PROTOTYPEC"),
        QStringLiteral("DECLARE"),
        QStringLiteral("DECLAREC"),
        QStringLiteral("DECLAREDLL"),
        QStringLiteral("DECLARECDLL"),
        QStringLiteral("XINCLUDEFILE"),
        QStringLiteral("INCLUDEFILE"),
        QStringLiteral("INCLUDEPATH"),
        QStringLiteral("INCLUDEBINARY"),
        QStringLiteral("ENABLEEXPLICIT"),
        QStringLiteral("DISABLEEXPLICIT"),
        QStringLiteral("ENABLEASM"),
        QStringLiteral("DISABLEASM"),
        QStringLiteral("USEMODULE"),
        QStringLiteral("UNUSEMODULE"),
        QStringLiteral("COMPILERERROR"),
        QStringLiteral("COMPILERWARNING"),
        QStringLiteral("COMPILERELSE"),
        QStringLiteral("COMPILERELSEIF"),
        QStringLiteral("COMPILERCASE"),
        QStringLiteral("COMPILERDEFAULT"),
    };
    if (declaring.contains(word))
        return true;
    if (statement.startsWith(QLatin1Char('#')))
        return HoldsChar(statement, QLatin1Char('=')); // #Name = value
    // UsePNGImageDecoder(), UseSQLiteDatabase(), ... (UseGadgetList() builds a window)
    return word.startsWith(QLatin1String("USE")) && word != QLatin1String("USEGADGETLIST")
           && TrimBlanksView(statement.sliced(word.size())) == u"()";
}

enum class UnitKind { Blank, Declaration, Code };

// A unit is a top-level line, or a block from the line that opens it to the line that ends it.
// It declares when every statement of it does or belongs to a declaration block; a CompilerIf
// or a Module around declarations declares too.
UnitKind KindOfUnit(const FileStructure &s, qsizetype from, qsizetype to)
{
    BlockStack blocks;
    bool any = false;
    for (qsizetype p = from; p <= to; ++p) {
        for (const QStringView statement : s.Statements(s.topLevel.at(p))) {
            any = true;
            const QString word = FirstWord(statement);
            const bool inside = blocks.Innermost() == BlockKind::Opaque;
            const bool ends = ClosesBlock(word) && blocks.Depth() > 0; // a stray EndIf is code
            blocks.Step(word);
            if (inside)
                continue;
            const BlockKind opened = OpenedBlock(word);
            if (opened == BlockKind::Control
                || (opened == BlockKind::None && !ends && !IsDeclarationStatement(statement, word)))
                return UnitKind::Code;
        }
    }
    return any ? UnitKind::Declaration : UnitKind::Blank;
}

// The units of the top-level code, as positions in s.topLevel. A block that never ends (code
// that would not compile) is taken line by line.
QList<QPair<qsizetype, qsizetype>> Units(const FileStructure &s)
{
    QList<QPair<qsizetype, qsizetype>> units;
    qsizetype from = 0;
    for (qsizetype p = 0; p < s.topLevel.size(); ++p) {
        if (s.depthAfter.at(s.topLevel.at(p)) == 0) {
            units.append({from, p});
            from = p + 1;
        }
    }
    for (qsizetype p = from; p < s.topLevel.size(); ++p)
        units.append({p, p});
    return units;
}

// Whether the unit holds a kept line or a procedure (a CompilerIf around procedures, say):
// such a unit stays whole where it stands.
bool HoldsProcedureText(const FileStructure &s, const QList<bool> &kept, qint32 first, qint32 last)
{
    for (qint32 j = first; j <= last; ++j)
        if (kept.at(j) || s.inProcedure.at(j))
            return true;
    return false;
}

// A run of empty and comment lines right before a declaration goes with it.
void AttachCommentsToDeclarations(const FileStructure &s, QList<LineRole> &roles)
{
    bool declarationFollows = false;
    for (qsizetype p = s.topLevel.size() - 1; p >= 0; --p) {
        LineRole &role = roles[s.topLevel.at(p)];
        if (role == LineRole::Blank && declarationFollows)
            role = LineRole::Declaration;
        else if (role != LineRole::Blank)
            declarationFollows = role == LineRole::Declaration;
    }
}

// "Global Go = ButtonGadget(#PB_Any, ...)" among a window's opening lines creates an object of
// the window: the opening procedure holds it without its keyword, and the generated object
// variables declare the variable. Null for any other line.
QString WithoutGlobalOfObject(const FileStructure &s, const QString &line, qint32 j)
{
    const QList<QStringView> statements = s.Statements(j);
    if (statements.size() != 1 || !HoldsNoCase(statements.first(), u"(#PB_ANY"))
        return QString();
    const QStringView statement = statements.first();
    const QString word = FirstWord(statement);
    const QStringView after = TrimLeadingBlanksView(statement.sliced(word.size()));
    if ((word != QLatin1String("GLOBAL") && word != QLatin1String("DEFINE")) || after.startsWith(u'.'))
        return QString();
    // The blanked code is as long as the line: its positions are the line's.
    const QChar *code = s.code.at(j).data();
    return line.left(statement.data() - code) + line.mid(after.data() - code);
}

// The role of line j of a window's opening: a declaration unit of its own inside the opening
// stays a declaration, unless it creates an object of the window, whose text then changes.
LineRole OpeningLineRole(const FileStructure &s, const QString &line, qint32 j, const WindowOpening &window,
                         bool declarationLine, bool declares, QHash<qint32, QString> &rewritten)
{
    if (!window.refusal.isEmpty())
        return LineRole::LeftOut;
    if (const QString object = declarationLine ? WithoutGlobalOfObject(s, line, j) : QString(); !object.isNull()) {
        rewritten.insert(j, object);
        return LineRole::Window;
    }
    return declares ? LineRole::Declaration : LineRole::Window;
}

} // namespace

QList<qint32> TopLevelCode::BodyOf(const WindowOpening &window) const
{
    QList<qint32> body;
    for (qint32 j = window.first; j <= window.last; ++j)
        if (roles.at(j) == LineRole::Window)
            body.append(j);
    return body;
}

TopLevelCode ClassifyTopLevelCode(const QStringList &lines, const QList<bool> &kept, const QList<quint8> &words)
{
    TopLevelCode top;
    top.structure = ReadFileStructure(lines, words);
    const FileStructure &s = top.structure;
    top.roles.resize(lines.size(), LineRole::Kept);
    for (qint32 j = 0; j < lines.size(); ++j)
        if (s.inProcedure.at(j) && !kept.at(j))
            top.roles[j] = LineRole::LeftOut; // the rule's end came before the procedure's

    top.windows = FindWindowOpenings(lines, s);
    QList<qint32> windowOf(lines.size(), -1);
    for (qint32 w = 0; w < top.windows.size(); ++w)
        for (qint32 j = top.windows.at(w).first; j <= top.windows.at(w).last; ++j)
            windowOf[j] = w;

    for (const auto &[from, to] : Units(s)) {
        const qint32 first = s.topLevel.at(from), last = s.topLevel.at(to);
        const UnitKind kind = KindOfUnit(s, from, to);
        // What a window's opening was cut from (an If around it, the loop after it) is left out.
        bool cut = false;
        for (qsizetype p = from; p <= to && !cut; ++p)
            cut = windowOf.at(s.topLevel.at(p)) >= 0;
        const bool inPlace = HoldsProcedureText(s, kept, first, last) && !RunsProgram(s, from);
        for (qsizetype p = from; p <= to; ++p) {
            const qint32 j = s.topLevel.at(p);
            LineRole &role = top.roles[j];
            if (const qint32 w = windowOf.at(j); w >= 0) {
                const WindowOpening &window = top.windows.at(w);
                const bool declares = kind == UnitKind::Declaration && window.first < first && last <= window.last;
                role = OpeningLineRole(s, lines.at(j), j, window, declares && from == to, declares, top.rewritten);
            } else if (cut) {
                role = LineRole::LeftOut;
            } else if (inPlace) {
                role = LineRole::Kept;
            } else {
                role = kind == UnitKind::Declaration ? LineRole::Declaration
                       : kind == UnitKind::Blank     ? LineRole::Blank
                                                     : LineRole::LeftOut;
            }
        }
    }
    AttachCommentsToDeclarations(s, top.roles);
    if (top.windows.isEmpty())
        return top;

    QList<bool> inBody(lines.size(), false);
    for (qint32 j = 0; j < lines.size(); ++j)
        inBody[j] = top.roles.at(j) == LineRole::Window;
    TakenOverVariables variables = DeclareTakenOverVariables(lines, s, inBody);
    top.globals = variables.globals;
    for (auto it = variables.rewritten.cbegin(); it != variables.rewritten.cend(); ++it)
        if (top.roles.at(it.key()) == LineRole::Declaration || top.roles.at(it.key()) == LineRole::Kept)
            top.rewritten.insert(it.key(), it.value());
    for (const WindowOpening &window : std::as_const(top.windows))
        if (window.refusal.isEmpty() && window.firstLine != lines.at(window.first))
            top.rewritten.insert(window.first, window.firstLine);
    return top;
}

} // namespace quarvel
