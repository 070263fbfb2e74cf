#include "project_checker.h"

#include "base/text_encoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <functional>

#include <algorithm>
#include <optional>

namespace quarvel {

namespace {

const char *const ProjectFiles[] = {
    "Main.pb", "CommonFile.pb", "EventMain.pb", "EventMenu.pb", "EventGadget.pb", "EventWindow.pb", "LoadLanguage.pb",
};

struct SourceFile {
    QString name;
    QStringList lines;
    QStringList code;        // each line with string contents blanked and its comment cut off
    QList<bool> inProcedure; // each line is a procedure's, its head and EndProcedure included
};

const QRegularExpression &ProcedureHeadPattern();
bool IsProcedureEndLine(const QString &code);

// The line as the compiler sees its statements: text inside double quotes becomes blanks
// (quotes kept, so positions still match the line) and a ";" outside quotes ends it.
QString CodeOf(const QString &line)
{
    QString code = line;
    bool inString = false;
    bool escapes = false; // ~"..." strings know backslash escapes
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (inString) {
            if (escapes && c == QLatin1Char('\\') && i + 1 < code.size()) {
                code[i] = code[i + 1] = QLatin1Char(' ');
                ++i;
            } else if (c == QLatin1Char('"')) {
                inString = false;
            } else {
                code[i] = QLatin1Char(' ');
            }
        } else if (c == QLatin1Char('"')) {
            inString = true;
            escapes = i > 0 && code[i - 1] == QLatin1Char('~');
        } else if (c == QLatin1Char(';')) {
            return code.left(i);
        }
    }
    return code;
}

bool LoadFile(const QString &dir, const QString &name, QList<SourceFile> &files)
{
    auto text = ReadTextFile(QDir::isAbsolutePath(name) ? name : dir + name);
    if (!text)
        return false;
    SourceFile file{name, text->lines, {}, {}};
    bool inProcedure = false;
    for (const QString &line : file.lines) {
        const QString &code = file.code.emplace_back(CodeOf(line));
        inProcedure = inProcedure || ProcedureHeadPattern().match(code).hasMatch();
        file.inProcedure << inProcedure;
        inProcedure = inProcedure && !IsProcedureEndLine(code);
    }
    files << file;
    return true;
}

// The text of the first double-quoted string of an IncludeFile line, or nothing.
QString IncludedName(const QString &line, const QString &code)
{
    static const QRegularExpression include(QStringLiteral("^\\s*X?IncludeFile\\s*\""),
                                            QRegularExpression::CaseInsensitiveOption);
    const auto match = include.match(code);
    if (!match.hasMatch())
        return QString();
    const qsizetype open = match.capturedEnd() - 1;
    const qsizetype close = code.indexOf(QLatin1Char('"'), open + 1);
    return close < 0 ? QString() : line.mid(open + 1, close - open - 1);
}

// The generated files, then the user's files that they include (and those include): their
// procedures and constants count as defined too.
QList<SourceFile> LoadFiles(const QString &dir)
{
    QList<SourceFile> files;
    for (const char *name : ProjectFiles)
        LoadFile(dir, QLatin1String(name), files);
    for (qsizetype f = 0; f < files.size(); ++f) {
        if (files[f].name == QStringLiteral("EventMain.pb"))
            continue;
        for (qsizetype i = 0; i < files[f].lines.size(); ++i) {
            const QString name = IncludedName(files[f].lines[i], files[f].code[i]);
            const bool known = std::any_of(files.cbegin(), files.cend(),
                                           [&](const SourceFile &file) { return file.name == name; });
            if (!name.isEmpty() && !known && QFileInfo(QDir::isAbsolutePath(name) ? name : dir + name).isFile())
                LoadFile(dir, name, files);
        }
    }
    return files;
}

bool IsGenerated(const SourceFile &file)
{
    for (const char *name : ProjectFiles) {
        if (file.name == QLatin1String(name))
            return true;
    }
    return false;
}

const SourceFile *FileNamed(const QList<SourceFile> &files, const char *name)
{
    for (const SourceFile &file : files) {
        if (file.name == QLatin1String(name))
            return &file;
    }
    return nullptr;
}

QString Where(const SourceFile &file, qsizetype index)
{
    return file.name + QLatin1Char(':') + QString::number(index + 1) + QStringLiteral(": ");
}

// --- block balance -----------------------------------------------------------------------

struct OpenBlock {
    QString keyword;
    qsizetype line;
};

// Opening word -> the kind of block it opens.
const QHash<QString, QString> &BlockOpeners()
{
    static const QHash<QString, QString> openers = {
        {QStringLiteral("PROCEDURE"), QStringLiteral("Procedure")},
        {QStringLiteral("PROCEDUREC"), QStringLiteral("Procedure")},
        {QStringLiteral("PROCEDUREDLL"), QStringLiteral("Procedure")},
        {QStringLiteral("PROCEDURECDLL"), QStringLiteral("Procedure")},
        {QStringLiteral("SELECT"), QStringLiteral("Select")},
        {QStringLiteral("IF"), QStringLiteral("If")},
        {QStringLiteral("DATASECTION"), QStringLiteral("DataSection")},
        {QStringLiteral("REPEAT"), QStringLiteral("Repeat")},
        {QStringLiteral("WHILE"), QStringLiteral("While")},
        {QStringLiteral("FOR"), QStringLiteral("For")},
        {QStringLiteral("FOREACH"), QStringLiteral("For")},
        {QStringLiteral("STRUCTURE"), QStringLiteral("Structure")},
        {QStringLiteral("ENUMERATION"), QStringLiteral("Enumeration")},
        {QStringLiteral("ENUMERATIONBINARY"), QStringLiteral("Enumeration")},
        {QStringLiteral("MACRO"), QStringLiteral("Macro")},
        {QStringLiteral("WITH"), QStringLiteral("With")},
        {QStringLiteral("COMPILERIF"), QStringLiteral("CompilerIf")},
        {QStringLiteral("COMPILERSELECT"), QStringLiteral("CompilerSelect")},
    };
    return openers;
}

// Closing word -> the block it closes; the word itself is shown as written in PureBasic.
const QHash<QString, QPair<QString, QString>> &BlockClosers()
{
    static const QHash<QString, QPair<QString, QString>> closers = {
        {QStringLiteral("ENDPROCEDURE"), {QStringLiteral("Procedure"), QStringLiteral("EndProcedure")}},
        {QStringLiteral("ENDSELECT"), {QStringLiteral("Select"), QStringLiteral("EndSelect")}},
        {QStringLiteral("ENDIF"), {QStringLiteral("If"), QStringLiteral("EndIf")}},
        {QStringLiteral("ENDDATASECTION"), {QStringLiteral("DataSection"), QStringLiteral("EndDataSection")}},
        {QStringLiteral("UNTIL"), {QStringLiteral("Repeat"), QStringLiteral("Until")}},
        {QStringLiteral("FOREVER"), {QStringLiteral("Repeat"), QStringLiteral("ForEver")}},
        {QStringLiteral("WEND"), {QStringLiteral("While"), QStringLiteral("Wend")}},
        {QStringLiteral("NEXT"), {QStringLiteral("For"), QStringLiteral("Next")}},
        {QStringLiteral("ENDSTRUCTURE"), {QStringLiteral("Structure"), QStringLiteral("EndStructure")}},
        {QStringLiteral("ENDENUMERATION"), {QStringLiteral("Enumeration"), QStringLiteral("EndEnumeration")}},
        {QStringLiteral("ENDMACRO"), {QStringLiteral("Macro"), QStringLiteral("EndMacro")}},
        {QStringLiteral("ENDWITH"), {QStringLiteral("With"), QStringLiteral("EndWith")}},
        {QStringLiteral("COMPILERENDIF"), {QStringLiteral("CompilerIf"), QStringLiteral("CompilerEndIf")}},
        {QStringLiteral("COMPILERENDSELECT"), {QStringLiteral("CompilerSelect"), QStringLiteral("CompilerEndSelect")}},
    };
    return closers;
}

// Every block a line opens must be closed by its own closer, in the file it opens in.
class BlockBalance {
public:
    BlockBalance(const SourceFile &file, QStringList &faults) : file_(file), faults_(faults) {}

    void read(qsizetype i)
    {
        // A word, not a constant (#If), a field (\If) or a type suffix (.If).
        static const QRegularExpression word(QStringLiteral("(?<![#\\\\.\\w$])[A-Za-z_]\\w*"));

        const QHash<QString, QString> &openers = BlockOpeners();
        const QHash<QString, QPair<QString, QString>> &closers = BlockClosers();
        for (auto it = word.globalMatch(file_.code[i]); it.hasNext();) {
            const QString token = it.next().captured().toUpper();
            if (openers.contains(token)) {
                const QString kind = openers.value(token);
                // A procedure cannot stand inside another: the one left open is reported once, here.
                const auto outer = std::find_if(open_.cbegin(), open_.cend(), [](const OpenBlock &b) {
                    return b.keyword == QStringLiteral("Procedure");
                });
                if (kind == QStringLiteral("Procedure") && outer != open_.cend()) {
                    faults_ << Where(file_, i) + QStringLiteral("Procedure inside a Procedure");
                    open_.resize(outer - open_.cbegin());
                }
                open_.append({kind, i});
            } else if (closers.contains(token)) {
                const auto [kind, closer] = closers.value(token);
                qsizetype match = open_.size() - 1;
                while (match >= 0 && open_[match].keyword != kind)
                    --match;
                if (match < 0) {
                    faults_ << Where(file_, i) + closer + QStringLiteral(" without ") + kind;
                    continue;
                }
                // Blocks left open inside this one are reported once, by the closer that ends them.
                if (match != open_.size() - 1) {
                    faults_ << Where(file_, i) + closer + QStringLiteral(" closes the ") + open_.last().keyword
                                   + QStringLiteral(" of line ") + QString::number(open_.last().line + 1);
                }
                open_.resize(match);
            }
        }
    }

    // At the end of the file, what is still open.
    void close()
    {
        for (const OpenBlock &block : open_)
            faults_ << Where(file_, block.line) + block.keyword + QStringLiteral(" is never closed");
    }

private:
    const SourceFile &file_;
    QStringList &faults_;
    QList<OpenBlock> open_;
};

// --- declarations ------------------------------------------------------------------------

// A procedure head defines its name. PureBasic names are case-insensitive, so a second
// definition in any letter case is refused by the compiler.
void NoteProcedure(const SourceFile &file, qsizetype i, QHash<QString, QString> &definedAt, QStringList &faults)
{
    static const QRegularExpression head(QStringLiteral("^\\s*Procedure(?:C|DLL|CDLL)?(?:\\.\\w+)?\\s+(\\w+)\\s*\\("),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto match = head.match(file.code[i]);
    if (!match.hasMatch())
        return;
    const QString name = match.captured(1).toUpper();
    if (const auto first = definedAt.constFind(name); first != definedAt.cend())
        faults << Where(file, i) + QStringLiteral("procedure ") + match.captured(1)
                      + QStringLiteral(" is defined again (first at ") + *first + QLatin1Char(')');
    else
        definedAt.insert(name, file.name + QLatin1Char(':') + QString::number(i + 1));
}

// An enumeration member: its block (counted through the file) and its value.
struct Member {
    int enumeration = 0;
    qint64 value = 0;
    QString name; // as written
};

struct Enumerations {
    QHash<QString, Member> members;                   // upper-cased name without "#"
    QList<qint64> ends;                               // per enumeration, the value after its last member
    QList<QString> kinds;                             // per enumeration, "Window", "Gadget", ... from its heading
    QHash<QString, QHash<qint64, QString>> generated; // kind -> value -> the constant of the section
};

Enumerations ReadEnumerations(const SourceFile *commonFile, QStringList &faults)
{
    // "Enumeration", "Enumeration 5", "Enumeration FormWindow": a named one goes on counting
    // where the last block of that name stopped.
    static const QRegularExpression start(QStringLiteral("^\\s*Enumeration\\b(?:\\s+([A-Za-z_]\\w*))?\\s*(-?\\d+)?"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression end(QStringLiteral("^\\s*EndEnumeration\\b"),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression member(QStringLiteral("^\\s*#(\\w+\\$?)\\s*(?:=\\s*(-?\\d+))?"));
    static const QRegularExpression pureBasic(QStringLiteral("_(PB_[A-Za-z]\\w*)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    Enumerations result;
    if (!commonFile)
        return result;
    bool inside = false;
    qint64 next = 0;
    QString name;
    QHash<QString, qint64> nextOfName;
    for (qsizetype i = 0; i < commonFile->code.size(); ++i) {
        const QString &code = commonFile->code[i];
        if (!inside) {
            const auto match = start.match(code);
            if (match.hasMatch()) {
                inside = true;
                name = match.captured(1).toUpper();
                next = !match.captured(2).isEmpty() ? match.captured(2).toLongLong() : nextOfName.value(name, 0);
                result.ends << next;
                static const QRegularExpression heading(QStringLiteral("^;- (\\w+) Constants$"));
                result.kinds << (i >= 2 ? heading.match(commonFile->lines[i - 2]).captured(1) : QString());
            }
            continue;
        }
        if (end.match(code).hasMatch()) {
            inside = false;
            if (!name.isEmpty())
                nextOfName.insert(name, next);
            continue;
        }
        const auto match = member.match(code);
        if (!match.hasMatch()) {
            if (!code.trimmed().isEmpty())
                faults << Where(*commonFile, i) + QStringLiteral("enumeration member ") + code.trimmed()
                              + QStringLiteral(" is not a constant");
            continue;
        }
        if (!match.captured(2).isEmpty())
            next = match.captured(2).toLongLong();
        const QString member = match.captured(1).toUpper();
        // PureBasic's own constants (#PB_Any, #PB_Menu_About) are no objects to name.
        if (const auto own = pureBasic.match(match.captured(1)); own.hasMatch())
            faults << Where(*commonFile, i) + QLatin1Char('#') + own.captured(1)
                          + QStringLiteral(" became the constant #") + match.captured(1);
        if (const QString &kind = result.kinds.last(); !kind.isEmpty()) {
            const QString holder = result.generated.value(kind).value(next);
            if (!holder.isEmpty())
                faults << Where(*commonFile, i) + QStringLiteral("constant #") + match.captured(1)
                              + QStringLiteral(" has the number ") + QString::number(next) + QStringLiteral(" of #")
                              + holder + QStringLiteral(" (") + kind + QStringLiteral(" Constants)");
            else
                result.generated[kind].insert(next, match.captured(1));
        }
        // The first declaration names the enumeration: the generated one, ahead of the sources'.
        if (!result.members.contains(member))
            result.members.insert(member, {int(result.ends.size() - 1), next, match.captured(1)});
        ++next;
        result.ends.last() = next;
    }
    return result;
}

void NoteAssignedConstant(const QString &code, QSet<QString> &names)
{
    static const QRegularExpression assignment(QStringLiteral("^\\s*#(\\w+\\$?)\\s*="));
    if (const auto match = assignment.match(code); match.hasMatch())
        names.insert(match.captured(1).toUpper());
}

bool IsPureBasicConstant(const QString &upperName)
{
    static const QSet<QString> own = {
        QStringLiteral("TRUE"),   QStringLiteral("FALSE"), QStringLiteral("NULL"), QStringLiteral("CR$"),
        QStringLiteral("LF$"),    QStringLiteral("CRLF$"), QStringLiteral("TAB$"), QStringLiteral("DQUOTE$"),
        QStringLiteral("EMPTY$"), QStringLiteral("ESC$"),  QStringLiteral("NUL$"), QStringLiteral("PS$"),
    };
    return upperName.startsWith(QStringLiteral("PB_")) || own.contains(upperName);
}

bool IsDispatcherCount(const QString &upperName)
{
    return upperName == QStringLiteral("CALLEVENTMENUCOUNT") || upperName == QStringLiteral("CALLEVENTGADGETCOUNT")
           || upperName == QStringLiteral("CALLEVENTWINDOWCOUNT");
}

// The variables a Global line declares, upper-cased.
void NoteGlobals(const QString &code, QSet<QString> &names)
{
    static const QRegularExpression global(QStringLiteral("^\\s*Global\\s+(.*)$"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression item(QStringLiteral("(?:^|,)\\s*\\*?([A-Za-z_]\\w*)")); // "*p" named "p"
    const auto match = global.match(code);
    for (auto it = item.globalMatch(match.captured(1)); match.hasMatch() && it.hasNext();)
        names.insert(it.next().captured(1).toUpper());
}

void NoteLabel(const QString &code, QSet<QString> &names)
{
    static const QRegularExpression label(QStringLiteral("^\\s*([A-Za-z_]\\w*):(?!:)"));
    if (const auto m = label.match(code); m.hasMatch())
        names.insert(m.captured(1).toUpper());
}

// What the first walk over every file learns before any use is checked: the project's
// procedures with where each is defined first, the constants it assigns, its Global
// variables and its labels, all upper-cased. On the way each file's blocks are balanced.
struct ProjectFacts {
    QHash<QString, QString> definedAt;
    QSet<QString> procedures;
    QSet<QString> assigned;
    QSet<QString> globals;
    QSet<QString> labels;
    QHash<QString, QSet<QString>> namedByKind; // "STRU", "MACR", "PROT", "NEWL", "NEWM", "DIM" -> names
    // Each procedure a line calls outside a form's event procedure ("<window>_Events"), with its places.
    QHash<QString, QList<QPair<const SourceFile *, qsizetype>>> callsOutsideFormEvents;
    QStringList blockFaults;      // of every file, then
    QStringList definitionFaults; // the procedures defined again
};

const QRegularExpression &NamedDeclaration()
{
    static const QRegularExpression named(
        QStringLiteral(
            "^\\s*(?:Global\\s+)?(Structure|Macro|Prototype\\w*(?:\\.\\w+)?|NewList|NewMap|Dim)\\s+\\*?(\\w+)"),
        QRegularExpression::CaseInsensitiveOption);
    return named;
}

// A call of a procedure by its name (not a field's, a structure's or a constant's).
const QRegularExpression &CalledName()
{
    static const QRegularExpression call(QStringLiteral("(?<![\\w\\\\.*#$?])([A-Za-z_]\\w*)\\s*\\("));
    return call;
}

// What a line declares by name, and the procedures it calls where it is not in a form's event
// procedure (which a project may drop once the calls it made stand elsewhere).
void NoteNamesAndCalls(const SourceFile &file, qsizetype i, bool &inFormEvents, ProjectFacts &facts)
{
    const QRegularExpression &call = CalledName();
    static const QRegularExpression declareLine(QStringLiteral("^\\s*(?:Declare|Procedure)\\w*\\b"),
                                                QRegularExpression::CaseInsensitiveOption);
    const QString &code = file.code[i];
    if (const auto m = NamedDeclaration().match(code); m.hasMatch())
        facts.namedByKind[m.captured(1).left(4).toUpper()].insert(m.captured(2).toUpper());
    if (const auto head = ProcedureHeadPattern().match(code); head.hasMatch())
        inFormEvents = head.captured(1).endsWith(QStringLiteral("_Events"), Qt::CaseInsensitive);
    else if (!inFormEvents && !declareLine.match(code).hasMatch())
        for (auto it = call.globalMatch(code); it.hasNext();)
            facts.callsOutsideFormEvents[it.next().captured(1).toUpper()].append({&file, i});
    if (IsProcedureEndLine(code))
        inFormEvents = false;
}

ProjectFacts ReadFacts(const QList<SourceFile> &files)
{
    ProjectFacts facts;
    for (const SourceFile &file : files) {
        BlockBalance blocks(file, facts.blockFaults);
        bool inFormEvents = false;
        for (qsizetype i = 0; i < file.code.size(); ++i) {
            blocks.read(i);
            NoteProcedure(file, i, facts.definedAt, facts.definitionFaults);
            NoteAssignedConstant(file.code[i], facts.assigned);
            NoteGlobals(file.code[i], facts.globals);
            NoteLabel(file.code[i], facts.labels);
            NoteNamesAndCalls(file, i, inFormEvents, facts);
        }
        blocks.close();
    }
    const QStringList names = facts.definedAt.keys();
    facts.procedures = QSet<QString>(names.cbegin(), names.cend());
    return facts;
}

// --- uses ----------------------------------------------------------------------------------

// A variable in a Case of the dispatcher is read where the event arrives: it must be Global,
// or it is a fresh local that is always 0.
void CheckCaseVariables(const SourceFile &eventMain, qsizetype i, const QSet<QString> &globals, QStringList &faults)
{
    static const QRegularExpression caseLine(QStringLiteral("^\\s*Case\\s+(.*)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression variable(QStringLiteral("(?:^|,)\\s*([A-Za-z_]\\w*)\\s*(?=,|$)"));
    const auto match = caseLine.match(eventMain.code[i]);
    for (auto it = variable.globalMatch(match.captured(1).trimmed()); match.hasMatch() && it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!globals.contains(name.toUpper()))
            faults << Where(eventMain, i) + QStringLiteral("variable ") + name
                          + QStringLiteral(" is not declared Global");
    }
}

// Every constant a line uses is declared, unless it is one PureBasic or the system knows.
void CheckConstants(const SourceFile &file, qsizetype i, const std::function<bool(const QString &)> &declared,
                    QStringList &faults)
{
    static const QRegularExpression constant(QStringLiteral("#(\\w+\\$?)"));
    for (auto it = constant.globalMatch(file.code[i]); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!declared(name))
            faults << Where(file, i) + QStringLiteral("constant #") + name + QStringLiteral(" is not declared");
    }
}

// The procedures a line calls or takes the address of, with a filter on their names.
void CheckCalls(const SourceFile &file, qsizetype i, const QSet<QString> &defined,
                const std::function<bool(const QString &)> &checked, QStringList &faults)
{
    static const QRegularExpression call(QStringLiteral("(?<![\\w\\\\.*#$?])(@?)([A-Za-z_]\\w*)\\s*\\("));
    static const QRegularExpression head(QStringLiteral("^\\s*(?:Procedure\\w*|Prototype\\w*|Declare\\w*)\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QString &code = file.code[i];
    if (head.match(code).hasMatch())
        return;
    for (auto it = call.globalMatch(code); it.hasNext();) {
        const auto match = it.next();
        const QString name = match.captured(2);
        if (!checked(name) || defined.contains(name.toUpper()))
            continue;
        faults << Where(file, i) + (match.captured(1).isEmpty() ? QString() : QStringLiteral("@")) + name
                      + QStringLiteral("() names no procedure");
    }
}

// A call that is a statement of its own without arguments, as Main.pb opens its first window
// ("ShowMainWindow()"), calls a procedure of the project: PureBasic's own commands that stand
// so in Main.pb are not used that way.
void CheckStatementCall(const SourceFile &main, qsizetype i, const QSet<QString> &defined, QStringList &faults)
{
    static const QRegularExpression statement(QStringLiteral("^\\s*([A-Za-z_]\\w*)\\s*\\(\\s*\\)\\s*$"));
    const auto match = statement.match(main.code[i]);
    if (match.hasMatch() && !defined.contains(match.captured(1).toUpper())
        && !match.captured(1).startsWith(QStringLiteral("Open_")))
        faults << Where(main, i) + match.captured(1) + QStringLiteral("() names no procedure");
}

// --- jump tables ---------------------------------------------------------------------------

struct Table {
    QString label;
    qsizetype labelLine = -1;
    QList<qsizetype> rowLines;
    QStringList rows; // procedure names
};

void CheckTables(const SourceFile &eventMain, const Enumerations &enums, QStringList &faults)
{
    static const QRegularExpression countLine(
        QStringLiteral("^\\s*#CallEvent(Menu|Gadget|Window)Count\\s*=\\s*(\\d+)"));
    static const QRegularExpression labelLine(QStringLiteral("^\\s*(\\w+):\\s*$"));
    static const QRegularExpression rowLine(QStringLiteral("^\\s*Data\\.i\\s+@(\\w+)\\(\\)"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression endData(QStringLiteral("^\\s*EndDataSection\\b"),
                                            QRegularExpression::CaseInsensitiveOption);

    QHash<QString, qint64> counts;
    QHash<QString, Table> tables;
    Table *current = nullptr;
    for (qsizetype i = 0; i < eventMain.code.size(); ++i) {
        const QString &code = eventMain.code[i];
        if (auto m = countLine.match(code); m.hasMatch()) {
            counts.insert(m.captured(1), m.captured(2).toLongLong());
        } else if (auto m = labelLine.match(code); m.hasMatch()) {
            current = &tables[m.captured(1)];
            current->label = m.captured(1);
            current->labelLine = i;
        } else if (auto m = rowLine.match(code); m.hasMatch() && current) {
            current->rows << m.captured(1);
            current->rowLines << i;
        } else if (endData.match(code).hasMatch()) {
            current = nullptr;
        }
    }
    if (counts.isEmpty())
        return; // the Select form has no tables

    const struct {
        const char *label;
        const char *count;
        const char *prefix;
    } kinds[] = {
        {"CallEventMenu", "Menu", "EventMenu_"},
        {"CallEventGadget", "Gadget", "EventGadget_"},
        {"CallEventSize", "Window", "EventSize_"},
        {"CallEventExit", "Window", "EventExit_"},
    };
    for (const auto &kind : kinds) {
        const QString label = QLatin1String(kind.label);
        const QString countName = QStringLiteral("#CallEvent") + QLatin1String(kind.count) + QStringLiteral("Count");
        if (!tables.contains(label)) {
            faults << eventMain.name + QStringLiteral(":0: table ") + label + QStringLiteral(" is missing");
            continue;
        }
        const Table &table = tables[label];
        if (!counts.contains(QLatin1String(kind.count))) {
            faults << eventMain.name + QStringLiteral(":0: ") + countName + QStringLiteral(" is missing");
            continue;
        }
        const qint64 count = counts.value(QLatin1String(kind.count));
        if (table.rows.size() != count) {
            faults << Where(eventMain, table.labelLine) + QStringLiteral("table ") + label + QStringLiteral(" has ")
                          + QString::number(table.rows.size()) + QStringLiteral(" rows, ") + countName
                          + QStringLiteral(" is ") + QString::number(count);
        }
        int enumeration = -1;
        for (qsizetype row = 0; row < table.rows.size(); ++row) {
            const QString &procedure = table.rows[row];
            if (procedure.compare(QStringLiteral("MyEventDispatch"), Qt::CaseInsensitive) == 0
                || procedure.compare(QStringLiteral("MyEventIgnore"), Qt::CaseInsensitive) == 0)
                continue; // the row of an object without a procedure of its own
            const QString where = Where(eventMain, table.rowLines[row]) + QStringLiteral("row ") + QString::number(row)
                                  + QStringLiteral(" of ") + label + QStringLiteral(" calls ") + procedure;
            if (!procedure.startsWith(QLatin1String(kind.prefix), Qt::CaseInsensitive)) {
                faults << where + QStringLiteral(", not an ") + QLatin1String(kind.prefix)
                              + QStringLiteral(" procedure");
                continue;
            }
            const QString constant = procedure.mid(qstrlen(kind.prefix));
            const auto member = enums.members.constFind(constant.toUpper());
            if (member == enums.members.cend()) {
                faults << where + QStringLiteral(", but #") + constant + QStringLiteral(" is in no enumeration");
                continue;
            }
            if (member->value != row) {
                faults << where + QStringLiteral(", but #") + constant + QStringLiteral(" has the value ")
                              + QString::number(member->value);
            }
            if (enumeration < 0)
                enumeration = member->enumeration;
        }
        if (enumeration >= 0 && enums.ends[enumeration] != table.rows.size()) {
            faults << Where(eventMain, table.labelLine) + QStringLiteral("table ") + label + QStringLiteral(" has ")
                          + QString::number(table.rows.size()) + QStringLiteral(" rows, its enumeration ")
                          + QString::number(enums.ends[enumeration]) + QStringLiteral(" values");
        }
    }
}

// --- includes ------------------------------------------------------------------------------

void CheckInclude(const SourceFile &file, qsizetype i, const QString &dir, QStringList &faults)
{
    const QString name = IncludedName(file.lines[i], file.code[i]);
    if (name.isEmpty())
        return;
    const QString path = QDir::isAbsolutePath(name) ? name : dir + name;
    if (!QFileInfo(path).isFile())
        faults << Where(file, i) + QStringLiteral("IncludeFile \"") + name + QStringLiteral("\" does not exist");
}

// --- the program as the compiler reads it ------------------------------------------------

QRegularExpression NoCase(const char *pattern)
{
    return QRegularExpression(QLatin1String(pattern), QRegularExpression::CaseInsensitiveOption);
}

const QRegularExpression &ProcedureHeadPattern()
{
    static const QRegularExpression head = NoCase("^\\s*Procedure(?:C|DLL|CDLL)?(?:\\.\\w+)?\\s+(\\w+)\\s*\\((.*)$");
    return head;
}

bool IsProcedureEndLine(const QString &code)
{
    static const QRegularExpression end = NoCase("^\\s*EndProcedure\\b");
    return end.match(code).hasMatch();
}

// A line of the program in the order the compiler reads it: Main.pb, and each included file
// in the place of its IncludeFile line (an XIncludeFile only the first time).
struct ProgramLine {
    const SourceFile *file = nullptr;
    qsizetype index = 0;
    const QString &code() const { return file->code[index]; }
};

QList<ProgramLine> ProgramOrder(const QList<SourceFile> &files)
{
    static const QRegularExpression once = NoCase("^\\s*XIncludeFile\\b");
    QList<ProgramLine> order;
    QSet<QString> included;
    const std::function<void(const SourceFile &, int)> read = [&](const SourceFile &file, int depth) {
        for (qsizetype i = 0; i < file.code.size(); ++i) {
            const QString name = IncludedName(file.lines[i], file.code[i]);
            if (name.isEmpty()) {
                order.append({&file, i});
                continue;
            }
            const auto target = std::find_if(files.cbegin(), files.cend(),
                                             [&](const SourceFile &f) { return f.name == name; });
            if (target == files.cend() || depth > 16
                || (once.match(file.code[i]).hasMatch() && included.contains(name)))
                continue;
            included.insert(name);
            read(*target, depth + 1);
        }
    };
    if (const SourceFile *main = FileNamed(files, "Main.pb"))
        read(*main, 0);
    return order;
}

// A constant of PureBasic or of the operating system, given as written.
bool IsSystemConstant(const QString &name)
{
    // The operating system's constants (#WM_USER, #LVS_EX_GRIDLINES) are written in capitals
    // with an underscore; PureBasic also knows a few colours and numbers.
    static const QRegularExpression api(QStringLiteral("^[A-Z][A-Z0-9]*_[A-Z0-9_]*$"));
    static const QSet<QString> more = {QStringLiteral("RED"),   QStringLiteral("GREEN"), QStringLiteral("BLUE"),
                                       QStringLiteral("BLACK"), QStringLiteral("WHITE"), QStringLiteral("YELLOW"),
                                       QStringLiteral("GRAY"),  QStringLiteral("CYAN"),  QStringLiteral("MAGENTA"),
                                       QStringLiteral("PI"),    QStringLiteral("E")};
    const QString upper = name.toUpper();
    return IsPureBasicConstant(upper) || IsDispatcherCount(upper) || more.contains(upper) || api.match(name).hasMatch();
}

// A constant's value where the program states it as a number, an enumeration's count, or
// another constant plus or minus a number.
struct ConstantValues {
    QHash<QString, qint64> values; // upper-cased name
    QHash<QString, qint64> nextOfEnumeration;

    std::optional<qint64> evaluate(const QString &expression) const
    {
        static const QRegularExpression term(QStringLiteral("^\\s*(?:(-?\\d+)|#(\\w+))\\s*(?:([+-])\\s*(\\d+))?\\s*$"));
        const auto m = term.match(expression);
        if (!m.hasMatch())
            return std::nullopt;
        qint64 value = 0;
        if (!m.captured(1).isEmpty())
            value = m.captured(1).toLongLong();
        else if (const auto it = values.constFind(m.captured(2).toUpper()); it != values.cend())
            value = *it;
        else
            return std::nullopt;
        if (!m.captured(3).isEmpty())
            value += (m.captured(3) == QStringLiteral("+") ? 1 : -1) * m.captured(4).toLongLong();
        return value;
    }
};

// The statements of a line: PureBasic joins them with ":" ("::" reaches into a module).
QStringList StatementsOf(const QString &code)
{
    static const QRegularExpression separator(QStringLiteral("(?<!:):(?!:)"));
    return code.split(separator);
}

// The names a Global, Define, Protected, Static or Shared statement declares (upper-cased, a
// pointer with its "*"): its items are split at the commas outside parentheses.
QStringList DeclaredVariables(const QString &list)
{
    static const QRegularExpression name = NoCase("^\\s*(?:(?:NewList|NewMap|Dim)\\s+)?(\\*?[A-Za-z_]\\w*)");
    QStringList names;
    int depth = 0;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= list.size(); ++i) {
        const QChar c = i < list.size() ? list[i] : QLatin1Char(',');
        depth += c == QLatin1Char('(') ? 1 : c == QLatin1Char(')') ? -1 : 0;
        if (c != QLatin1Char(',') || depth > 0)
            continue;
        if (const auto m = name.match(list.mid(from, i - from)); m.hasMatch())
            names << m.captured(1).toUpper();
        from = i + 1;
    }
    return names;
}

// What the program declares, in the order the compiler meets it, and the faults of a use
// before its declaration or of a second declaration with another value.
class ProgramWalk {
public:
    explicit ProgramWalk(QStringList &faults) : faults_(faults) {}

    void walk(const QList<ProgramLine> &order)
    {
        static const QRegularExpression module = NoCase("^\\s*(?:Declare)?Module\\s+(\\w+)");
        static const QRegularExpression endModule = NoCase("^\\s*End(?:Declare)?Module\\b");
        QList<Statement> statements;
        QString scope;
        for (qsizetype at = 0; at < order.size(); ++at) {
            for (const QString &code : StatementsOf(order[at].code())) {
                if (const auto m = module.match(code); m.hasMatch())
                    scope = m.captured(1).toUpper() + QStringLiteral("::");
                else if (endModule.match(code).hasMatch())
                    scope.clear();
                statements.append({order[at], at, code, scope});
            }
        }
        for (const Statement &statement : statements)
            declarations(statement);
        for (const Statement &statement : statements)
            uses(statement);
    }

    const ConstantValues &values() const { return values_; }
    bool declaresConstant(const QString &upper) const { return constants_.contains(upper); }
    // Where a constant is declared first, if it is.
    std::optional<ProgramLine> constantLine(const QString &upper) const
    {
        const auto it = constantLine_.constFind(upper);
        return it == constantLine_.cend() ? std::nullopt : std::optional<ProgramLine>(*it);
    }

private:
    struct Statement {
        ProgramLine line;
        qsizetype at; // the line's position in the program
        QString code;
        QString scope; // "MODULE::" inside a module, empty in the main code
    };

    // Every declaration, with the position where it takes effect.
    void declarations(const Statement &statement)
    {
        static const QRegularExpression declare = NoCase("^\\s*Declare(?:C|DLL|CDLL)?(?:\\.\\w+)?\\s+(\\w+)");
        static const QRegularExpression structure = NoCase("^\\s*Structure\\s+(\\w+)");
        static const QRegularExpression enumeration = NoCase(
            "^\\s*Enumeration(?:Binary)?\\b(?:\\s+([A-Za-z_]\\w*))?\\s*([^;]*)$");
        static const QRegularExpression endEnumeration = NoCase("^\\s*EndEnumeration\\b");
        static const QRegularExpression member(QStringLiteral("^\\s*#(\\w+\\$?)\\s*(?:=\\s*(.*))?$"));
        static const QRegularExpression assignment(QStringLiteral("^\\s*#(\\w+\\$?)\\s*=\\s*(.*)$"));
        static const QRegularExpression global = NoCase("^\\s*Global\\s+(.*)$");
        static const QRegularExpression compilerOpen = NoCase("^\\s*Compiler(?:If|Select)\\b");
        static const QRegularExpression compilerEnd = NoCase("^\\s*Compiler(?:EndIf|EndSelect)\\b");
        const QString &code = statement.code;
        const qsizetype at = statement.at;
        const auto first = [at](QHash<QString, qsizetype> &where, const QString &name) {
            if (!where.contains(name.toUpper()))
                where.insert(name.toUpper(), at);
        };
        if (compilerOpen.match(code).hasMatch())
            ++compilerDepth_;
        else if (compilerEnd.match(code).hasMatch())
            compilerDepth_ = std::max(0, compilerDepth_ - 1);
        if (auto m = ProcedureHeadPattern().match(code); m.hasMatch())
            first(procedureAt_, m.captured(1));
        else if (auto m = declare.match(code); m.hasMatch())
            first(procedureAt_, m.captured(1));
        else if (auto m = structure.match(code); m.hasMatch())
            first(structureAt_, m.captured(1));
        else if (auto m = global.match(code); m.hasMatch())
            for (const QString &name : DeclaredVariables(m.captured(1)))
                first(globalAt_, statement.scope + name);
        if (inEnumeration_) {
            if (endEnumeration.match(code).hasMatch()) {
                inEnumeration_ = false;
                if (!enumerationName_.isEmpty())
                    values_.nextOfEnumeration.insert(enumerationName_, next_);
            } else if (auto m = member.match(code); m.hasMatch()) {
                if (!m.captured(2).trimmed().isEmpty()) {
                    const auto value = values_.evaluate(m.captured(2));
                    next_ = value.value_or(next_);
                }
                constant(statement, m.captured(1), next_);
                next_ += step_;
            }
            return;
        }
        if (auto m = enumeration.match(code); m.hasMatch()) {
            inEnumeration_ = true;
            enumerationName_ = m.captured(1).toUpper();
            static const QRegularExpression step = NoCase("\\s+Step\\s+(.+)$");
            const QString head = m.captured(2).section(QLatin1Char(','), 0, 0);
            const auto stepped = step.match(head);
            step_ = stepped.hasMatch() ? values_.evaluate(stepped.captured(1)).value_or(1) : 1;
            const auto start = values_.evaluate(stepped.hasMatch() ? head.first(stepped.capturedStart()) : head);
            next_ = start ? *start : values_.nextOfEnumeration.value(enumerationName_, 0);
        } else if (auto m = assignment.match(code); m.hasMatch()) {
            constant(statement, m.captured(1), values_.evaluate(m.captured(2)));
        }
    }

    // PureBasic accepts a constant declared again only with the same value; the branches of a
    // CompilerIf may each give it their own.
    void constant(const Statement &statement, const QString &name, std::optional<qint64> value)
    {
        const QString upper = name.toUpper();
        if (!constantAt_.contains(upper)) {
            constantAt_.insert(upper, statement.at);
            constantLine_.insert(upper, statement.line);
        }
        constants_.insert(upper);
        if (!value)
            return;
        values_.values.insert(upper, *value);
        if (compilerDepth_ > 0)
            return;
        const QString key = statement.scope + upper;
        const auto known = declaredValue_.constFind(key);
        if (known == declaredValue_.cend())
            declaredValue_.insert(key, *value);
        else if (*known != *value)
            fault(statement.line, QStringLiteral("constant #") + name
                                      + QStringLiteral(" is declared again with another value (")
                                      + QString::number(*known) + QStringLiteral(", then ") + QString::number(*value)
                                      + QLatin1Char(')'));
    }

    void uses(const Statement &statement)
    {
        static const QRegularExpression call(QStringLiteral("(?<![\\w\\\\.*#$?])@?([A-Za-z_]\\w*)\\s*\\("));
        static const QRegularExpression constant(QStringLiteral("#(\\w+\\$?)"));
        static const QRegularExpression type(QStringLiteral("(?<=\\w)\\.([A-Za-z_]\\w*)"));
        const QString &code = statement.code;
        const qsizetype at = statement.at;
        const auto before = [at](const QHash<QString, qsizetype> &where, const QString &upper) {
            const auto it = where.constFind(upper);
            return it != where.cend() && *it > at;
        };
        for (auto it = call.globalMatch(code); it.hasNext();) {
            const QString name = it.next().captured(1);
            if (before(procedureAt_, name.toUpper()))
                fault(statement.line, name + QStringLiteral("() is called before it is declared"));
        }
        for (auto it = constant.globalMatch(code); it.hasNext();) {
            const QString name = it.next().captured(1);
            if (before(constantAt_, name.toUpper()))
                fault(statement.line,
                      QStringLiteral("constant #") + name + QStringLiteral(" is used before it is declared"));
        }
        for (auto it = type.globalMatch(code); it.hasNext();) {
            const QString name = it.next().captured(1);
            if (before(structureAt_, name.toUpper()))
                fault(statement.line,
                      QStringLiteral("structure ") + name + QStringLiteral(" is used before it is declared"));
        }
        variables(statement, before);
    }

    // A variable used before its Global line is another variable there: a local of its
    // procedure or, with EnableExplicit, no variable at all.
    template <typename Before>
    void variables(const Statement &statement, const Before &before)
    {
        static const QRegularExpression declaring = NoCase("^\\s*(Global|Define|Protected|Static|Shared)\\b(.*)$");
        static const QRegularExpression parameter = NoCase("(?:^|,)\\s*(?:(?:List|Map|Array)\\s+)?(\\*?[A-Za-z_]\\w*)");
        static const QRegularExpression variable(QStringLiteral("(?<![\\w#.\\\\$@?])(\\*?[A-Za-z_]\\w*)"));
        const QString &code = statement.code;
        if (const auto head = ProcedureHeadPattern().match(code); head.hasMatch()) {
            locals_.clear();
            inProcedure_ = true;
            for (auto it = parameter.globalMatch(head.captured(2)); it.hasNext();)
                locals_.insert(it.next().captured(1).toUpper());
            return;
        }
        if (IsProcedureEndLine(code)) {
            inProcedure_ = false;
            locals_.clear();
            return;
        }
        if (const auto m = declaring.match(code); m.hasMatch()) {
            if (inProcedure_ && m.captured(1).compare(QStringLiteral("Global"), Qt::CaseInsensitive) != 0)
                for (const QString &name : DeclaredVariables(m.captured(2)))
                    locals_.insert(name);
            return;
        }
        static const QRegularExpression label(QStringLiteral("^\\s*[A-Za-z_]\\w*\\s*$")); // "Name:" split off its colon
        if (label.match(code).hasMatch())
            return;
        QSet<QString> reported;
        for (auto it = variable.globalMatch(code); it.hasNext();) {
            const QString name = it.next().captured(1);
            const QString upper = name.toUpper();
            if (!locals_.contains(upper) && before(globalAt_, statement.scope + upper) && !reported.contains(upper)) {
                reported.insert(upper);
                fault(statement.line,
                      QStringLiteral("variable ") + name + QStringLiteral(" is used before its Global declaration"));
            }
        }
    }

    void fault(const ProgramLine &line, const QString &text) { faults_ << Where(*line.file, line.index) + text; }

    QStringList &faults_;
    QHash<QString, qsizetype> procedureAt_, constantAt_, structureAt_, globalAt_;
    QHash<QString, ProgramLine> constantLine_;
    QHash<QString, qint64> declaredValue_; // scope and name -> the value first declared
    QSet<QString> constants_;
    QSet<QString> locals_; // of the procedure being read
    ConstantValues values_;
    bool inEnumeration_ = false, inProcedure_ = false;
    int compilerDepth_ = 0;
    QString enumerationName_;
    qint64 next_ = 0;
    qint64 step_ = 1;
};

// A DataSection label a line reads (?Label) is defined somewhere.
void CheckLabelUses(const SourceFile &file, qsizetype i, const QSet<QString> &labels, QStringList &faults)
{
    static const QRegularExpression labelUse(QStringLiteral("(?<![\\w?])\\?([A-Za-z_]\\w*)"));
    for (auto it = labelUse.globalMatch(file.code[i]); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!labels.contains(name.toUpper()))
            faults << Where(file, i) + QStringLiteral("label ") + name + QStringLiteral(" is defined nowhere");
    }
}

// --- the uses of each file, in one walk ----------------------------------------------------

// What the walk over a file's lines finds, one list a check, so that each check's faults keep
// their place in the report.
struct UseFaults {
    QStringList calls;
    QStringList statementCalls;
    QStringList constants; // of the event files, against the generated enumerations
    QStringList caseVariables;
    QStringList includes;
    QStringList programConstants; // of the window code and the user's files, against the program
    QStringList labels;
};

// What the uses are checked against.
struct Declarations {
    const ProjectFacts &facts;
    const QSet<QString> &constants; // the members of the generated enumerations and the assigned ones
    const ProgramWalk &walk;
    const QString &dir;
};

UseFaults CheckUses(const SourceFile &file, const Declarations &declared)
{
    const bool main = file.name == QStringLiteral("Main.pb");
    const bool eventMain = file.name == QStringLiteral("EventMain.pb");
    const bool commonFile = file.name == QStringLiteral("CommonFile.pb");
    // The window code and the user's own files may use constants of their own.
    const bool generatedConstants = IsGenerated(file) && !commonFile && file.name != QStringLiteral("LoadLanguage.pb");
    const bool programConstants = !IsGenerated(file) || commonFile;
    const std::function<bool(const QString &)> generated = [&](const QString &name) {
        const QString upper = name.toUpper();
        return declared.constants.contains(upper) || IsPureBasicConstant(upper) || IsDispatcherCount(upper);
    };
    const std::function<bool(const QString &)> inProgram = [&](const QString &name) {
        return declared.walk.declaresConstant(name.toUpper()) || IsSystemConstant(name);
    };
    // Main.pb calls PureBasic's commands too: only its window openers and dispatchers are checked.
    const std::function<bool(const QString &)> calledChecked = [&](const QString &name) {
        return eventMain || name.startsWith(QStringLiteral("Open_")) || name.startsWith(QStringLiteral("MyEvent"));
    };
    UseFaults found;
    for (qsizetype i = 0; i < file.code.size(); ++i) {
        if (main || eventMain)
            CheckCalls(file, i, declared.facts.procedures, calledChecked, found.calls);
        if (main)
            CheckStatementCall(file, i, declared.facts.procedures, found.statementCalls);
        if (generatedConstants)
            CheckConstants(file, i, generated, found.constants);
        if (programConstants)
            CheckConstants(file, i, inProgram, found.programConstants);
        if (eventMain)
            CheckCaseVariables(file, i, declared.facts.globals, found.caseVariables);
        if (main || commonFile)
            CheckInclude(file, i, declared.dir, found.includes);
        CheckLabelUses(file, i, declared.facts.labels, found.labels);
    }
    return found;
}

// --- object numbers ----------------------------------------------------------------------

// A window, menu item or toolbar button created with the number of another object of its
// kind: PureBasic gives both one object, and the later destroys the earlier (or both menu
// items send one event). Windows share one set of numbers, menu items and toolbar buttons one
// per window; a number that a constant of the generated section holds belongs to that
// constant in every window, as the dispatcher knows no window. Gadgets are compared by
// CheckWindowCode.
void CheckSharedNumbers(const QList<ProgramLine> &order, const Enumerations &enums, const ConstantValues &values,
                        QStringList &faults)
{
    static const QRegularExpression creation = NoCase(
        "(?<![\\w.])(OpenWindow|MenuItem|ToolBarStandardButton|ToolBarImageButton)\\s*\\(\\s*(\\d+|#\\w+)\\s*[,)]");
    static const QRegularExpression barOf = NoCase(
        "(?<![\\w.])Create(?:Image)?(?:Menu|ToolBar)\\s*\\([^,]*,\\s*WindowID\\s*\\(\\s*(#?\\w+)");
    struct Created {
        QString object;
        QString where;
    };
    QHash<QString, QHash<qint64, Created>> created; // "" for windows, else the window -> number -> first object
    QString window;
    for (const ProgramLine &line : order) {
        if (const auto m = barOf.match(line.code()); m.hasMatch())
            window = m.captured(1).toUpper();
        for (auto it = creation.globalMatch(line.code()); it.hasNext();) {
            const auto match = it.next();
            const bool isWindow = match.captured(1).compare(QStringLiteral("OpenWindow"), Qt::CaseInsensitive) == 0;
            const QString kind = isWindow ? QStringLiteral("Window") : QStringLiteral("MenuItem");
            const QString argument = match.captured(2);
            const QString name = argument.startsWith(QLatin1Char('#')) ? argument.mid(1).toUpper() : QString();
            if (isWindow)
                window = argument.toUpper();
            std::optional<qint64> number = argument.toLongLong();
            if (!name.isEmpty())
                number = values.values.contains(name) ? std::optional<qint64>(values.values.value(name)) : std::nullopt;
            const auto member = enums.members.constFind(name);
            const bool generated = member != enums.members.cend() && enums.kinds[member->enumeration] == kind;
            if (!number || name == QStringLiteral("PB_ANY"))
                continue;
            const QString holder = generated ? QString() : enums.generated.value(kind).value(*number);
            const QString at = Where(*line.file, line.index) + match.captured(1) + QLatin1Char('(') + argument
                               + QStringLiteral(") creates the number of ");
            if (!holder.isEmpty() && holder.compare(name, Qt::CaseInsensitive) != 0) {
                faults << at + QLatin1Char('#') + holder;
                continue;
            }
            QHash<qint64, Created> &numbers = created[isWindow ? QString() : window];
            const auto first = numbers.constFind(*number);
            if (first == numbers.cend())
                numbers.insert(*number,
                               {argument, line.file->name + QLatin1Char(':') + QString::number(line.index + 1)});
            else if (first->object.compare(argument, Qt::CaseInsensitive) != 0)
                faults << at + first->object + QStringLiteral(" (") + first->where + QLatin1Char(')');
        }
    }
}

const QRegularExpression &GadgetCreator()
{
    static const QRegularExpression creator = NoCase(
        "(?<![\\w.])(Button|ButtonImage|Calendar|Canvas|CheckBox|ComboBox|Container|Date|Editor|ExplorerCombo|"
        "ExplorerList|ExplorerTree|Frame|Frame3D|HyperLink|IPAddress|Image|ListIcon|ListView|MDI|OpenGL|Option|"
        "Panel|ProgressBar|Scintilla|ScrollArea|ScrollBar|Shortcut|Spin|Splitter|String|Text|TrackBar|Tree|Web|"
        "WebView)Gadget\\s*\\(\\s*(#\\w+|\\d+)\\s*([,)+\\-*])");
    return creator;
}

// The members of CommonFile.pb's gadget enumeration: the gadgets the dispatcher serves.
QSet<QString> GeneratedGadgets(const SourceFile *commonFile)
{
    static const QRegularExpression member(QStringLiteral("^\\s*#(\\w+)"));
    QSet<QString> gadgets;
    if (!commonFile)
        return gadgets;
    const qsizetype heading = commonFile->lines.indexOf(QStringLiteral(";- Gadget Constants"));
    for (qsizetype i = heading + 3; heading >= 0 && i < commonFile->code.size()
                                    && !commonFile->code[i].startsWith(QStringLiteral("EndEnumeration"));
         ++i)
        if (const auto m = member.match(commonFile->code[i]); m.hasMatch())
            gadgets.insert(m.captured(1).toUpper());
    return gadgets;
}

// What a window's code gets wrong at run time: an event loop or End that runs when
// CommonFile.pb is included, an image handle used as an image number, a parameter default
// that is not a constant, a gadget used but never created, two gadgets sharing a number.
void CheckWindowCode(const QList<SourceFile> &files, const ConstantValues &values, QStringList &faults)
{
    static const QRegularExpression loop = NoCase("(?<![\\w.])(?:WaitWindowEvent|WindowEvent)\\s*\\(");
    static const QRegularExpression end = NoCase("(?:^|:)\\s*End\\s*(?::|$)");
    static const QRegularExpression handleTwice = NoCase(
        "(?<![\\w.])ImageID\\s*\\(\\s*(?:ImageID|LoadImage\\s*\\(\\s*\\d|CatchImage\\s*\\(\\s*\\d)");
    static const QRegularExpression handleVariable = NoCase("(?<![\\w.#*])(\\w+)\\s*=\\s*ImageID\\s*\\(");
    static const QRegularExpression imageOfVariable = NoCase("(?<![\\w.])ImageID\\s*\\(\\s*(\\w+)\\s*\\)");
    static const QRegularExpression defaultCall(QStringLiteral("=\\s*[A-Za-z_]\\w*\\s*\\("));
    static const QRegularExpression noFile = NoCase("^\\s*IncludeBinary\\s*\"\"");
    // Texts a translator must not change: font names, date masks, queries, file names, patterns.
    static const QRegularExpression notInterface = NoCase(
        "(?<![\\w.])(?:LoadFont|FormatDate|ParseDate|DateGadget|Database\\w*|OpenDatabase|ExamineDirectory|ReadFile|"
        "CreateFile|OpenFile|RunProgram|\\w*Preference\\w*|LoadXML|CreateRegularExpression)\\s*\\([^;]*?MyLanguage\\s*"
        "\\(");
    static const QRegularExpression gadgetUse = NoCase(
        "(?<![\\w.])(?:(?:Set|Get|Add|Remove|Clear|Count|Disable|Hide|Resize|Free|Is|Open)Gadget\\w*|SetActiveGadget|"
        "Gadget(?:ID|X|Y|Width|Height|ToolTip|Type|ItemID)|BindGadgetEvent)\\s*\\(\\s*#(\\w+)");

    QHash<QString, QString> handleAt; // upper-cased variable -> where it got a handle
    QSet<QString> created = GeneratedGadgets(FileNamed(files, "CommonFile.pb"));
    QHash<qint64, QString> numberOwner;
    static const QRegularExpression opens = NoCase("(?<![\\w.])OpenWindow\\s*\\(");
    for (const SourceFile &file : files) {
        const QList<bool> &inProcedure = file.inProcedure;
        bool windowOpened = false; // by the top level of CommonFile.pb: a module's code kept as written
        for (qsizetype i = 0; i < file.code.size(); ++i) {
            const QString &code = file.code[i];
            if (file.name == QStringLiteral("CommonFile.pb") && !inProcedure[i]) {
                windowOpened = windowOpened || opens.match(code).hasMatch();
                if (loop.match(code).hasMatch())
                    faults << Where(file, i) + QStringLiteral("an event loop runs when CommonFile.pb is included");
                else if (end.match(code).hasMatch())
                    faults << Where(file, i) + QStringLiteral("End ends the program when CommonFile.pb is included");
                else if (!windowOpened && GadgetCreator().match(code).hasMatch())
                    faults << Where(file, i)
                                  + QStringLiteral(
                                      "a gadget is created when CommonFile.pb is included, before any window");
            }
            if (noFile.match(code).hasMatch())
                faults << Where(file, i) + QStringLiteral("IncludeBinary names no file");
            if (handleTwice.match(code).hasMatch())
                faults << Where(file, i) + QStringLiteral("ImageID of an image handle");
            for (auto it = handleVariable.globalMatch(code); it.hasNext();) {
                const QString name = it.next().captured(1).toUpper();
                if (!handleAt.contains(name))
                    handleAt.insert(name, file.name + QLatin1Char(':') + QString::number(i + 1));
            }
            if (const auto m = notInterface.match(code); m.hasMatch())
                faults << Where(file, i) + QStringLiteral("a text of ")
                              + m.captured().section(QLatin1Char('('), 0, 0).trimmed()
                              + QStringLiteral(" goes through MyLanguage");
            if (const auto head = ProcedureHeadPattern().match(code);
                head.hasMatch() && defaultCall.match(head.captured(2)).hasMatch())
                faults << Where(file, i) + QStringLiteral("a parameter default of ") + head.captured(1)
                              + QStringLiteral(" is not a constant");
            for (auto it = GadgetCreator().globalMatch(code); it.hasNext();) {
                const auto m = it.next();
                if (m.captured(3) != QStringLiteral(",") && m.captured(3) != QStringLiteral(")"))
                    continue; // a number computed in a loop
                const QString object = m.captured(2);
                if (object.compare(QStringLiteral("#PB_Any"), Qt::CaseInsensitive) == 0)
                    continue;
                created.insert(object.mid(1).toUpper());
                const std::optional<qint64> number = object.startsWith(QLatin1Char('#'))
                                                         ? values.values.contains(object.mid(1).toUpper())
                                                               ? std::optional<qint64>(
                                                                   values.values.value(object.mid(1).toUpper()))
                                                               : std::nullopt
                                                         : std::optional<qint64>(object.toLongLong());
                if (!number)
                    continue;
                const QString owner = numberOwner.value(*number);
                if (owner.isEmpty())
                    numberOwner.insert(*number, object);
                else if (owner.compare(object, Qt::CaseInsensitive) != 0)
                    faults << Where(file, i) + QStringLiteral("gadget ") + object + QStringLiteral(" has the number ")
                                  + QString::number(*number) + QStringLiteral(" of gadget ") + owner;
            }
        }
    }
    // A constant declared as a created gadget's ("#btn0 = #wndMain_btn0") names that gadget.
    static const QRegularExpression alias(QStringLiteral("^\\s*#(\\w+)\\s*=\\s*#(\\w+)\\s*$"));
    for (const SourceFile &file : files)
        for (const QString &code : file.code)
            for (const QString &statement : StatementsOf(code))
                if (const auto m = alias.match(statement); m.hasMatch() && created.contains(m.captured(2).toUpper()))
                    created.insert(m.captured(1).toUpper());
    for (const SourceFile &file : files) {
        for (qsizetype i = 0; i < file.code.size(); ++i) {
            for (auto it = imageOfVariable.globalMatch(file.code[i]); it.hasNext();) {
                const QString name = it.next().captured(1);
                if (handleAt.contains(name.toUpper()))
                    faults << Where(file, i) + name + QStringLiteral(" holds an image handle (")
                                  + handleAt.value(name.toUpper()) + QStringLiteral("), not an image number");
            }
            for (auto it = gadgetUse.globalMatch(file.code[i]); it.hasNext();) {
                const QString name = it.next().captured(1);
                const QString upper = name.toUpper();
                if (!created.contains(upper) && !IsSystemConstant(name))
                    faults << Where(file, i) + QStringLiteral("gadget #") + name
                                  + QStringLiteral(" is used but never created");
            }
        }
    }
}

// A gadget or menu item of the generated section that only a comment creates ("; ButtonGadget(
// #Btn_Apply, ..." in a source, left there when the button went) does not exist: it gets no
// constant and no event procedure.
void CheckCommentedObjects(const QList<SourceFile> &files, const QList<SourceFile> &sources,
                           const SourceFile &commonFile, const Enumerations &enums, QStringList &faults)
{
    static const QRegularExpression creator = NoCase(
        "(?<![\\w.])(?:\\w+Gadget|MenuItem|ToolBarStandardButton|ToolBarImageButton|ToolBarButton)\\s*\\(\\s*#(\\w+)");
    static const QRegularExpression member(QStringLiteral("^\\s*#(\\w+)"));
    QSet<QString> created;
    QHash<QString, QString> commented; // upper-cased constant -> where a comment creates it
    for (const QList<SourceFile> *group : {&files, &sources}) {
        for (const SourceFile &file : *group) {
            for (qsizetype i = 0; i < file.code.size(); ++i) {
                for (auto it = creator.globalMatch(file.code[i]); it.hasNext();)
                    created.insert(it.next().captured(1).toUpper());
                for (auto it = creator.globalMatch(file.lines[i].mid(file.code[i].size())); it.hasNext();) {
                    const QString name = it.next().captured(1).toUpper();
                    if (!commented.contains(name))
                        commented.insert(name, file.name + QLatin1Char(':') + QString::number(i + 1));
                }
            }
        }
    }
    for (qsizetype i = 0; i < commonFile.code.size(); ++i) {
        const QString name = member.match(commonFile.code[i]).captured(1);
        const QString upper = name.toUpper();
        const auto it = enums.members.constFind(upper);
        if (name.isEmpty() || it == enums.members.cend() || created.contains(upper))
            continue;
        const QString &kind = enums.kinds[it->enumeration];
        if (kind != QStringLiteral("Gadget") && kind != QStringLiteral("MenuItem"))
            continue;
        QString where = commented.value(upper);
        for (qsizetype at = upper.indexOf(QLatin1Char('_')); at > 0 && where.isEmpty();
             at = upper.indexOf(QLatin1Char('_'), at + 1))
            where = commented.value(upper.mid(at + 1));
        if (!where.isEmpty())
            faults << Where(commonFile, i)
                          + (kind == QStringLiteral("Gadget") ? QStringLiteral("gadget #")
                                                              : QStringLiteral("menu item #"))
                          + name + QStringLiteral(" is created only in a comment (") + where + QLatin1Char(')');
    }
}

// A gadget a window procedure of CommonFile.pb still makes with #PB_Any into a variable gets
// no constant, so its events reach no procedure (a dialog running its own event loop reads
// them itself).
void CheckVariableGadgets(const SourceFile &commonFile, QStringList &faults)
{
    static const QRegularExpression made = NoCase(
        "(?<![\\w.])(\\*?[A-Za-z_]\\w*(?:\\\\\\w+)*)\\s*=\\s*((?!Text|Frame|Frame3D|ProgressBar|Container|Splitter)\\w+"
        "Gadget)\\s*\\(\\s*#PB_Any\\b");
    static const QRegularExpression loop = NoCase("(?<![\\w.])(?:WaitWindowEvent|WindowEvent)\\s*\\(");
    const QList<bool> &inProcedure = commonFile.inProcedure;
    QList<qsizetype> found;
    bool ownLoop = false;
    for (qsizetype i = 0; i <= commonFile.code.size(); ++i) {
        const bool end = i == commonFile.code.size() || IsProcedureEndLine(commonFile.code[i]);
        if (end) {
            for (const qsizetype at : ownLoop ? QList<qsizetype>() : found)
                faults << Where(commonFile, at) + QStringLiteral("the gadget in ")
                              + made.match(commonFile.code[at]).captured(1) + QStringLiteral(" (")
                              + made.match(commonFile.code[at]).captured(2)
                              + QStringLiteral("(#PB_Any)) reaches no event procedure");
            found.clear();
            ownLoop = false;
            continue;
        }
        ownLoop = ownLoop || loop.match(commonFile.code[i]).hasMatch();
        if (inProcedure[i] && made.match(commonFile.code[i]).hasMatch())
            found << i;
    }
}

// A window procedure of CommonFile.pb with nothing in it opens nothing: its window's code went
// elsewhere (into a module, say) and a call of it does nothing.
void CheckEmptyOpeners(const SourceFile &commonFile, QStringList &faults)
{
    for (qsizetype i = 0; i < commonFile.code.size(); ++i) {
        const auto head = ProcedureHeadPattern().match(commonFile.code[i]);
        if (!head.hasMatch() || !head.captured(1).startsWith(QStringLiteral("Open_"), Qt::CaseInsensitive))
            continue;
        qsizetype j = i + 1;
        while (j < commonFile.code.size() && commonFile.code[j].trimmed().isEmpty())
            ++j;
        if (j < commonFile.code.size() && IsProcedureEndLine(commonFile.code[j]))
            faults << Where(commonFile, i) + QStringLiteral("procedure ") + head.captured(1)
                          + QStringLiteral(" is empty");
    }
}

// A list, map or array made at the top level without Global belongs to the main code: a
// procedure that uses it, without Shared or a parameter of that name, does not compile.
void CheckTopLevelLists(const QList<SourceFile> &files, QStringList &faults)
{
    static const QRegularExpression made = NoCase(
        "^\\s*(?:Define(?:\\.\\w+)?\\s+)?(?:NewList|NewMap|Dim)\\s+\\*?(\\w+)");
    static const QRegularExpression reach = NoCase("^\\s*(?:Shared|Protected|Static|Global)\\b");
    for (const SourceFile &file : files) {
        const QList<bool> &inProcedure = file.inProcedure;
        QStringList mainOnly;
        for (qsizetype i = 0; i < file.code.size(); ++i)
            if (const auto m = made.match(file.code[i]); m.hasMatch() && !inProcedure[i])
                mainOnly.append(m.captured(1));
        if (mainOnly.isEmpty())
            continue;
        QSet<QString> reached; // names the current procedure's head or Shared lines bring in, as written
        for (qsizetype i = 0; i < file.code.size(); ++i) {
            const QString &code = file.code[i];
            if (!inProcedure[i])
                continue;
            const bool head = ProcedureHeadPattern().match(code).hasMatch();
            if (head)
                reached.clear();
            if (head || reach.match(code).hasMatch()) {
                for (const QString &name : mainOnly)
                    if (code.contains(QRegularExpression(QStringLiteral("\\b") + name + QStringLiteral("\\b"),
                                                         QRegularExpression::CaseInsensitiveOption)))
                        reached.insert(name);
                continue;
            }
            for (const QString &name : mainOnly)
                if (!reached.contains(name)
                    && code.contains(
                        QRegularExpression(QStringLiteral("(?<![\\w.#\\\\])") + name + QStringLiteral("\\s*\\("),
                                           QRegularExpression::CaseInsensitiveOption)))
                    faults << Where(file, i) + name
                                  + QStringLiteral("() is made by the main code, not Global, and used in a procedure");
        }
    }
}

// Code inside a module sees the constants its module declares and PureBasic's own, nothing of
// the main code: not the generated constants, not MyLanguage().
void CheckModules(const QList<SourceFile> &files, QStringList &faults)
{
    static const QRegularExpression opens = NoCase("^\\s*(?:Declare)?Module\\s+(\\w+)");
    static const QRegularExpression ends = NoCase("^\\s*End(?:Declare)?Module\\b");
    static const QRegularExpression member(QStringLiteral("^\\s*#(\\w+\\$?)"));
    static const QRegularExpression constant(QStringLiteral("#(\\w+\\$?)"));
    static const QRegularExpression lookup = NoCase("(?<![\\w:])MyLanguage\\s*\\(");
    for (const SourceFile &file : files) {
        QHash<QString, QSet<QString>> declared; // module -> its constants, upper-cased
        QString module;
        for (const QString &code : file.code) {
            if (const auto m = opens.match(code); m.hasMatch())
                module = m.captured(1).toUpper();
            else if (ends.match(code).hasMatch())
                module.clear();
            else if (const auto m = member.match(code); m.hasMatch() && !module.isEmpty())
                declared[module].insert(m.captured(1).toUpper());
        }
        for (qsizetype i = 0; i < file.code.size(); ++i) {
            const QString &code = file.code[i];
            if (const auto m = opens.match(code); m.hasMatch()) {
                module = m.captured(1);
                continue;
            }
            if (ends.match(code).hasMatch())
                module.clear();
            if (module.isEmpty())
                continue;
            if (lookup.match(code).hasMatch())
                faults << Where(file, i) + QStringLiteral("MyLanguage() is not visible inside Module ") + module;
            for (auto it = constant.globalMatch(code); it.hasNext();) {
                const QString name = it.next().captured(1);
                if (!declared.value(module.toUpper()).contains(name.toUpper()) && !IsSystemConstant(name))
                    faults << Where(file, i) + QStringLiteral("constant #") + name
                                  + QStringLiteral(" is not visible inside Module ") + module;
            }
        }
    }
}

// Main.pb opens the first window: it must not need a window that is not open yet, and an
// invisible one must be shown.
void CheckFirstWindow(const QList<SourceFile> &files, QStringList &faults)
{
    static const QRegularExpression statement(QStringLiteral("^\\s*([A-Za-z_]\\w*)\\s*\\(\\s*\\)\\s*$"));
    static const QRegularExpression open = NoCase("OpenWindow\\s*\\(\\s*#?(\\w+)");
    static const QRegularExpression parent = NoCase("WindowID\\s*\\(\\s*#?(\\w+)\\s*\\)");
    static const QRegularExpression invisible = NoCase("#PB_Window_Invisible\\b");
    static const QRegularExpression shown = NoCase("HideWindow\\s*\\([^,]*,\\s*(?:0|#False)\\s*[,)]");
    static const QRegularExpression hidden = NoCase("HideWindow\\s*\\([^,]*,\\s*(?:1|#True)\\s*[,)]");
    const SourceFile *main = FileNamed(files, "Main.pb");
    if (!main)
        return;
    QString opener;
    for (const QString &code : main->code) {
        if (const auto m = statement.match(code); m.hasMatch()) {
            opener = m.captured(1);
            break;
        }
    }
    bool mainShows = std::any_of(main->code.cbegin(), main->code.cend(),
                                 [](const QString &c) { return shown.match(c).hasMatch(); });
    for (const SourceFile &file : files) {
        for (qsizetype i = 0; i < file.code.size(); ++i) {
            const auto head = ProcedureHeadPattern().match(file.code[i]);
            if (!head.hasMatch() || head.captured(1).compare(opener, Qt::CaseInsensitive) != 0)
                continue;
            for (qsizetype j = i + 1; j < file.code.size() && !IsProcedureEndLine(file.code[j]); ++j) {
                const auto window = open.match(file.code[j]);
                if (!window.hasMatch())
                    continue;
                const auto needs = parent.match(file.code[j], window.capturedEnd());
                if (needs.hasMatch() && needs.captured(1).compare(window.captured(1), Qt::CaseInsensitive) != 0)
                    faults << Where(file, j) + QStringLiteral("the first window needs window ") + needs.captured(1)
                                  + QStringLiteral(", which is not open yet");
                // Hidden by its flag, or by a HideWindow(..., 1) after it opens; shown later in
                // its procedure or by Main.pb.
                qsizetype hiddenAt = invisible.match(file.code[j]).hasMatch() ? j : -1;
                bool shownHere = mainShows;
                for (qsizetype k = j; k < file.code.size() && !IsProcedureEndLine(file.code[k]); ++k) {
                    if (hidden.match(file.code[k]).hasMatch()) {
                        hiddenAt = k;
                        shownHere = mainShows;
                    }
                    shownHere = shownHere || shown.match(file.code[k]).hasMatch();
                }
                if (hiddenAt == j && !shownHere)
                    faults << Where(file, j) + QStringLiteral("the first window is opened invisible and never shown");
                else if (hiddenAt > j && !shownHere)
                    faults << Where(file, hiddenAt) + QStringLiteral("the first window is hidden and never shown");
                return;
            }
        }
    }
}

// --- what the window sources had -----------------------------------------------------------

// The window sources the project file lists, as a user wrote them.
QList<SourceFile> LoadWindowSources(const QString &dir)
{
    QList<SourceFile> sources;
    const QStringList projects = QDir(dir).entryList({QStringLiteral("*.pbm")}, QDir::Files);
    if (projects.isEmpty())
        return sources;
    auto text = ReadTextFile(dir + projects.first());
    if (!text)
        return sources;
    bool inFiles = false;
    for (const QString &line : text->lines) {
        const QString entry = line.trimmed();
        if (entry.startsWith(QLatin1Char('[')))
            inFiles = entry.compare(QStringLiteral("[FILES]"), Qt::CaseInsensitive) == 0;
        else if (inFiles && !entry.isEmpty() && LoadFile(dir, entry, sources))
            sources.last().name = QFileInfo(entry).fileName(); // faults name the file as the user knows it
    }
    return sources;
}

// Whatever a window source declares at its top level, and the procedures it defines, the
// project must still declare; a form's event procedure may go, but the procedures it
// assigns to objects must then be called from the project's event procedures.
void CheckSourcesCarried(const QList<SourceFile> &sources, const ProjectFacts &facts, QStringList &faults)
{
    const QRegularExpression &named = NamedDeclaration();
    const QRegularExpression &call = CalledName();
    static const QRegularExpression global = NoCase("^\\s*Global\\s+(?!NewList|NewMap|Dim)(.*)$");
    static const QRegularExpression item(QStringLiteral("(?:^|,)\\s*\\*?([A-Za-z_]\\w*)"));
    static const QRegularExpression declareName = NoCase("^\\s*Declare(?:C|DLL|CDLL)?(?:\\.\\w+)?\\s+(\\w+)");

    const QHash<QString, QSet<QString>> &project = facts.namedByKind;
    const QHash<QString, QList<QPair<const SourceFile *, qsizetype>>> &callsOutsideFormEvents =
        facts.callsOutsideFormEvents;
    const QSet<QString> &defined = facts.procedures;
    const QSet<QString> &globals = facts.globals;

    for (const SourceFile &source : sources) {
        const QList<bool> &inProcedure = source.inProcedure;
        const QString at = source.name + QLatin1Char(':');
        // The procedures a form declares are the ones its event procedure assigns to objects.
        QSet<QString> declared;
        for (const QString &code : source.code)
            if (const auto m = declareName.match(code); m.hasMatch())
                declared.insert(m.captured(1).toUpper());
        const bool form = source.name.endsWith(QStringLiteral(".pbf"), Qt::CaseInsensitive);
        QString events; // the form's event procedure being read
        for (qsizetype i = 0; i < source.code.size(); ++i) {
            const QString &code = source.code[i];
            const QString line = at + QString::number(i + 1) + QStringLiteral(": ");
            if (const auto head = ProcedureHeadPattern().match(code); head.hasMatch()) {
                const QString name = head.captured(1);
                events = form && name.endsWith(QStringLiteral("_Events"), Qt::CaseInsensitive) ? name : QString();
                // A form's window procedure "OpenX" is carried as "Open_X".
                const QString carried = form && name.startsWith(QStringLiteral("Open"), Qt::CaseInsensitive)
                                            ? QStringLiteral("OPEN_") + name.mid(4).toUpper()
                                            : name.toUpper();
                if (events.isEmpty() && !defined.contains(carried))
                    faults << line + QStringLiteral("procedure ") + name
                                  + QStringLiteral(" is defined nowhere in the project");
            } else if (!events.isEmpty()) {
                for (auto it = call.globalMatch(code); it.hasNext();) {
                    const QString name = it.next().captured(1);
                    if (declared.contains(name.toUpper()) && !callsOutsideFormEvents.contains(name.toUpper()))
                        faults << line + events + QStringLiteral(" assigns ") + name
                                      + QStringLiteral("(), which no event procedure calls");
                }
                if (IsProcedureEndLine(code))
                    events.clear();
            } else if (inProcedure[i]) {
                continue;
            } else if (const auto m = named.match(code); m.hasMatch()) {
                if (!project.value(m.captured(1).left(4).toUpper()).contains(m.captured(2).toUpper()))
                    faults << line + m.captured(1) + QLatin1Char(' ') + m.captured(2)
                                  + QStringLiteral(" is declared nowhere in the project");
            } else if (const auto m = global.match(code); m.hasMatch()) {
                for (auto it = item.globalMatch(m.captured(1)); it.hasNext();) {
                    const QString name = it.next().captured(1);
                    if (!globals.contains(name.toUpper()))
                        faults << line + QStringLiteral("Global ") + name
                                      + QStringLiteral(" is declared nowhere in the project");
                }
            }
        }
    }
}

// --- what the sources meant ----------------------------------------------------------------

// The constants written as the first argument of a command on a window, menu, bar, gadget,
// image or font: the objects of a source, upper-cased.
QSet<QString> ObjectConstants(const SourceFile &source)
{
    static const QRegularExpression object = NoCase("(?<![\\w.])(?:OpenWindow|MenuItem|\\w*(?:Gadget|Window|Menu|"
                                                    "StatusBar|ToolBar|Image|Font)\\w*)\\s*\\(\\s*#(\\w+)");
    QSet<QString> objects;
    for (const QString &code : source.code)
        for (auto it = object.globalMatch(code); it.hasNext();)
            objects.insert(it.next().captured(1).toUpper());
    return objects;
}

// The name as the line writes it ("#btn0" for BTN0).
QString Spelled(const ProgramLine &line, const QString &upper)
{
    const qsizetype at = line.code().indexOf(QLatin1Char('#') + upper, 0, Qt::CaseInsensitive);
    return at < 0 ? upper : line.code().mid(at + 1, upper.size());
}

// The constants the project's code names other than where it declares them, upper-cased.
QSet<QString> UsedConstants(const QList<SourceFile> &files)
{
    static const QRegularExpression declaration(QStringLiteral("^\\s*#\\w+\\$?\\s*(?:=(.*))?$"));
    static const QRegularExpression constant(QStringLiteral("#(\\w+\\$?)"));
    QSet<QString> used;
    for (const SourceFile &file : files)
        for (const QString &code : file.code)
            for (const QString &statement : StatementsOf(code)) {
                const auto m = declaration.match(statement);
                for (auto it = constant.globalMatch(m.hasMatch() ? m.captured(1) : statement); it.hasNext();)
                    used.insert(it.next().captured(1).toUpper());
            }
    return used;
}

// A constant the window source declares keeps, where the project still declares it, the value
// the source gave it, so user code and data files holding the number mean the same thing. The
// old constant of an object that has a new one (#btn0, now #wndMain_btn0) names that object
// where the project's code still names it.
void CheckKeptDeclarations(const QList<SourceFile> &sources, const QList<SourceFile> &files, const ProgramWalk &walk,
                           const Enumerations &enums, QStringList &faults)
{
    const QSet<QString> used = UsedConstants(files);
    // Each generated constant under every name it ends with: WNDMAIN_BTN0 under BTN0 too; a
    // name two of them end with names neither.
    QHash<QString, QString> generatedBySuffix;
    for (auto it = enums.members.cbegin(); it != enums.members.cend(); ++it) {
        if (enums.kinds[it->enumeration].isEmpty())
            continue;
        for (qsizetype at = it.key().indexOf(QLatin1Char('_')); at > 0;
             at = it.key().indexOf(QLatin1Char('_'), at + 1)) {
            const QString suffix = it.key().mid(at + 1);
            generatedBySuffix.insert(suffix, generatedBySuffix.contains(suffix) ? QString() : it.key());
        }
    }
    for (const SourceFile &source : sources) {
        QList<ProgramLine> lines;
        for (qsizetype i = 0; i < source.code.size(); ++i)
            lines.append({&source, i});
        QStringList ownFaults; // the source's own are not the project's
        ProgramWalk own(ownFaults);
        own.walk(lines);
        const QSet<QString> objects = ObjectConstants(source);
        const auto &given = own.values().values;
        QStringList names = given.keys(); // in the order the source declares them
        std::sort(names.begin(), names.end(), [&](const QString &a, const QString &b) {
            const qsizetype lineA = own.constantLine(a).value_or(ProgramLine()).index;
            const qsizetype lineB = own.constantLine(b).value_or(ProgramLine()).index;
            return lineA != lineB ? lineA < lineB : a < b;
        });
        for (const QString &name : names) {
            const auto it = given.constFind(name);
            const auto kept = walk.values().values.constFind(name);
            const auto where = walk.constantLine(name);
            const auto from = own.constantLine(name);
            if (kept == walk.values().values.cend() || !where || !from)
                continue;
            const QString at = Where(*where->file, where->index) + QStringLiteral("constant #")
                               + Spelled(*where, it.key()) + QStringLiteral(" has the value ") + QString::number(*kept);
            if (!objects.contains(it.key())) {
                if (*kept != *it)
                    faults << at + QStringLiteral(", ") + source.name + QLatin1Char(':')
                                  + QString::number(from->index + 1) + QStringLiteral(" gives it ")
                                  + QString::number(*it);
                continue;
            }
            // An object whose constant the generated section keeps (#Main) was not renamed.
            const auto self = enums.members.constFind(it.key());
            if (self != enums.members.cend() && !enums.kinds[self->enumeration].isEmpty())
                continue;
            const QString renamed = generatedBySuffix.value(it.key());
            if (renamed.isEmpty() || !used.contains(it.key()))
                continue;
            const Member &object = enums.members[renamed];
            if (object.value != *kept)
                faults << at + QStringLiteral(", but its object is now #") + object.name + QStringLiteral(" (")
                              + QString::number(object.value) + QLatin1Char(')');
        }
    }
}

// A statement of a source's event loop, with its line and first word.
struct LoopStatement {
    qsizetype line;
    QString code;
    QString keyword; // upper-cased
};

QList<LoopStatement> StatementList(const SourceFile &file, qsizetype from = 0, qsizetype to = -1)
{
    static const QRegularExpression word(QStringLiteral("^\\s*([A-Za-z_]\\w*)"));
    QList<LoopStatement> statements;
    for (qsizetype i = from; i < (to < 0 ? file.code.size() : to); ++i)
        for (const QString &code : StatementsOf(file.code[i]))
            if (!code.trimmed().isEmpty())
                statements.append({i, code.trimmed(), word.match(code).captured(1).toUpper()});
    return statements;
}

// What the event loop of a source does for one object or event.
struct LoopBody {
    enum Kind { Gadget, Menu, Exit, Size, Other } kind;
    QString label; // the object or the event, as written
    qsizetype line;
    qsizetype from, to; // its statements
};

// Reads the event loops of a source: the Case bodies and If branches that test EventGadget(),
// EventMenu() or the event itself (directly or through a variable holding it).
class EventLoopReader {
public:
    explicit EventLoopReader(QList<LoopStatement> statements) : s_(std::move(statements)) {}

    QList<LoopBody> read()
    {
        static const QRegularExpression events = NoCase("(?<![\\w.])(?:WaitWindowEvent|WindowEvent)\\s*\\(");
        static const QRegularExpression alias = NoCase(
            "^\\s*(\\w+)\\s*=\\s*(WaitWindowEvent|WindowEvent|EventGadget|EventMenu)\\s*\\(");
        static const QRegularExpression word(QStringLiteral("(?<![\\w#.\\\\$@?*])([A-Za-z_]\\w*)(?!\\s*\\()"));
        for (const LoopStatement &statement : s_)
            if (const auto m = alias.match(statement.code); m.hasMatch())
                aliases_.insert(m.captured(1).toUpper(), SubjectOf(m.captured(2) + QStringLiteral("()")));
        static const QRegularExpression opens = NoCase("(?<![\\w.])OpenWindow\\s*\\(");
        QList<qsizetype> open;
        qsizetype outerEnd = -1;
        qsizetype procedure = -1; // the head of the procedure being read
        for (qsizetype i = 0; i < s_.size(); ++i) {
            const QString &k = s_[i].keyword;
            if (ProcedureHeadPattern().match(s_[i].code).hasMatch())
                procedure = i;
            else if (k == QStringLiteral("ENDPROCEDURE"))
                procedure = -1;
            if (k == QStringLiteral("REPEAT") || k == QStringLiteral("WHILE")) {
                open << i;
                continue;
            }
            if ((k != QStringLiteral("UNTIL") && k != QStringLiteral("FOREVER") && k != QStringLiteral("WEND"))
                || open.isEmpty())
                continue;
            const qsizetype start = open.takeLast();
            bool eventLoop = false;
            for (qsizetype j = start; j <= i && !eventLoop; ++j)
                eventLoop = events.match(s_[j].code).hasMatch();
            // The loop of a procedure that opens its own window is a modal dialog's: it stays.
            bool modal = false;
            for (qsizetype j = procedure; procedure >= 0 && j < start && !modal; ++j)
                modal = opens.match(s_[j].code).hasMatch();
            if (!eventLoop || modal || !open.isEmpty() || start < outerEnd)
                continue;
            outerEnd = i;
            quits_.clear();
            for (auto it = word.globalMatch(s_[i].code.mid(k.size())); it.hasNext();) {
                const QString name = it.next().captured(1).toUpper();
                if (!aliases_.contains(name))
                    quits_.insert(name);
            }
            block(start + 1, i);
        }
        return bodies_;
    }

    // A statement that ends the loop: End, Break, ProcedureReturn or setting its quit flag.
    bool quits(const LoopStatement &statement) const
    {
        static const QRegularExpression set(QStringLiteral("^(\\w+)\\s*="));
        const QString &k = statement.keyword;
        return k == QStringLiteral("END") || k == QStringLiteral("BREAK") || k == QStringLiteral("PROCEDURERETURN")
               || quits_.contains(set.match(statement.code).captured(1).toUpper());
    }

    const QList<LoopStatement> &statements() const { return s_; }

private:
    enum Subject { None, Event, Gadget, Menu };

    Subject SubjectOf(const QString &expression) const
    {
        QString e = expression.trimmed().toUpper();
        e.remove(QLatin1Char(' '));
        if (e.startsWith(QStringLiteral("WAITWINDOWEVENT(")) || e == QStringLiteral("WINDOWEVENT()"))
            return Event;
        if (e == QStringLiteral("EVENTGADGET()"))
            return Gadget;
        if (e == QStringLiteral("EVENTMENU()"))
            return Menu;
        return aliases_.value(e, None);
    }

    struct Branches {
        qsizetype end;
        QList<qsizetype> starts;
    };

    // The end of the block opened at `open` and its branches at its own depth.
    Branches branches(qsizetype open, const char *opener, const char *closer, const QSet<QString> &middles) const
    {
        Branches b{s_.size(), {}};
        int depth = 0;
        for (qsizetype i = open + 1; i < s_.size(); ++i) {
            const QString &k = s_[i].keyword;
            if (k == QLatin1String(opener)) {
                ++depth;
            } else if (k == QLatin1String(closer)) {
                if (depth-- == 0) {
                    b.end = i;
                    break;
                }
            } else if (depth == 0 && middles.contains(k)) {
                b.starts << i;
            }
        }
        return b;
    }

    void block(qsizetype from, qsizetype to)
    {
        for (qsizetype i = from; i < to; ++i) {
            if (s_[i].keyword == QStringLiteral("SELECT"))
                i = select(i, to);
            else if (s_[i].keyword == QStringLiteral("IF"))
                i = ifChain(i, to);
        }
    }

    qsizetype select(qsizetype open, qsizetype to)
    {
        static const QSet<QString> middles{QStringLiteral("CASE"), QStringLiteral("DEFAULT")};
        const Branches b = branches(open, "SELECT", "ENDSELECT", middles);
        const Subject subject = SubjectOf(s_[open].code.mid(6));
        for (qsizetype n = 0; n < b.starts.size(); ++n) {
            const qsizetype head = b.starts[n];
            const qsizetype end = n + 1 < b.starts.size() ? b.starts[n + 1] : b.end;
            const QStringList labels = s_[head].keyword == QStringLiteral("DEFAULT")
                                           ? QStringList{QStringLiteral("Default")}
                                           : s_[head].code.mid(4).split(QLatin1Char(','));
            if (subject == Event)
                for (const QString &label : labels)
                    event(label.trimmed(), head, end);
            else if (subject == Gadget || subject == Menu)
                for (const QString &label : labels)
                    object(subject, label.trimmed(), head, end);
            else
                block(head + 1, end);
        }
        return std::min(b.end, to);
    }

    qsizetype ifChain(qsizetype open, qsizetype to)
    {
        static const QSet<QString> middles{QStringLiteral("ELSEIF"), QStringLiteral("ELSE")};
        static const QRegularExpression test(QStringLiteral("((?:WaitWindowEvent|WindowEvent|EventGadget|EventMenu)\\s*"
                                                            "\\([^)]*\\)|\\w+)\\s*=\\s*(#?\\*?\\w+(?:\\\\\\w+)*)"),
                                             QRegularExpression::CaseInsensitiveOption);
        const Branches b = branches(open, "IF", "ENDIF", middles);
        QList<qsizetype> heads{open};
        heads << b.starts;
        for (qsizetype n = 0; n < heads.size(); ++n) {
            const qsizetype head = heads[n];
            const qsizetype end = n + 1 < heads.size() ? heads[n + 1] : b.end;
            bool tested = false;
            for (auto it = test.globalMatch(s_[head].code); it.hasNext();) {
                const auto m = it.next();
                const Subject subject = SubjectOf(m.captured(1));
                if (subject == Event)
                    event(m.captured(2), head, end);
                else if (subject != None)
                    object(subject, m.captured(2), head, end);
                tested = tested || subject != None;
            }
            if (!tested)
                block(head + 1, end);
        }
        return std::min(b.end, to);
    }

    void event(const QString &label, qsizetype head, qsizetype end)
    {
        const QString upper = label.toUpper();
        if (upper == QStringLiteral("#PB_EVENT_GADGET") || upper == QStringLiteral("#PB_EVENT_MENU"))
            block(head + 1, end);
        else if (upper == QStringLiteral("#PB_EVENT_CLOSEWINDOW"))
            bodies_.append({LoopBody::Exit, label, s_[head].line, head + 1, end});
        else if (upper == QStringLiteral("#PB_EVENT_SIZEWINDOW"))
            bodies_.append({LoopBody::Size, label, s_[head].line, head + 1, end});
        else
            bodies_.append({LoopBody::Other, label, s_[head].line, head + 1, end});
    }

    void object(Subject subject, const QString &label, qsizetype head, qsizetype end)
    {
        static const QRegularExpression range = NoCase("\\sTo\\s"); // "Case 10 To 13": numbers computed at run time
        if (!label.contains(range))
            bodies_.append(
                {subject == Gadget ? LoopBody::Gadget : LoopBody::Menu, label, s_[head].line, head + 1, end});
    }

    QList<LoopStatement> s_;
    QHash<QString, Subject> aliases_; // variables holding the event, the gadget or the menu item
    QSet<QString> quits_;             // the variables the loop's Until tests
    QList<LoopBody> bodies_;
};

// A statement as the loop check compares it: its words, upper-cased, without constants,
// numbers, texts, type suffixes, MyLanguage() and the objects that variables hold (they may
// become constants).
class StatementWords {
public:
    explicit StatementWords(const QStringList &objectVariables)
    {
        for (const QString &name : objectVariables)
            objects_ << QRegularExpression(QStringLiteral("(?<![\\w\\\\*])") + QRegularExpression::escape(name)
                                               + QStringLiteral("(?![\\w\\\\])"),
                                           QRegularExpression::CaseInsensitiveOption);
    }

    QString operator()(QString code) const
    {
        static const QRegularExpression word(QStringLiteral("(?<![\\w#.$@?])[A-Za-z_]\\w*"));
        for (const QRegularExpression &object : objects_)
            code.replace(object, QStringLiteral("#O"));
        QStringList words;
        for (auto it = word.globalMatch(code); it.hasNext();) {
            const QString w = it.next().captured().toUpper();
            if (w != QStringLiteral("MYLANGUAGE"))
                words << w;
        }
        return words.join(QLatin1Char(' '));
    }

private:
    QList<QRegularExpression> objects_;
};

// The objects a source holds in variables: "Button = ButtonGadget(#PB_Any, ...)".
QStringList ObjectVariables(const SourceFile &source)
{
    static const QRegularExpression held = NoCase("^\\s*(?:Global\\s+)?(\\*?\\w+(?:\\\\\\w+)*)(?:\\.\\w+)?\\s*=\\s*(?:"
                                                  "\\w+Gadget|OpenWindow)\\s*\\(\\s*#PB_Any\\b");
    QStringList names;
    for (const QString &code : source.code)
        for (const QString &statement : StatementsOf(code))
            if (const auto m = held.match(statement); m.hasMatch() && !names.contains(m.captured(1)))
                names << m.captured(1);
    return names;
}

// The project's procedures, each with the words of its statements.
using ProcedureWords = QList<QPair<QString, QStringList>>;

ProcedureWords ProjectProcedures(const QList<SourceFile> &files, const StatementWords &words)
{
    ProcedureWords procedures;
    for (const SourceFile &file : files) {
        for (const LoopStatement &statement : StatementList(file)) {
            if (const auto head = ProcedureHeadPattern().match(statement.code); head.hasMatch())
                procedures.append({head.captured(1), {}});
            else if (!procedures.isEmpty() && !IsProcedureEndLine(statement.code))
                procedures.last().second << words(statement.code);
        }
    }
    return procedures;
}

// What one Case body or If branch of a source's event loop did, and where.
struct LoopWork {
    QStringList expected; // the words of its statements; ending the loop becomes `exit`
    QString at;           // "Source.pb:line: "
    QString lines;        // "lines 4-6"
};

LoopWork WorkOf(const SourceFile &source, const EventLoopReader &reader, const LoopBody &body,
                const StatementWords &words, const QString &exit)
{
    LoopWork work;
    for (qsizetype i = body.from; i < body.to; ++i) {
        const LoopStatement &statement = reader.statements()[i];
        const QString w = reader.quits(statement) ? exit : words(statement.code);
        if (!w.isEmpty())
            work.expected << w;
    }
    const qsizetype first = body.from < body.to ? reader.statements()[body.from].line : body.line;
    const qsizetype last = body.from < body.to ? reader.statements()[body.to - 1].line : body.line;
    work.lines = first == last ? QStringLiteral("line ") + QString::number(first + 1)
                               : QStringLiteral("lines ") + QString::number(first + 1) + QLatin1Char('-')
                                     + QString::number(last + 1);
    work.at = source.name + QLatin1Char(':') + QString::number(body.line + 1) + QStringLiteral(": ");
    return work;
}

// A gadget's or menu item's work is done by its event procedure (named after its constant,
// "EventGadget_<window>_<name>"), in the order the loop did it.
void CheckObjectWork(const LoopBody &body, const LoopWork &work, const ProcedureWords &procedures, QStringList &faults)
{
    QString object = body.label.toUpper();
    object = object.mid(object.lastIndexOf(QLatin1Char('\\')) + 1);
    object.remove(QLatin1Char('#')).remove(QLatin1Char('*'));
    const QString prefix = body.kind == LoopBody::Gadget ? QStringLiteral("EVENTGADGET_")
                                                         : QStringLiteral("EVENTMENU_");
    // One variable assigned two gadgets gives the second "_<name>_2": the variable holds it.
    const QRegularExpression numbered(QStringLiteral("_") + QRegularExpression::escape(object)
                                      + QStringLiteral("_\\d+$"));
    QStringList candidates;
    bool held = false;
    for (const auto &[name, procedure] : procedures) {
        const QString upper = name.toUpper();
        if (!upper.startsWith(prefix)
            || (upper.mid(prefix.size()) != object && !upper.endsWith(QLatin1Char('_') + object)
                && !numbered.match(upper).hasMatch()))
            continue;
        candidates << name;
        qsizetype found = 0;
        for (const QString &w : procedure)
            found += found < work.expected.size() && w == work.expected[found];
        held = held || found == work.expected.size();
    }
    const QString kind = body.kind == LoopBody::Gadget ? QStringLiteral("gadget ") : QStringLiteral("menu item ");
    if (candidates.isEmpty())
        faults << work.at + QStringLiteral("the event loop's ") + kind + body.label
                      + QStringLiteral(" reaches no event procedure");
    else if (!held)
        faults << work.at + candidates.first() + QStringLiteral(" lacks what the event loop does for ") + body.label
                      + QStringLiteral(" (") + work.lines + QLatin1Char(')');
}

// A closed or sized window's work is done by the windows' EventExit or EventSize procedures
// (among them, as it may be split by window); any other event's by procedures Main.pb calls.
void CheckEventWork(const LoopBody &body, const LoopWork &work, const ProcedureWords &procedures,
                    const QSet<QString> &mainCalls, QStringList &faults)
{
    const QString prefix = body.kind == LoopBody::Exit   ? QStringLiteral("EVENTEXIT_")
                           : body.kind == LoopBody::Size ? QStringLiteral("EVENTSIZE_")
                                                         : QString();
    QSet<QString> done;
    for (const auto &[name, procedure] : procedures) {
        const QString upper = name.toUpper();
        if (prefix.isEmpty() ? mainCalls.contains(upper) : upper.startsWith(prefix))
            for (const QString &w : procedure)
                done.insert(w);
    }
    if (std::all_of(work.expected.cbegin(), work.expected.cend(), [&](const QString &w) { return done.contains(w); }))
        return;
    const QString what = body.kind == LoopBody::Exit   ? QStringLiteral("no EventExit procedure")
                         : body.kind == LoopBody::Size ? QStringLiteral("no EventSize procedure")
                                                       : QStringLiteral("no procedure Main.pb calls");
    const QString when = body.kind == LoopBody::Exit   ? QStringLiteral("when a window closes")
                         : body.kind == LoopBody::Size ? QStringLiteral("when a window is sized")
                                                       : QStringLiteral("for ") + body.label;
    faults << work.at + what + QStringLiteral(" does what the event loop does ") + when + QStringLiteral(" (")
                  + work.lines + QLatin1Char(')');
}

// What a window source's own event loop did for a gadget, menu item or toolbar button it
// creates is what that object's event procedure does; what it did when a window closed or was
// sized, some EventExit or EventSize procedure does; what it did for any other event, a
// procedure Main.pb calls does. Setting the loop's quit flag, End and Break become the
// generated program's own end (setting the variable Main.pb's loop waits for).
void CheckLoopsCarried(const QList<SourceFile> &sources, const QList<SourceFile> &files, QStringList &faults)
{
    static const QRegularExpression creator = NoCase(
        "(?<![\\w.])(?:\\w+Gadget|MenuItem|ToolBar\\w*Button)\\s*\\(\\s*(#?\\w+)\\s*,");
    static const QRegularExpression until = NoCase("^\\s*Until\\s+(\\w+)");
    static const QRegularExpression call(QStringLiteral("(?<![\\w\\\\.*#$?])([A-Za-z_]\\w*)\\s*\\("));
    const SourceFile *main = FileNamed(files, "Main.pb");
    QString exit;
    QSet<QString> mainCalls;
    for (const QString &code : main ? main->code : QStringList()) {
        if (const auto m = until.match(code); m.hasMatch())
            exit = m.captured(1).toUpper();
        for (auto it = call.globalMatch(code); it.hasNext();)
            mainCalls.insert(it.next().captured(1).toUpper());
    }
    for (const SourceFile &source : sources) {
        EventLoopReader reader(StatementList(source));
        const QList<LoopBody> bodies = reader.read();
        if (bodies.isEmpty())
            continue;
        const QStringList variables = ObjectVariables(source);
        const StatementWords words(variables);
        QSet<QString> created; // a Case of a number computed at run time has no object to reach
        for (const QString &code : source.code)
            for (auto it = creator.globalMatch(code); it.hasNext();)
                created.insert(it.next().captured(1).toUpper());
        for (const QString &name : variables)
            created.insert(name.toUpper());
        const ProcedureWords procedures = ProjectProcedures(files, words);
        for (const LoopBody &body : bodies) {
            const LoopWork work = WorkOf(source, reader, body, words, exit);
            if (body.kind != LoopBody::Gadget && body.kind != LoopBody::Menu)
                CheckEventWork(body, work, procedures, mainCalls, faults);
            else if (created.contains(body.label.toUpper()))
                CheckObjectWork(body, work, procedures, faults);
        }
    }
}

// The texts a shape's expect.txt lists (`text "..."`, one a line) stand in the generated files
// as written: a source in a legacy code page was read in it.
void CheckExpectedTexts(const QString &dir, const QList<SourceFile> &files, QStringList &faults)
{
    QFile file(dir + QStringLiteral("expect.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QStringList expect = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QStringList texts;
    for (const SourceFile &generated : files)
        if (IsGenerated(generated))
            texts << generated.lines.join(QLatin1Char('\n'));
    if (auto catalog = ReadTextFile(dir + QStringLiteral("Catalog")))
        texts << catalog->lines.join(QLatin1Char('\n'));
    static const QRegularExpression fact(QStringLiteral("^text\\s+\"(.*)\"\\s*$"));
    for (qsizetype i = 0; i < expect.size(); ++i) {
        const QString text = fact.match(expect[i]).captured(1);
        if (!text.isEmpty()
            && std::none_of(texts.cbegin(), texts.cend(), [&](const QString &t) { return t.contains(text); }))
            faults << QStringLiteral("expect.txt:") + QString::number(i + 1) + QStringLiteral(": the text \"") + text
                          + QStringLiteral("\" is in no generated file");
    }
}

} // namespace

QStringList CheckProject(const QString &directory)
{
    const QString dir = directory.endsWith(QLatin1Char('/')) ? directory : directory + QLatin1Char('/');
    const QList<SourceFile> files = LoadFiles(dir);
    QStringList faults;

    const SourceFile *main = FileNamed(files, "Main.pb");
    const SourceFile *commonFile = FileNamed(files, "CommonFile.pb");
    const SourceFile *eventMain = FileNamed(files, "EventMain.pb");
    for (const char *name : {"Main.pb", "CommonFile.pb", "EventMain.pb"}) {
        if (!FileNamed(files, name))
            faults << QLatin1String(name) + QStringLiteral(":0: file is missing");
    }

    const ProjectFacts facts = ReadFacts(files);
    faults << facts.blockFaults << facts.definitionFaults;

    QStringList enumerationFaults;
    const Enumerations enums = ReadEnumerations(commonFile, enumerationFaults);
    QSet<QString> declared = facts.assigned;
    for (auto it = enums.members.cbegin(); it != enums.members.cend(); ++it)
        declared.insert(it.key());
    const QList<ProgramLine> order = ProgramOrder(files);
    QStringList walkFaults;
    ProgramWalk walk(walkFaults);
    walk.walk(order);
    QList<UseFaults> uses;
    for (const SourceFile &file : files)
        uses << CheckUses(file, {facts, declared, walk, dir});
    const auto usesOf = [&](const SourceFile *file) { return file ? uses.at(file - files.constData()) : UseFaults(); };

    faults << usesOf(eventMain).calls << usesOf(main).calls << usesOf(main).statementCalls << enumerationFaults;
    for (const UseFaults &use : uses)
        faults << use.constants;
    if (eventMain)
        CheckTables(*eventMain, enums, faults);
    faults << usesOf(eventMain).caseVariables << usesOf(main).includes << usesOf(commonFile).includes << walkFaults;
    CheckSharedNumbers(order, enums, walk.values(), faults);
    for (const UseFaults &use : uses)
        faults << use.programConstants;
    CheckWindowCode(files, walk.values(), faults);
    CheckTopLevelLists(files, faults);
    CheckModules(files, faults);
    CheckFirstWindow(files, faults);
    const QList<SourceFile> sources = LoadWindowSources(dir);
    for (const UseFaults &use : uses)
        faults << use.labels;
    CheckSourcesCarried(sources, facts, faults);
    CheckKeptDeclarations(sources, files, walk, enums, faults);
    if (commonFile) {
        CheckCommentedObjects(files, sources, *commonFile, enums, faults);
        CheckVariableGadgets(*commonFile, faults);
        CheckEmptyOpeners(*commonFile, faults);
    }
    CheckLoopsCarried(sources, files, faults);
    CheckExpectedTexts(dir, files, faults);
    return faults;
}

} // namespace quarvel
