// quarvel-gen's exit statuses, as the command-line contract gives them.
#pragma once

namespace quarvel {

enum ExitStatus {
    ExitReady = 0,       // after "Ready." (or a written --init project, --help, --version)
    ExitCancelled = 1,   // after "Cancel.": the run stopped before writing anything
    ExitUsage = 2,       // a usage error, or the project file cannot be read or written
    ExitFileFault = 3,   // a file could not be read or written (after "Ready."), or the backup failed
    ExitWouldChange = 4, // --check found files that a run would change
};

} // namespace quarvel
