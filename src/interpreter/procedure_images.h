// Images loaded inside procedures, moved into the image section of CommonFile.pb.
#pragma once

namespace quarvel {

struct DesignModel;

void ReplaceLoadImageCalls(DesignModel &model);

} // namespace quarvel
