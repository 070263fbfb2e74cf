#include "interpreter/common_file_loading.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/file_error_line.h"
#include "base/line_lists.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "interpreter/form_event_assignments.h"
#include "interpreter/object_warnings.h"
#include "interpreter/opening_procedure.h"
#include "interpreter/pb_any_objects.h"
#include "interpreter/top_level_code.h"
#include "model/design_model.h"
#include "model/log_sink.h"
#include "model/project_file.h"
#include "model/source_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <optional>

namespace quarvel {

namespace {

// The form designer numbers the one menu, toolbar and status bar of a window 0 and names its
// window procedures "Open" + window; the generated code wants constants and "Open_".
const struct {
    const char *find;
    const char *replacement;
} FormDesignerConversions[] = {
    {"Procedure Open", "Procedure Open_"},
    {"CreateMenu(0", "CreateMenu(#Menu"},
    {"CreateToolBar(0", "CreateToolbar(#ToolBar"},
    {"ToolBarToolTip(0", "ToolBarToolTip(#ToolBar"},
    {"ToolBarHeight(0", "ToolBarHeight(#ToolBar"},
    {"GetToolBarButtonState(0", "GetToolBarButtonState(#ToolBar"},
    {"SetToolBarButtonState(0", "SetToolBarButtonState(#ToolBar"},
    {"CreateStatusBar(0", "CreateStatusBar(#StatusBar"},
    {"StatusBarText(0", "StatusBarText(#StatusBar"},
    {"StatusBarImage(0", "StatusBarImage(#StatusBar"},
    {"StatusBarProgress(0", "StatusBarProgress(#StatusBar"},
    {"StatusBarHeight(0", "StatusBarHeight(#StatusBar"},
};

// Most lines hold none of the designer's texts, so each row is looked for first (in any letter
// case) and the line is only rewritten on a hit. The first find holds the word "Procedure", so
// only a line with that word needs it; every other find is a call with "(0", looked for at the
// brackets of a line with "(0".
QString ConvertFormDesignerLine(QString line, bool procedureWord)
{
    static const QStringList finds = [] {
        QStringList upper;
        for (const auto &row : FormDesignerConversions)
            upper.append(UpperKeepLength(QString::fromLatin1(row.find)));
        return upper;
    }();
    const qsizetype rows = FindString(line, QStringLiteral("(0")) ? finds.size() : 1;
    for (qsizetype i = 0; i < rows; ++i) {
        if (!(i == 0 ? procedureWord && FindNoCase(line, finds.at(i)) : FindCallNoCase(line, finds.at(i))))
            continue;
        const auto &row = FormDesignerConversions[i];
        line = ReplaceString(line, QLatin1String(row.find), QLatin1String(row.replacement), true);
    }
    return line;
}

// The first argument of the call whose "(" stands at bracket, as written (untrimmed).
QString FirstArgumentAt(const QString &line, int bracket)
{
    const int comma = FindString(line, QLatin1Char(','), bracket + 1);
    return Mid(line, bracket + 1, comma - bracket - 1);
}

// The text between the first pair of double quotes of the line; empty without such a pair.
QString FirstQuotedText(const QString &line)
{
    const int q1 = FindString(line, QLatin1Char('"'));
    const int q2 = q1 ? FindString(line, QLatin1Char('"'), q1 + 1) : 0;
    if (q2 == 0)
        return QString();
    return Mid(line, q1 + 1, q2 - q1 - 1);
}

// The variable a global load's result is kept in, "Img" of "Global Img.i = LoadImage(...";
// empty when the result is not assigned.
QString AssignedImageVariable(const QString &line, int call)
{
    QString before = TrimBlanks(Left(line, call - 1));
    if (!before.endsWith(QLatin1Char('=')))
        return QString();
    before = TrimBlanks(before.chopped(1));
    for (const QStringView keyword : {u"GLOBAL", u"DEFINE"}) {
        const qsizetype n = keyword.size();
        if (StartsNoCase(before, keyword) && before.size() > n
            && (before.at(n) == QLatin1Char(' ') || before.at(n) == QLatin1Char('\t')))
            before = before.mid(n);
    }
    return AssignedVariable(before);
}

// The DataSection label a CatchImage call takes its data from: "Logo" of "?Logo".
QString CaughtLabel(const QString &line, int bracket)
{
    const int comma = FindString(line, QLatin1Char(','), bracket + 1);
    const QStringView argument = comma ? TrimBlanksView(MidView(line, comma + 1, int(line.size()))) : QStringView();
    if (!argument.startsWith(QLatin1Char('?')))
        return QString();
    return argument.first(IdentifierEnd(argument, 1)).sliced(1).toString();
}

// A global LoadImage or CatchImage: the image section loads the image instead. A #PB_Any load
// gives its image a constant named after the variable it is kept in, and that variable is
// declared to hold the image's number; one whose result is kept nowhere loads nothing any code
// could use. An image caught from a DataSection label goes on being caught from it.
bool RecordGlobalImage(DesignModel &model, const QString &line)
{
    int call = FindCallNoCase(line, u"LOADIMAGE(");
    const bool caught = call == 0;
    if (caught)
        call = FindCallNoCase(line, u"CATCHIMAGE(");
    if (call == 0 || FindBackward(line, QLatin1Char(';'), call) != 0)
        return false;
    const int bracket = call + (caught ? 10 : 9);
    ImageRecord image{FirstArgumentAt(line, bracket), caught ? QString() : FirstQuotedText(line), {}, {}};
    if (caught && (image.label = CaughtLabel(line, bracket)).isEmpty())
        return false;
    if (const QString id = TrimBlanks(image.name); id.startsWith(QLatin1Char('#')) && IsPbAnyAt(id, 2)) {
        image.variable = AssignedImageVariable(line, call);
        if (image.variable.isEmpty())
            return true;
        image.name = QLatin1Char('#') + image.variable;
    }
    model.ImageList.append(image);
    return true;
}

// The parts of the run the loading of the common files reads and writes.
struct LoadingPass {
    DesignModel &model;
    const SourceFolder &folder;
    LogSink &log;
};

// A global image or font load outside any procedure is recorded instead of kept: the generated
// sections load them. True when the line was recorded.
bool RecordGlobalLoads(LoadingPass &g, const QString &line)
{
    bool recorded = RecordGlobalImage(g.model, line);
    const int font = FindCallNoCase(line, u"LOADFONT(");
    if (font && FindBackward(line, QLatin1Char(';'), font) == 0) {
        g.model.FontList.append({FirstArgumentAt(line, font + 8), line});
        recorded = true;
    }
    return recorded;
}

// The files of the DataSection labels of a file: "Logo:" followed by IncludeBinary "logo.png",
// on its line or the next. Upper-cased label -> file.
QHash<QString, QString> IncludedBinaries(const QStringList &lines)
{
    QHash<QString, QString> files;
    bool inData = false;
    QString label;
    for (const QString &line : lines) {
        for (const QStringView statement : Statements(CodeOfLine(line))) {
            if (StartsNoCase(statement, u"DATASECTION") || StartsNoCase(statement, u"ENDDATASECTION"))
                inData = StartsNoCase(statement, u"DATASECTION");
            else if (inData && IdentifierEnd(statement, 0) == statement.size())
                label = UpperKeepLength(statement); // a label, its ":" taken by the split
            else if (inData && StartsNoCase(statement, u"INCLUDEBINARY") && !label.isEmpty() && !files.contains(label))
                files.insert(label, FirstQuotedText(statement.toString()));
        }
    }
    return files;
}

// The images a file catches from its own DataSection learn their files there, for the decoders
// the image section declares and for loads of the same file inside procedures.
void FindCaughtImageFiles(QList<ImageRecord> &images, qsizetype from, const QStringList &lines)
{
    std::optional<QHash<QString, QString>> files; // read for the first caught image
    for (qsizetype i = from; i < images.size(); ++i) {
        ImageRecord &image = images[i];
        if (image.label.isEmpty() || !image.file.isEmpty())
            continue;
        if (!files)
            files = IncludedBinaries(lines);
        image.file = files->value(UpperKeepLength(image.label));
    }
}

// Per line of a common file: whether the procedure rule keeps it (from a line that mentions
// "procedure" up to the next line with "EndProcedure"), whether it mentions the word, and
// whether the kept text ends on it, so a separator follows.
struct ProcedureText {
    QList<bool> kept;
    QList<quint8> marks; // Word | Ends

    enum : quint8 { Word = 1, Ends = 2 };
    bool word(qsizetype line) const { return marks.at(line) & Word; }
    bool ends(qsizetype line) const { return marks.at(line) & Ends; }
};

ProcedureText KeepProcedureText(const QStringList &lines)
{
    ProcedureText text;
    text.kept.resize(lines.size());
    text.marks.resize(lines.size());
    bool inProcedure = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool word = FindNoCase(lines.at(i), QStringLiteral("PROCEDURE"));
        inProcedure = inProcedure || word;
        const bool ends = word && FindNoCase(lines.at(i), QStringLiteral("ENDPROCEDURE"));
        text.kept[i] = inProcedure;
        text.marks[i] = (word ? ProcedureText::Word : 0) | (ends ? ProcedureText::Ends : 0);
        inProcedure = inProcedure && !ends;
    }
    return text;
}

// Lines on their way into CommonSourceLines, each with where it was read.
struct CodeLines {
    SourceLineList lines;
    QList<SourceOrigin> origins;

    void Append(const QString &line, SourceOrigin origin = {})
    {
        lines.append(line);
        origins.append(origin);
    }
    void AppendSeparator()
    {
        quarvel::AppendSeparator(lines);
        origins.resize(lines.size());
    }
};

// The declarations of every file go ahead of the procedures of every file: a procedure that
// uses a constant or a Global declared further down would not compile, or would get a local
// variable of that name.
struct LoadedCode {
    CodeLines declarations;
    CodeLines procedures;
    QSet<QString> commonFiles; // their paths, absolute and clean, which includes are compared with
};

// The lines of a file's top-level DeclareModule ... EndDeclareModule and Module ... EndModule
// blocks.
QList<bool> ModuleBlockLines(const QStringList &lines)
{
    QList<bool> inModule(lines.size(), false);
    bool inside = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        // Only a line holding the word can open or close a block; the statement scan of every
        // line cost 57 M of the 705 M instructions of an unchanged 20,000-gadget regeneration.
        if (!HoldsNoCase(lines.at(i), u"MODULE")) {
            inModule[i] = inside;
            continue;
        }
        const QString code = BlankedCode(lines.at(i)); // the statements are views into it
        for (const QStringView statement : Statements(code)) {
            const QString word = FirstWord(statement);
            if (word == QLatin1String("DECLAREMODULE") || word == QLatin1String("MODULE"))
                inside = true;
            inModule[i] = inModule[i] || inside;
            if (word == QLatin1String("ENDDECLAREMODULE") || word == QLatin1String("ENDMODULE"))
                inside = false;
        }
        inModule[i] = inModule[i] || inside;
    }
    return inModule;
}

// The windows a module opens are not generated: its code cannot see the generated constants.
void WarnModuleWindow(LoadingPass &g, const QString &line, const QString &listedPath, int lineNumber)
{
    const QString where = QFileInfo(listedPath).fileName() + QLatin1Char(':') + QString::number(lineNumber);
    const int k = FindCallNoCase(line, u"OPENWINDOW(");
    if (k == 0 || FindBackward(line, QLatin1Char(';'), k))
        return;
    const QString what = QStringLiteral("window ") + TrimBlanks(FirstArgumentAt(line, k + 10))
                         + QStringLiteral(" is opened inside a module");
    g.log.Warning(QStringLiteral(" -> Warning: ") + what + QStringLiteral(" (") + where
                      + QStringLiteral("); a module's code is kept as written and its windows are not generated."),
                  listedPath, lineNumber);
    if (!g.model.FirstUngeneratedWindow.isEmpty())
        return;
    g.model.FirstUngeneratedWindow = what + QStringLiteral(" (") + where + QLatin1Char(')');
    g.model.FirstUngeneratedFile = listedPath;
    g.model.FirstUngeneratedLine = lineNumber;
}

bool IsAbsolutePath(const QString &name)
{
    return name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\'))
           || (name.size() > 1 && name.at(1) == QLatin1Char(':'));
}

// Include statements name their files from the common file's folder, or from its IncludePath;
// CommonFile.pb lies in the project folder, so the names are rebased on that. An IncludePath
// would move the includes of Main.pb that follow CommonFile.pb's too, so it is resolved here
// and left as a comment. So is an include of a common file of the project: its code is in
// CommonFile.pb already.
class IncludeNames {
public:
    // commonFiles: the paths of the project's common files, made absolute and clean.
    IncludeNames(const QString &projectDirectory, const QString &file, const QSet<QString> &commonFiles)
        : projectDirectory_(projectDirectory),
          commonFiles_(commonFiles)
    {
        const QString folder = QDir(projectDirectory).relativeFilePath(QFileInfo(file).absolutePath());
        fileFolder_ = folder.isEmpty() || folder == QLatin1String(".") ? QString() : folder + QLatin1Char('/');
        folder_ = fileFolder_;
    }

    QString Rebase(const QString &line)
    {
        // An include statement begins its line or follows a ":".
        const QStringView start = TrimLeadingBlanksView(line);
        const QChar first = start.isEmpty() ? QChar() : UpperChar(start.front());
        const bool begins = (first == QLatin1Char('I') && StartsNoCase(start, u"INCLUDE"))
                            || (first == QLatin1Char('X') && StartsNoCase(start, u"XINCLUDE"));
        if (!begins && !(HoldsChar(line, QLatin1Char(':')) && HoldsNoCase(line, u"INCLUDE")))
            return line;
        static const QSet<QString> includes = {QStringLiteral("INCLUDEFILE"), QStringLiteral("XINCLUDEFILE"),
                                               QStringLiteral("INCLUDEBINARY"), QStringLiteral("INCLUDEPATH")};
        const QString code = BlankedCode(line);
        struct Name {
            int quote, close; // 1-based, the quotes around the name
            QString target;
        };
        QList<Name> names;
        for (const QStringView statement : Statements(code)) {
            const QString word = FirstWord(statement);
            if (!includes.contains(word))
                continue;
            const int after = int(statement.data() - code.data() + word.size()) + 1; // 1-based, after the keyword
            const int quote = FindString(code, QLatin1Char('"'), after);
            const int close = quote ? FindString(code, QLatin1Char('"'), quote + 1) : 0;
            if (close == 0 || !TrimBlanks(Mid(code, after, quote - after)).isEmpty())
                continue; // a name that is not one literal, such as #PB_Compiler_FilePath + "x.pb"
            const QString name = Mid(line, quote + 1, close - quote - 1);
            const QString target = IsAbsolutePath(name) ? name : folder_ + name;
            if (word == QLatin1String("INCLUDEPATH")) {
                folder_ = IsAbsolutePath(name) ? name : fileFolder_ + name;
                if (!folder_.isEmpty() && !folder_.endsWith(QLatin1Char('/')) && !folder_.endsWith(QLatin1Char('\\')))
                    folder_ += QLatin1Char('/');
                return CommentedOut(line);
            }
            if (commonFiles_.contains(QDir::cleanPath(IsAbsolutePath(target) ? target : projectDirectory_ + target)))
                return CommentedOut(line);
            names.append({quote, close, target});
        }
        QString result = line;
        for (qsizetype k = names.size() - 1; k >= 0; --k)
            result = Left(result, names.at(k).quote) + names.at(k).target + Mid(result, names.at(k).close);
        return result;
    }

private:
    QString projectDirectory_;
    QString fileFolder_; // the common file's folder from the project folder: "" or "forms/"
    QString folder_;     // where its includes are looked for: that folder, or its IncludePath
    const QSet<QString> &commonFiles_;
};

bool IsCode(const QString &line)
{
    return !TrimBlanks(BlankedCode(line)).isEmpty();
}

// "Tool.pb:12-30, 41": the left-out lines as ranges; only empty and comment lines between two
// left-out lines join their ranges.
QString LineRanges(const QString &file, const QStringList &lines, const QList<qint32> &numbers)
{
    QStringList ranges;
    for (qsizetype k = 0; k < numbers.size();) {
        qsizetype m = k;
        while (m + 1 < numbers.size()) {
            bool onlyComments = true;
            for (qint32 n = numbers.at(m) + 1; n < numbers.at(m + 1) && onlyComments; ++n)
                onlyComments = !IsCode(lines.at(n - 1));
            if (!onlyComments)
                break;
            ++m;
        }
        ranges.append(numbers.at(k) == numbers.at(m)
                          ? QString::number(numbers.at(k))
                          : QString::number(numbers.at(k)) + QLatin1Char('-') + QString::number(numbers.at(m)));
        k = m + 1;
    }
    return file + QLatin1Char(':') + ranges.join(QStringLiteral(", "));
}

// The procedure Main.pb opens a taken-over window with: its opening lines, indented one step,
// and the ends of the blocks the cut left open.
void AppendOpeningProcedure(CodeLines &out, const WindowOpening &window, const QList<qint32> &body,
                            const QHash<qint32, QString> &text, qint32 fileIndex)
{
    out.Append(QStringLiteral("Procedure Open_") + window.name + QStringLiteral("()"));
    for (const qint32 j : body) {
        const QString &line = text.value(j);
        out.Append(line.isEmpty() ? line : QStringLiteral("  ") + line, {fileIndex, j + 1});
    }
    for (const QString &end : window.ends)
        out.Append(QStringLiteral("  ") + end);
    out.Append(QStringLiteral("EndProcedure"));
    out.AppendSeparator();
}

std::optional<UnreadCommonFile> LoadOneCommonFile(LoadingPass &g, qint32 fileIndex, LoadedCode &code)
{
    const QString &listedPath = g.model.CommonFileList.at(fileIndex);
    const QString path = ProjectRelativePath(g.folder.directory, listedPath);
    FileBytes failure;
    const auto file = ReadTextFile(path, g.folder.format, &failure);
    if (!file) {
        g.log.Error(FileErrorLine(QStringLiteral("OpenFile"), listedPath), listedPath);
        return UnreadCommonFile{path, failure.reason};
    }
    if (file->firstInvalidLine)
        g.log.Warning(InvalidBytesWarning(listedPath, file->firstInvalidLine), listedPath, file->firstInvalidLine);
    const QStringList &lines = file->lines;
    const ProcedureText procedureText = KeepProcedureText(lines);
    const TopLevelCode top = ClassifyTopLevelCode(lines, procedureText.kept);
    WarnUngeneratableObjects(g.model, g.log, listedPath, lines, top.windows);
    // The form designer's event procedures are read as assignments and not kept.
    const QList<LineRange> eventProcedures = TakeFormEventAssignments(g.model, g.log, lines, fileIndex);
    const qsizetype firstImage = g.model.ImageList.size();
    const bool formDesigner = UpperKeepLength(QFileInfo(listedPath).suffix()) == QLatin1String("PBF");
    IncludeNames includes(g.folder.directory, path, code.commonFiles);
    const qsizetype declaredBefore = code.declarations.lines.size();
    QHash<qint32, QString> windowText;
    QList<qint32> leftOut;
    const QList<bool> inModule = ModuleBlockLines(lines);
    for (qint32 i = 0; i < lines.size(); ++i) {
        if (Covers(eventProcedures, i + 1))
            continue;
        if (inModule.at(i)) {
            g.model.ModuleLines.append(lines.at(i));
            WarnModuleWindow(g, lines.at(i), listedPath, int(i + 1));
            continue;
        }
        const SourceOrigin origin{fileIndex, i + 1};
        const LineRole role = top.roles.at(i);
        const QString line = role == LineRole::Kept || role == LineRole::Declaration || role == LineRole::Window
                                 ? includes.Rebase(top.Text(lines, i))
                                 : QString();
        if (role == LineRole::Kept)
            code.procedures.Append(formDesigner ? ConvertFormDesignerLine(line, procedureText.word(i)) : line, origin);
        else if (role == LineRole::Window)
            windowText.insert(i, line);
        else if (role == LineRole::Declaration && !RecordGlobalLoads(g, lines.at(i))
                 && (code.declarations.lines.size() > declaredBefore || !TrimBlanks(line).isEmpty()))
            code.declarations.Append(line, origin);
        else if (role == LineRole::LeftOut && !RecordGlobalLoads(g, lines.at(i)) && IsCode(lines.at(i)))
            leftOut.append(i + 1);
        if (procedureText.ends(i)) {
            code.procedures.AppendSeparator();
            RecordGlobalLoads(g, lines.at(i)); // "EndProcedure : LoadImage(...)" ends the procedure first
        }
    }
    for (const WindowOpening &window : top.windows) {
        if (!window.refusal.isEmpty())
            continue;
        AppendOpeningProcedure(code.procedures, window, top.BodyOf(window), windowText, fileIndex);
        g.model.TakenOverWindows.append(window.name);
    }
    if (!top.globals.isEmpty() && code.declarations.lines.size() > declaredBefore)
        code.declarations.Append(QString());
    for (const QString &global : top.globals)
        code.declarations.Append(global);
    if (code.declarations.lines.size() > declaredBefore)
        code.declarations.AppendSeparator();
    if (!leftOut.isEmpty())
        g.log.Warning(QStringLiteral(" -> Warning: top-level code left out (")
                          + LineRanges(QFileInfo(listedPath).fileName(), lines, leftOut)
                          + QStringLiteral("); move what the program needs into a procedure."),
                      listedPath, leftOut.first());
    FindCaughtImageFiles(g.model.ImageList, firstImage, lines);
    return std::nullopt;
}

// The bracket of the OpenWindow call of a line, 0 when the line opens no window.
int OpenWindowBracket(const QString &line)
{
    const int k = FindCallNoCase(line, u"OPENWINDOW(#");
    return k ? k + 10 : 0;
}

} // namespace

QList<UnreadCommonFile> LoadCommonFiles(DesignModel &model, const SourceFolder &folder, LogSink &log)
{
    LoadingPass g{model, folder, log};
    LoadedCode code;
    for (const QString &file : std::as_const(g.model.CommonFileList))
        code.commonFiles.insert(
            QDir::cleanPath(QFileInfo(ProjectRelativePath(g.folder.directory, file)).absoluteFilePath()));
    QList<UnreadCommonFile> unread;
    for (qint32 i = 0; i < g.model.CommonFileList.size(); ++i)
        if (const auto failed = LoadOneCommonFile(g, i, code))
            unread.append(*failed);
    g.model.CommonSourceLines << code.declarations.lines << code.procedures.lines;
    g.model.CommonSourceOrigins << code.declarations.origins << code.procedures.origins;
    return unread;
}

// The line that opens the main window: the first that opens it, or the first window line.
static qsizetype MainWindowLine(const DesignModel &m)
{
    const QString main = UpperKeepLength(MainWindowName(m));
    qsizetype first = -1;
    for (qsizetype i = 0; i < m.CommonSourceLines.size(); ++i) {
        const QString &line = m.CommonSourceLines.at(i);
        if (OpenWindowBracket(line) == 0)
            continue;
        if (UpperKeepLength(OpenedWindowConstant(line)) == main)
            return i;
        first = first < 0 ? i : first;
    }
    return first;
}

// Every window but the main one gets the main window as its parent. The arguments are split
// at top-level commas only, so a title such as "Save, then quit" keeps its place.
void SetParentWindow(DesignModel &model)
{
    const qsizetype mainLine = MainWindowLine(model);
    if (mainLine < 0)
        return;
    QString parent;
    {
        const QString &line = model.CommonSourceLines.at(mainLine);
        const int p = OpenWindowBracket(line);
        const CallShape call = ShapeOfCall(line, p);
        const int end = call.commas.isEmpty() ? call.close : call.commas.first();
        parent = Trim(Mid(line, p + 1, end - p - 1));
    }
    for (qsizetype i = 0; i < model.CommonSourceLines.size(); ++i) {
        QString &line = model.CommonSourceLines[i];
        const int p = OpenWindowBracket(line);
        if (p == 0 || i == mainLine)
            continue;
        const CallShape call = ShapeOfCall(line, p);
        // Window number, x, y, width, height and title are needed to place the parent after
        // them; an incomplete call is left as written.
        if (call.close == 0 || call.commas.size() < 5)
            continue;
        QStringList fields;
        int from = p + 1;
        for (int comma : call.commas) {
            fields.append(Mid(line, from, comma - from));
            from = comma + 1;
        }
        fields.append(Mid(line, from, call.close - from));
        const bool noFlags = fields.size() < 7 || Trim(Trim(fields.at(6)), QLatin1Char('\t')).isEmpty();
        const QString arguments = noFlags ? fields.mid(0, 6).join(QLatin1Char(','))
                                                + QStringLiteral(", #PB_Window_SystemMenu")
                                          : fields.mid(0, 7).join(QLatin1Char(','));
        line = Left(line, p) + arguments + QStringLiteral(", WindowID(") + parent + QLatin1Char(')')
               + Mid(line, call.close);
    }
}

void SetAutoWindowPosition(DesignModel &model)
{
    for (QString &line : model.CommonSourceLines) {
        const int p = OpenWindowBracket(line);
        if (p == 0)
            continue;
        const CallShape call = ShapeOfCall(line, p);
        if (call.commas.size() < 3)
            continue; // no position to replace; the call stays as written
        line = Left(line, call.commas.at(0)) + QStringLiteral(" #PB_Ignore, #PB_Ignore,")
               + Mid(line, call.commas.at(2) + 1);
    }
}

// The image argument (and any flags) of every ImageGadget becomes 0; the blank after the
// fifth comma and whatever follows the call stay.
void ZeroImageGadgets(DesignModel &model)
{
    for (QString &line : model.CommonSourceLines) {
        const int k = FindCallNoCase(line, u"IMAGEGADGET(#");
        if (k == 0)
            continue;
        const int bracket = k + 11;
        const CallShape call = ShapeOfCall(line, bracket);
        if (call.commas.size() < 5)
            continue;
        int x = call.commas.at(4) + 1;
        while (x <= line.size() && (line.at(x - 1) == QLatin1Char(' ') || line.at(x - 1) == QLatin1Char('\t')))
            ++x;
        const QString rest = call.close ? Mid(line, call.close) : QStringLiteral(")");
        line = Left(line, x - 1) + QLatin1Char('0') + rest;
    }
}

} // namespace quarvel
