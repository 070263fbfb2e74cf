#include "emit/main_window_patch.h"

#include "base/basic_strings.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "model/design_model.h"
#include "model/generated_files.h"
#include "model/log_messages.h"
#include "model/log_sink.h"

#include <QFileInfo>

namespace quarvel {

namespace {

// Whether a statement is the head of a procedure named name: "Procedure Main()", "Procedure.i Main()".
bool IsHeadOf(QStringView statement, QStringView name)
{
    return ProcedureHeadName(statement).compare(name, Qt::CaseInsensitive) == 0;
}

// Main.pb's main procedure takes the name a common file leaves free: its head, and the call of
// it outside any procedure ("EndProcedure:Main()").
void RenameMainProcedure(SourceLineList &lines, const QString &name)
{
    const QString main = QStringLiteral("Main");
    bool inProcedure = false;
    for (QString &line : lines) {
        if (IndexOfNoCase(line, main) < 0 && IndexOfNoCase(line, u"PROCEDURE") < 0)
            continue;
        const QString code = BlankedCode(line);
        QList<qsizetype> renamed; // the offsets of the words to rename
        for (const QStringView statement : Statements(code)) {
            const qsizetype offset = statement.data() - code.data();
            const QString word = FirstWord(statement);
            if (IsHeadOf(statement, main)) {
                renamed.append(IndexOfWordNoCase(code, main, offset + 9));
                inProcedure = true;
            } else if (word.startsWith(QLatin1String("PROCEDURE")) && word != QLatin1String("PROCEDURERETURN")) {
                inProcedure = true;
            } else if (word == QLatin1String("ENDPROCEDURE")) {
                inProcedure = false;
            } else if (!inProcedure && word == QLatin1String("MAIN") && TrimBlanksView(statement.sliced(4)) == u"()") {
                renamed.append(offset);
            }
        }
        for (qsizetype i = renamed.size() - 1; i >= 0; --i)
            if (renamed.at(i) >= 0)
                line.replace(renamed.at(i), main.size(), name);
    }
}

// A window opened with #PB_Window_Invisible is shown by Main.pb once it is open: right after
// the window test, a line a later run finds again and keeps in step with the main window.
void ShowInvisibleWindow(SourceLineList &lines, qsizetype test, const QString &window)
{
    const QString show = QStringLiteral("    HideWindow(#") + window + QStringLiteral(", #False)");
    const bool shownBefore = test + 1 < lines.size()
                             && StartsNoCase(TrimLeadingBlanksView(lines.at(test + 1)), u"HideWindow(#")
                             && EndsNoCase(TrimBlanksView(lines.at(test + 1)), u", #False)");
    if (shownBefore)
        lines[test + 1] = show;
    else
        lines.insert(test + 1, show);
}

const QString &Placeholder()
{
    static const QString placeholder = QStringLiteral("Open_WindowXY()");
    return placeholder;
}

// The log line that says no window was found, at the place that tells why: the first window
// that could not be generated for a reason the log gives, else the first OpenWindow of the
// window sources, else the first window source.
void WarnNoWindow(const DesignModel &m, LogSink &log)
{
    if (!m.FirstUngeneratedWindow.isEmpty()) {
        const QString location = QFileInfo(m.FirstUngeneratedFile).fileName() + QLatin1Char(':')
                                 + QString::number(m.FirstUngeneratedLine);
        log.Warning(NoWindowWarning(location), m.FirstUngeneratedFile, m.FirstUngeneratedLine);
        return;
    }
    const SourceLineList &sources = m.CommonSourceLines.texts();
    for (qsizetype i = 0; i < sources.size(); ++i) {
        if (IndexOfCommandNoCase(BlankedCode(sources.at(i)), u"OPENWINDOW(") >= 0) {
            WarnAtSourceLine(log, m, NoWindowWarning(SourceLocation(m, i)), i);
            return;
        }
    }
    if (m.CommonFileList.isEmpty()) {
        log.Warning(NoWindowWarning(QString()), FileName(GeneratedFileId::Main));
        return;
    }
    const SourceOrigin first{0, 1};
    WarnAt(log, m, NoOpenWindowWarning(SourceLocation(m, first)), first);
}

// Without a window Main.pb still compiles: its call of the placeholder becomes a comment and
// its window test #False, so the program ends at once. The next run with a window finds both
// lines again.
void KeepMainWithoutWindow(SourceLineList &lines)
{
    for (QString &line : lines) {
        if (TrimBlanksView(CodeOfLine(line)).compare(Placeholder(), Qt::CaseInsensitive) == 0) {
            line = CommentedOut(line);
        } else if (HoldsText(line, u"If WindowID(#Window)")) {
            line = QStringLiteral("  If #False ; If WindowID(#Window)");
            return;
        }
    }
}

} // namespace

// Keeps Main.pb's first-window lines in step with the design: the placeholder call of the
// template becomes the main window's opening procedure, and the first "If WindowID(#" line
// tests the main window.
void PatchMainOpenWindow(const DesignModel &model, OutputLines &output, LogSink &log)
{
    const DesignModel &m = model;
    SourceLineList &lines = output.MainLines;
    if (!m.MainProcedure.isEmpty())
        RenameMainProcedure(lines, m.MainProcedure);
    if (m.WindowList.isEmpty()) {
        WarnNoWindow(m, log);
        if (!m.FirstUngeneratedWindow.isEmpty())
            log.Warning(NoWindowToOpenWarning(m.FirstUngeneratedWindow), m.FirstUngeneratedFile,
                        m.FirstUngeneratedLine);
        KeepMainWithoutWindow(lines);
        return;
    }
    const QString window = MainWindowName(m);
    const QString call = m.FirstWindowOpener.isEmpty() ? QStringLiteral("Open_") + window + QStringLiteral("()")
                                                       : m.FirstWindowOpener;

    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString &line = lines[i];
        if (HoldsText(line, Placeholder())) {
            // The call a run without a window made a comment is a call again.
            line = line.compare(CommentedOut(Indentation(line) + Placeholder()), Qt::CaseInsensitive) == 0
                       ? Indentation(line) + call
                       : ReplaceString(line, Placeholder(), call, true);
            continue;
        }
        if (HoldsText(line, u"If WindowID(#")) {
            line = QStringLiteral("  If WindowID(#") + window + QLatin1Char(')');
            if (m.FirstWindowInvisible)
                ShowInvisibleWindow(lines, i, window);
            return;
        }
    }
}

} // namespace quarvel
