#include "cli/command_line_options.h"

#include "cli/exit_status.h"
#include "model/switches.h"

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

// A line end in a name would split it into two entries of the project file.
bool HoldsLineEnd(const QString &name)
{
    return name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r'));
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
    QCommandLineOption watch{QStringLiteral("watch")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{QStringLiteral("version")};

    bool AnyRunOption(const QCommandLineParser &parser) const
    {
        return parser.isSet(bind) || parser.isSet(set) || parser.isSet(keepUnbound) || parser.isSet(dryRun)
               || parser.isSet(diff) || parser.isSet(check) || parser.isSet(report) || parser.isSet(quiet)
               || parser.isSet(watch);
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
            error = QStringLiteral("a common file name holds a line end: ")
                    + QString(file)
                          .replace(QLatin1Char('\n'), QStringLiteral("\\n"))
                          .replace(QLatin1Char('\r'), QStringLiteral("\\r"));
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
    options.watch = parser.isSet(known.watch);
    if (options.watch && (options.check || options.diff || parser.isSet(known.bind))) {
        error = QStringLiteral("--watch runs again and again; --check, --diff and --bind are for one run.");
        return false;
    }
    return ReadBinds(parser.values(known.bind), options, error) && ReadSets(parser.values(known.set), options, error);
}

// "switches: Parend PB_Ignore ...", the names a project file and --set use.
QString SwitchNamesLine()
{
    QStringList names;
    for (const char *name : Switches::Names())
        names.append(QLatin1String(name));
    return QStringLiteral("switches: ") + names.join(QLatin1Char(' '));
}

QString ExitStatusLines()
{
    const struct {
        ExitStatus status;
        const char *meaning;
    } statuses[] = {
        {ExitReady, "ready"},
        {ExitCancelled, "cancelled (the run stopped before writing anything)"},
        {ExitUsage, "usage error, or the project file cannot be read"},
        {ExitFileFault, "ready, but a file could not be read or written or the backup failed"},
        {ExitWouldChange, "--check found files that a run would change"},
    };
    QString lines = QStringLiteral("exit status:\n");
    for (const auto &entry : statuses)
        lines += QStringLiteral("  ") + QString::number(entry.status) + QStringLiteral("  ")
                 + QLatin1String(entry.meaning) + QLatin1Char('\n');
    return lines;
}

} // namespace

QString CommandLineUsage()
{
    return QStringLiteral("usage: quarvel-gen [--bind OLD=NEW]... [--keep-unbound] [--set SWITCH=VALUE]...\n"
                          "                   [--dry-run] [--diff] [--check] [--report json] [-q] [--] PROJECT.pbm\n"
                          "       quarvel-gen --watch [--keep-unbound] [--set SWITCH=VALUE]... [--dry-run]\n"
                          "                   [--report json] [-q] [--] PROJECT.pbm\n"
                          "       quarvel-gen --init [--] PROJECT.pbm COMMONFILE...\n"
                          "       quarvel-gen --help | --version\n")
           + SwitchNamesLine();
}

QString CommandLineHelp()
{
    return QStringLiteral("usage: quarvel-gen [OPTION]... PROJECT.pbm\n"
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
                          "  --watch              run, then run again whenever the project file or a\n"
                          "                       window source changes, until Ctrl-C\n"
                          "  --init               write a new project file with the default switches\n"
                          "  -h, --help           this text\n"
                          "  --version            the program's version\n"
                          "\n")
           + SwitchNamesLine() + QStringLiteral("\n\n") + ExitStatusLines();
}

std::optional<CommandLineOptions> ParseCommandLine(const QStringList &arguments, QString &error)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const OptionSet known;
    parser.addOptions({known.bind, known.keepUnbound, known.set, known.init, known.dryRun, known.diff, known.check,
                       known.report, known.quiet, known.watch, known.help, known.version});
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

} // namespace quarvel
