#include "interpreter/include_scan.h"

#include "base/basic_strings.h"
#include "base/text_encoding.h"
#include "model/design_model.h"
#include "model/source_folder.h"

#include <QSet>

namespace quarvel {

namespace {

// The files the generator writes itself are never scanned or updated as the user's includes.
bool IsGeneratedFile(const QString &include)
{
    static const QSet<QString> generated = {
        QStringLiteral("COMMONFILE.PB"),  QStringLiteral("EVENTMAIN.PB"),   QStringLiteral("EVENTMENU.PB"),
        QStringLiteral("EVENTGADGET.PB"), QStringLiteral("EVENTWINDOW.PB"),
    };
    return generated.contains(UpperKeepLength(include));
}

// The quoted value of an include statement found at k, when the statement is live code:
// neither a comment mark nor a string stands before it.
QString IncludeValue(const QString &line, const QString &statement)
{
    const qsizetype k = IndexOfText(line, statement);
    if (k < 0)
        return QString();
    if (const QStringView before = QStringView(line).first(k); HoldsChar(before, u';') || HoldsChar(before, u'"'))
        return QString();
    const qsizetype q1 = IndexOfChar(line, u'"', k + statement.size());
    const qsizetype q2 = q1 < 0 ? -1 : IndexOfChar(line, u'"', q1 + 1);
    if (q2 < 0)
        return QString();
    return line.sliced(q1 + 1, q2 - q1 - 1);
}

// An include name without a folder lies in the project directory; one starting with a
// backslash is taken from the project directory's root; any other folder part stays as written.
QString IncludeFullName(const QString &projectDirectory, const QString &include)
{
    const QStringView dir = QStringView(include).first(include.lastIndexOf(QLatin1Char('/')) + 1);
    if (dir.isEmpty())
        return projectDirectory + include;
    if (dir.startsWith(QLatin1Char('\\')))
        return projectDirectory.left(projectDirectory.size() - 1) + include;
    return include;
}

} // namespace

void ScanIncludes(DesignModel &model, const SourceFolder &folder, const QString &fileName)
{
    if (fileName.isEmpty())
        return;
    const QString directory = folder.directory;
    const auto file = ReadTextFile(directory + fileName, folder.format);
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
        model.IncludeFileList.append(IncludeFullName(directory, include));
    }
}

} // namespace quarvel
