// The Catalog: the language map as a file of "key";"translation" lines under a header.
#pragma once

#include "model/design_model.h"

namespace quarvel {

// The Catalog a run read: its lines as they stand, so that the user's comments, blank lines
// and entries stay as written in their places.
struct CatalogRead {
    SourceLineList lines;
    bool header = false;    // the first line is the header
    QList<int> keyLines;    // the 1-based line of each key read, in the map's order
    qsizetype keysRead = 0; // the map's entries before this run's strings joined
};

// Whether a Catalog line is the header: its key is Default ("Default;Language", or the name of
// the language in place of Language).
bool IsCatalogHeader(QStringView line);

// The Catalog's lines: those read, each in its place (the header first where there was none),
// then key and translation of every entry the map gained since; without lines read, the
// header and every entry.
QStringList CatalogLines(const LanguageMap &map, const CatalogRead &read = {});

// Catalog lines after the header: key;translation, quotes trimmed; a field written in quotes
// keeps the ";" it holds. keyLines, when given, gets the 0-based index in lines of each key the
// map did not hold yet.
void ReadCatalogLines(const QStringList &lines, LanguageMap &map, QList<int> *keyLines = nullptr);

// The Catalog line a key of the map stands on once written (1-based).
int CatalogLineOf(const CatalogRead &read, qsizetype key);

} // namespace quarvel
