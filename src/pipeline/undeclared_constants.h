// What the report says about object constants in the user's event code that look generated
// (they begin with a window's name and "_", or the last run generated them) but that no
// enumeration declares any more.
#pragma once

#include "model/run_result.h"

namespace quarvel {

struct GenerationContext;
struct EventFileReads;

// The first use of each such constant in each event file, menu, gadget and window, from the
// walks over them.
QList<ReportFinding> UndeclaredConstantFindings(const GenerationContext &run, const EventFileReads &reads);

} // namespace quarvel
