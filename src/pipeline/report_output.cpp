#include "pipeline/report_output.h"

#include "model/log_messages.h"
#include "model/object_parts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quarvel {

namespace {

QString FileCountLine(const RunResult &result)
{
    QString files = QStringLiteral("Report: ") + QString::number(result.writtenFiles.size())
                    + (result.dryRun ? QStringLiteral(" files to write, ") : QStringLiteral(" files written, "))
                    + QString::number(result.unchangedFiles.size()) + QStringLiteral(" unchanged");
    if (!result.failedFiles.isEmpty())
        files += QStringLiteral(", ") + QString::number(result.failedFiles.size()) + QStringLiteral(" failed");
    if (!result.heldBackFiles.isEmpty())
        files += QStringLiteral(", ") + QString::number(result.heldBackFiles.size()) + QStringLiteral(" held back");
    return files + QLatin1Char('.');
}

QJsonArray FindingsJson(const QList<ReportFinding> &findings)
{
    QJsonArray array;
    for (const ReportFinding &finding : findings) {
        QJsonObject object{{"kind", FindingKindName(finding.kind)},
                           {"file", finding.file},
                           {"line", finding.line},
                           {"message", finding.message}};
        if (finding.kind == FindingKind::CarriedOver)
            object.insert(QStringLiteral("lastLine"), qMax(finding.line, finding.lastLine));
        array.append(object);
    }
    return array;
}

QJsonArray FailedFilesJson(const QList<FailedFile> &failedFiles)
{
    QJsonArray array;
    for (const FailedFile &failed : failedFiles)
        array.append(QJsonObject{{"file", failed.file}, {"reason", failed.reason}});
    return array;
}

QJsonArray BindingsJson(const BindingList &bindings)
{
    QJsonArray array;
    for (const ConstantBinding &binding : bindings)
        array.append(QJsonObject{
            {"kind", ObjectKindReportName(binding.kind)}, {"old", binding.oldName}, {"new", binding.newName}});
    return array;
}

QJsonArray RepeatedWarningsJson(const QList<RepeatedWarning> &repeated)
{
    QJsonArray array;
    for (const RepeatedWarning &warning : repeated)
        array.append(QJsonObject{{"warning", warning.warning}, {"count", warning.count}});
    return array;
}

// A key whose value would be empty is left out, so that a long list stays readable.
void InsertText(QJsonObject &object, QLatin1StringView key, QStringView text)
{
    if (!text.isEmpty())
        object.insert(key, text.toString());
}

void InsertLine(QJsonObject &object, int line)
{
    if (line > 0)
        object.insert(QLatin1StringView("line"), line);
}

QJsonObject ProcedureJson(const ObjectFact &fact, const ProcedureFact &procedure)
{
    QJsonObject object{{"state", ProcedureStateName(procedure.state)}};
    InsertText(object, QLatin1StringView("name"), fact.ProcedureName(procedure));
    InsertText(object, QLatin1StringView("file"), procedure.File());
    InsertLine(object, procedure.line);
    if (procedure.state == ProcedureState::Present || procedure.state == ProcedureState::EditedHead
        || procedure.state == ProcedureState::Orphaned)
        object.insert(QLatin1StringView("userLines"), procedure.userLines);
    return object;
}

QJsonObject ObjectJson(const ObjectFact &fact)
{
    const ObjectParts parts = PartsOf(fact);
    QJsonObject object{{"kind", ObjectKindReportName(fact.kind)}, {"procedure", ProcedureJson(fact, fact.procedure)}};
    InsertText(object, QLatin1StringView("window"), fact.window);
    InsertText(object, QLatin1StringView("name"), fact.name);
    if (fact.kind != ObjectKind::Procedure)
        InsertText(object, QLatin1StringView("constant"), fact.Constant());
    InsertText(object, QLatin1StringView("command"), parts.command);
    InsertText(object, QLatin1StringView("file"), fact.file);
    InsertLine(object, fact.line);
    InsertText(object, QLatin1StringView("x"), parts.x);
    InsertText(object, QLatin1StringView("y"), parts.y);
    InsertText(object, QLatin1StringView("width"), parts.width);
    InsertText(object, QLatin1StringView("height"), parts.height);
    InsertText(object, QLatin1StringView("text"), parts.text);
    if (!fact.tabs.isEmpty())
        object.insert(QLatin1StringView("tabs"), QJsonArray::fromStringList(fact.tabs));
    if (fact.kind == ObjectKind::Window)
        object.insert(QLatin1StringView("exitProcedure"), ProcedureJson(fact, fact.exitProcedure));
    return object;
}

QJsonArray ObjectsJson(const QList<ObjectFact> &objects)
{
    QJsonArray array;
    for (const ObjectFact &fact : objects)
        array.append(ObjectJson(fact));
    return array;
}

} // namespace

QList<LogEntry> ReportLogEntries(const RunResult &result)
{
    QList<LogEntry> entries{LogEntry{FileCountLine(result)}};
    for (const FailedFile &failed : result.failedFiles)
        entries.append(LogEntry{NotWrittenLine(failed.file, failed.reason), LogKind::Plain, failed.file});
    if (!result.heldBackFiles.isEmpty())
        entries.append(LogEntry{HeldBackLine()});
    if (!result.boundByRule.isEmpty()) {
        QStringList pairs;
        for (const ConstantBinding &binding : result.boundByRule)
            pairs.append(binding.oldName + QLatin1Char('=') + binding.newName);
        entries.append(LogEntry{BoundByRuleLine(pairs)});
    }
    for (const ReportFinding &finding : result.findings)
        entries.append(LogEntry{finding.kind == FindingKind::CarriedOver
                                    ? CarriedOverLine(finding.file, finding.line, finding.lastLine, finding.message)
                                    : FindingLine(finding.file, finding.line, finding.message),
                                LogKind::Finding, finding.file, finding.line});
    for (const RepeatedWarning &repeated : result.repeatedWarnings)
        entries.append(LogEntry{RepeatedWarningLine(repeated.count, repeated.warning)});
    return entries;
}

QByteArray RunResultJson(const RunResult &result)
{
    const bool ready = result.outcome == RunOutcome::Ready;
    QJsonObject root{
        {"outcome", ready ? QStringLiteral("ready") : QStringLiteral("cancelled")},
        {"dryRun", result.dryRun},
        {"written", int(result.writtenFiles.size())},
        {"unchanged", int(result.unchangedFiles.size())},
        {"failed", int(result.failedFiles.size())},
        {"heldBack", int(result.heldBackFiles.size())},
        {"changedFiles", QJsonArray::fromStringList(result.writtenFiles)},
        {"unchangedFiles", QJsonArray::fromStringList(result.unchangedFiles)},
        {"failedFiles", FailedFilesJson(result.failedFiles)},
        {"heldBackFiles", QJsonArray::fromStringList(result.heldBackFiles)},
        {"unreadFiles", result.unreadFiles},
        {"backupFailed", result.backupFailed},
        {"findings", FindingsJson(result.findings)},
        {"repeatedWarnings", RepeatedWarningsJson(result.repeatedWarnings)},
        {"objects", ObjectsJson(result.objects)},
        {"errors", result.errors},
        {"warnings", result.warnings},
    };
    if (!ready)
        root.insert(QLatin1StringView("reason"), result.reason);
    // Keys of rare events, there only when they happened.
    if (!result.changedWhileRunning.isEmpty())
        root.insert(QLatin1StringView("changedWhileRunning"), QJsonArray::fromStringList(result.changedWhileRunning));
    if (result.interruptedRun)
        root.insert(QLatin1StringView("interruptedRun"), true);
    if (!result.boundByRule.isEmpty())
        root.insert(QLatin1StringView("boundByRule"), BindingsJson(result.boundByRule));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace quarvel
