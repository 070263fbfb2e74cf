#include "interpreter/procedure_images.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_search.h"
#include "base/shared_lines.h"
#include "base/statement_scan.h"
#include "interpreter/global_loads.h"
#include "interpreter/pb_any_objects.h"
#include "model/design_model.h"

#include <QHash>
#include <QSet>
#include <QStringBuilder>

namespace quarvel {

namespace {

bool IsConditionWord(QStringView upperWord)
{
    return upperWord == u"IF" || upperWord == u"ELSEIF" || upperWord == u"WHILE" || upperWord == u"UNTIL"
           || upperWord == u"NOT" || upperWord == u"AND" || upperWord == u"OR";
}

// What the load gives where it stands.
enum class LoadResult { Number, Handle, Test };

// The load from index k (its first letter) to r (its ")"), whose identifier is #PB_Any or not. A load
// with #PB_Any gives the image's number, any other its handle. A load standing as a statement
// of its own stays a call, as a constant alone is no statement; a tested number would read
// image 0 as a failed load, so IsImage answers the test.
LoadResult ResultOf(const QString &line, qsizetype k, qsizetype r, bool pbAny)
{
    const QStringView before = TrimBlanksView(QStringView(line).first(k));
    const QStringView after = TrimBlanksView(QStringView(line).sliced(r + 1));
    const bool statement = (before.isEmpty() || before.endsWith(QLatin1Char(':')))
                           && (after.isEmpty() || after.startsWith(QLatin1Char(':'))
                               || after.startsWith(QLatin1Char(';')));
    if (statement || !pbAny)
        return LoadResult::Handle;
    qsizetype word = before.size();
    while (word > 0 && IsIdentifierChar(before[word - 1]))
        --word;
    return IsConditionWord(UpperKeepLength(before.sliced(word))) ? LoadResult::Test : LoadResult::Number;
}

// Whether the load whose "(" stands at bracket takes its file as one literal. A call with no
// quote or ";" ahead of it stands in the code, whose literals and comment the call's walk passes
// over by itself: the line is read as it stands. Blanking every such line first cost an
// unchanged regeneration of 200 x 100 (bench/make_project.py) 2.2 M instructions (callgrind).
bool LoadsOneLiteral(const QString &line, qsizetype bracket)
{
    if (IndexOfAny(QStringView(line).first(bracket), 0, u'"', u'\'', u';') < 0)
        return LoadsLiteralFile(line, bracket);
    return LoadsLiteralFile(BlankedCode(line), bracket);
}

// The line with the load from index k to r (its ")") replaced by what it gives, as image name.
// The lines share the buffers of an arena: with a buffer each, an unchanged regeneration of
// 200 x 100 (bench/make_project.py) cost 341.4 M instructions, against 340.9 M (callgrind).
QString LoadReplaced(LineArena &arena, const QString &line, qsizetype k, qsizetype r, bool pbAny, QStringView name)
{
    const LoadResult result = ResultOf(line, k, r, pbAny);
    const QStringView call = result == LoadResult::Number ? u""
                             : result == LoadResult::Test ? u"IsImage("
                                                          : u"ImageID(";
    const QStringView close = result == LoadResult::Number ? u"" : u")";
    return arena.joined({QStringView(line).first(k), call, name, close, QStringView(line).sliced(r + 1)});
}

} // namespace

// Every image loaded inside a procedure is loaded once by the image section instead, and the
// call gives what the load gave: the image's number for #PB_Any, else its handle. An image with
// a constant of its own keeps it, so the code that uses the constant finds the image loaded;
// any other takes the constant of its file (loaded globally or by an earlier line, in any
// letter case) or a new one.
void ReplaceLoadImageCalls(DesignModel &model)
{
    QList<ImageRecord> &images = model.ImageList;
    QHash<QString, QString> nameByFile;
    QSet<QString> constants; // upper-cased
    for (const ImageRecord &image : std::as_const(images)) {
        if (const QString key = UpperKeepLength(image.file); !key.isEmpty() && !nameByFile.contains(key))
            nameByFile.insert(key, image.name);
        constants.insert(UpperKeepLength(TrimBlanksView(image.name)));
    }
    LineArena arena;
    int n = 0;
    for (QString &line : model.CommonSourceLines) {
        const qsizetype k = IndexOfCallNoCase(line, u"LOADIMAGE(");
        if (k < 0)
            continue;
        // The file must be one literal; a file name held in a variable or built of more
        // (#PB_Compiler_Home + "x.png") or an unfinished call leave the load as written.
        const qsizetype open = k + 10; // the call's first character after its "("
        if (!LoadsOneLiteral(line, open - 1))
            continue;
        const qsizetype q1 = IndexOfChar(line, u'"', open);
        const qsizetype firstClose = IndexOfChar(line, u')', open);
        if (q1 < 0 || firstClose < 0 || q1 > firstClose)
            continue;
        const qsizetype q2 = IndexOfChar(line, u'"', q1 + 1);
        const qsizetype r = q2 < 0 ? -1 : IndexOfChar(line, u')', q2 + 1);
        if (r < 0)
            continue;
        const QString file = line.sliced(q1 + 1, q2 - q1 - 1);
        const qsizetype comma = IndexOfChar(line, u',', open);
        const QStringView id = TrimBlanksView(
            QStringView(line).sliced(open, (comma >= 0 && comma < q1 ? comma : q1) - open));
        const bool constant = id.startsWith(QLatin1Char('#'));
        const bool pbAny = constant && IsPbAnyAtIndex(line, id.data() - line.constData() + 1);
        const QString key = UpperKeepLength(file);
        const auto known = nameByFile.constFind(key);
        QString name;
        if (constant && !pbAny) {
            name = id.toString();
            const qsizetype listed = constants.size();
            constants.insert(UpperKeepLength(name));
            if (constants.size() > listed)
                images.append({name, file, {}, {}});
        } else if (known != nameByFile.cend() && !known->isEmpty()) {
            name = *known;
        } else {
            name = QLatin1String("#MyImage_") % Str(n++);
            images.append({name, file, {}, {}});
        }
        if (known == nameByFile.cend())
            nameByFile.insert(key, name);
        line = LoadReplaced(arena, line, k, r, pbAny, name);
    }
}

} // namespace quarvel
