// A front-end for tests: keeps every log line and message, answers bind dialogs from a script.
#pragma once

#include "model/front_end.h"

#include <QList>
#include <functional>

namespace quarvel {

class RecordingFrontEnd : public FrontEnd {
public:
    void RunStarted() override { ++runStarted; }
    BindDialogAnswer OpenBindDialog(const BindDialogRequest &request) override;
    void CloseBindDialog() override { ++bindDialogsClosed; }
    void AppendLogLine(const QString &text) override { log.append(text); }
    void EnableMainWindow() override { ++mainWindowEnabled; }
    bool SaveProjectAs() override { ++saveAsAsked; return saveAsResult; }
    void ShowMessage(const QString &title, const QString &text) override { messages.append(title + QStringLiteral(": ") + text); }
    void ClearLog() override { log.clear(); }

    QStringList log;
    QStringList messages;
    QList<BindDialogRequest> bindRequests;
    std::function<BindDialogAnswer(const BindDialogRequest &)> answerBindDialog;
    bool saveAsResult = false;
    int runStarted = 0;
    int bindDialogsClosed = 0;
    int mainWindowEnabled = 0;
    int saveAsAsked = 0;
};

} // namespace quarvel
