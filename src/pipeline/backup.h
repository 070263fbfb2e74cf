// Copies the project's sources into its Backup folder before anything is changed.
#pragma once

namespace quarvel {

struct GenerationContext;

void MakeBackup(GenerationContext &g);

} // namespace quarvel
