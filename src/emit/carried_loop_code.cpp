#include "emit/carried_loop_code.h"

#include "base/basic_strings.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "emit/event_procedures.h"
#include "model/design_model.h"
#include "model/event_files.h"
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

// Whether the procedure whose head stands at line head holds nothing but what a skeleton
// holds: the lines Quarvel writes into a new one.
// The code lines of the procedure whose head stands at line head, trimmed.
QSet<QString> CodeLines(const SourceLineList &lines, qsizetype head)
{
    QSet<QString> code;
    for (qsizetype i = head + 1; i < lines.size() && !IsProcedureEnd(lines.at(i)); ++i)
        if (const QString line = TrimBlanks(CodeOfLine(lines.at(i))); !line.isEmpty())
            code.insert(line);
    return code;
}

// Whether a body would add nothing to those code lines.
bool HoldsBody(const QSet<QString> &code, const SourceLineList &body)
{
    for (const QString &line : body)
        if (const QString text = TrimBlanks(CodeOfLine(line)); !text.isEmpty() && !code.contains(text))
            return false;
    return true;
}

bool IsSkeleton(const SourceLineList &lines, qsizetype head, const QString &window)
{
    static const QStringList skeleton = [] {
        SourceLineList body;
        EmitGadgetEventBody(body, QString());
        QStringList trimmed{QStringLiteral("ExitApplication = 1")};
        for (const QString &line : body)
            trimmed << TrimBlanks(line);
        return trimmed;
    }();
    const QString close = QStringLiteral("CloseWindow(#") + window + QLatin1Char(')');
    for (qsizetype i = head + 1; i < lines.size() && !IsProcedureEnd(lines.at(i)); ++i) {
        const QString code = TrimBlanks(CodeOfLine(lines.at(i)));
        if (!code.isEmpty() && !skeleton.contains(code) && code.compare(close, Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

// A body whose procedure an earlier run wrote and left as a skeleton (one made before loops
// were carried over) would be lost: the procedure is not touched, so the body joins the
// comment block, once, with a warning.
class SkeletonBodies {
public:
    SkeletonBodies(DesignModel &model, const OutputLines &output, LogSink &log) : model_(model), log_(log)
    {
        for (const SourceLineList *lines : {&output.EventWindowLines, &output.EventWindowTrailer})
            for (const QString &line : *lines)
                if (line.startsWith(QStringLiteral("; ")))
                    commented_.insert(line);
        for (const CarriedFact &fact : std::as_const(model.Carried.carried))
            carried_.insert(fact.procedure);
    }

    void keep(const EventFile &file, const SourceLineList &lines, const QHash<QString, CarriedBody> &bodies,
              bool windows)
    {
        QHash<NoCaseKey, qsizetype> heads;
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (const QStringView name = ProcedureHeadName(lines.at(i)); !name.isEmpty())
                heads.insert(NoCaseKey::Holding(name.toString()), i);
        QStringList names = bodies.keys(); // in one order on every run
        names.sort();
        for (const QString &name : std::as_const(names)) {
            const auto it = bodies.constFind(name);
            const QString procedure = QLatin1String(file.prefix) + name;
            const auto head = heads.constFind(NoCaseKey(procedure));
            if (carried_.contains(procedure) || head == heads.cend()
                || !IsSkeleton(lines, *head, windows ? name : QString())
                || HoldsBody(CodeLines(lines, *head), it->lines))
                continue;
            for (const SourceSpan &span : it->spans) {
                const QString where = SourceLocation(model_, span);
                const QString why = QStringLiteral("body for ") + procedure + QStringLiteral(", which stands empty");
                const QString first = QStringLiteral("; ") + where + QStringLiteral(" (") + why + QStringLiteral("):");
                if (commented_.contains(first))
                    continue;
                commented_.insert(first);
                model_.Carried.notCarried << first;
                for (const QString &line : it->lines)
                    model_.Carried.notCarried << QStringLiteral(";   ") + line;
                WarnAt(log_, model_, LoopPartNotCarriedWarning(why, where), span.origin);
            }
        }
    }

private:
    DesignModel &model_;
    LogSink &log_;
    QSet<QString> commented_;
    QSet<QString> carried_;
};

} // namespace

void EmitCarriedLoopCode(DesignModel &model, OutputLines &output, LogSink &log)
{
    CarriedLoops &carried = model.Carried;
    if (carried.loops.isEmpty())
        return;
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
    SkeletonBodies skeletons(model, output, log);
    skeletons.keep(GadgetEvents, output.EventGadgetLines, carried.gadgets, false);
    skeletons.keep(MenuEvents, output.EventMenuLines, carried.menuItems, false);
    skeletons.keep(SizeEvents, output.EventWindowLines, carried.sizes, true);
    skeletons.keep(ExitEvents, output.EventWindowLines, carried.exits, true);
    if (!carried.notCarried.isEmpty()) {
        output.EventWindowLines << QStringLiteral("; Not carried over from the event loop:") << carried.notCarried;
        output.EventWindowLines << QString();
    }
}

} // namespace quarvel
