// Qualifies every object constant with the name of its window.
#pragma once

namespace quarvel {

struct DesignModel;
struct NameTables;
class LogSink;

// False, after logging why, when a window is opened with #PB_Any: the run stops.
bool InsertWindowPrefixes(DesignModel &model, const NameTables &nameTables, LogSink &log);

} // namespace quarvel
