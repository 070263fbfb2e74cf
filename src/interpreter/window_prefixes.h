// Qualifies every object constant with the name of its window.
#pragma once

#include "interpreter/object_names.h"

namespace quarvel {

struct DesignModel;
struct NameTables;
class LogSink;

// False, after logging why, when a window is opened with #PB_Any: the run stops. Every line
// that declares an object, as it stands after the pass, goes to declaring when given: the
// name collection then reads only those.
bool InsertWindowPrefixes(DesignModel &model, const NameTables &nameTables, LogSink &log,
                          DeclaringLines *declaring = nullptr);

} // namespace quarvel
