#include "interpreter/common_file_loading.h"

#include "base/file_error_line.h"
#include "base/line_lists.h"
#include "base/line_scan.h"
#include "interpreter/form_event_assignments.h"
#include "interpreter/object_warnings.h"
#include "interpreter/pb_any_objects.h"
#include "model/generation_context.h"

#include <QFileInfo>
#include <QHash>

#include <optional>

namespace quarvel {

QString ProjectRelativePath(const QString &projectDirectory, const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isRelative())
        return path;
    return projectDirectory + path;
}

namespace {

// The form designer numbers the one menu, toolbar and status bar of a window 0 and names its
// window procedures "Open" + window; the generated code wants constants and "Open_".
const struct { const char *find; const char *replacement; } FormDesignerConversions[] = {
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
    const int q2 = FindString(line, QLatin1Char('"'), q1 + 1);
    if (q1 == 0 || q2 == 0)
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
        if (StartsNoCase(before, keyword) && before.size() > n && (before.at(n) == QLatin1Char(' ') || before.at(n) == QLatin1Char('\t')))
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

// A global image or font load outside any procedure is recorded instead of kept: the generated
// sections load them. True when the line was recorded.
bool RecordGlobalLoads(GenerationContext &g, const QString &line)
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

void LoadOneCommonFile(GenerationContext &g, qint32 fileIndex)
{
    const QString &listedPath = g.model.CommonFileList.at(fileIndex);
    const auto file = ReadTextFile(ProjectRelativePath(g.ProjectDirectory(), listedPath), g.outputFormat);
    if (!file) {
        g.LogLine(FileErrorLine(QStringLiteral("OpenFile"), listedPath));
        ++g.faults.unread;
        return;
    }
    if (file->firstInvalidLine)
        g.LogLine(InvalidBytesWarning(listedPath, file->firstInvalidLine));
    WarnUngeneratableObjects(g, listedPath, file->lines);
    // The form designer's event procedures are read as assignments and not kept.
    const QList<LineRange> eventProcedures = TakeFormEventAssignments(g, file->lines, fileIndex);
    const bool formDesigner = UpperKeepLength(QFileInfo(listedPath).suffix()) == QLatin1String("PBF");
    SourceLineList &out = g.model.CommonSourceLines;
    QList<SourceOrigin> &origins = g.model.CommonSourceOrigins;
    const qsizetype firstImage = g.model.ImageList.size();
    bool inProcedure = false;
    for (qint32 i = 0; i < file->lines.size(); ++i) {
        if (Covers(eventProcedures, i + 1))
            continue;
        const QString &line = file->lines.at(i);
        const bool procedureWord = FindNoCase(line, QStringLiteral("PROCEDURE"));
        if (procedureWord)
            inProcedure = true;
        if (inProcedure) {
            out.append(formDesigner ? ConvertFormDesignerLine(line, procedureWord) : line);
            origins.append({fileIndex, i + 1});
        }
        if (procedureWord && FindNoCase(line, QStringLiteral("ENDPROCEDURE"))) {
            AppendSeparator(out);
            origins.resize(out.size());
            inProcedure = false;
        }
        if (!inProcedure)
            RecordGlobalLoads(g, line);
    }
    FindCaughtImageFiles(g.model.ImageList, firstImage, file->lines);
}

// The bracket of the OpenWindow call of a line, 0 when the line opens no window.
int OpenWindowBracket(const QString &line)
{
    const int k = FindCallNoCase(line, u"OPENWINDOW(#");
    return k ? k + 10 : 0;
}

} // namespace

void LoadCommonFiles(GenerationContext &g)
{
    for (qint32 i = 0; i < g.model.CommonFileList.size(); ++i)
        LoadOneCommonFile(g, i);
}

// Every window after the first gets the first one as its parent. The arguments are split at
// top-level commas only, so a title such as "Save, then quit" keeps its place.
void SetParentWindow(GenerationContext &g)
{
    QString parent;
    bool first = true;
    for (QString &line : g.model.CommonSourceLines) {
        const int p = OpenWindowBracket(line);
        if (p == 0)
            continue;
        const CallShape call = ShapeOfCall(line, p);
        if (first) {
            const int end = call.commas.isEmpty() ? call.close : call.commas.first();
            parent = Trim(Mid(line, p + 1, end - p - 1));
            first = false;
            continue;
        }
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
        const QString arguments = noFlags
            ? fields.mid(0, 6).join(QLatin1Char(',')) + QStringLiteral(", #PB_Window_SystemMenu")
            : fields.mid(0, 7).join(QLatin1Char(','));
        line = Left(line, p) + arguments + QStringLiteral(", WindowID(") + parent + QLatin1Char(')')
               + Mid(line, call.close);
    }
}

void SetAutoWindowPosition(GenerationContext &g)
{
    for (QString &line : g.model.CommonSourceLines) {
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
void ZeroImageGadgets(GenerationContext &g)
{
    for (QString &line : g.model.CommonSourceLines) {
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
