#include "project_checker.h"

#include "base/text_encoding.h"

#include <QDir>
#include <functional>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace quarvel {

namespace {

const char *const ProjectFiles[] = {
    "Main.pb", "CommonFile.pb", "EventMain.pb", "EventMenu.pb", "EventGadget.pb", "EventWindow.pb", "LoadLanguage.pb",
};

struct SourceFile {
    QString name;
    QStringList lines;
    QStringList code; // each line with string contents blanked and its comment cut off
};

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
    SourceFile file{name, text->lines, {}};
    for (const QString &line : file.lines)
        file.code << CodeOf(line);
    files << file;
    return true;
}

// The text of the first double-quoted string of an IncludeFile line, or nothing.
QString IncludedName(const QString &line, const QString &code)
{
    static const QRegularExpression include(QStringLiteral("^\\s*X?IncludeFile\\s*\""), QRegularExpression::CaseInsensitiveOption);
    const auto match = include.match(code);
    if (!match.hasMatch())
        return QString();
    const qsizetype open = match.capturedEnd() - 1;
    const qsizetype close = code.indexOf(QLatin1Char('"'), open + 1);
    return close < 0 ? QString() : line.mid(open + 1, close - open - 1);
}

// The generated files, then the user's files that Main.pb includes: their procedures and
// constants count as defined too.
QList<SourceFile> LoadFiles(const QString &dir)
{
    QList<SourceFile> files;
    for (const char *name : ProjectFiles)
        LoadFile(dir, QLatin1String(name), files);
    const qsizetype generated = files.size();
    for (qsizetype f = 0; f < generated; ++f) {
        if (files[f].name != QStringLiteral("Main.pb"))
            continue;
        const SourceFile main = files[f];
        for (qsizetype i = 0; i < main.lines.size(); ++i) {
            const QString name = IncludedName(main.lines[i], main.code[i]);
            const bool known = std::any_of(files.cbegin(), files.cend(), [&](const SourceFile &file) { return file.name == name; });
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

void CheckBlocks(const SourceFile &file, QStringList &faults)
{
    static const QHash<QString, QString> openers = {
        {QStringLiteral("PROCEDURE"), QStringLiteral("Procedure")},
        {QStringLiteral("PROCEDUREC"), QStringLiteral("Procedure")},
        {QStringLiteral("PROCEDUREDLL"), QStringLiteral("Procedure")},
        {QStringLiteral("PROCEDURECDLL"), QStringLiteral("Procedure")},
        {QStringLiteral("SELECT"), QStringLiteral("Select")},
        {QStringLiteral("IF"), QStringLiteral("If")},
        {QStringLiteral("DATASECTION"), QStringLiteral("DataSection")},
    };
    static const QHash<QString, QString> closers = {
        {QStringLiteral("ENDPROCEDURE"), QStringLiteral("Procedure")},
        {QStringLiteral("ENDSELECT"), QStringLiteral("Select")},
        {QStringLiteral("ENDIF"), QStringLiteral("If")},
        {QStringLiteral("ENDDATASECTION"), QStringLiteral("DataSection")},
    };
    // A word, not a constant (#If), a field (\If) or a type suffix (.If).
    static const QRegularExpression word(QStringLiteral("(?<![#\\\\.\\w$])[A-Za-z_]\\w*"));

    QList<OpenBlock> open;
    for (qsizetype i = 0; i < file.code.size(); ++i) {
        for (auto it = word.globalMatch(file.code[i]); it.hasNext();) {
            const QString token = it.next().captured().toUpper();
            if (openers.contains(token)) {
                open.append({openers.value(token), i});
            } else if (closers.contains(token)) {
                const QString kind = closers.value(token);
                qsizetype match = open.size() - 1;
                while (match >= 0 && open[match].keyword != kind)
                    --match;
                if (match < 0) {
                    faults << Where(file, i) + QStringLiteral("End") + kind + QStringLiteral(" without ") + kind;
                    continue;
                }
                // Blocks left open inside this one are reported once, by the closer that ends them.
                if (match != open.size() - 1) {
                    faults << Where(file, i) + QStringLiteral("End") + kind + QStringLiteral(" closes the ")
                                  + open.last().keyword + QStringLiteral(" of line ")
                                  + QString::number(open.last().line + 1);
                }
                open.resize(match);
            }
        }
    }
    for (const OpenBlock &block : open)
        faults << Where(file, block.line) + block.keyword + QStringLiteral(" is never closed");
}

// --- declarations ------------------------------------------------------------------------

// Every procedure name (upper-cased) and where it is defined first. PureBasic names are
// case-insensitive, so a second definition in any letter case is refused by the compiler.
QSet<QString> DefinedProcedures(const QList<SourceFile> &files, QStringList &faults)
{
    static const QRegularExpression head(
        QStringLiteral("^\\s*Procedure(?:C|DLL|CDLL)?(?:\\.\\w+)?\\s+(\\w+)\\s*\\("),
        QRegularExpression::CaseInsensitiveOption);
    QHash<QString, QString> firstDefinition;
    for (const SourceFile &file : files) {
        for (qsizetype i = 0; i < file.code.size(); ++i) {
            const auto match = head.match(file.code[i]);
            if (!match.hasMatch())
                continue;
            const QString name = match.captured(1).toUpper();
            const QString where = file.name + QLatin1Char(':') + QString::number(i + 1);
            if (firstDefinition.contains(name)) {
                faults << Where(file, i) + QStringLiteral("procedure ") + match.captured(1)
                              + QStringLiteral(" is defined again (first at ") + firstDefinition.value(name)
                              + QLatin1Char(')');
            } else {
                firstDefinition.insert(name, where);
            }
        }
    }
    const QStringList names = firstDefinition.keys();
    return QSet<QString>(names.cbegin(), names.cend());
}

// An enumeration member: its block (counted through the file) and its value.
struct Member {
    int enumeration = 0;
    qint64 value = 0;
};

struct Enumerations {
    QHash<QString, Member> members; // upper-cased name without "#"
    QList<qint64> ends;             // per enumeration, the value after its last member
    QList<QString> kinds;           // per enumeration, "Window", "Gadget", ... from its heading
    QHash<QString, QHash<qint64, QString>> generated; // kind -> value -> the constant of the section
};

Enumerations ReadEnumerations(const SourceFile *commonFile, QStringList &faults)
{
    // "Enumeration", "Enumeration 5", "Enumeration FormWindow": a named one goes on counting
    // where the last block of that name stopped.
    static const QRegularExpression start(
        QStringLiteral("^\\s*Enumeration\\b(?:\\s+([A-Za-z_]\\w*))?\\s*(-?\\d+)?"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression end(QStringLiteral("^\\s*EndEnumeration\\b"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression member(QStringLiteral("^\\s*#(\\w+\\$?)\\s*(?:=\\s*(-?\\d+))?"));
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
        if (member.endsWith(QStringLiteral("PB_ANY")))
            faults << Where(*commonFile, i) + QStringLiteral("#PB_Any became the constant #") + match.captured(1);
        if (result.members.contains(member) && result.members.value(member).value != next)
            faults << Where(*commonFile, i) + QStringLiteral("constant #") + match.captured(1)
                          + QStringLiteral(" is declared again with another value (")
                          + QString::number(result.members.value(member).value) + QStringLiteral(", then ")
                          + QString::number(next) + QLatin1Char(')');
        if (!result.kinds.last().isEmpty())
            result.generated[result.kinds.last()].insert(next, match.captured(1));
        result.members.insert(member, {int(result.ends.size() - 1), next++});
        result.ends.last() = next;
    }
    return result;
}

QSet<QString> AssignedConstants(const QList<SourceFile> &files)
{
    static const QRegularExpression assignment(QStringLiteral("^\\s*#(\\w+\\$?)\\s*="));
    QSet<QString> names;
    for (const SourceFile &file : files) {
        for (const QString &code : file.code) {
            const auto match = assignment.match(code);
            if (match.hasMatch())
                names.insert(match.captured(1).toUpper());
        }
    }
    return names;
}

bool IsPureBasicConstant(const QString &upperName)
{
    static const QSet<QString> own = {
        QStringLiteral("TRUE"), QStringLiteral("FALSE"), QStringLiteral("NULL"), QStringLiteral("CR$"),
        QStringLiteral("LF$"), QStringLiteral("CRLF$"), QStringLiteral("TAB$"), QStringLiteral("DQUOTE$"),
        QStringLiteral("EMPTY$"), QStringLiteral("ESC$"), QStringLiteral("NUL$"), QStringLiteral("PS$"),
    };
    return upperName.startsWith(QStringLiteral("PB_")) || own.contains(upperName);
}

bool IsDispatcherCount(const QString &upperName)
{
    return upperName == QStringLiteral("CALLEVENTMENUCOUNT") || upperName == QStringLiteral("CALLEVENTGADGETCOUNT")
           || upperName == QStringLiteral("CALLEVENTWINDOWCOUNT");
}

// Every variable a Global line of any file declares, upper-cased.
QSet<QString> GlobalVariables(const QList<SourceFile> &files)
{
    static const QRegularExpression global(QStringLiteral("^\\s*Global\\s+(.*)$"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression item(QStringLiteral("(?:^|,)\\s*([A-Za-z_]\\w*)"));
    QSet<QString> names;
    for (const SourceFile &file : files) {
        for (const QString &code : file.code) {
            const auto match = global.match(code);
            for (auto it = item.globalMatch(match.captured(1)); match.hasMatch() && it.hasNext();)
                names.insert(it.next().captured(1).toUpper());
        }
    }
    return names;
}

// --- uses ----------------------------------------------------------------------------------

// A variable in a Case of the dispatcher is read where the event arrives: it must be Global,
// or it is a fresh local that is always 0.
void CheckCaseVariables(const SourceFile &eventMain, const QSet<QString> &globals, QStringList &faults)
{
    static const QRegularExpression caseLine(QStringLiteral("^\\s*Case\\s+(.*)$"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression variable(QStringLiteral("(?:^|,)\\s*([A-Za-z_]\\w*)\\s*(?=,|$)"));
    for (qsizetype i = 0; i < eventMain.code.size(); ++i) {
        const auto match = caseLine.match(eventMain.code[i]);
        for (auto it = variable.globalMatch(match.captured(1).trimmed()); match.hasMatch() && it.hasNext();) {
            const QString name = it.next().captured(1);
            if (!globals.contains(name.toUpper()))
                faults << Where(eventMain, i) + QStringLiteral("variable ") + name + QStringLiteral(" is not declared Global");
        }
    }
}

void CheckConstants(const SourceFile &file, const QSet<QString> &declared, QStringList &faults)
{
    static const QRegularExpression constant(QStringLiteral("#(\\w+\\$?)"));
    for (qsizetype i = 0; i < file.code.size(); ++i) {
        for (auto it = constant.globalMatch(file.code[i]); it.hasNext();) {
            const QString name = it.next().captured(1);
            const QString upper = name.toUpper();
            if (!declared.contains(upper) && !IsPureBasicConstant(upper) && !IsDispatcherCount(upper))
                faults << Where(file, i) + QStringLiteral("constant #") + name + QStringLiteral(" is not declared");
        }
    }
}

// The procedures a line calls or takes the address of, with a filter on their names.
void CheckCalls(const SourceFile &file, const QSet<QString> &defined, const std::function<bool(const QString &)> &checked,
                QStringList &faults)
{
    static const QRegularExpression call(QStringLiteral("(?<![\\w\\\\.*#$?])(@?)([A-Za-z_]\\w*)\\s*\\("));
    static const QRegularExpression head(QStringLiteral("^\\s*(?:Procedure\\w*|Prototype\\w*|Declare\\w*)\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    for (qsizetype i = 0; i < file.code.size(); ++i) {
        const QString &code = file.code[i];
        if (head.match(code).hasMatch())
            continue;
        for (auto it = call.globalMatch(code); it.hasNext();) {
            const auto match = it.next();
            const QString name = match.captured(2);
            if (!checked(name) || defined.contains(name.toUpper()))
                continue;
            faults << Where(file, i) + (match.captured(1).isEmpty() ? QString() : QStringLiteral("@")) + name
                          + QStringLiteral("() names no procedure");
        }
    }
}

// A call that is a statement of its own without arguments, as Main.pb opens its first window
// ("ShowMainWindow()"), calls a procedure of the project: PureBasic's own commands that stand
// so in Main.pb are not used that way.
void CheckStatementCalls(const SourceFile &main, const QSet<QString> &defined, QStringList &faults)
{
    static const QRegularExpression statement(QStringLiteral("^\\s*([A-Za-z_]\\w*)\\s*\\(\\s*\\)\\s*$"));
    for (qsizetype i = 0; i < main.code.size(); ++i) {
        const auto match = statement.match(main.code[i]);
        if (match.hasMatch() && !defined.contains(match.captured(1).toUpper()) && !match.captured(1).startsWith(QStringLiteral("Open_")))
            faults << Where(main, i) + match.captured(1) + QStringLiteral("() names no procedure");
    }
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
    static const QRegularExpression countLine(QStringLiteral("^\\s*#CallEvent(Menu|Gadget|Window)Count\\s*=\\s*(\\d+)"));
    static const QRegularExpression labelLine(QStringLiteral("^\\s*(\\w+):\\s*$"));
    static const QRegularExpression rowLine(QStringLiteral("^\\s*Data\\.i\\s+@(\\w+)\\(\\)"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression endData(QStringLiteral("^\\s*EndDataSection\\b"), QRegularExpression::CaseInsensitiveOption);

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

    const struct { const char *label; const char *count; const char *prefix; } kinds[] = {
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
                faults << where + QStringLiteral(", not an ") + QLatin1String(kind.prefix) + QStringLiteral(" procedure");
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

// --- object numbers ----------------------------------------------------------------------

// An object the window code creates with a number of its own, a plain one or a constant of
// another enumeration, that a constant of the generated section holds too: PureBasic gives
// both one object, and the later destroys the earlier.
void CheckSharedNumbers(const SourceFile &commonFile, const Enumerations &enums, QStringList &faults)
{
    static const QRegularExpression creation(
        QStringLiteral("(?<![\\w.])(OpenWindow|MenuItem|ToolBarStandardButton|ToolBarImageButton|(?!Resize|Free|Hide|"
                       "Disable|Is|SetActive|GetActive)\\w*Gadget)\\s*\\(\\s*(\\d+|#\\w+)\\s*[,)]"),
        QRegularExpression::CaseInsensitiveOption);
    const auto kindOf = [](const QString &command) {
        const QString upper = command.toUpper();
        if (upper == QStringLiteral("OPENWINDOW"))
            return QStringLiteral("Window");
        return upper.endsWith(QStringLiteral("GADGET")) ? QStringLiteral("Gadget") : QStringLiteral("MenuItem");
    };
    for (qsizetype i = 0; i < commonFile.code.size(); ++i) {
        for (auto it = creation.globalMatch(commonFile.code[i]); it.hasNext();) {
            const auto match = it.next();
            const QString kind = kindOf(match.captured(1));
            const QString argument = match.captured(2);
            qint64 number = argument.toLongLong();
            if (argument.startsWith(QLatin1Char('#'))) {
                const auto member = enums.members.constFind(argument.mid(1).toUpper());
                if (member == enums.members.cend() || enums.kinds[member->enumeration] == kind)
                    continue; // undeclared, or a constant of the generated section itself
                number = member->value;
            }
            const QString holder = enums.generated.value(kind).value(number);
            if (!holder.isEmpty() && holder.compare(argument.mid(1), Qt::CaseInsensitive) != 0)
                faults << Where(commonFile, i) + match.captured(1) + QLatin1Char('(') + argument
                              + QStringLiteral(") creates the number of #") + holder;
        }
    }
}

// --- includes ------------------------------------------------------------------------------

void CheckIncludes(const SourceFile &file, const QString &dir, QStringList &faults)
{
    for (qsizetype i = 0; i < file.code.size(); ++i) {
        const QString name = IncludedName(file.lines[i], file.code[i]);
        if (name.isEmpty())
            continue;
        const QString path = QDir::isAbsolutePath(name) ? name : dir + name;
        if (!QFileInfo(path).isFile())
            faults << Where(file, i) + QStringLiteral("IncludeFile \"") + name + QStringLiteral("\" does not exist");
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

    for (const SourceFile &file : files)
        CheckBlocks(file, faults);

    const QSet<QString> defined = DefinedProcedures(files, faults);
    if (eventMain)
        CheckCalls(*eventMain, defined, [](const QString &) { return true; }, faults);
    if (main) {
        CheckCalls(*main, defined, [](const QString &name) {
            return name.startsWith(QStringLiteral("Open_")) || name.startsWith(QStringLiteral("MyEvent"));
        }, faults);
        CheckStatementCalls(*main, defined, faults);
    }

    const Enumerations enums = ReadEnumerations(commonFile, faults);
    QSet<QString> declared = AssignedConstants(files);
    for (auto it = enums.members.cbegin(); it != enums.members.cend(); ++it)
        declared.insert(it.key());
    for (const SourceFile &file : files) {
        // The window code and the user's own files may use constants of their own.
        if (IsGenerated(file) && file.name != QStringLiteral("CommonFile.pb") && file.name != QStringLiteral("LoadLanguage.pb"))
            CheckConstants(file, declared, faults);
    }

    if (commonFile)
        CheckSharedNumbers(*commonFile, enums, faults);
    if (eventMain) {
        CheckTables(*eventMain, enums, faults);
        CheckCaseVariables(*eventMain, GlobalVariables(files), faults);
    }

    if (main)
        CheckIncludes(*main, dir, faults);
    if (commonFile)
        CheckIncludes(*commonFile, dir, faults);
    return faults;
}

} // namespace quarvel
