// The words the loading of a common file asks each of its lines about, found in one walk over
// the line instead of a search a word.
#pragma once

#include <QList>
#include <QStringList>

namespace quarvel {

// Bits of a line's words, each set when the line holds the word in any letter case, in code,
// strings and comments alike (IndexOfNoCase(line, word) >= 0).
enum LineWord : quint8 {
    ProcedureWord = 1,    // PROCEDURE
    EndProcedureWord = 2, // ENDPROCEDURE
    ModuleWord = 4,       // MODULE
    IncludeWord = 8,      // INCLUDE
};

// The words of each line.
QList<quint8> FindLineWords(const QStringList &lines);

} // namespace quarvel
