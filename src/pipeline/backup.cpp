#include "pipeline/backup.h"

#include "base/file_reader.h"
#include "model/generated_files.h"
#include "model/project_file.h"
#include "pipeline/generation_context.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <cstdlib>

namespace quarvel {

namespace {

// A path as the system finds it: links, "." and ".." followed in order (a ".." after a link
// goes up from where the link leads, as many ".." at "/" stay there). A path that does not
// exist is resolved by its text alone. Qt's own absolute paths drop "x/.." by the text, which
// a link at x makes another path.
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

// Folders as ResolvedFolder finds them, each asked of the system once: the files of a backup
// lie in a few folders. Asking again for every file cost an unchanged regeneration of 200 x 100
// (bench/make_project.py) 2.2 M instructions more.
class FolderResolver {
public:
    const QString &operator()(const QString &folder)
    {
        auto known = resolved_.find(folder);
        if (known == resolved_.end())
            known = resolved_.insert(folder, ResolvedFolder(folder));
        return *known;
    }

    // A file's path as the system resolves it, but for its own name: a link among the
    // project's files is copied under its own name.
    QString PathOf(const QString &path)
    {
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        const QString &folder = (*this)(slash < 0 ? QStringLiteral(".") : path.left(qMax<qsizetype>(slash, 1)));
        return (folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/')) + path.mid(slash + 1);
    }

    QString CopyPath(const QString &projectDirectory, const QString &path)
    {
        const QString backup = projectDirectory + QStringLiteral("Backup/");
        const QString file = PathOf(path);
        QString project = (*this)(projectDirectory);
        if (!project.endsWith(QLatin1Char('/')))
            project += QLatin1Char('/');
        if (file.startsWith(project))
            return backup + file.mid(project.size());
        return backup + QStringLiteral("Outside") + file;
    }

private:
    QHash<QString, QString> resolved_;
};

struct Source {
    QString path;
    bool include = false; // an include of Main.pb
};

// The regular files "*.pb*" of the project folder (sources, form files, the project file
// itself; a link among them is not followed, so that nothing it leads to is copied), and
// every other file the run may change: the files step 4 writes (through their links, as the
// run writes them) and the includes of Main.pb.
QList<Source> FilesToCopy(const GenerationContext &run, const QDir &directory, FolderResolver &resolve)
{
    QList<Source> files;
    QSet<QString> listed;
    const auto add = [&](const QString &path, bool include) {
        const QString file = resolve.PathOf(path);
        if (!listed.contains(file)) {
            listed.insert(file);
            files.append({file, include});
        }
    };
    const QFileInfoList sources = directory.entryInfoList(
        {QStringLiteral("*.pb*")}, QDir::Files | QDir::NoSymLinks | QDir::CaseSensitive, QDir::Name);
    for (const QFileInfo &source : sources)
        add(source.absoluteFilePath(), false);
    for (const GeneratedFile &generated : GeneratedFiles)
        add(run.ProjectDirectory() + QLatin1String(generated.name), false);
    for (const QString &include : run.model.IncludeFileList)
        add(ProjectRelativePath(run.ProjectDirectory(), include), true);
    return files;
}

// A copy that holds its source's bytes, as a regular file with the source's permissions, is
// left as it is.
bool CopyIsCurrent(const QString &copy, const QString &source, const QByteArray &bytes)
{
    const QFileInfo copied(copy);
    return !copied.isSymLink() && copied.permissions() == QFileInfo(source).permissions()
           && WritePlan::Holds(copy, bytes);
}

// The folders between the backup folder and a copy, each a real folder, never a link.
bool MakeFoldersOf(const QString &backupFolder, const QString &copy)
{
    QString folder = backupFolder;
    const QStringList parts = copy.mid(backupFolder.size() + 1).split(QLatin1Char('/'));
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        folder += QLatin1Char('/') + parts[i];
        if (!FileWriter::MakeRealFolder(folder))
            return false;
    }
    return true;
}

// False when the project directory cannot be read, the backup folder is no real folder, or any
// file cannot be copied; the other files are copied all the same. The copies are written
// together so that they reach the disk in one flush; a copy that is already current is left as
// it is, and its bytes are not kept for the writing.
bool CopySources(GenerationContext &run, const QString &backupFolder)
{
    const QDir directory(run.ProjectDirectory());
    if (!directory.exists() || !directory.isReadable())
        return false;
    // A Backup that is a link (or a file) is never written through: the copies would land
    // wherever it leads.
    const QFileInfo folder(backupFolder);
    if (folder.isSymLink() || (folder.exists() && !folder.isDir()))
        return false;
    if (!run.plan.dryRun && !FileWriter::MakeRealFolder(backupFolder))
        return false;
    bool allCopied = true;
    QList<FileWriter::Copy> copies;
    FolderResolver resolve;
    const QString backupPrefix = QDir::cleanPath(backupFolder) + QLatin1Char('/');
    for (const auto &[source, include] : FilesToCopy(run, directory, resolve)) {
        const FileBytes in = ReadRegularFile(source);
        // A file the run would create needs no copy; nor does an include it cannot read (a
        // folder, a FIFO): the run reports it and leaves it as it is.
        if (in.status == FileResult::Missing || (include && in.status == FileResult::Failed))
            continue;
        const QString copy = resolve.CopyPath(run.ProjectDirectory(), source);
        // Nothing is written outside Backup/, whatever the source's path holds.
        const bool inside = QDir::cleanPath(copy).startsWith(backupPrefix);
        if (!in || !inside || (!run.plan.dryRun && !MakeFoldersOf(backupFolder, copy))) {
            allCopied = false;
            continue;
        }
        if (!CopyIsCurrent(copy, source, in.bytes))
            copies.append({copy, in.bytes, source});
    }
    for (bool copied : run.plan.WriteCopies(std::move(copies)))
        allCopied = allCopied && copied;
    return allCopied;
}

} // namespace

QString BackupCopyPath(const QString &projectDirectory, const QString &path)
{
    return FolderResolver().CopyPath(projectDirectory, path);
}

void MakeBackup(GenerationContext &run)
{
    if (!CopySources(run, run.ProjectDirectory() + QStringLiteral("Backup"))) {
        run.log.Error(QStringLiteral("- Error CopyDirectory"));
        run.faults.backupFailed = true;
    }
}

} // namespace quarvel
