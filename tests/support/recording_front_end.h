// A front-end for tests: keeps every log line, message and run result, answers bind dialogs
// from a script.
#pragma once

#include "model/front_end.h"
#include "model/log_sink.h"

#include <QList>
#include <functional>

namespace quarvel {

class RecordingFrontEnd : public FrontEnd {
public:
    void RunStarted() override { ++runStarted; }
    BindDialogAnswer OpenBindDialog(const BindDialogRequest &request) override;
    void CloseBindDialog() override { ++bindDialogsClosed; }
    void AppendLogLine(const LogEntry &entry) override
    {
        log.append(entry.text);
        entries.append(entry);
        if (onLogLine)
            onLogLine(entry);
    }
    void RunFinished(const RunResult &result) override { results.append(result); }
    void ShowMessage(const QString &title, const QString &text) override
    {
        messages.append(title + QStringLiteral(": ") + text);
    }
    void ClearLog() override
    {
        log.clear();
        entries.clear();
    }

    QStringList log;
    QList<LogEntry> entries;  // the log's lines with their kind and place
    QList<RunResult> results; // one per run
    QStringList messages;
    QList<BindDialogRequest> bindRequests;
    std::function<BindDialogAnswer(const BindDialogRequest &)> answerBindDialog;
    // Called with each log line as it comes: a run's moments, for a test that acts between them.
    std::function<void(const LogEntry &)> onLogLine;
    int runStarted = 0;
    int bindDialogsClosed = 0;
};

// A log sink for tests of single passes: keeps every line, and the text of the one that stopped
// the run.
class RecordingLog final : public LogSink {
public:
    void Log(const LogEntry &entry) override
    {
        texts.append(entry.text);
        entries.append(entry);
    }
    void Stop(const LogEntry &entry) override
    {
        stopReason = entry.text;
        Log(entry);
    }

    QStringList texts;
    QList<LogEntry> entries;
    QString stopReason;
};

} // namespace quarvel
