// The report at the end of a run: how many of the project's files were written and how many
// left unchanged, then what in the project no longer fits its design, each finding with its
// file and line. It goes out as log lines after "Ready." and, on the command line, also as
// one JSON document.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace quarvel {

struct GenerationContext;

struct ReportFinding {
    QString kind;    // event-call, assigned-procedure, orphaned-procedure, edited-head, obsolete-key,
                     // new-key, missing-include, undeclared-constant
    QString file;    // relative to the project folder
    int line = 0;    // 1-based
    QString message; // what the log line says after "file:line: "
};

struct RepeatedWarning {
    QString warning; // the log line up to its first "("
    int count = 0;
};

struct ProjectReport {
    bool dryRun = false;
    int written = 0;   // changed or created (in a dry run: would be)
    int unchanged = 0; // left alone: the bytes on disk were already the new bytes
    int failed = 0;
    QStringList changedFiles; // relative to the project folder
    QList<ReportFinding> findings;
    QList<RepeatedWarning> repeatedWarnings;
};

// Reads what the finished run left in g; changes nothing.
ProjectReport BuildProjectReport(const GenerationContext &g);

// The report as log lines: the file count first, then the findings, then one line per kind
// of warning that was logged more than once.
QStringList ProjectReportLines(const ProjectReport &report);

// The same as one JSON document (see the README for its fields).
QByteArray ProjectReportJson(const ProjectReport &report);

} // namespace quarvel
