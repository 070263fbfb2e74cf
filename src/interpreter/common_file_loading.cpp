#include "interpreter/common_file_loading.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/line_lists.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "interpreter/event_loop_finding.h"
#include "interpreter/form_event_assignments.h"
#include "interpreter/global_loads.h"
#include "interpreter/include_rebasing.h"
#include "interpreter/line_words.h"
#include "interpreter/numbered_objects.h"
#include "interpreter/object_warnings.h"
#include "interpreter/opening_procedure.h"
#include "interpreter/pb_any_objects.h"
#include "interpreter/top_level_code.h"
#include "model/design_model.h"
#include "model/log_messages.h"
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
    const qsizetype rows = HoldsText(line, u"(0") ? finds.size() : 1;
    for (qsizetype i = 0; i < rows; ++i) {
        if (!(i == 0 ? procedureWord && IndexOfNoCase(line, finds.at(i)) >= 0
                     : IndexOfCallNoCase(line, finds.at(i)) >= 0))
            continue;
        // Each occurrence in any case, as ReplaceString(..., true) does, without an upper-cased copy:
        // 200 x 100 (bench/make_project.py) spent 2.7 M instructions that way, 0.8 M so (callgrind).
        QString replaced;
        qsizetype from = 0;
        for (qsizetype at = IndexOfNoCase(line, finds.at(i)); at >= 0; at = IndexOfNoCase(line, finds.at(i), from)) {
            replaced += QStringView(line).sliced(from, at - from);
            replaced += QLatin1String(FormDesignerConversions[i].replacement);
            from = at + finds.at(i).size();
        }
        replaced += QStringView(line).sliced(from);
        line = from > 0 ? replaced : line;
    }
    return line;
}

// The parts of the run the loading of the common files reads and writes.
struct LoadingPass {
    DesignModel &model;
    const SourceFolder &folder;
    LogSink &log;
};

// Per line of a common file, whether the procedure rule keeps it: from a line that mentions
// "procedure" up to the next line with "EndProcedure". words: the words of each line
// (FindLineWords).
QList<bool> KeepProcedureText(const QList<quint8> &words)
{
    QList<bool> kept(words.size());
    bool inProcedure = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        inProcedure = inProcedure || (words.at(i) & ProcedureWord);
        kept[i] = inProcedure;
        inProcedure = inProcedure && !(words.at(i) & EndProcedureWord);
    }
    return kept;
}

// The declarations of every file go ahead of the procedures of every file: a procedure that
// uses a constant or a Global declared further down would not compile, or would get a local
// variable of that name.
struct LoadedCode {
    SourceLines declarations; // on their way into CommonSourceLines
    SourceLines procedures;
    QSet<QString> commonFiles; // their paths, absolute and clean, which includes are compared with
};

// The lines of a file's top-level DeclareModule ... EndDeclareModule and Module ... EndModule
// blocks. words: the words of each line (FindLineWords).
QList<bool> ModuleBlockLines(const QStringList &lines, const QList<quint8> &words)
{
    QList<bool> inModule(lines.size(), false);
    bool inside = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        // Only a line holding the word can open or close a block; the statement scan of every
        // line cost 57 M of the 705 M instructions of an unchanged 20,000-gadget regeneration.
        if (!(words.at(i) & ModuleWord)) {
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
    const qsizetype k = IndexOfCallNoCase(line, u"OPENWINDOW(");
    if (k < 0 || HoldsChar(QStringView(line).first(k), u';'))
        return;
    const QString what = QStringLiteral("window ") + TrimBlanks(FirstArgumentAt(line, k + 10))
                         + QStringLiteral(" is opened inside a module");
    g.log.Warning(ModuleWindowWarning(what, where), listedPath, lineNumber);
    if (!g.model.FirstUngeneratedWindow.isEmpty())
        return;
    g.model.FirstUngeneratedWindow = what + QStringLiteral(" (") + where + QLatin1Char(')');
    g.model.FirstUngeneratedFile = listedPath;
    g.model.FirstUngeneratedLine = lineNumber;
}

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
void AppendOpeningProcedure(SourceLines &out, const WindowOpening &window, const QList<qint32> &body,
                            const QHash<qint32, QString> &text, qint32 fileIndex)
{
    out.append(QStringLiteral("Procedure Open_") + window.name + QStringLiteral("()"));
    for (const qint32 j : body) {
        const QString &line = text.value(j);
        out.append(line.isEmpty() ? line : QStringLiteral("  ") + line, {fileIndex, j + 1});
    }
    for (const QString &end : window.ends)
        out.append(QStringLiteral("  ") + end);
    out.append(QStringLiteral("EndProcedure"));
    out.appendSeparator();
}

// One common file as read, with what the passes over it tell of its lines.
struct CommonFileText {
    qint32 index;
    QString listedPath;
    QString path;
    QStringList lines;
    QList<quint8> words; // FindLineWords
    // ModuleBlockLines, read once for the numbering and the sorting: read twice, it cost an
    // unchanged regeneration of 200 x 100 (bench/make_project.py) 7.3 M instructions more.
    QList<bool> inModule;
    QList<bool> procedureText; // KeepProcedureText
    TopLevelCode top;
    QList<LineRange> eventProcedures; // the form designer's, read as assignments and not kept
};

// What sorting a file's lines leaves for its end: the windows' opening lines and the left-out
// top-level code.
struct SortedLines {
    QHash<qint32, QString> windowText;
    QList<qint32> leftOut;
};

// The include statements of a file, rebased by names made for the first line that can hold
// one: making them for every file cost an unchanged regeneration of 200 x 100
// (bench/make_project.py) 1.7 M instructions (callgrind).
class FileIncludes {
public:
    FileIncludes(const QString &directory, const QString &path, const QSet<QString> &commonFiles)
        : directory_(directory),
          path_(path),
          commonFiles_(commonFiles)
    {}
    QString Rebase(const QString &line)
    {
        if (!names_)
            names_.emplace(directory_, path_, commonFiles_);
        return names_->Rebase(line);
    }

private:
    const QString &directory_;
    const QString &path_;
    const QSet<QString> &commonFiles_;
    std::optional<IncludeNames> names_;
};

// The text of a line that goes into CommonFile.pb, its include statements rebased. Only a line
// with the word can hold one: rebasing every line cost an unchanged regeneration of 200 x 100
// (bench/make_project.py) 5.4 M instructions (callgrind).
QString PlacedText(const CommonFileText &f, FileIncludes &includes, qint32 i)
{
    if (const auto rewritten = f.top.rewritten.constFind(i); rewritten != f.top.rewritten.cend())
        return includes.Rebase(*rewritten);
    return f.words.at(i) & IncludeWord ? includes.Rebase(f.lines.at(i)) : f.lines.at(i);
}

// Each line of the file goes where its role says: a procedure, the declarations, a module
// block, a window's opening procedure, or left out.
SortedLines SortLines(LoadingPass &g, const CommonFileText &f, LoadedCode &code, qsizetype declaredBefore)
{
    const QStringList &lines = f.lines;
    const bool formDesigner = UpperKeepLength(QFileInfo(f.listedPath).suffix()) == QLatin1String("PBF");
    FileIncludes includes(g.folder.directory, f.path, code.commonFiles);
    const QList<bool> &inModule = f.inModule;
    const QList<bool> keptForLoads = LinesKeptForLoads(lines, f.top.roles);
    SortedLines sorted;
    for (qint32 i = 0; i < lines.size(); ++i) {
        if (Covers(f.eventProcedures, i + 1))
            continue;
        if (inModule.at(i)) {
            g.model.ModuleLines.append(lines.at(i));
            WarnModuleWindow(g, lines.at(i), f.listedPath, int(i + 1));
            continue;
        }
        const SourceOrigin origin{f.index, i + 1};
        const LineRole role = keptForLoads.at(i) ? LineRole::Declaration : f.top.roles.at(i);
        const QString line = role == LineRole::Kept || role == LineRole::Declaration || role == LineRole::Window
                                 ? PlacedText(f, includes, i)
                                 : QString();
        if (role == LineRole::Kept)
            code.procedures.append(formDesigner ? ConvertFormDesignerLine(line, f.words.at(i) & ProcedureWord) : line,
                                   origin);
        else if (role == LineRole::Window)
            sorted.windowText.insert(i, line);
        else if (role == LineRole::Declaration && RecordGlobalLoads(g.model, lines.at(i)) != GlobalLoad::Recorded
                 && (code.declarations.size() > declaredBefore || !TrimBlanks(line).isEmpty()))
            code.declarations.append(line, origin);
        else if (role == LineRole::LeftOut && RecordGlobalLoads(g.model, lines.at(i)) == GlobalLoad::None
                 && IsCode(lines.at(i)))
            sorted.leftOut.append(i + 1);
        if (f.words.at(i) & EndProcedureWord) { // the kept text ends on the line: a separator follows
            code.procedures.appendSeparator();
            RecordGlobalLoads(g.model, lines.at(i)); // "EndProcedure : LoadImage(...)" ends the procedure first
        }
    }
    return sorted;
}

// The end of a file's code: the procedures of the windows its top-level code opens, its
// Globals, and the warning about the code left out.
void FinishFile(LoadingPass &g, const CommonFileText &f, LoadedCode &code, const SortedLines &sorted,
                qsizetype declaredBefore)
{
    for (const WindowOpening &window : f.top.windows) {
        if (!window.refusal.isEmpty())
            continue;
        AppendOpeningProcedure(code.procedures, window, f.top.BodyOf(window), sorted.windowText, f.index);
        g.model.TakenOverWindows.append(window.name);
    }
    if (!f.top.globals.isEmpty() && code.declarations.size() > declaredBefore)
        code.declarations.append(QString());
    for (const QString &global : f.top.globals)
        code.declarations.append(global);
    if (code.declarations.size() > declaredBefore)
        code.declarations.appendSeparator();
    if (!sorted.leftOut.isEmpty())
        g.log.Warning(
            TopLevelCodeLeftOutWarning(LineRanges(QFileInfo(f.listedPath).fileName(), f.lines, sorted.leftOut)),
            f.listedPath, sorted.leftOut.first());
}

// What naming numbered objects needs: which files create any, and the constants the names
// must avoid (collected only when a file does).
struct NumberedCreations {
    QList<bool> inFile;
    QSet<QString> taken;
};

NumberedCreations FindNumberedCreations(const QList<QStringList> &texts)
{
    NumberedCreations numbered;
    for (const QStringList &lines : texts)
        numbered.inFile.append(CreatesNumberedObjects(lines));
    if (numbered.inFile.contains(true))
        numbered.taken = ConstantsBesideNumbers(texts);
    return numbered;
}

// file: as read from the listed path.
FileResult LoadOneCommonFile(LoadingPass &g, qint32 fileIndex, LoadedCode &code, const TextFileRead &file,
                             const NumberedCreations &numbered)
{
    const QString &listedPath = g.model.CommonFileList.at(fileIndex);
    const QString &path = file.path; // the listed path from the project folder
    if (!file) {
        g.log.Error(FileErrorLine(QStringLiteral("OpenFile"), listedPath), listedPath);
        return file;
    }
    LogHowRead(g.log, listedPath, *file);
    CommonFileText f{fileIndex, listedPath, path, file->lines, FindLineWords(file->lines), {}, {}, {}, {}};
    f.procedureText = KeepProcedureText(f.words);
    f.inModule = ModuleBlockLines(f.lines, f.words);
    if (numbered.inFile.at(fileIndex))
        NameNumberedObjects(g.model, f.lines, fileIndex, f.inModule, numbered.taken);
    f.top = ClassifyTopLevelCode(f.lines, f.procedureText, f.words);
    MarkEventLoops(f.lines, f.top, fileIndex, g.model.Carried.loops);
    WarnUngeneratableObjects(g.model, g.log, listedPath, f.lines, f.top.windows);
    f.eventProcedures = TakeFormEventAssignments(g.model, g.log, f.lines, fileIndex);
    const qsizetype firstImage = g.model.ImageList.size();
    const qsizetype declaredBefore = code.declarations.size();
    const SortedLines sorted = SortLines(g, f, code, declaredBefore);
    FinishFile(g, f, code, sorted, declaredBefore);
    FindCaughtImageFiles(g.model.ImageList, firstImage, f.lines);
    return file;
}

} // namespace

QList<FileResult> LoadCommonFiles(DesignModel &model, const SourceFolder &folder, LogSink &log)
{
    LoadingPass g{model, folder, log};
    LoadedCode code;
    QStringList paths;
    for (const QString &file : std::as_const(g.model.CommonFileList)) {
        paths.append(ProjectRelativePath(g.folder.directory, file));
        code.commonFiles.insert(QDir::cleanPath(QFileInfo(paths.last()).absoluteFilePath()));
    }
    // Every file is read first: a name given to a numbered object must be free in all of them.
    QList<TextFileRead> files;
    QList<QStringList> texts;
    for (const QString &path : std::as_const(paths)) {
        files.append(ReadTextFile(path, g.folder.format));
        texts.append(files.last() ? files.last()->lines : QStringList());
    }
    const NumberedCreations numbered = FindNumberedCreations(texts);
    texts.clear();
    QList<FileResult> unread;
    for (qint32 i = 0; i < g.model.CommonFileList.size(); ++i)
        if (FileResult read = LoadOneCommonFile(g, i, code, files.at(i), numbered); !read)
            unread.append(std::move(read));
    g.model.CommonSourceLines.append(code.declarations);
    g.model.CommonSourceLines.append(code.procedures);
    return unread;
}

} // namespace quarvel
