// What the engine needs from a front-end. The generation worker never touches a window: every
// effect it wants on the screen is one of these calls, which the desktop program turns into a
// request answered on its GUI thread and the command-line generator answers in place.
#pragma once

#include "base/file_result.h"
#include "model/object_kind.h"

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

// How the user ended the dialog: result 2 cancels the run, anything else goes on with the
// entries of the Todo List ("old > new") as they stood at that moment.
struct BindDialogAnswer {
    int result = 2;
    QStringList todo;
};

class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // Requests of the generation worker, in the order of their request numbers 1025 to 1028.
    virtual void RunStarted() = 0;
    virtual BindDialogAnswer OpenBindDialog(const BindDialogRequest &request) = 0;
    virtual void CloseBindDialog() = 0;
    virtual void AppendLogLine(const QString &text) = 0;

    // Every path out of a run ends here, so the main window is never left disabled.
    virtual void EnableMainWindow() = 0;

    // The generation guard of a project without a file: true when the user saved it.
    virtual bool SaveProjectAs() = 0;

    // Failures outside a run: a message box in the desktop program, stderr on the command line.
    virtual void ShowMessage(const QString &title, const QString &text) = 0;

    // The log list is emptied when a project is created or loaded.
    virtual void ClearLog() = 0;
};

// Shows the message of a failed file operation that has one; gives whether it succeeded.
inline bool ReportFailure(FrontEnd &frontEnd, const FileResult &result)
{
    if (!result.ok && !result.error.isEmpty())
        frontEnd.ShowMessage(result.title, result.error);
    return result.ok;
}

} // namespace quarvel
