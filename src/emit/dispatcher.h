// The four dispatch procedures of EventMain.pb, as Select blocks or as jump tables.
#pragma once

namespace quarvel {

struct DesignModel;
struct OutputLines;

void EmitDispatchSelect(const DesignModel &model, OutputLines &output);
void EmitDispatchCallFast(const DesignModel &model, OutputLines &output);

} // namespace quarvel
