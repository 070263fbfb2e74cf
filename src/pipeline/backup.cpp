#include "pipeline/backup.h"

#include "base/file_reader.h"
#include "model/generation_context.h"
#include "model/project_file.h"
#include "pipeline/write_output_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace quarvel {

namespace {

// The regular files "*.pb*" of the project folder (sources, form files, the project file
// itself; a link among them is not followed, so that nothing it leads to is copied), and
// every other file the run may change: the files step 4 writes (through their links, as the
// run writes them) and the includes of Main.pb.
QStringList FilesToCopy(const GenerationContext &g, const QDir &directory)
{
    QStringList files;
    QSet<QString> listed;
    const auto add = [&](const QString &path) {
        const QString file = QDir::cleanPath(path);
        if (!listed.contains(file)) {
            listed.insert(file);
            files.append(file);
        }
    };
    const QFileInfoList sources = directory.entryInfoList(
        {QStringLiteral("*.pb*")}, QDir::Files | QDir::NoSymLinks | QDir::CaseSensitive, QDir::Name);
    for (const QFileInfo &source : sources)
        add(source.absoluteFilePath());
    for (const QString &name : OutputFileNames())
        add(g.ProjectDirectory() + name);
    for (const QString &include : g.model.IncludeFileList)
        add(ProjectRelativePath(g.ProjectDirectory(), include));
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
bool CopySources(GenerationContext &g, const QString &backupFolder)
{
    const QDir directory(g.ProjectDirectory());
    if (!directory.exists() || !directory.isReadable())
        return false;
    // A Backup that is a link (or a file) is never written through: the copies would land
    // wherever it leads.
    const QFileInfo folder(backupFolder);
    if (folder.isSymLink() || (folder.exists() && !folder.isDir()))
        return false;
    if (!g.plan.dryRun && !FileWriter::MakeRealFolder(backupFolder))
        return false;
    bool allCopied = true;
    QList<FileWriter::Copy> copies;
    for (const QString &source : FilesToCopy(g, directory)) {
        const FileBytes in = ReadRegularFile(source);
        if (in.status == FileBytes::Missing)
            continue; // a file the run would create, or an include reported elsewhere
        const QString copy = BackupCopyPath(g.ProjectDirectory(), source);
        if (in.status != FileBytes::Read || (!g.plan.dryRun && !MakeFoldersOf(backupFolder, copy))) {
            allCopied = false;
            continue;
        }
        if (!CopyIsCurrent(copy, source, in.bytes))
            copies.append({copy, in.bytes, source});
    }
    for (bool copied : g.plan.WriteCopies(std::move(copies)))
        allCopied = allCopied && copied;
    return allCopied;
}

} // namespace

QString BackupCopyPath(const QString &projectDirectory, const QString &path)
{
    const QString backup = projectDirectory + QStringLiteral("Backup/");
    const QString file = QDir::cleanPath(path);
    const QString relative = QDir(projectDirectory).relativeFilePath(file);
    if (relative.startsWith(QLatin1String("../")) || QDir::isAbsolutePath(relative))
        return backup + QStringLiteral("Outside") + file;
    return backup + relative;
}

void MakeBackup(GenerationContext &g)
{
    if (!CopySources(g, g.ProjectDirectory() + QStringLiteral("Backup"))) {
        g.LogError(QStringLiteral("- Error CopyDirectory"));
        g.faults.backupFailed = true;
    }
}

} // namespace quarvel
