#include "emit/carried_loop_code.h"

#include "base/basic_strings.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "emit/event_procedures.h"
#include "model/design_model.h"
#include "model/generated_files.h"
#include "model/log_messages.h"
#include "model/log_sink.h"

namespace quarvel {

namespace {

bool Declares(const SourceLineList &lines, const QString &name)
{
    return FindDeclaredProcedures(lines, name, {QString()}).first();
}

// Main.pb calls the procedure after each event: right after the Select of its loop, which
// ends on "Until ExitApplication". A Main.pb of another shape is left as it is, with a warning.
void CallAfterEachEvent(SourceLineList &main, const QString &name, LogSink &log)
{
    const QString call = name + QLatin1Char('(');
    for (const QString &line : main)
        if (IndexOfCommandNoCase(BlankedCode(line), UpperKeepLength(call)) >= 0)
            return;
    for (qsizetype i = 0; i < main.size(); ++i) {
        if (!StartsNoCase(TrimLeadingBlanksView(main.at(i)), u"Until ExitApplication"))
            continue;
        for (qsizetype k = i - 1; k > 0; --k)
            if (StartsNoCase(TrimLeadingBlanksView(main.at(k)), u"EndSelect")) {
                main.insert(k + 1, Indentation(main.at(k)) + call + QLatin1Char(')'));
                return;
            }
        break;
    }
    log.Warning(NoEveryEventCallWarning(name), FileName(GeneratedFileId::Main));
}

} // namespace

void EmitCarriedLoopCode(DesignModel &model, OutputLines &output, LogSink &log)
{
    CarriedLoops &carried = model.Carried;
    const QString name = QLatin1String(EveryEventProcedure);
    if (!carried.every.lines.isEmpty()) {
        const bool exists = Declares(output.EventWindowLines, name) || Declares(output.EventGadgetLines, name)
                            || Declares(output.EventMenuLines, name) || Declares(model.CommonSourceLines.texts(), name);
        if (!exists) {
            output.EventWindowLines << QStringLiteral("Procedure ") + name + QStringLiteral("()") << carried.every.lines
                                    << QStringLiteral("EndProcedure");
            AppendSeparator(output.EventWindowLines);
            for (const SourceSpan &span : std::as_const(carried.every.spans))
                carried.carried.append({span, name});
        }
        CallAfterEachEvent(output.MainLines, name, log);
    }
    if (!carried.notCarried.isEmpty()) {
        output.EventWindowLines << QStringLiteral("; Not carried over from the event loop:") << carried.notCarried;
        output.EventWindowLines << QString();
    }
}

} // namespace quarvel
