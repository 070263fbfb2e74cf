// The images and fonts a common file loads outside its procedures, which the generated sections
// load instead.
#pragma once

#include "interpreter/top_level_code.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quarvel {

struct DesignModel;
struct ImageRecord;

// The first argument of the call whose "(" stands at index bracket, as written (untrimmed);
// empty when no comma ends it on the line.
QString FirstArgumentAt(const QString &line, qsizetype bracket);

// Whether the load call whose "(" stands at index bracket of blanked code names its file as one
// literal text: the generated code can load or include that file.
bool LoadsLiteralFile(QStringView code, qsizetype bracket);

// What becomes of a line with a global image or font load outside any procedure.
enum class GlobalLoad {
    None,     // the line loads nothing
    Recorded, // the generated sections load it instead
    // A load statement whose arguments name what the sources declare or compute (a variable, a
    // constant of theirs, #PB_Compiler_Home + "x.png"): it stays where it stands, as written,
    // since the sections come before the sources' declarations.
    InPlace,
};

GlobalLoad RecordGlobalLoads(DesignModel &model, const QString &line);

// Per line of a file: the top-level code left out otherwise that stays in place for the loads
// that do, namely those loads and, before them, the plain assignments of the variables they
// read (File.s = Path$ + "a.png").
QList<bool> LinesKeptForLoads(const QStringList &lines, const QList<LineRole> &roles);

// The images a file catches from its own DataSection learn their files there, for the decoders
// the image section declares and for loads of the same file inside procedures.
void FindCaughtImageFiles(QList<ImageRecord> &images, qsizetype from, const QStringList &lines);

} // namespace quarvel
