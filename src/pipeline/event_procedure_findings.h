// What the report says about the event procedures: the calls and skeletons this run made from
// a form's event assignments, procedures whose object is gone, and heads the user edited.
#pragma once

#include "model/run_result.h"

namespace quarvel {

struct GenerationContext;

// The findings in the order the report gives them: the form's wirings first, then the event
// files' procedures, menu, gadget and window.
QList<ReportFinding> EventProcedureFindings(const GenerationContext &g);

} // namespace quarvel
