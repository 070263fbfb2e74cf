#include "cli/command_line.h"

#include "base/file_reader.h"
#include "base/file_writer.h"
#include "model/generation_context.h"
#include "model/name_tables.h"
#include "model/project_file.h"
#include "pipeline/generation_driver.h"
#include "project/settings.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quarvel {

namespace {

QString Absolute(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool SplitAssignment(const QString &text, QString &left, QString &right)
{
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    left = text.left(eq);
    right = text.mid(eq + 1);
    return true;
}

// The project file is created exclusively before it is written, so of several --init runs
// on one name exactly one succeeds; an existing file is never touched.
int InitProject(const CommandLineOptions &options, FILE *out, FILE *err)
{
    QFile reserved(options.projectPath);
    if (!reserved.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        PrintCommandLineError(err, QFileInfo::exists(options.projectPath)
                                       ? options.projectPath + QStringLiteral(" exists already; --init never overwrites a file.")
                                       : QStringLiteral("cannot create ") + options.projectPath + QStringLiteral(" (")
                                             + reserved.errorString() + QLatin1Char(')'));
        return 2;
    }
    reserved.close();
    ProjectState project;
    project.switches = Switches(); // the defaults of a new project
    project.CommonFiles = options.initCommonFiles;
    CliFrontEnd frontEnd({}, false, out, err);
    if (ReportFailure(frontEnd, SaveProject(options.projectPath, project, FileWriter())))
        return 0;
    reserved.remove();
    return 2;
}

// A line end in a name would split it into two entries of the project file.
bool HoldsLineEnd(const QString &name)
{
    return name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r'));
}

// "3 files could not be written, see the log": what went wrong in a run that reached "Ready.".
QString FaultSummary(const RunFaults &faults)
{
    const auto files = [](int count, const char *what) {
        return QString::number(count) + (count == 1 ? QStringLiteral(" file could not be ") : QStringLiteral(" files could not be "))
               + QLatin1String(what);
    };
    QStringList parts;
    if (faults.unread > 0)
        parts.append(files(faults.unread, "read"));
    if (faults.unwritten > 0)
        parts.append(files(faults.unwritten, "written"));
    if (faults.backupFailed)
        parts.append(QStringLiteral("the backup failed"));
    return parts.join(QStringLiteral(", ")) + QStringLiteral(", see the log");
}

void WarnOfConfigFile(FILE *err)
{
    const QString configDir = qEnvironmentVariable("QUARVEL_CONFIG_DIR");
    if (!configDir.isEmpty() && QFileInfo::exists(configDir) && !QFileInfo(configDir).isDir())
        PrintCommandLineError(err, QStringLiteral("QUARVEL_CONFIG_DIR names a file, not a folder: ") + configDir);
}

// The options QCommandLineParser knows, by the names the steps below ask it for.
struct OptionSet {
    QCommandLineOption bind{QStringLiteral("bind"), QString(), QStringLiteral("OLD=NEW")};
    QCommandLineOption keepUnbound{QStringLiteral("keep-unbound")};
    QCommandLineOption set{QStringLiteral("set"), QString(), QStringLiteral("SWITCH=VALUE")};
    QCommandLineOption init{QStringLiteral("init")};
};

// --init PROJECT COMMONFILE...: the common files, made absolute.
bool ReadInitFiles(const QCommandLineParser &parser, const OptionSet &known, CommandLineOptions &options,
                   QString &error)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.size() < 2 || parser.isSet(known.bind) || parser.isSet(known.set) || options.keepUnbound) {
        error = QStringLiteral("--init takes a project file and at least one common file, and no other option.");
        return false;
    }
    for (const QString &file : positional.mid(1)) {
        if (HoldsLineEnd(file)) {
            error = QStringLiteral("a common file name holds a line end: ") + QString(file).replace(QLatin1Char('\n'), QStringLiteral("\\n")).replace(QLatin1Char('\r'), QStringLiteral("\\r"));
            return false;
        }
        options.initCommonFiles.append(Absolute(file));
    }
    return true;
}

bool ReadBinds(const QStringList &values, CommandLineOptions &options, QString &error)
{
    for (const QString &value : values) {
        BindOption pair;
        if (!SplitAssignment(value, pair.first, pair.second) || pair.second.isEmpty()) {
            error = QStringLiteral("--bind wants OLD=NEW, not ") + value;
            return false;
        }
        options.binds.append(pair);
    }
    return true;
}

bool ReadSets(const QStringList &values, CommandLineOptions &options, QString &error)
{
    for (const QString &value : values) {
        QString name, number;
        bool isNumber = false;
        const bool split = SplitAssignment(value, name, number);
        const int switchValue = number.toInt(&isNumber);
        if (!split || !Switches().find(name) || !isNumber) {
            error = QStringLiteral("--set wants SWITCH=NUMBER with a known switch, not ") + value;
            return false;
        }
        options.sets.append({name, switchValue});
    }
    return true;
}

// A generation run: one project file, then the bindings and the switch overrides.
bool ReadRunOptions(const QCommandLineParser &parser, const OptionSet &known, CommandLineOptions &options,
                    QString &error)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        error = QStringLiteral("one project file only: ") + positional.mid(1).join(QLatin1Char(' '));
        return false;
    }
    return ReadBinds(parser.values(known.bind), options, error)
           && ReadSets(parser.values(known.set), options, error);
}

} // namespace

QString CommandLineUsage()
{
    return QStringLiteral(
        "usage: quarvel-gen [--bind OLD=NEW]... [--keep-unbound] [--set SWITCH=VALUE]... [--] PROJECT.pbm\n"
        "       quarvel-gen --init [--] PROJECT.pbm COMMONFILE...\n"
        "switches: Parend PB_Ignore Multilang Image_Include Image_Null UseCallFast Utf8");
}

std::optional<CommandLineOptions> ParseCommandLine(const QStringList &arguments, QString &error)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const OptionSet known;
    parser.addOptions({known.bind, known.keepUnbound, known.set, known.init});
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return std::nullopt;
    }
    CommandLineOptions options;
    options.init = parser.isSet(known.init);
    options.keepUnbound = parser.isSet(known.keepUnbound);
    if (parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("no project file given.");
        return std::nullopt;
    }
    options.projectPath = Absolute(parser.positionalArguments().first());
    const bool read = options.init ? ReadInitFiles(parser, known, options, error)
                                   : ReadRunOptions(parser, known, options, error);
    if (!read)
        return std::nullopt;
    return options;
}

int RunCommandLine(const CommandLineOptions &options, FILE *out, FILE *err)
{
    if (options.init)
        return InitProject(options, out, err);

    CliFrontEnd frontEnd(options.binds, options.keepUnbound, out, err);
    ProjectState project;
    project.switches = Switches::AllOff(); // a switch the project file does not name is 0
    if (!ReportFailure(frontEnd, LoadProject(options.projectPath, project))) {
        PrintCommandLineError(err, QStringLiteral("cannot read the project file ") + options.projectPath
                                       + QStringLiteral(" (") + ReadRegularFile(options.projectPath).reason
                                       + QLatin1Char(')'));
        return 2;
    }
    project.ProjectFile = options.projectPath;
    for (const auto &set : options.sets)
        *project.switches.find(set.first) = set.second;

    // The user's own gadget procedures count as gadget commands; without the list the run
    // goes on with the built-in names.
    ProgramSettings settings;
    WarnOfConfigFile(err);
    ReportFailure(frontEnd, LoadUserGadgets(settings));
    const NameTables nameTables = BuildNameTables(settings.UserGadgetList);
    GenerationContext context(project, nameTables, frontEnd);
    const bool ready = GenerationWorker(context);
    frontEnd.ReportUnmatchedBinds();
    if (!ready)
        return 1;
    if (context.faults.any()) {
        PrintCommandLineError(err, FaultSummary(context.faults));
        return 3;
    }
    return 0;
}

} // namespace quarvel
