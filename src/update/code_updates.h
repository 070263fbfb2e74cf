// Step 3: the bindings carried into Main.pb and the event files.
#pragma once

#include "model/design_model.h"
#include "model/project_state.h"
#include "model/renames.h"

namespace quarvel {

void UpdatePrefixes(const Renames &renames, OutputLines &output);
void UpdateProcedureNames(const Renames &renames, OutputLines &output);
void UpdateConstantNames(const Renames &renames, const QList<VariableObject> &variableObjects, OutputLines &output);
void UpdateOpenWindowCalls(const Renames &renames, OutputLines &output);

// For every renamed object held in a variable, the binding of its variable's old name to the
// new one.
BindingList VariableBindings(const BindingList &bindings, const QList<VariableObject> &variableObjects);

// For every object of the last run whose window this run renames, the binding of its name to
// its name under the window's new one: the names a window rename changes, and no others.
// windows: this run's.
BindingList WindowObjectBindings(const BindingList &bindings, const StoredConstants &stored,
                                 const QStringList &windows);

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
QList<ProcedureClash> ProcedureRenameClashes(const Renames &renames, const OutputLines &output);

} // namespace quarvel
