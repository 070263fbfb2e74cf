#include "base/path_resolution.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdlib>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace quarvel {

QString ResolvedFolder(const QString &folder)
{
    const QString absolute = QDir::isAbsolutePath(folder) ? folder : QDir::currentPath() + QLatin1Char('/') + folder;
#ifdef Q_OS_UNIX
    if (char *resolved = ::realpath(QFile::encodeName(absolute).constData(), nullptr)) {
        const QString canonical = QFile::decodeName(resolved);
        std::free(resolved);
        return canonical;
    }
#endif
    QStringList parts;
    for (const QString &part : absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part != QLatin1String("..") && part != QLatin1String("."))
            parts.append(part);
        else if (part == QLatin1String("..") && !parts.isEmpty())
            parts.removeLast();
    }
    return QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

const QString &FolderResolutions::Folder(const QString &folder)
{
    auto known = known_.constFind(folder);
    if (known == known_.cend())
        known = known_.insert(folder, ResolvedFolder(folder));
    return *known;
}

QString FolderResolutions::FolderWithSlash(const QString &folder)
{
    const bool slashed = folder.size() > 1 && folder.endsWith(QLatin1Char('/'));
    const QString &resolved = Folder(slashed ? folder.chopped(1) : folder);
    return resolved.endsWith(QLatin1Char('/')) ? resolved : resolved + QLatin1Char('/');
}

QString FolderResolutions::KeepingName(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return FolderWithSlash(slash < 0 ? QStringLiteral(".") : path.left(qMax<qsizetype>(slash, 1)))
           + path.mid(slash + 1);
}

QString FolderResolutions::Identity(const QString &absolutePath)
{
#ifdef Q_OS_UNIX
    // A file that is no link is its resolved folder and its name: resolved whole, as
    // QFileInfo::canonicalFilePath does, each of 200 files cost an unchanged regeneration of
    // 200 x 100 (bench/make_project.py) five system calls, one so.
    const QString name = absolutePath.mid(absolutePath.lastIndexOf(QLatin1Char('/')) + 1);
    struct stat info;
    if (!name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && ::lstat(QFile::encodeName(absolutePath).constData(), &info) == 0 && !S_ISLNK(info.st_mode))
        return KeepingName(absolutePath);
#endif
    const QFileInfo file(absolutePath);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(file.absoluteFilePath()) : canonical;
}

} // namespace quarvel
