// The objects of the window sources as facts a front-end can show without reading any file:
// where each is created, its constant, position, size and text as written, and where its event
// procedure stands.
#pragma once

#include "model/run_result.h"

namespace quarvel {

struct GenerationContext;
struct EventProcedureScan;

// Every object the interpreted sources create, in source order, each with its event procedure
// as the scan found it; then the scan's procedures that belong to no object.
QList<ObjectFact> ProjectObjects(const GenerationContext &run, const EventProcedureScan &scan);

} // namespace quarvel
