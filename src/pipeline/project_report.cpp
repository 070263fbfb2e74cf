#include "pipeline/project_report.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "model/generated_files.h"
#include "model/project_file.h"
#include "pipeline/event_procedure_findings.h"
#include "pipeline/generation_context.h"
#include "pipeline/project_objects.h"
#include "pipeline/undeclared_constants.h"

#include <QDir>
#include <QFileInfo>

namespace quarvel {

namespace {

// Catalog keys no source uses any more, and keys this run added to an existing Catalog.
void FindLanguageFindings(const GenerationContext &run, QList<ReportFinding> &out)
{
    if (!run.switches().Multilang)
        return;
    // Step 1's scan of the sources and includes already knows every key in use.
    const QSet<QString> &used = run.languageKeysUsed;
    const QStringList &keys = run.model.Languages.keys();
    const qsizetype keysRead = run.catalog.keysRead;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const int line = CatalogLineOf(run.catalog, i);
        if (i >= keysRead && keysRead > 0) // a first Catalog is all new
            out.append({FindingKind::NewKey, FileName(GeneratedFileId::Catalog), line,
                        QStringLiteral("new key \"") + keys[i] + QStringLiteral("\".")});
        else if (i < keysRead && !used.contains(keys[i]))
            out.append({FindingKind::ObsoleteKey, FileName(GeneratedFileId::Catalog), line,
                        QStringLiteral("key \"") + keys[i] + QStringLiteral("\" is used by no source any more.")});
    }
}

int LineMentioning(const SourceLineList &lines, const QString &text)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (IndexOfNoCase(lines[i], text) >= 0)
            return int(i + 1);
    }
    return 0;
}

void FindMissingIncludes(const GenerationContext &run, QList<ReportFinding> &out)
{
    for (const QString &include : run.model.IncludeFileList) {
        if (QFileInfo::exists(ProjectRelativePath(run.ProjectDirectory(), include)))
            continue;
        const QString name = QFileInfo(include).fileName();
        out.append({FindingKind::MissingInclude, FileName(GeneratedFileId::Main),
                    LineMentioning(run.lines.MainLines, name),
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

void AddFiles(const GenerationContext &run, RunResult &result)
{
    const QDir project(run.ProjectDirectory());
    for (const WritePlan::Change &change : run.plan.Changes())
        result.writtenFiles.append(project.relativeFilePath(change.path));
    result.unchangedFiles = RelativeTo(project, run.plan.PathsWith(WritePlan::Outcome::Unchanged));
    result.heldBackFiles = RelativeTo(project, run.plan.PathsWith(WritePlan::Outcome::HeldBack));
    for (const WritePlan::Failure &failure : run.plan.Failures())
        result.failedFiles.append({project.relativeFilePath(failure.path), failure.reason});
    result.unreadFiles = run.faults.unread;
}

void AddFindings(const GenerationContext &run, const EventFileReads &reads, const EventProcedureScan &scan,
                 RunResult &result)
{
    result.findings = scan.findings;
    FindLanguageFindings(run, result.findings);
    FindMissingIncludes(run, result.findings);
    result.findings += UndeclaredConstantFindings(run, reads);
}

} // namespace

RunResult BuildRunResult(const GenerationContext &run, RunOutcome outcome, bool modelKnown)
{
    RunResult result;
    result.outcome = outcome;
    result.dryRun = run.plan.dryRun;
    result.backupFailed = run.faults.backupFailed;
    result.interruptedRun = run.faults.interruptedRun;
    result.changedWhileRunning = RelativeTo(QDir(run.ProjectDirectory()),
                                            run.plan.PathsWith(WritePlan::Outcome::Changed));
    if (outcome == RunOutcome::Cancelled) {
        result.reason = run.log.stopReason;
        if (modelKnown && run.objectsWanted)
            result.objects = ProjectObjects(run, ScanEventProcedures(run, ReadEventFiles(run.lines), false));
    } else {
        // One walk over each event file serves the procedures and the constants alike; the
        // emitters made most of it.
        const EventFileReads reads = ReadEventFiles(run.lines);
        const EventProcedureScan scan = ScanEventProcedures(run, reads);
        AddFiles(run, result);
        AddFindings(run, reads, scan, result);
        for (const ConstantBinding &binding : run.renames.bindings)
            if (binding.byRule)
                result.boundByRule.append(binding);
        // Left out, the objects save an unchanged regeneration of 200 x 100 (bench/) 21 M of
        // its 674 M instructions (callgrind).
        if (run.objectsWanted)
            result.objects = ProjectObjects(run, scan);
    }
    for (const QString &kind : run.log.tally.warningKinds) {
        if (const int count = run.log.tally.warningCounts.value(kind); count > 1)
            result.repeatedWarnings.append({kind, count});
    }
    result.errors = run.log.tally.errors;
    result.warnings = run.log.tally.warnings;
    return result;
}

} // namespace quarvel
