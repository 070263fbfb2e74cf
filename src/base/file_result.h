// The outcome of reading or writing one of the program's own files (the project file, the
// user gadget list). The reader or writer only says what went wrong; its caller shows it,
// in a message box or on stderr.
#pragma once

#include "base/file_error_line.h"

#include <QString>

namespace quarvel {

struct FileResult {
    bool ok = true;
    QString title; // the message's title: the role of the file
    QString error; // the message's text; empty when there is nothing to report

    explicit operator bool() const { return ok; }

    // A file that could not be read or written, reported under title.
    static FileResult Failed(const QString &title) { return {false, title, FailedFileErrorCode()}; }
    // Nothing done and nothing to report.
    static FileResult NotDone() { return {false, QString(), QString()}; }
};

} // namespace quarvel
