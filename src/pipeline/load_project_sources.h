// Reading the project's existing files into the line lists of a run.
#pragma once

#include "base/text_encoding.h"

#include <QString>

namespace quarvel {

struct GenerationContext;

// FormatNone when Main.pb cannot be opened, else the format of its byte-order mark.
TextFormat DetectMainFormat(const QString &projectDirectory);

// Main.pb or its template, the EventMain template of the run, LoadLanguage.pb or its template,
// the three event files without their trailing comment lines, and the Catalog.
void LoadProjectSources(GenerationContext &g);

} // namespace quarvel
