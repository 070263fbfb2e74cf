#include "language_images_includes.h"

#include "line_scan.h"
#include "../pipeline/generation_context.h"

#include <QHash>
#include <QSet>

namespace quarvel {

namespace {

// The files the generator writes itself are never scanned or updated as the user's includes.
bool IsGeneratedFile(const QString &include)
{
    static const QSet<QString> generated = {
        QStringLiteral("COMMONFILE.PB"), QStringLiteral("EVENTMAIN.PB"), QStringLiteral("EVENTMENU.PB"),
        QStringLiteral("EVENTGADGET.PB"), QStringLiteral("EVENTWINDOW.PB"),
    };
    return generated.contains(UpperKeepLength(include));
}

// The quoted value of an include statement found at k, when the statement is live code:
// neither a comment mark nor a string stands before it.
QString IncludeValue(const QString &line, const QString &statement)
{
    const int k = FindString(line, statement);
    if (k == 0 || FindBackward(line, QLatin1Char(';'), k) || FindBackward(line, QLatin1Char('"'), k))
        return QString();
    const int q1 = FindString(line, QLatin1Char('"'), k + int(statement.size()));
    const int q2 = FindString(line, QLatin1Char('"'), q1 + 1);
    if (q1 == 0 || q2 == 0)
        return QString();
    return Mid(line, q1 + 1, q2 - q1 - 1);
}

// An include name without a folder lies in the project directory; one starting with a
// backslash is taken from the project directory's root; any other folder part stays as written.
QString IncludeFullName(const QString &projectDirectory, const QString &include)
{
    const int slash = FindBackward(include, QLatin1Char('/'));
    const QString dir = Left(include, slash);
    if (dir.isEmpty())
        return projectDirectory + include;
    if (dir.startsWith(QLatin1Char('\\')))
        return Left(projectDirectory, int(projectDirectory.size()) - 1) + include;
    return include;
}

} // namespace

void ScanIncludes(GenerationContext &g, const QString &fileName)
{
    if (fileName.isEmpty())
        return;
    const QString directory = g.ProjectDirectory();
    const auto file = ReadTextFile(directory + fileName);
    if (!file)
        return;
    for (const QString &line : file->lines) {
        // IncludePath is recognised like the others, but names are always formed from the
        // project directory, so its value is not used.
        IncludeValue(line, QStringLiteral("IncludePath"));
        QString include = IncludeValue(line, QStringLiteral("IncludeFile"));
        if (include.isEmpty())
            include = IncludeValue(line, QStringLiteral("XIncludeFile"));
        if (include.isEmpty() || IsGeneratedFile(include))
            continue;
        g.model.IncludeFileList.append(IncludeFullName(directory, include));
    }
}

void ScanLanguageStrings(const SourceLineList &lines, LanguageMap &map)
{
    for (const QString &line : lines) {
        if (FindNoCase(line, QStringLiteral("MyLanguage(")) == 0)
            continue;
        const int b = FindString(line, QLatin1Char('"')) + 1;
        const int c = FindString(line, QLatin1Char('"'), b);
        if (c - b <= 0)
            continue;
        const QString text = Mid(line, b, c - b);
        if (!map.contains(text))
            map.insert(text, text);
    }
}

// The first string literal of a line becomes a MyLanguage lookup. Window titles and image
// file names stay literal; a literal that is already looked up, or that is never closed, is
// left alone.
void WrapLanguageStrings(GenerationContext &g)
{
    const QString lookup = QStringLiteral("MyLanguage(");
    for (QString &line : g.model.CommonSourceLines) {
        if (FindNoCase(line, QStringLiteral("OPENWINDOW(")) || FindNoCase(line, QStringLiteral("LOADIMAGE("))
            || FindNoCase(line, QStringLiteral("CATCHIMAGE(")))
            continue;
        const int q1 = FindString(line, QLatin1Char('"'));
        const int q2 = FindString(line, QLatin1Char('"'), q1 + 1);
        if (q1 == 0 || q2 == 0)
            continue;
        if (q1 > lookup.size() && FindNoCase(Mid(line, q1 - int(lookup.size()), int(lookup.size())), lookup) == 1)
            continue;
        line = Left(line, q1 - 1) + lookup + Mid(line, q1, q2 - q1 + 1) + QLatin1Char(')') + Mid(line, q2 + 1);
    }
}

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
        const int k = FindNoCase(line, QStringLiteral("LOADIMAGE("));
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
            name = QStringLiteral("#MyImage_") + Str(n++);
            images.append({name, file});
            nameByFile.insert(key, name);
        }
        line = Left(line, k - 1) + QStringLiteral("ImageID(") + name + QLatin1Char(')') + Mid(line, r + 1);
    }
}

} // namespace quarvel
