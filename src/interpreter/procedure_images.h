// Images loaded inside procedures, moved into the image section of CommonFile.pb.
#pragma once

namespace quarvel {

struct GenerationContext;

void ReplaceLoadImageCalls(GenerationContext &g);

} // namespace quarvel
