// What the desktop program reads out of a log line: whether it reports an error or a warning,
// and which file (and line) it names, so the log can colour it and open the file.
#pragma once

#include <QString>

namespace quarvel {

enum class LogLineKind { Plain, Warning, Error };

LogLineKind ClassifyLogLine(const QString &line);

struct FileReference {
    QString path;   // as the line gives it; empty when the line names no file
    int line = 0;   // 1-based; 0 when the line names none
};

// The file a log line names: " -> Write File PATH", " -> Error OpenFile PATH / Errorcode: 1",
// " -> Update Includefile PATH / Count Change: N", " -> Warning: PATH holds ...", and a report
// line "PATH:LINE: text" or "PATH (line N)".
FileReference FileNamedBy(const QString &line);

// The path of a " -> Write File " or " -> Update Includefile " line; empty for any other.
QString WrittenFile(const QString &line);

// Counts of the error and warning lines of a run, and the status bar's summary of them.
struct RunSummary {
    int errors = 0;
    int warnings = 0;
    QString outcome; // "Ready" or "Cancel" once the run has said so

    void Count(const QString &line);
    // "Ready — 1 error, 3 warnings".
    QString Text() const;
};

} // namespace quarvel
