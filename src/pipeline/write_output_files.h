// The end of step 4: every generated file written into the project directory.
#pragma once

#include "../interpreter/design_model.h"

namespace quarvel {

struct GenerationContext;

// The log line that follows a file written as UTF-8 because 8 bits could not hold it.
QString BeyondEightBitWarning(const QString &path);

// An empty line, "; " and 87 asterisks, an empty line.
void AppendSeparator(SourceLineList &target);

// The Catalog's lines: the header, then key and translation of every entry.
QStringList CatalogLines(const LanguageMap &map);

// Main.pb, CommonFile.pb, EventMain.pb, the three event files and, with Multi Language,
// LoadLanguage.pb and Catalog, in the run's output format.
void WriteOutputFiles(GenerationContext &g);

} // namespace quarvel
