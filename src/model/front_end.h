// What the engine needs from a front-end. The generation worker never touches a window: every
// effect it wants on the screen is one of these calls, which the desktop program turns into a
// request answered on its GUI thread and the command-line generator answers in place.
#pragma once

#include "base/file_result.h"
#include "model/log_entry.h"
#include "model/object_kind.h"
#include "model/run_result.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quarvel {

// The payload of an OpenBindDialog request: one kind of object whose old names lost their
// match in this run.
struct BindDialogRequest {
    ObjectKind kind = ObjectKind::Window;
    QStringList unboundOld;
    QStringList unboundNew;
};

// An old name bound to its new one in the bind dialog.
struct NamePair {
    QString oldName;
    QString newName;

    bool operator==(const NamePair &) const = default;
};

// How the bind dialog ended: Cancel (or its close box) cancels the run.
enum class BindDialogEnd { Continue, Cancel };

// The dialog's answer: how it ended, and the pairs of its Todo List as they stood then.
struct BindDialogAnswer {
    BindDialogEnd end = BindDialogEnd::Cancel;
    QList<NamePair> bindings;
};

class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // Requests of the generation worker, in the order of their request numbers 1025 to 1028.
    virtual void RunStarted() = 0;
    virtual BindDialogAnswer OpenBindDialog(const BindDialogRequest &request) = 0;
    virtual void CloseBindDialog() = 0;
    virtual void AppendLogLine(const LogEntry &entry) = 0;

    // Once at the end of every run, whichever way it ended, after its last log line.
    virtual void RunFinished(const RunResult &result) = 0;

    // Failures outside a run: a message box in the desktop program, stderr on the command line.
    virtual void ShowMessage(const QString &title, const QString &text) = 0;

    // The log list is emptied when a project is created or loaded.
    virtual void ClearLog() = 0;
};

// Shows the message of a failed file operation that has one; gives whether it succeeded.
inline bool ReportFailure(FrontEnd &frontEnd, const FileResult &result)
{
    if (!result.Message().isEmpty())
        frontEnd.ShowMessage(result.title, result.Message());
    return bool(result);
}

} // namespace quarvel
