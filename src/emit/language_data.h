// The #MaxLanguage line and the data block of LoadLanguage.pb.
#pragma once

namespace quarvel {

struct DesignModel;
struct OutputLines;

void EmitLanguageData(const DesignModel &model, OutputLines &output);

} // namespace quarvel
