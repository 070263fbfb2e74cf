// Step 3: the bindings carried into Main.pb and the event files.
#pragma once

#include "model/generation_context.h"

namespace quarvel {

void UpdatePrefixes(GenerationContext &g);
void UpdateProcedureNames(GenerationContext &g);
void UpdateConstantNames(GenerationContext &g);
void UpdateOpenWindowCalls(GenerationContext &g);

// For every renamed object held in a variable, the binding of its variable's old name to the
// new one.
BindingList VariableBindings(const GenerationContext &g);

// For every object of the last run whose window this run renames, the binding of its name to
// its name under the window's new one: the names a window rename changes, and no others.
// Worked out once, when first asked for after the bindings are complete.
const BindingList &WindowObjectBindings(GenerationContext &g);

// A procedure that the renames of step 3 would give the name of another procedure of its
// event file: the file would define that name twice.
struct ProcedureClash {
    QString file;      // "EventGadget.pb"
    QString oldName;   // the renamed procedure's name
    QString newName;   // the name it would get
    int line = 0;      // 1-based line of its head
    int otherLine = 0; // the head of the other procedure of that name
};

// Every clash the bindings of this run would make in the event files as loaded.
QList<ProcedureClash> ProcedureRenameClashes(GenerationContext &g);

} // namespace quarvel
