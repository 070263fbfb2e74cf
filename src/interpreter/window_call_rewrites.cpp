#include "interpreter/window_call_rewrites.h"

#include "base/basic_strings.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "interpreter/opening_procedure.h"
#include "model/design_model.h"

namespace quarvel {

namespace {

// The bracket of the OpenWindow call of a line, 0 when the line opens no window.
int OpenWindowBracket(const QString &line)
{
    const int k = FindCallNoCase(line, u"OPENWINDOW(#");
    return k ? k + 10 : 0;
}

// The line that opens the main window: the first that opens it, or the first window line.
qsizetype MainWindowLine(const DesignModel &m)
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
