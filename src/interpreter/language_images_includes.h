// Includes of Main.pb, language strings and the images loaded inside procedures.
#pragma once

#include "design_model.h"

namespace quarvel {

struct GenerationContext;

void WrapLanguageStrings(GenerationContext &g);
void ReplaceLoadImageCalls(GenerationContext &g);
void ScanIncludes(GenerationContext &g, const QString &fileName);
void ScanLanguageStrings(const SourceLineList &lines, LanguageMap &map);

} // namespace quarvel
