#include "project/settings.h"

#include "base/basic_strings.h"
#include "base/numeric_value.h"
#include "model/name_tables.h"
#include "model/project_file.h"
#include "project/preference_file.h"
#include "project/user_gadget_list.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quarvel {

namespace {

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

// The settings file as read once: every value a step asks for comes from this one reading.
class SettingsRead {
public:
    explicit SettingsRead(const QString &path) : readable_(file_.Open(path)) {}

    // The value, trimmed; defaultValue when the file cannot be read or has no such group or key.
    QString value(const QString &group, const QString &key, const QString &defaultValue = QString())
    {
        if (!readable_ || !file_.SelectGroup(group))
            return defaultValue;
        return file_.Read(key, defaultValue);
    }

    // The numeric value of the text read (a value that is no number is 0).
    int number(const QString &group, const QString &key, int defaultValue)
    {
        return NumericValue(value(group, key, QString::number(defaultValue)));
    }

private:
    PreferenceFile file_;
    bool readable_;
};

// The settings file open for the values of one step, created when missing; written back at
// Close. False when it can neither be opened nor created.
bool OpenForWriting(PreferenceFile &file, const QString &path)
{
    return file.Open(path) || file.Create(path);
}

void Put(PreferenceFile &file, const QString &group, const QString &key, const QString &value)
{
    file.SelectGroup(group);
    file.Write(key, value);
}

const QString PathGroup = QStringLiteral("Path");
const QString DefaultGroup = QStringLiteral("Default");
const QString RecentGroup = QStringLiteral("Recent");
const QString WindowGroup = QStringLiteral("Window");
const QString EditorGroup = QStringLiteral("Editor");
const QString GenerateGroup = QStringLiteral("Generate");

QString RecentKey(int slot)
{
    return QStringLiteral("Project%1").arg(slot + 1);
}

void StartNewProject(SettingsRead &read, ProjectState &project)
{
    project.ProjectFile = UnnamedProjectFile;
    project.LastPath = read.value(PathGroup, QStringLiteral("Last"));
    const Switches defaults;
    for (int i = 0; i < Switches::Count; ++i)
        project.switches.at(i) = SwitchFromNumber(
            read.number(DefaultGroup, QLatin1String(Switches::Names()[i]), SwitchNumber(defaults.at(i))));
    project.CommonFiles.clear();
    project.Stored.clear();
    project.ProjectNamed = false;
    project.ProjectSaved = true;
}

void ReadDesktopMemory(SettingsRead &read, ProgramSettings &settings)
{
    settings.RecentProjects.clear();
    for (int slot = 0; slot < MaxRecentProjects; ++slot) {
        const QString path = read.value(RecentGroup, RecentKey(slot));
        if (!path.isEmpty() && !settings.RecentProjects.contains(path))
            settings.RecentProjects << path;
    }
    settings.WindowGeometry = read.value(WindowGroup, QStringLiteral("Geometry"));
    settings.Divider = read.number(WindowGroup, QStringLiteral("Divider"), 0);
    settings.EditorCommand = read.value(EditorGroup, QStringLiteral("Command"));
    settings.RegenerateOnSave = read.number(GenerateGroup, QStringLiteral("OnSave"), 0) != 0;
}

void PutSwitchSettings(PreferenceFile &file, const ProjectState &project)
{
    Put(file, PathGroup, QStringLiteral("Last"), project.LastPath);
    Put(file, PathGroup, QStringLiteral("Project"), project.ProjectFile);
    for (int i = 0; i < Switches::Count; ++i)
        Put(file, DefaultGroup, QLatin1String(Switches::Names()[i]),
            QString::number(SwitchNumber(project.switches.at(i))));
}

void PutDesktopMemory(PreferenceFile &file, const ProgramSettings &settings)
{
    for (int slot = 0; slot < MaxRecentProjects; ++slot)
        Put(file, RecentGroup, RecentKey(slot), settings.RecentProjects.value(slot));
    Put(file, WindowGroup, QStringLiteral("Geometry"), settings.WindowGeometry);
    Put(file, WindowGroup, QStringLiteral("Divider"), QString::number(settings.Divider));
    Put(file, EditorGroup, QStringLiteral("Command"), settings.EditorCommand);
    Put(file, GenerateGroup, QStringLiteral("OnSave"),
        settings.RegenerateOnSave ? QStringLiteral("1") : QStringLiteral("0"));
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

QString ReadSetting(const QString &group, const QString &key, const QString &file, const QString &defaultValue)
{
    return SettingsRead(file).value(group, key, defaultValue);
}

int ReadNumericSetting(const QString &group, const QString &key, const QString &file, int defaultValue)
{
    return SettingsRead(file).number(group, key, defaultValue);
}

void WriteSetting(const QString &group, const QString &key, const QString &value, const QString &file)
{
    PreferenceFile preferences;
    if (!OpenForWriting(preferences, file))
        return;
    Put(preferences, group, key, value);
    preferences.Close();
}

QList<FileResult> LoadSettings(ProgramSettings &settings, ProjectState &project, NameTables &tables,
                               const QStringList &arguments)
{
    LocateSettingsFiles(settings);
    QList<FileResult> failures{LoadUserGadgets(settings)};
    tables = BuildNameTables(settings.UserGadgetList);

    // A restored project sets only the switches its file names; the others are 0.
    project.switches = Switches::AllOff();

    SettingsRead read(settings.SettingsFile);
    const QString argument = FirstArgument(arguments);
    if (IsNonEmptyFile(argument)) {
        project.ProjectFile = QDir::cleanPath(QFileInfo(argument).absoluteFilePath());
        failures << LoadProject(project.ProjectFile, project);
    } else if (const QString last = read.value(PathGroup, QStringLiteral("Project")); IsNonEmptyFile(last)) {
        project.ProjectFile = last;
        failures << LoadProject(project.ProjectFile, project);
    } else {
        StartNewProject(read, project);
    }
    ReadDesktopMemory(read, settings);
    failures.removeIf([](const FileResult &result) { return bool(result); });
    return failures;
}

void SaveSettings(const ProgramSettings &settings, const ProjectState &project)
{
    PreferenceFile file;
    if (!OpenForWriting(file, settings.SettingsFile))
        return;
    PutSwitchSettings(file, project);
    file.Close();
}

void LoadDesktopMemory(ProgramSettings &settings)
{
    SettingsRead read(settings.SettingsFile);
    ReadDesktopMemory(read, settings);
}

void SaveDesktopMemory(const ProgramSettings &settings)
{
    PreferenceFile file;
    if (!OpenForWriting(file, settings.SettingsFile))
        return;
    PutDesktopMemory(file, settings);
    file.Close();
}

void SaveSettingsAtExit(const ProgramSettings &settings, const ProjectState &project)
{
    PreferenceFile file;
    if (!OpenForWriting(file, settings.SettingsFile))
        return;
    PutSwitchSettings(file, project);
    PutDesktopMemory(file, settings);
    file.Close();
}

void RememberRecentProject(ProgramSettings &settings, const QString &path)
{
    const QString cleaned = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    settings.RecentProjects.removeIf(
        [&cleaned](const QString &known) { return QDir::cleanPath(QFileInfo(known).absoluteFilePath()) == cleaned; });
    settings.RecentProjects.prepend(cleaned);
    while (settings.RecentProjects.size() > MaxRecentProjects)
        settings.RecentProjects.removeLast();
}

} // namespace quarvel
