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
    const qsizetype k = IndexOfCallNoCase(line, u"OPENWINDOW(#");
    return k < 0 ? -1 : k + 10;
}

// The line that opens the main window: the first that opens it, or the first window line.
qsizetype MainWindowLine(const DesignModel &m)
{
    const QString main = UpperKeepLength(MainWindowName(m));
    qsizetype first = -1;
    for (qsizetype i = 0; i < m.CommonSourceLines.size(); ++i) {
        const QString &line = m.CommonSourceLines.at(i);
        if (OpenWindowBracket(line) < 0)
            continue;
        if (UpperKeepLength(OpenedWindowConstant(line)) == main)
            return i;
        first = first < 0 ? i : first;
    }
    return first;
}

} // namespace

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
        const qsizetype p = OpenWindowBracket(line);
        const CallShape call = CallShapeAt(line, p);
        const qsizetype end = call.commas.isEmpty() ? call.close : call.commas.first();
        if (end >= 0)
            parent = Trim(line.sliced(p + 1, end - p - 1));
    }
    for (qsizetype i = 0; i < model.CommonSourceLines.size(); ++i) {
        QString &line = model.CommonSourceLines[i];
        const qsizetype p = OpenWindowBracket(line);
        if (p < 0 || i == mainLine)
            continue;
        const CallShape call = CallShapeAt(line, p);
        // Window number, x, y, width, height and title are needed to place the parent after
        // them; an incomplete call is left as written.
        if (call.close < 0 || call.commas.size() < 5)
            continue;
        QStringList fields;
        qsizetype from = p + 1;
        for (const qsizetype comma : call.commas) {
            fields.append(line.sliced(from, comma - from));
            from = comma + 1;
        }
        fields.append(line.sliced(from, call.close - from));
        const bool noFlags = fields.size() < 7 || Trim(Trim(fields.at(6)), QLatin1Char('\t')).isEmpty();
        const QString arguments = noFlags ? fields.mid(0, 6).join(QLatin1Char(','))
                                                + QStringLiteral(", #PB_Window_SystemMenu")
                                          : fields.mid(0, 7).join(QLatin1Char(','));
        line = line.first(p + 1) + arguments + QStringLiteral(", WindowID(") + parent + QLatin1Char(')')
               + line.sliced(call.close);
    }
}

void SetAutoWindowPosition(DesignModel &model)
{
    for (QString &line : model.CommonSourceLines) {
        const qsizetype p = OpenWindowBracket(line);
        if (p < 0)
            continue;
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
