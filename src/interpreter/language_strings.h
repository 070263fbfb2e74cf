// Language strings: the literals of the windows' code become MyLanguage lookups, and the
// lookups of every source make up the language map.
#pragma once

#include "model/design_model.h"

#include <QSet>

namespace quarvel {

struct SourceFolder;
class LogSink;

void WrapLanguageStrings(DesignModel &model);
void ScanLanguageStrings(const SourceLineList &lines, LanguageMap &map);

// Adds the language strings of the sources and the include files to the map.
// The keys the sources and Main.pb's includes look up, and how many includes could not be read.
struct LanguageKeysUsed {
    QSet<QString> keys;
    int unreadIncludes = 0;
};

// Adds the keys the Catalog lacks to the model's languages, after its own, in the order the
// sources use them.
LanguageKeysUsed CollectLanguageStrings(DesignModel &model, const OutputLines &output, const SourceFolder &folder,
                                        LogSink &log);

// A LoadLanguage.pb that lost its DefaultLanguage block is the user's: its lines stay as they
// are, and the log says its language data is not updated.
void CheckLanguageBlock(const SourceLineList &loadLanguageLines, LogSink &log);

} // namespace quarvel
