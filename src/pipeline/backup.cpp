#include "backup.h"

#include "../pipeline/generation_context.h"

#include <QDir>
#include <QFile>

namespace quarvel {

namespace {

bool CopyIntoBackup(const FileWriter &writer, const QFileInfo &source, const QString &backupFolder)
{
    QFile in(source.absoluteFilePath());
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    in.close();
    return writer.Write(backupFolder + QLatin1Char('/') + source.fileName(), bytes);
}

// Copies the regular files matching "*.pb*" (sources, form files, the project file itself);
// folders are neither copied nor entered. False when the directory cannot be read or any
// file cannot be copied; the other files are copied all the same.
bool CopySources(const FileWriter &writer, const QString &projectDirectory, const QString &backupFolder)
{
    const QDir directory(projectDirectory);
    if (!directory.exists() || !directory.isReadable())
        return false;
    const QFileInfoList sources = directory.entryInfoList({QStringLiteral("*.pb*")},
                                                          QDir::Files | QDir::CaseSensitive, QDir::Name);
    bool allCopied = true;
    for (const QFileInfo &source : sources)
        if (!CopyIntoBackup(writer, source, backupFolder))
            allCopied = false;
    return allCopied;
}

} // namespace

void MakeBackup(GenerationContext &g)
{
    const QString projectDirectory = g.ProjectDirectory();
    const QString backupFolder = projectDirectory + QStringLiteral("Backup");
    // An existing folder is used as it is; one that cannot be made shows in the copy failing.
    QDir().mkdir(backupFolder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!CopySources(g.writer, projectDirectory, backupFolder))
        g.LogLine(QStringLiteral("- Error CopyDirectory"));
}

} // namespace quarvel
