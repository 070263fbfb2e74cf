// How the desktop program shows a run's log: each entry as a list item coloured by its kind,
// with the place it names kept on the item, and the status bar's summary of the run's result.
#pragma once

#include "model/log_entry.h"
#include "model/run_result.h"

#include <QString>

class QListWidgetItem;
class QStyle;

namespace quarvel {

// A new item for the log list: error lines red and warning lines amber, each with an icon.
QListWidgetItem *NewLogItem(const LogEntry &entry, const QStyle &style);

// The kind of line an item of the log list shows.
LogKind KindOf(const QListWidgetItem &item);

// The file (absolute or relative to the project folder; empty for none) and the line (0 for
// none) that an item of the log list names.
QString FileOf(const QListWidgetItem &item);
int LineOf(const QListWidgetItem &item);

// "Ready — 1 error, 3 warnings".
QString RunSummaryText(const RunResult &result);

} // namespace quarvel
