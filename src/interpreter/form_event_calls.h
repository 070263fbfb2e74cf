// The calls the generated event procedures make, worked out from the form designer's
// assignments (interpreter/form_event_assignments.h) once the objects have their names.
#pragma once

#include "model/design_model.h"

namespace quarvel {

struct SourceFolder;
class LogSink;

// Once the objects are named: the call each new event procedure makes, and the assigned
// procedures that no file of the project defines. An assignment that reaches no object, and
// an existing event procedure that does not make its call, are warned about with file and line.
void ResolveFormEventAssignments(DesignModel &model, const OutputLines &output, const SourceFolder &folder,
                                 LogSink &log);

} // namespace quarvel
