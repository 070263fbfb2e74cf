// The #MaxLanguage line and the data block of LoadLanguage.pb.
#pragma once

namespace quarvel {

struct GenerationContext;

void EmitLanguageData(GenerationContext &g);

} // namespace quarvel
