// The command line's answers to the generation's requests: log lines go to stdout as they
// come, bind dialogs are answered from the --bind options.
#pragma once

#include "../pipeline/front_end.h"

#include <QList>
#include <QPair>

#include <cstdio>

namespace quarvel {

using BindOption = QPair<QString, QString>; // OLD, NEW

class CliFrontEnd : public FrontEnd {
public:
    CliFrontEnd(QList<BindOption> binds, bool keepUnbound, FILE *out = stdout, FILE *err = stderr);

    void RunStarted() override {}
    BindDialogAnswer OpenBindDialog(const BindDialogRequest &request) override;
    void CloseBindDialog() override {}
    void AppendLogLine(const QString &text) override;
    void EnableMainWindow() override {}
    bool SaveProjectAs() override { return false; }
    void ShowMessage(const QString &title, const QString &text) override;
    void ClearLog() override {}

private:
    void PrintError(const QString &text);

    QList<BindOption> binds_;
    bool keepUnbound_;
    FILE *out_;
    FILE *err_;
};

// The name a bind dialog shows for a kind of object: "Window", "MenuBar", ... "Gadget".
QString BindKindName(int kind);

} // namespace quarvel
