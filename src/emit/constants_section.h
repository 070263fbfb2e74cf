// The constant enumerations of every object of the design.
#pragma once

namespace quarvel {

struct DesignModel;
struct OutputLines;

void EmitConstantsSection(const DesignModel &model, OutputLines &output);

} // namespace quarvel
