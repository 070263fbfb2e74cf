// CommonFile.pb: the constants, font and image sections and the windows' own code.
#pragma once

namespace quarvel {

struct DesignModel;
struct OutputLines;
struct Switches;

// The constants, font and image sections are moved into CommonFileLines and left empty.
void EmitCommonFile(const DesignModel &model, const Switches &switches, OutputLines &output);

} // namespace quarvel
