// The images and fonts a common file loads outside its procedures, which the generated sections
// load instead.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quarvel {

struct DesignModel;
struct ImageRecord;

// The first argument of the call whose "(" stands at index bracket, as written (untrimmed);
// empty when no comma ends it on the line.
QString FirstArgumentAt(const QString &line, qsizetype bracket);

// A global image or font load outside any procedure is recorded instead of kept: the generated
// sections load them. True when the line was recorded.
bool RecordGlobalLoads(DesignModel &model, const QString &line);

// The images a file catches from its own DataSection learn their files there, for the decoders
// the image section declares and for loads of the same file inside procedures.
void FindCaughtImageFiles(QList<ImageRecord> &images, qsizetype from, const QStringList &lines);

} // namespace quarvel
