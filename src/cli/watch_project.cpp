#include "cli/watch_project.h"

#include "cli/run_command_line.h"
#include "project/source_watch.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace quarvel {

namespace {

// A signal handler may do next to nothing: it writes a byte into a pipe, and the event loop,
// which reads the pipe, ends the watch. One pipe for the process, as signals are the process's.
int signalPipe[2] = {-1, -1}; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

extern "C" void WriteSignalByte(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// SIGINT and SIGTERM quit the event loop; false when the pipe cannot be made.
bool QuitOnSignals(QSocketNotifier *&notifier)
{
    if (signalPipe[0] < 0 && ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction action = {};
    action.sa_handler = WriteSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, QCoreApplication::instance(),
                     [] { QCoreApplication::quit(); });
    return true;
}

// A run that stopped because a file was saved while it worked is run once more, so that the
// saved text is generated from; the watch then follows the second.
CommandLineRun RunOnce(const CommandLineOptions &options, FILE *out, FILE *err)
{
    const CommandLineRun run = RunGeneration(options, out, err);
    return run.changedWhileRunning ? RunGeneration(options, out, err) : run;
}

void PrintWatching(FILE *out, FILE *err)
{
    std::fflush(out);
    std::fputs("Watching for changes (Ctrl-C ends).\n", err);
    std::fflush(err);
}

} // namespace

ExitStatus WatchProject(const CommandLineOptions &options, FILE *out, FILE *err)
{
    QSocketNotifier *notifier = nullptr;
    if (!QuitOnSignals(notifier)) {
        PrintCommandLineError(err, QStringLiteral("cannot watch: no pipe for the signals."));
        return ExitUsage;
    }
    const CommandLineRun first = RunOnce(options, out, err);
    if (first.status == ExitUsage)
        return ExitUsage;
    SourceWatch watch;
    // The files the run wrote are its own change, not the user's; a project file that cannot be
    // read keeps the last list of sources.
    const auto follow = [&watch, out, err](const CommandLineRun &run) {
        if (!run.sources.isEmpty())
            watch.Watch(run.sources);
        watch.Accept(run.written);
        PrintWatching(out, err);
    };
    follow(first);
    QObject::connect(&watch, &SourceWatch::changed, &watch, [&] { follow(RunOnce(options, out, err)); });
    QCoreApplication::exec();
    delete notifier;
    return ExitReady;
}

} // namespace quarvel
