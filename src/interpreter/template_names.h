// The generated files define names of their own: Main.pb its main procedure Main() and the
// Global ExitApplication, EventMain.pb the dispatchers MyEventMenu(), MyEventGadget(), ...,
// LoadLanguage.pb LoadLanguage(). A common file that defines one of them too would not
// compile ("procedure already declared"), so each clash is resolved and logged with its file
// and line:
// - Main(): Main.pb's main procedure takes a free name (MainProcedure, which
//   PatchMainOpenWindow writes into Main.pb); the common file keeps its Main().
// - a dispatcher or LoadLanguage(): the common file's procedure is renamed in CommonFile.pb,
//   calls included, since the generated one is called by Main.pb and the event files.
// - Global ExitApplication: the common file's declaration is left out; Main.pb's serves both.
#pragma once

#include "model/design_model.h"

namespace quarvel {

struct Switches;
class LogSink;

void AvoidTemplateNames(DesignModel &model, const SourceLineList &mainLines, const Switches &switches, LogSink &log);

} // namespace quarvel
