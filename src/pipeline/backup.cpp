#include "pipeline/backup.h"

#include "base/file_reader.h"
#include "model/generation_context.h"

#include <QDir>
#include <QFileInfo>

namespace quarvel {

namespace {

// Copies the regular files matching "*.pb*" (sources, form files, the project file itself);
// folders are neither copied nor entered. False when the directory cannot be read or any
// file cannot be copied; the other files are copied all the same. The copies are written
// together so that they reach the disk in one flush; a copy that already holds its source's
// bytes is left as it is, and its bytes are not kept for the writing.
bool CopySources(WritePlan &plan, const QString &projectDirectory, const QString &backupFolder)
{
    const QDir directory(projectDirectory);
    if (!directory.exists() || !directory.isReadable())
        return false;
    const QFileInfoList sources = directory.entryInfoList({QStringLiteral("*.pb*")},
                                                          QDir::Files | QDir::CaseSensitive, QDir::Name);
    bool allCopied = true;
    QList<FileWriter::PendingFile> copies;
    copies.reserve(sources.size());
    for (const QFileInfo &source : sources) {
        const FileBytes in = ReadRegularFile(source.absoluteFilePath());
        if (in.status != FileBytes::Read) {
            allCopied = false;
            continue;
        }
        const QString copy = backupFolder + QLatin1Char('/') + source.fileName();
        if (!WritePlan::Holds(copy, in.bytes))
            copies.append({copy, in.bytes});
    }
    for (bool copied : plan.WriteAll(std::move(copies)))
        allCopied = allCopied && copied;
    return allCopied;
}

} // namespace

void MakeBackup(GenerationContext &g)
{
    const QString projectDirectory = g.ProjectDirectory();
    const QString backupFolder = projectDirectory + QStringLiteral("Backup");
    // An existing folder is used as it is; one that cannot be made shows in the copy failing.
    if (!g.plan.dryRun)
        QDir().mkdir(backupFolder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!CopySources(g.plan, projectDirectory, backupFolder)) {
        g.LogLine(QStringLiteral("- Error CopyDirectory"));
        g.faults.backupFailed = true;
    }
}

} // namespace quarvel
