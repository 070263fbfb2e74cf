// Reading the project's existing files into the line lists of a run.
#pragma once

#include "base/text_encoding.h"

#include <QString>

namespace quarvel {

struct GenerationContext;

// TextFormat::None when Main.pb cannot be read, else the format of its byte-order mark.
TextFormat DetectMainFormat(const QString &projectDirectory);

// Main.pb or its template, the EventMain template of the run, LoadLanguage.pb or its template,
// the three event files with their trailing comment lines set aside, and the Catalog. False,
// after a log line naming the file and the reason, when one of them exists but cannot be read.
bool LoadProjectSources(GenerationContext &run);

} // namespace quarvel
