#include "interpreter/common_file_loading.h"

#include "base/file_error_line.h"
#include "base/line_lists.h"
#include "base/line_scan.h"
#include "interpreter/object_warnings.h"
#include "model/generation_context.h"

#include <QFileInfo>

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

// A global LoadImage or LoadFont outside any procedure: the image or font is loaded by the
// generated section, so it is recorded instead of kept.
void RecordGlobalLoads(GenerationContext &g, const QString &line)
{
    const int image = FindCallNoCase(line, u"LOADIMAGE(");
    if (image && FindBackward(line, QLatin1Char(';'), image) == 0) {
        const int bracket = image + 9;
        g.model.ImageList.append({FirstArgumentAt(line, bracket), FirstQuotedText(line)});
    }
    const int font = FindCallNoCase(line, u"LOADFONT(");
    if (font && FindBackward(line, QLatin1Char(';'), font) == 0)
        g.model.FontList.append({FirstArgumentAt(line, font + 8), line});
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
    const bool formDesigner = UpperKeepLength(QFileInfo(listedPath).suffix()) == QLatin1String("PBF");
    SourceLineList &out = g.model.CommonSourceLines;
    QList<SourceOrigin> &origins = g.model.CommonSourceOrigins;
    bool inProcedure = false;
    for (qint32 i = 0; i < file->lines.size(); ++i) {
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
