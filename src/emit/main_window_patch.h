// Main.pb's first-window lines, kept in step with the design.
#pragma once

namespace quarvel {

struct DesignModel;
struct OutputLines;
class LogSink;

void PatchMainOpenWindow(const DesignModel &model, OutputLines &output, LogSink &log);

} // namespace quarvel
