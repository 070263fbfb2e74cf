#include "cli/command_line.h"

#include "base/file_reader.h"
#include "base/file_writer.h"
#include "base/unified_diff.h"
#include "base/version.h"
#include "model/generation_context.h"
#include "model/name_tables.h"
#include "model/project_file.h"
#include "pipeline/generation_driver.h"
#include "pipeline/project_report.h"
#include "project/settings.h"
#include "project/user_gadget_list.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

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
    for (const QString &file : options.initCommonFiles)
        project.CommonFiles.append(ProjectFilePath(QFileInfo(options.projectPath).path(), file));
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

// "1 file could not be written, 7 kept as they were, see the log": what went wrong in a run
// that reached "Ready.".
QString FaultSummary(const GenerationContext &g)
{
    const auto files = [](int count, const char *what) {
        return QString::number(count) + (count == 1 ? QStringLiteral(" file could not be ") : QStringLiteral(" files could not be "))
               + QLatin1String(what);
    };
    QStringList parts;
    if (g.faults.unread > 0)
        parts.append(files(g.faults.unread, "read"));
    if (g.plan.FailedCount() > 0)
        parts.append(files(g.plan.FailedCount(), "written"));
    if (g.plan.HeldBackCount() > 0)
        parts.append(QString::number(g.plan.HeldBackCount()) + QStringLiteral(" kept as they were"));
    if (g.faults.backupFailed)
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
    QCommandLineOption dryRun{QStringLiteral("dry-run")};
    QCommandLineOption diff{QStringLiteral("diff")};
    QCommandLineOption check{QStringLiteral("check")};
    QCommandLineOption report{QStringLiteral("report"), QString(), QStringLiteral("FORMAT")};
    QCommandLineOption quiet{{QStringLiteral("q"), QStringLiteral("quiet")}};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{QStringLiteral("version")};

    bool AnyRunOption(const QCommandLineParser &parser) const
    {
        return parser.isSet(bind) || parser.isSet(set) || parser.isSet(keepUnbound) || parser.isSet(dryRun)
               || parser.isSet(diff) || parser.isSet(check) || parser.isSet(report) || parser.isSet(quiet);
    }
};

// --init PROJECT COMMONFILE...: the common files, made absolute.
bool ReadInitFiles(const QCommandLineParser &parser, const OptionSet &known, CommandLineOptions &options,
                   QString &error)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.size() < 2 || known.AnyRunOption(parser)) {
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
    options.dryRun = parser.isSet(known.dryRun);
    options.diff = parser.isSet(known.diff);
    options.check = parser.isSet(known.check);
    options.quiet = parser.isSet(known.quiet);
    if (parser.isSet(known.report)) {
        if (parser.value(known.report) != QLatin1String("json")) {
            error = QStringLiteral("--report knows one format, json, not ") + parser.value(known.report);
            return false;
        }
        options.reportJson = true;
    }
    if (options.reportJson && options.diff) {
        error = QStringLiteral("--report json and --diff both want stdout; give one of them.");
        return false;
    }
    return ReadBinds(parser.values(known.bind), options, error)
           && ReadSets(parser.values(known.set), options, error);
}

void PrintText(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

// The deepest folder that holds the project folder and every changed file: the project
// folder, unless a changed include lies outside it.
QString DiffBase(const GenerationContext &g)
{
    QString base = QDir::cleanPath(g.ProjectDirectory());
    const auto holds = [&base](const QString &path) {
        return base == QLatin1String("/") || path.startsWith(base + QLatin1Char('/'));
    };
    for (const WritePlan::Change &change : g.plan.Changes())
        while (!holds(QDir::cleanPath(change.path)))
            base = QFileInfo(base).path();
    return base;
}

// After the log: the diff of every file the run changed or would change, paths relative to
// the project folder, or to the folder that holds them all when an include lies outside it
// (patch and git apply refuse a path that leads out of the folder they work in); stderr
// then says where the diff applies.
void PrintDiff(const GenerationContext &g, FILE *out, FILE *err)
{
    const QString base = DiffBase(g);
    if (base != QDir::cleanPath(g.ProjectDirectory()))
        PrintCommandLineError(err, QStringLiteral("the diff's paths are relative to ") + base
                                       + QStringLiteral(", as it changes files outside the project folder: apply it there."));
    const QDir folder(base);
    for (const WritePlan::Change &change : g.plan.Changes())
        PrintText(out, UnifiedDiff(folder.relativeFilePath(change.path), change.before, change.after, change.created));
}

// --check: exit status 4 and the files named on stderr when a run would change any.
int CheckResult(const GenerationContext &g, FILE *err)
{
    const QDir project(g.ProjectDirectory());
    for (const WritePlan::Change &change : g.plan.Changes())
        PrintCommandLineError(err, QStringLiteral("would change ") + project.relativeFilePath(change.path));
    return g.plan.Changes().isEmpty() ? 0 : 4;
}

} // namespace

QString CommandLineUsage()
{
    return QStringLiteral(
        "usage: quarvel-gen [--bind OLD=NEW]... [--keep-unbound] [--set SWITCH=VALUE]...\n"
        "                   [--dry-run] [--diff] [--check] [--report json] [-q] [--] PROJECT.pbm\n"
        "       quarvel-gen --init [--] PROJECT.pbm COMMONFILE...\n"
        "       quarvel-gen --help | --version\n"
        "switches: Parend PB_Ignore Multilang Image_Include Image_Null UseCallFast Utf8");
}

QString CommandLineHelp()
{
    return QStringLiteral(
        "usage: quarvel-gen [OPTION]... PROJECT.pbm\n"
        "       quarvel-gen --init PROJECT.pbm COMMONFILE...\n"
        "\n"
        "Generates the event-handling skeleton of a PureBasic project, as the desktop\n"
        "program's Start button does. The log goes to stdout, then the project report.\n"
        "\n"
        "  --bind OLD=NEW       bind a renamed object's old constant to its new one\n"
        "  --keep-unbound       go on when renamed objects are left unbound\n"
        "  --set SWITCH=VALUE   override a switch for this run (and store it)\n"
        "  --dry-run            run every step but write nothing\n"
        "  --diff               after the log, a unified diff of every file the run\n"
        "                       changes or creates (for patch -p1)\n"
        "  --check              a dry run: exit 4 and name the files when any would change\n"
        "  --report json        the report as one JSON document on stdout, the log on stderr\n"
        "  -q, --quiet          only warnings, errors and the report\n"
        "  --init               write a new project file with the default switches\n"
        "  -h, --help           this text\n"
        "  --version            the program's version\n"
        "\n"
        "switches: Parend PB_Ignore Multilang Image_Include Image_Null UseCallFast Utf8\n"
        "\n"
        "exit status:\n"
        "  0  ready\n"
        "  1  cancelled (the run stopped before writing anything)\n"
        "  2  usage error, or the project file cannot be read\n"
        "  3  ready, but a file could not be read or written or the backup failed\n"
        "  4  --check found files that a run would change\n");
}

std::optional<CommandLineOptions> ParseCommandLine(const QStringList &arguments, QString &error)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const OptionSet known;
    parser.addOptions({known.bind, known.keepUnbound, known.set, known.init, known.dryRun, known.diff, known.check,
                       known.report, known.quiet, known.help, known.version});
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return std::nullopt;
    }
    CommandLineOptions options;
    options.help = parser.isSet(known.help);
    options.version = parser.isSet(known.version);
    if (options.help || options.version)
        return options;
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

namespace {

// The project file with the --set overrides; false, with the reason on err, when it cannot
// be read.
bool LoadProjectForRun(const CommandLineOptions &options, ProjectState &project, CliFrontEnd &frontEnd, FILE *err)
{
    project.switches = Switches::AllOff(); // a switch the project file does not name is 0
    if (!ReportFailure(frontEnd, LoadProject(options.projectPath, project))) {
        PrintCommandLineError(err, QStringLiteral("cannot read the project file ") + options.projectPath
                                       + QStringLiteral(" (") + ReadRegularFile(options.projectPath).reason
                                       + QLatin1Char(')'));
        return false;
    }
    project.ProjectFile = options.projectPath;
    for (const auto &set : options.sets)
        *project.switches.find(set.first) = SwitchFromNumber(set.second);
    return true;
}

// What follows a finished run: the diff, the JSON report, and the exit status.
int FinishRun(const CommandLineOptions &options, const GenerationContext &context, FILE *out, FILE *err)
{
    if (options.diff)
        PrintDiff(context, out, err);
    if (options.reportJson)
        PrintText(out, ProjectReportJson(BuildProjectReport(context)));
    // --check names the files either way; a file that could not be read or written outranks
    // its answer, since the check could not see the whole project.
    const int checked = options.check ? CheckResult(context, err) : 0;
    if (context.HasFileFaults()) {
        PrintCommandLineError(err, FaultSummary(context));
        return 3;
    }
    return checked;
}

} // namespace

int RunCommandLine(const CommandLineOptions &options, FILE *out, FILE *err)
{
    if (options.help || options.version) {
        PrintText(out, (options.help ? CommandLineHelp()
                                     : QStringLiteral("quarvel-gen ") + QLatin1String(ProgramVersion) + QLatin1Char('\n'))
                           .toUtf8());
        return 0;
    }
    if (options.init)
        return InitProject(options, out, err);

    CliFrontEnd frontEnd(options.binds, options.keepUnbound, out, err);
    frontEnd.SetLog(options.reportJson ? err : out, options.quiet);
    ProjectState project;
    if (!LoadProjectForRun(options, project, frontEnd, err))
        return 2;

    // The user's own gadget procedures count as gadget commands; without the list the run
    // goes on with the built-in names.
    ProgramSettings settings;
    WarnOfConfigFile(err);
    ReportFailure(frontEnd, LoadUserGadgets(settings));
    const NameTables nameTables = BuildNameTables(settings.UserGadgetList);
    auto context = std::make_unique<GenerationContext>(project, nameTables, frontEnd);
    context->plan.dryRun = options.dryRun || options.check;
    context->reportInLog = !options.reportJson;
    const bool ready = GenerationWorker(*context);
    frontEnd.ReportUnmatchedBinds();
    const int status = ready ? FinishRun(options, *context, out, err) : 1;
    if (options.processEndsAfterRun) {
        // Still reachable, so no leak checker reports it.
        [[maybe_unused]] static GenerationContext *keptToExit;
        keptToExit = context.release();
    }
    return status;
}

} // namespace quarvel
