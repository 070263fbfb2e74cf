#include "project/settings.h"

#include "base/file_writer.h"
#include "base/line_scan.h"
#include "base/numeric_value.h"
#include "base/text_encoding.h"
#include "model/name_tables.h"
#include "model/project_file.h"
#include "project/preference_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quarvel {

namespace {

const QString UserGadgetHeader = QStringLiteral("[USERGADGET]");

QString WithSlash(const QString &directory)
{
    return directory.endsWith(QLatin1Char('/')) ? directory : directory + QLatin1Char('/');
}

QString ExecutableDirectoryIfWritable()
{
    if (!QCoreApplication::instance())
        return QString();
    const QString directory = QCoreApplication::applicationDirPath();
    const QFileInfo info(directory);
    // An installed program shares its bin directory with others, even where it may write there.
    return info.isDir() && info.isWritable() && !IsInstalledProgram(directory) ? directory : QString();
}

// A file the start-up may load as a project: present and not empty.
bool IsNonEmptyFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}

// The first real program argument: the platform's process serial number is none.
QString FirstArgument(const QStringList &arguments)
{
    for (const QString &argument : arguments)
        if (!argument.startsWith(QLatin1String("-psn_")))
            return argument;
    return QString();
}

QString UserGadgetFileText(const QStringList &names)
{
    QString text = UserGadgetHeader + QLatin1Char('\n');
    for (const QString &name : names)
        text += name + QLatin1Char('\n');
    return text;
}

// UTF-8 unless the file's own byte-order mark says otherwise.
QStringList DecodeUserGadgetFile(const QByteArray &bytes)
{
    const ByteOrderMark mark = DetectByteOrderMark(bytes);
    const TextFormat format = mark.format == FormatLatin1 ? FormatUtf8 : mark.format;
    return SplitLines(DecodeText(QByteArrayView(bytes).sliced(mark.length), format));
}

QString LastProjectFile(const ProgramSettings &settings)
{
    return ReadSetting(QStringLiteral("Path"), QStringLiteral("Project"), settings.SettingsFile);
}

void StartNewProject(const ProgramSettings &settings, ProjectState &project)
{
    project.ProjectFile = UnnamedProjectFile;
    project.LastPath = ReadSetting(QStringLiteral("Path"), QStringLiteral("Last"), settings.SettingsFile);
    const Switches defaults;
    for (int i = 0; i < Switches::Count; ++i)
        project.switches.at(i) = ReadNumericSetting(QStringLiteral("Default"),
                                                    QLatin1String(Switches::Names()[i]),
                                                    settings.SettingsFile, defaults.at(i));
    project.CommonFiles.clear();
    project.Stored.clear();
    project.ProjectNamed = false;
    project.ProjectSaved = true;
}

} // namespace

bool IsInstalledProgram(const QString &executableDirectory)
{
    return QFileInfo::exists(executableDirectory + QStringLiteral("/../share/applications/quarvel.desktop"));
}

QString SettingsDirectory()
{
    QString directory = qEnvironmentVariable("QUARVEL_CONFIG_DIR");
    if (directory.isEmpty())
        directory = ExecutableDirectoryIfWritable();
    if (directory.isEmpty())
        directory = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                    + QStringLiteral("/quarvel");
    QDir().mkpath(directory); // a failure shows when the files cannot be read or written
    return WithSlash(QDir::cleanPath(QDir(directory).absolutePath()));
}

void LocateSettingsFiles(ProgramSettings &settings)
{
    const QString directory = SettingsDirectory();
    settings.SettingsFile = directory + QStringLiteral("QL4.INI");
    settings.UserListFile = directory + QStringLiteral("UserList.INI");
}

QString ReadSetting(const QString &group, const QString &key, const QString &file,
                    const QString &defaultValue)
{
    PreferenceFile preferences;
    if (!preferences.Open(file) || !preferences.SelectGroup(group))
        return defaultValue;
    return preferences.Read(key, defaultValue);
}

int ReadNumericSetting(const QString &group, const QString &key, const QString &file,
                       int defaultValue)
{
    return NumericValue(ReadSetting(group, key, file, QString::number(defaultValue)));
}

void WriteSetting(const QString &group, const QString &key, const QString &value,
                  const QString &file)
{
    PreferenceFile preferences;
    if (!preferences.Open(file) && !preferences.Create(file))
        return;
    preferences.SelectGroup(group);
    preferences.Write(key, value);
    preferences.Close();
}

QStringList ReadUserGadgetText(const QStringList &lines)
{
    QStringList names;
    QString section;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char('['))) {
            section = line;
        } else if (line.isEmpty()) {
            section.clear();
        } else if (section == UserGadgetHeader) {
            // An empty name would make every "(#" after a blank look like a gadget creation.
            const QString name = Trim(line);
            if (!name.isEmpty())
                names.append(name);
        }
    }
    return names;
}

FileResult LoadUserGadgets(ProgramSettings &settings)
{
    if (settings.UserListFile.isEmpty())
        LocateSettingsFiles(settings);
    settings.UserGadgetList.clear();

    const QString &path = settings.UserListFile;
    const QFileInfo info(path);
    bool ok = false;
    if (!info.isDir() && (!info.exists() || info.size() == 0)) {
        ok = FileWriter().Write(path, UserGadgetFileText({}).toUtf8());
    } else {
        QFile file(path);
        ok = !info.isDir() && file.open(QIODevice::ReadOnly);
        if (ok)
            settings.UserGadgetList = ReadUserGadgetText(DecodeUserGadgetFile(file.readAll()));
    }
    return ok ? FileResult() : FileResult::Failed(QStringLiteral("UserGadgetList"));
}

QList<FileResult> LoadSettings(ProgramSettings &settings, ProjectState &project, NameTables &tables,
                               const QStringList &arguments)
{
    LocateSettingsFiles(settings);
    QList<FileResult> failures{LoadUserGadgets(settings)};
    tables = BuildNameTables(settings.UserGadgetList);

    // A restored project sets only the switches its file names; the others are 0.
    project.switches = Switches::AllOff();

    const QString argument = FirstArgument(arguments);
    if (IsNonEmptyFile(argument)) {
        project.ProjectFile = QDir::cleanPath(QFileInfo(argument).absoluteFilePath());
        failures << LoadProject(project.ProjectFile, project);
    } else if (const QString last = LastProjectFile(settings); IsNonEmptyFile(last)) {
        project.ProjectFile = last;
        failures << LoadProject(project.ProjectFile, project);
    } else {
        StartNewProject(settings, project);
    }
    failures.removeIf([](const FileResult &result) { return result.ok; });
    return failures;
}

void SaveSettings(const ProgramSettings &settings, const ProjectState &project)
{
    const QString &file = settings.SettingsFile;
    WriteSetting(QStringLiteral("Path"), QStringLiteral("Last"), project.LastPath, file);
    WriteSetting(QStringLiteral("Path"), QStringLiteral("Project"), project.ProjectFile, file);
    for (int i = 0; i < Switches::Count; ++i)
        WriteSetting(QStringLiteral("Default"), QLatin1String(Switches::Names()[i]),
                     QString::number(project.switches.at(i)), file);
}

FileResult SaveUserGadgets(ProgramSettings &settings, const QStringList &names)
{
    settings.UserGadgetList = names;
    if (settings.UserListFile.isEmpty())
        LocateSettingsFiles(settings);
    if (FileWriter().Write(settings.UserListFile, UserGadgetFileText(names).toUtf8()))
        return {};
    return FileResult::Failed(QStringLiteral("Save UserGadget"));
}

namespace {

const QString RecentGroup = QStringLiteral("Recent");
const QString WindowGroup = QStringLiteral("Window");
const QString EditorGroup = QStringLiteral("Editor");

QString RecentKey(int slot)
{
    return QStringLiteral("Project%1").arg(slot + 1);
}

} // namespace

void LoadDesktopMemory(ProgramSettings &settings)
{
    const QString &file = settings.SettingsFile;
    settings.RecentProjects.clear();
    for (int slot = 0; slot < MaxRecentProjects; ++slot) {
        const QString path = ReadSetting(RecentGroup, RecentKey(slot), file);
        if (!path.isEmpty() && !settings.RecentProjects.contains(path))
            settings.RecentProjects << path;
    }
    settings.WindowGeometry = ReadSetting(WindowGroup, QStringLiteral("Geometry"), file);
    settings.Divider = ReadNumericSetting(WindowGroup, QStringLiteral("Divider"), file, 0);
    settings.EditorCommand = ReadSetting(EditorGroup, QStringLiteral("Command"), file);
}

void SaveDesktopMemory(const ProgramSettings &settings)
{
    const QString &file = settings.SettingsFile;
    for (int slot = 0; slot < MaxRecentProjects; ++slot)
        WriteSetting(RecentGroup, RecentKey(slot), settings.RecentProjects.value(slot), file);
    WriteSetting(WindowGroup, QStringLiteral("Geometry"), settings.WindowGeometry, file);
    WriteSetting(WindowGroup, QStringLiteral("Divider"), QString::number(settings.Divider), file);
    WriteSetting(EditorGroup, QStringLiteral("Command"), settings.EditorCommand, file);
}

void RememberRecentProject(ProgramSettings &settings, const QString &path)
{
    const QString cleaned = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    settings.RecentProjects.removeIf([&cleaned](const QString &known) {
        return QDir::cleanPath(QFileInfo(known).absoluteFilePath()) == cleaned;
    });
    settings.RecentProjects.prepend(cleaned);
    while (settings.RecentProjects.size() > MaxRecentProjects)
        settings.RecentProjects.removeLast();
}

} // namespace quarvel
