// The outcome of reading or writing a file: which file and, when it went wrong, why. Readers
// and writers only say what happened; their callers turn it into a log line, a message box
// or a line on stderr.
#pragma once

#include "base/file_error_line.h"

#include <QString>

namespace quarvel {

struct FileResult {
    enum Status {
        Done,    // read or written
        Missing, // there is no such file (nor a folder on the way to it)
        Failed,  // it exists and could not be read, or could not be written
        NotDone, // nothing was tried and there is nothing to report
    };
    Status status = Done;
    QString path;
    QString reason; // the system's words for what went wrong: "Permission denied"
    QString title;  // a message box's title for one of the program's own files: its role

    explicit operator bool() const { return status == Done; }

    // The text a message box shows for a file that could not be read or written; empty when
    // there is nothing to report.
    QString Message() const { return status == Missing || status == Failed ? FailedFileErrorCode() : QString(); }

    // This result, reported under title when it fails.
    FileResult Titled(const QString &role) const
    {
        FileResult titled = *this;
        titled.title = role;
        return titled;
    }
};

} // namespace quarvel
