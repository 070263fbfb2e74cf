#include "interpreter/procedure_images.h"

#include "base/line_scan.h"
#include "model/generation_context.h"

#include <QHash>
#include <QStringBuilder>

namespace quarvel {

// Every image loaded inside a procedure is loaded once by the image section instead; the call
// becomes ImageID of its constant. Files already loaded (globally or by an earlier line, in
// any letter case) keep their constant.
void ReplaceLoadImageCalls(GenerationContext &g)
{
    QList<ImageRecord> &images = g.model.ImageList;
    QHash<QString, QString> nameByFile;
    for (const ImageRecord &image : std::as_const(images)) {
        if (!nameByFile.contains(UpperKeepLength(image.file)))
            nameByFile.insert(UpperKeepLength(image.file), image.name);
    }
    int n = 0;
    for (QString &line : g.model.CommonSourceLines) {
        const int k = FindCallNoCase(line, u"LOADIMAGE(");
        if (k == 0)
            continue;
        // The file must be a literal inside the call; a file name held in a variable or an
        // unfinished call is left as written.
        const int open = k + 10;
        const int q1 = FindString(line, QLatin1Char('"'), open);
        const int firstClose = FindString(line, QLatin1Char(')'), open);
        if (q1 == 0 || firstClose == 0 || q1 > firstClose)
            continue;
        const int q2 = FindString(line, QLatin1Char('"'), q1 + 1);
        const int r = q2 ? FindString(line, QLatin1Char(')'), q2 + 1) : 0;
        if (r == 0)
            continue;
        const QString file = Mid(line, q1 + 1, q2 - q1 - 1);
        const QString key = UpperKeepLength(file);
        QString name = nameByFile.value(key);
        if (name.isEmpty()) {
            name = QLatin1String("#MyImage_") % Str(n++);
            images.append({name, file});
            nameByFile.insert(key, name);
        }
        line = QStringView(line).first(k - 1) % QLatin1String("ImageID(") % name % QLatin1Char(')') % MidView(line, r + 1, int(line.size()));
    }
}

} // namespace quarvel
