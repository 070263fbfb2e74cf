// The parts of a source's event loop that go beyond the objects' event procedures: the
// procedure Main.pb calls after each event (new once, the user's from then on), Main.pb's
// call of it, and the comment block at the end of EventWindow.pb for what could not be
// carried over.
#pragma once

namespace quarvel {

struct DesignModel;
struct OutputLines;
class LogSink;

void EmitCarriedLoopCode(DesignModel &model, OutputLines &output, LogSink &log);

} // namespace quarvel
