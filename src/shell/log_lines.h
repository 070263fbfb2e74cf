// How the desktop program shows a run's log: each entry as a list item coloured by its kind,
// with the place it names kept on the item, and the status bar's summary of the run's result.
#pragma once

#include "model/log_entry.h"
#include "model/run_result.h"

#include <QString>

class QListWidgetItem;
class QModelIndex;
class QPalette;
class QStyle;

namespace quarvel {

// A new item for the log list: error lines red, warning and finding lines amber in shades that
// read on the palette's base, each with an icon; its tooltip holds the whole line.
QListWidgetItem *NewLogItem(const LogEntry &entry, const QStyle &style, const QPalette &palette);

// Gives an item the colour of its kind for the palette, as after a change of theme.
void ColourLogItem(QListWidgetItem &item, const QPalette &palette);

// The row that parts one run's lines from the next one's: no text, neither selectable nor
// copied; the list draws it as a thin line.
QListWidgetItem *NewRunSeparatorItem();
bool IsRunSeparator(const QModelIndex &index);

// The kind of line an item of the log list shows.
LogKind KindOf(const QListWidgetItem &item);

// The file (absolute or relative to the project folder; empty for none) and the line (0 for
// none) that an item of the log list names.
QString FileOf(const QListWidgetItem &item);
int LineOf(const QListWidgetItem &item);

// "Ready — 1 error, 3 warnings, 2 findings".
QString RunSummaryText(const RunResult &result);

} // namespace quarvel
