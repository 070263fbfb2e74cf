#include "pipeline/backup.h"

#include "base/file_reader.h"
#include "base/path_resolution.h"
#include "model/generated_files.h"
#include "model/project_file.h"
#include "pipeline/generation_context.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace quarvel {

namespace {

// BackupCopyPath of a path resolved already, in the project folder resolved already.
QString CopyPathOf(const QString &projectDirectory, const QString &project, const QString &file)
{
    const QString backup = projectDirectory + QStringLiteral("Backup/");
    if (file.startsWith(project))
        return backup + file.mid(project.size());
    return backup + QStringLiteral("Outside") + file;
}

// The paths of the regular files "*.pb*" of a folder, in the order of their names: hidden
// files are left out and links are not followed, as QDir's Files | NoSymLinks list them.
QStringList SourcesOf(const QDir &directory)
{
    QStringList paths;
#ifdef Q_OS_UNIX
    // The names are read as the folder lists them, without a file's information asked for each:
    // the list cost an unchanged regeneration of 200 x 100 (bench/make_project.py) 2.3 M
    // instructions through QDir, 0.4 M so (callgrind).
    const QByteArray folder = QFile::encodeName(directory.absolutePath());
    DIR *const dir = ::opendir(folder.constData());
    if (!dir)
        return paths;
    QStringList names;
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name.startsWith(QLatin1Char('.')) || !name.contains(QLatin1String(".pb")))
            continue;
        struct stat info;
        if (entry->d_type == DT_REG
            || (entry->d_type == DT_UNKNOWN && ::lstat((folder + '/' + entry->d_name).constData(), &info) == 0
                && S_ISREG(info.st_mode)))
            names.append(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    for (const QString &name : std::as_const(names))
        paths.append(directory.absolutePath() + QLatin1Char('/') + name);
#else
    for (const QFileInfo &source : directory.entryInfoList(
             {QStringLiteral("*.pb*")}, QDir::Files | QDir::NoSymLinks | QDir::CaseSensitive, QDir::Name))
        paths.append(source.absoluteFilePath());
#endif
    return paths;
}

struct Source {
    QString path;
    bool include = false; // an include of Main.pb
};

// The regular files "*.pb*" of the project folder (sources, form files, the project file
// itself; a link among them is not followed, so that nothing it leads to is copied), and
// every other file the run may change: the files step 4 writes (through their links, as the
// run writes them) and the includes of Main.pb.
// Each folder is resolved once, in folders: resolving each file's folder anew cost an unchanged
// regeneration of 200 x 100 (bench/make_project.py) 9.8 M instructions, against 7.3 M
// (callgrind).
QList<Source> FilesToCopy(const GenerationContext &run, const QDir &directory, FolderResolutions &folders)
{
    QList<Source> files;
    QSet<QString> listed;
    const auto add = [&](const QString &path, bool include) {
        const QString file = folders.KeepingName(path);
        if (!listed.contains(file)) {
            listed.insert(file);
            files.append({file, include});
        }
    };
    for (const QString &source : SourcesOf(directory))
        add(source, false);
    for (const GeneratedFile &generated : GeneratedFiles)
        add(run.ProjectDirectory() + QLatin1String(generated.name), false);
    for (const QString &include : run.model.IncludeFileList)
        add(ProjectRelativePath(run.ProjectDirectory(), include), true);
    return files;
}

// A copy that is no link and has its source's permissions, as FileWriter gives a copy the
// owner's, group's and others' bits: the copy's from its status, the source's as its stream
// opened it. Asked through QFileInfo, which asks for each permission apart, they cost an
// unchanged regeneration of 200 x 100 (bench/make_project.py) 1,650 system calls.
bool HoldsPermissionsOf(const QString &copy, const QString &source, const RegularFileStream &sourceBytes)
{
#ifdef Q_OS_UNIX
    Q_UNUSED(source);
    struct stat copied;
    return ::lstat(QFile::encodeName(copy).constData(), &copied) == 0 && !S_ISLNK(copied.st_mode)
           && int(copied.st_mode & 0777) == sourceBytes.PermissionBits();
#else
    Q_UNUSED(sourceBytes);
    const QFileInfo copied(copy);
    return !copied.isSymLink() && copied.permissions() == QFileInfo(source).permissions();
#endif
}

// A copy that holds its source's bytes, as a regular file with the source's permissions, is
// left as it is. The two are compared as they are read, a piece at a time: read whole, the
// source and the copy of EventGadget.pb were held at once, 30 MB in an unchanged 1000 x 100
// regeneration (bench/make_project.py). Later steps reuse that memory, so the run's peak went
// only from 171,300 KiB to 169,600 KiB (maximum resident set size).
bool CopyIsCurrent(const QString &copy, const QString &source, RegularFileStream &sourceBytes)
{
    if (!HoldsPermissionsOf(copy, source, sourceBytes))
        return false;
    RegularFileStream copyBytes(copy);
    return SameBytes(sourceBytes, copyBytes) && copyBytes.Status();
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
    FolderResolutions folders;
    const QString project = folders.FolderWithSlash(run.ProjectDirectory());
    for (const auto &[source, include] : FilesToCopy(run, directory, folders)) {
        RegularFileStream in(source);
        // A file the run would create needs no copy; nor does an include it cannot read (a
        // folder, a FIFO): the run reports it and leaves it as it is.
        if (in.Status().status == FileResult::Missing || (include && in.Status().status == FileResult::Failed))
            continue;
        const QString copy = CopyPathOf(run.ProjectDirectory(), project, source); // source is resolved
        // Nothing is written outside Backup/, whatever the source's path holds.
        const bool inside = QDir::cleanPath(copy).startsWith(QDir::cleanPath(backupFolder) + QLatin1Char('/'));
        if (!in.Status() || !inside || (!run.plan.dryRun && !MakeFoldersOf(backupFolder, copy))) {
            allCopied = false;
            continue;
        }
        if (CopyIsCurrent(copy, source, in) && in.Status())
            continue;
        const FileBytes bytes = ReadRegularFile(source);
        if (!bytes) {
            allCopied = false;
            continue;
        }
        copies.append({copy, bytes.bytes, source});
    }
    for (bool copied : run.plan.WriteCopies(std::move(copies)))
        allCopied = allCopied && copied;
    return allCopied;
}

} // namespace

QString BackupCopyPath(const QString &projectDirectory, const QString &path)
{
    FolderResolutions folders;
    return CopyPathOf(projectDirectory, folders.FolderWithSlash(projectDirectory), folders.KeepingName(path));
}

void MakeBackup(GenerationContext &run)
{
    if (!CopySources(run, run.ProjectDirectory() + QStringLiteral("Backup"))) {
        run.log.Error(QStringLiteral("- Error CopyDirectory"));
        run.faults.backupFailed = true;
    }
}

} // namespace quarvel
