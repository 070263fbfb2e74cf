// The command line's answers to the generation's requests: log lines go to stdout as they
// come, bind dialogs are answered from the --bind options.
#pragma once

#include "model/front_end.h"

#include <QList>
#include <QPair>

#include <cstdio>

namespace quarvel {

class BindDialogModel;

using BindOption = QPair<QString, QString>; // OLD, NEW

class CliFrontEnd : public FrontEnd {
public:
    CliFrontEnd(QList<BindOption> binds, bool keepUnbound, FILE *out = stdout, FILE *err = stderr);

    void RunStarted() override {}
    BindDialogAnswer OpenBindDialog(const BindDialogRequest &request) override;
    void CloseBindDialog() override {}
    void AppendLogLine(const LogEntry &entry) override;
    void RunFinished(const RunResult &) override {}
    void ShowMessage(const QString &title, const QString &text) override;
    void ClearLog() override {}

    // After the run: each --bind that no bind dialog of the run offered either name of.
    void ReportUnmatchedBinds();

    // Where log lines go (stdout unless the report takes it) and whether only warnings,
    // errors, the end of a run and the report are shown.
    void SetLog(FILE *log, bool quiet);

private:
    void PrintError(const QString &text);
    void PrintUnbound(const BindDialogModel &dialog);
    void PrintMisfit(const BindOption &bind, const BindDialogModel &dialog);

    QList<BindOption> binds_;
    bool keepUnbound_;
    QList<bool> bindSeen_; // bound, or reported as not fitting, in some dialog
    FILE *err_;
    FILE *log_;
    bool logToTerminal_ = false; // each line flushed as it comes; elsewhere the stream's buffer
    bool quiet_ = false;
    bool afterReady_ = false;
};

// A line on err behind "quarvel-gen: ", flushed at once.
void PrintCommandLineError(FILE *err, const QString &text);

} // namespace quarvel
