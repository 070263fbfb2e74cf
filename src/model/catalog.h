// The Catalog: the language map as a file of "key";"translation" lines under a header.
#pragma once

#include "model/design_model.h"

namespace quarvel {

// The Catalog's lines: the header, then key and translation of every entry.
QStringList CatalogLines(const LanguageMap &map);

// Catalog lines after the header: key;translation, quotes trimmed; a field written in quotes
// keeps the ";" it holds.
void ReadCatalogLines(const QStringList &lines, LanguageMap &map);

} // namespace quarvel
