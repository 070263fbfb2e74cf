// One line of a run's log as the engine hands it to a front-end: the text exactly as the log
// shows it, what kind of line it is and the place it names, so that no front-end has to read
// the text back to colour it, count it or open its file.
#pragma once

#include <QString>

#include <utility>

namespace quarvel {

enum class LogKind {
    Plain,
    Warning,     // " -> Warning: ..."
    Error,       // " -> Error ...", "- Error ..."
    FileWritten, // " -> Write File ...", " -> Update Includefile ..."
    Finding,     // a report line about a place in the project
    Ready,       // "Ready.": the report follows
    Cancel,      // "Cancel."
};

struct LogEntry {
    LogEntry() = default;
    LogEntry(QString text, LogKind kind = LogKind::Plain, QString file = QString(), int line = 0)
        : text(std::move(text)),
          kind(kind),
          file(std::move(file)),
          line(line)
    {}

    QString text;
    LogKind kind = LogKind::Plain;
    QString file; // absolute or relative to the project folder; empty when the line names none
    int line = 0; // 1-based; 0 when the line names none
};

} // namespace quarvel
