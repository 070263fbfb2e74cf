#include "base/file_writer.h"
#include "cli/run_command_line.h"

#include <QCoreApplication>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// A run reads and builds a large project's files as strings of some megabytes each. Taken from
// and given back to one heap that is never trimmed, their memory is reused from file to file
// instead of mapped afresh for each and faulted in page by page.
void KeepFreedMemoryForReuse()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_TOP_PAD, 16 << 20);
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    KeepFreedMemoryForReuse();
    quarvel::FileWriter::KeepRunningPastFileSizeLimit();
    QCoreApplication app(argc, argv);
    QString error;
    auto options = quarvel::ParseCommandLine(QCoreApplication::arguments(), error);
    if (!options) {
        quarvel::PrintCommandLineError(stderr, error + QLatin1Char('\n') + quarvel::CommandLineUsage());
        return quarvel::ExitUsage;
    }
    options->processEndsAfterRun = true;
    return quarvel::RunCommandLine(*options);
}
