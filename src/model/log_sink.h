// Where a pass sends its log lines. The run counts them and hands them to its front-end; a
// test keeps them. A pass that logs takes a LogSink, so its signature says that it logs and a
// test needs no run to hear it.
#pragma once

#include "model/log_entry.h"

#include <QtGlobal>

namespace quarvel {

struct DesignModel;
struct SourceOrigin;

class LogSink {
public:
    virtual void Log(const LogEntry &entry) = 0;
    // The line that ends the run before anything is written: the run keeps its text as the
    // reason it stopped.
    virtual void Stop(const LogEntry &entry) { Log(entry); }

    void Line(const QString &text) { Log(LogEntry{text}); }
    // file and line: the place the line is about, when it names one.
    void Warning(const QString &text, const QString &file = QString(), int line = 0)
    {
        Log(LogEntry{text, LogKind::Warning, file, line});
    }
    void Error(const QString &text, const QString &file = QString()) { Log(LogEntry{text, LogKind::Error, file}); }

protected:
    LogSink() = default;
    LogSink(const LogSink &) = default;
    LogSink &operator=(const LogSink &) = default;
    ~LogSink() = default;
};

// A warning about a line of a window source, which the text gives as "(Form.pb:12)": placed
// at the common file and line the origin names.
void WarnAt(LogSink &log, const DesignModel &model, const QString &text, SourceOrigin origin);
// The same for a line of the model's CommonSourceLines, by its index there.
void WarnAtSourceLine(LogSink &log, const DesignModel &model, const QString &text, qsizetype commonSourceLine);
// The error line that stops the run because of a line of CommonSourceLines, placed there.
void StopAtSourceLine(LogSink &log, const DesignModel &model, const QString &text, qsizetype commonSourceLine);

} // namespace quarvel
