#include "pipeline/project_report.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "model/generation_context.h"
#include "model/project_file.h"
#include "pipeline/event_procedure_findings.h"
#include "pipeline/project_objects.h"
#include "pipeline/undeclared_constants.h"

#include <QDir>
#include <QFileInfo>

namespace quarvel {

namespace {

// Catalog keys no source uses any more, and keys this run added to an existing Catalog.
void FindLanguageFindings(const GenerationContext &g, QList<ReportFinding> &out)
{
    if (!g.switches().Multilang)
        return;
    // Step 1's scan of the sources and includes already knows every key in use.
    const QSet<QString> &used = g.languageKeysUsed;
    const QStringList &keys = g.model.Languages.keys();
    const qsizetype keysRead = g.catalog.keysRead;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const int line = CatalogLineOf(g.catalog, i);
        if (i >= keysRead && keysRead > 0) // a first Catalog is all new
            out.append({FindingKind::NewKey, QStringLiteral("Catalog"), line,
                        QStringLiteral("new key \"") + keys[i] + QStringLiteral("\".")});
        else if (i < keysRead && !used.contains(keys[i]))
            out.append({FindingKind::ObsoleteKey, QStringLiteral("Catalog"), line,
                        QStringLiteral("key \"") + keys[i] + QStringLiteral("\" is used by no source any more.")});
    }
}

int LineMentioning(const SourceLineList &lines, const QString &text)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (FindNoCase(lines[i], text))
            return int(i + 1);
    }
    return 0;
}

void FindMissingIncludes(const GenerationContext &g, QList<ReportFinding> &out)
{
    for (const QString &include : g.model.IncludeFileList) {
        if (QFileInfo::exists(ProjectRelativePath(g.ProjectDirectory(), include)))
            continue;
        const QString name = QFileInfo(include).fileName();
        out.append({FindingKind::MissingInclude, QStringLiteral("Main.pb"), LineMentioning(g.lines.MainLines, name),
                    QStringLiteral("the include ") + name + QStringLiteral(" does not exist.")});
    }
}

QStringList RelativeTo(const QDir &project, const QStringList &paths)
{
    QStringList relative;
    relative.reserve(paths.size());
    for (const QString &path : paths)
        relative.append(project.relativeFilePath(path));
    return relative;
}

void AddFiles(const GenerationContext &g, RunResult &result)
{
    const QDir project(g.ProjectDirectory());
    for (const WritePlan::Change &change : g.plan.Changes())
        result.writtenFiles.append(project.relativeFilePath(change.path));
    result.unchangedFiles = RelativeTo(project, g.plan.PathsWith(WritePlan::Outcome::Unchanged));
    result.heldBackFiles = RelativeTo(project, g.plan.PathsWith(WritePlan::Outcome::HeldBack));
    for (const WritePlan::Failure &failure : g.plan.Failures())
        result.failedFiles.append({project.relativeFilePath(failure.path), failure.reason});
    result.unreadFiles = g.faults.unread;
}

void AddFindings(const GenerationContext &g, const EventProcedureScan &scan, RunResult &result)
{
    result.findings = scan.findings;
    FindLanguageFindings(g, result.findings);
    FindMissingIncludes(g, result.findings);
    result.findings += UndeclaredConstantFindings(g);
}

} // namespace

RunResult BuildRunResult(const GenerationContext &g, RunOutcome outcome, bool modelKnown)
{
    RunResult result;
    result.outcome = outcome;
    result.dryRun = g.plan.dryRun;
    result.backupFailed = g.faults.backupFailed;
    result.interruptedRun = g.faults.interruptedRun;
    result.changedWhileRunning = RelativeTo(QDir(g.ProjectDirectory()), g.plan.PathsWith(WritePlan::Outcome::Changed));
    if (outcome == RunOutcome::Cancelled) {
        result.reason = g.stopReason;
        if (modelKnown && g.objectsWanted)
            result.objects = ProjectObjects(g, ScanEventProcedures(g, false));
    } else {
        const EventProcedureScan scan = ScanEventProcedures(g);
        AddFiles(g, result);
        AddFindings(g, scan, result);
        // Left out, the objects save an unchanged regeneration of 200 x 100 (bench/) 21 M of
        // its 674 M instructions (callgrind).
        if (g.objectsWanted)
            result.objects = ProjectObjects(g, scan);
    }
    for (const QString &kind : g.tally.warningKinds) {
        if (const int count = g.tally.warningCounts.value(kind); count > 1)
            result.repeatedWarnings.append({kind, count});
    }
    result.errors = g.tally.errors;
    result.warnings = g.tally.warnings;
    return result;
}

} // namespace quarvel
