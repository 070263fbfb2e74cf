// The four dispatch procedures of EventMain.pb, as Select blocks or as jump tables.
#pragma once

namespace quarvel {

struct GenerationContext;

void EmitDispatchSelect(GenerationContext &g);
void EmitDispatchCallFast(GenerationContext &g);

} // namespace quarvel
