// The run result as the people and scripts read it: the report as log lines after "Ready.",
// and as one JSON document for quarvel-gen --report json.
#pragma once

#include "model/log_entry.h"
#include "model/run_result.h"

#include <QByteArray>
#include <QList>

namespace quarvel {

// The file count first, then the files that could not be written with the reason, then the
// renames a naming rule bound, then the findings, then one line per kind of warning that was
// logged more than once.
QList<LogEntry> ReportLogEntries(const RunResult &result);

// The whole result, a cancelled run's too (see the README for its fields).
QByteArray RunResultJson(const RunResult &result);

} // namespace quarvel
