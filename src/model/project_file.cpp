#include "model/project_file.h"

#include "base/file_reader.h"
#include "base/file_writer.h"
#include "base/numeric_value.h"
#include "base/path_resolution.h"
#include "base/text_encoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace quarvel {

namespace {

const QString ProjectMessageTitle = QStringLiteral("Project");

// The project file's section of the stored names of each kind.
QLatin1String SectionHeader(ObjectKind kind)
{
    static const char *const headers[] = {"[WINDOW]", "[MENU]", "[MENUITEM]", "[STATUSBAR]", "[TOOLBAR]", "[GADGET]"};
    qsizetype k = 0;
    while (k + 1 < qsizetype(AllObjectKinds.size()) && AllObjectKinds[k] != NamedKind(kind))
        ++k;
    return QLatin1String(headers[k]); // in the order of AllObjectKinds
}

QStringList *StoredListOfSection(StoredConstants &stored, const QString &section)
{
    for (const ObjectKind kind : AllObjectKinds)
        if (section == SectionHeader(kind))
            return &StoredNamesOfKind(stored, kind);
    return nullptr;
}

void ReadSwitchLine(QString line, Switches &switches)
{
    line.remove(QLatin1Char(';'));
    const QString key = line.section(QLatin1Char('='), 0, 0);
    const QString value = line.section(QLatin1Char('='), 1, 1);
    if (bool *target = switches.find(key))
        *target = SwitchFromNumber(NumericValue(value));
}

} // namespace

QByteArray ProjectFileText(const ProjectState &project)
{
    QStringList lines;
    lines << QStringLiteral("[FILES]") << project.CommonFiles << QString();
    lines << QStringLiteral("[SWITCH]");
    for (int i = 0; i < Switches::Count; ++i)
        lines << QLatin1String(Switches::Names()[i]) + QLatin1Char('=')
                     + QString::number(SwitchNumber(project.switches.at(i)));
    lines << QString();

    for (const ObjectKind kind : AllObjectKinds)
        lines << SectionHeader(kind) << StoredNamesOfKind(project.Stored, kind) << QString();
    return EncodeLines(lines, TextFormat::Utf8).mid(3); // UTF-8 without byte-order mark
}

FileResult FinishProjectSave(ProjectState &project, const FileResult &written)
{
    if (!written)
        return written.Titled(ProjectMessageTitle);
    project.ProjectNamed = true;
    project.ProjectSaved = true;
    return written;
}

FileResult SaveProject(const QString &path, ProjectState &project, const FileWriter &writer)
{
    if (project.CommonFiles.isEmpty())
        return {FileResult::NotDone, path, {}, {}};
    return FinishProjectSave(project, writer.Write(path, ProjectFileText(project)));
}

QString ProjectRelativePath(const QString &projectDirectory, const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isRelative())
        return path;
    return projectDirectory + path;
}

QString ProjectFilePath(const QString &projectDirectory, const QString &path)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString relative = QDir(projectDirectory).relativeFilePath(absolute);
    return relative.startsWith(QLatin1String("../")) || QDir::isAbsolutePath(relative) ? absolute : relative;
}

QStringList NewCommonFiles(const QString &projectDirectory, const QStringList &listed, const QStringList &entries)
{
    const QDir directory(projectDirectory);
    FolderResolutions resolutions;
    QSet<QString> known;
    for (const QString &entry : listed)
        known.insert(resolutions.Identity(directory.absoluteFilePath(entry)));
    QStringList added;
    for (const QString &entry : entries) {
        const qsizetype before = known.size();
        known.insert(resolutions.Identity(directory.absoluteFilePath(entry)));
        if (known.size() > before)
            added.append(entry);
    }
    return added;
}

QStringList RebasedCommonFiles(const QStringList &files, const QString &fromDirectory, const QString &toDirectory)
{
    if (QDir::cleanPath(fromDirectory) == QDir::cleanPath(toDirectory))
        return files;
    QStringList rebased;
    for (const QString &file : files) {
        if (!QFileInfo(file).isRelative())
            rebased.append(ProjectFilePath(toDirectory, file));
        else
            rebased.append(
                fromDirectory.isEmpty() ? file : ProjectFilePath(toDirectory, fromDirectory + QLatin1Char('/') + file));
    }
    return rebased;
}

void ReadProjectText(const QByteArray &bytes, ProjectState &project)
{
    QByteArrayView text(bytes);
    if (text.startsWith("\xEF\xBB\xBF")) // written by another editor
        text = text.sliced(3);
    // The list a section's lines go to is looked up once, at its header.
    QString section;
    QStringList *names = nullptr;
    for (const QString &line : SplitLines(DecodeText(text, TextFormat::Utf8))) {
        if (line.startsWith(QLatin1Char('['))) {
            section = line;
            names = section == QLatin1String("[FILES]") ? &project.CommonFiles
                                                        : StoredListOfSection(project.Stored, section);
        } else if (line.isEmpty()) {
            section.clear();
            names = nullptr;
        } else if (names) {
            names->append(line);
        } else if (section == QLatin1String("[SWITCH]")) {
            ReadSwitchLine(line, project.switches);
        }
    }
}

FileResult LoadProject(const QString &path, ProjectState &project)
{
    project.CommonFiles.clear();
    project.Stored.clear();
    project.ProjectNamed = false;
    project.ProjectSaved = true;

    const FileBytes file = ReadRegularFile(path);
    if (!file)
        return file.Titled(ProjectMessageTitle);
    ReadProjectText(file.bytes, project);
    project.ProjectNamed = true;
    project.ProjectSaved = true;
    return file;
}

} // namespace quarvel
