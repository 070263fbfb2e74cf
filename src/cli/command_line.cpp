#include "cli/command_line.h"

#include "base/file_writer.h"
#include "model/generation_context.h"
#include "model/name_tables.h"
#include "model/project_file.h"
#include "pipeline/generation_driver.h"
#include "project/settings.h"

#include <QCommandLineParser>
#include <QDir>
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

int InitProject(const CommandLineOptions &options, FILE *out, FILE *err)
{
    if (QFileInfo::exists(options.projectPath)) {
        PrintCommandLineError(err, options.projectPath + QStringLiteral(" exists already; --init never overwrites a file."));
        return 2;
    }
    ProjectState project;
    project.switches = Switches(); // the defaults of a new project
    project.CommonFiles = options.initCommonFiles;
    CliFrontEnd frontEnd({}, false, out, err);
    return ReportFailure(frontEnd, SaveProject(options.projectPath, project, FileWriter())) ? 0 : 2;
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
    for (const QString &file : positional.mid(1))
        options.initCommonFiles.append(Absolute(file));
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
        "usage: quarvel-gen [--bind OLD=NEW]... [--keep-unbound] [--set SWITCH=VALUE]... PROJECT.pbm\n"
        "       quarvel-gen --init PROJECT.pbm COMMONFILE...\n"
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
        PrintCommandLineError(err, QStringLiteral("cannot read the project file ") + options.projectPath);
        return 2;
    }
    project.ProjectFile = options.projectPath;
    for (const auto &set : options.sets)
        *project.switches.find(set.first) = set.second;

    // The user's own gadget procedures count as gadget commands; without the list the run
    // goes on with the built-in names.
    ProgramSettings settings;
    ReportFailure(frontEnd, LoadUserGadgets(settings));
    const NameTables nameTables = BuildNameTables(settings.UserGadgetList);
    GenerationContext context(project, nameTables, frontEnd);
    return GenerationWorker(context) ? 0 : 1;
}

} // namespace quarvel
