#include "shell/project_file_problem.h"

#include "base/file_reader.h"

#include <QCoreApplication>
#include <QDir>

namespace quarvel {

namespace {

QString ProblemText(const char *text)
{
    return QCoreApplication::translate("quarvel::Shell", text);
}

// A project file names its common files under [FILES] or its switches under [SWITCH].
bool HasProjectSection(const QByteArray &text)
{
    if (text.contains('\0'))
        return false;
    for (const QByteArray &split : text.split('\n')) {
        QByteArrayView line = QByteArrayView(split).trimmed();
        if (line.startsWith("\xEF\xBB\xBF"))
            line = line.sliced(3);
        if (line == "[FILES]" || line == "[SWITCH]")
            return true;
    }
    return false;
}

} // namespace

QString ProjectFileProblem(const QString &path)
{
    const FileBytes file = ReadRegularFile(path);
    switch (file.status) {
    case FileResult::Missing: return ProblemText(QT_TRANSLATE_NOOP("quarvel::Shell", "there is no such file"));
    case FileResult::Failed: return file.reason;
    case FileResult::Done:
    case FileResult::NotDone: break;
    }
    if (file.bytes.isEmpty())
        return ProblemText(QT_TRANSLATE_NOOP("quarvel::Shell", "the file is empty"));
    if (!HasProjectSection(file.bytes))
        return ProblemText(QT_TRANSLATE_NOOP("quarvel::Shell",
                                             "it is no project file: it has neither a [FILES] nor a [SWITCH] section"));
    return {};
}

QString ProjectFileMessage(const QString &path, const QString &problem)
{
    return ProblemText(QT_TRANSLATE_NOOP("quarvel::Shell", "Cannot open the project %1:\n%2."))
        .arg(QDir::toNativeSeparators(path), problem);
}

} // namespace quarvel
