#include "interpreter/include_rebasing.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"

#include <QDir>
#include <QFileInfo>

namespace quarvel {

namespace {

bool IsAbsolutePath(const QString &name)
{
    return name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\'))
           || (name.size() > 1 && name.at(1) == QLatin1Char(':'));
}

} // namespace

IncludeNames::IncludeNames(const QString &projectDirectory, const QString &file, const QSet<QString> &commonFiles)
    : projectDirectory_(projectDirectory),
      commonFiles_(commonFiles)
{
    const QString folder = QDir(projectDirectory).relativeFilePath(QFileInfo(file).absolutePath());
    fileFolder_ = folder.isEmpty() || folder == QLatin1String(".") ? QString() : folder + QLatin1Char('/');
    folder_ = fileFolder_;
}

QString IncludeNames::Rebase(const QString &line)
{
    // An include statement begins its line or follows a ":".
    const QStringView start = TrimLeadingBlanksView(line);
    const QChar first = start.isEmpty() ? QChar() : UpperChar(start.front());
    const bool begins = (first == QLatin1Char('I') && StartsNoCase(start, u"INCLUDE"))
                        || (first == QLatin1Char('X') && StartsNoCase(start, u"XINCLUDE"));
    if (!begins && !(HoldsChar(line, QLatin1Char(':')) && HoldsNoCase(line, u"INCLUDE")))
        return line;
    static const QSet<QString> includes = {QStringLiteral("INCLUDEFILE"), QStringLiteral("XINCLUDEFILE"),
                                           QStringLiteral("INCLUDEBINARY"), QStringLiteral("INCLUDEPATH")};
    const QString code = BlankedCode(line);
    struct Name {
        qsizetype quote, close; // the indexes of the quotes around the name
        QString target;
    };
    QList<Name> names;
    for (const QStringView statement : Statements(code)) {
        const QString word = FirstWord(statement);
        if (!includes.contains(word))
            continue;
        const qsizetype after = statement.data() - code.data() + word.size(); // the index after the keyword
        const qsizetype quote = IndexOfChar(code, u'"', after);
        const qsizetype close = quote < 0 ? -1 : IndexOfChar(code, u'"', quote + 1);
        if (close < 0 || !TrimBlanksView(QStringView(code).sliced(after, quote - after)).isEmpty())
            continue; // a name that is not one literal, such as #PB_Compiler_FilePath + "x.pb"
        const QString name = line.sliced(quote + 1, close - quote - 1);
        const QString target = IsAbsolutePath(name) ? name : folder_ + name;
        if (word == QLatin1String("INCLUDEPATH")) {
            folder_ = IsAbsolutePath(name) ? name : fileFolder_ + name;
            if (!folder_.isEmpty() && !folder_.endsWith(QLatin1Char('/')) && !folder_.endsWith(QLatin1Char('\\')))
                folder_ += QLatin1Char('/');
            return CommentedOut(line);
        }
        if (commonFiles_.contains(QDir::cleanPath(IsAbsolutePath(target) ? target : projectDirectory_ + target)))
            return CommentedOut(line);
        names.append({quote, close, target});
    }
    QString result = line;
    for (qsizetype k = names.size() - 1; k >= 0; --k)
        result = result.first(names.at(k).quote + 1) + names.at(k).target + result.sliced(names.at(k).close);
    return result;
}

} // namespace quarvel
