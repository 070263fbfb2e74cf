// The desktop program's answers to the generation worker. Called on the worker thread, every
// call becomes a request block posted as a gadget event of the CommandButton and answered on
// the GUI thread; called on the GUI thread itself, it is carried out at once.
#pragma once

#include "model/front_end.h"

#include <functional>
#include <semaphore>

namespace quarvel {

class EventQueue;

// One synchronous request of the worker; lives on the worker's stack until answered.
struct RequestBlock {
    // A standard semaphore rather than QSemaphore: its hand-over is visible to the thread
    // checker, which cannot look inside Qt's.
    std::binary_semaphore semaphore{0};
    qint64 result = 0;
    quintptr data = 0;
};

// Payloads the block's data points to.
struct BindDialogPayload {
    const BindDialogRequest *request = nullptr;
    BindDialogAnswer *answer = nullptr;
};
struct MessagePayload {
    QString title;
    QString text;
};

// GUI thread: stores the result into the block and signals its semaphore once.
void AnswerRequest(RequestBlock *block, qint64 result);

class DesktopFrontEnd : public FrontEnd {
public:
    // perform carries out a request on the GUI thread and gives its result.
    using Perform = std::function<qint64(int kind, quintptr data)>;
    DesktopFrontEnd(EventQueue &queue, Perform perform) : queue_(queue), perform_(std::move(perform)) {}

    void RunStarted() override;
    BindDialogAnswer OpenBindDialog(const BindDialogRequest &request) override;
    void CloseBindDialog() override;
    void AppendLogLine(const QString &text) override;
    void EnableMainWindow() override;
    bool SaveProjectAs() override;
    void ShowMessage(const QString &title, const QString &text) override;
    void ClearLog() override;

    // Worker thread: posts the request and blocks until the GUI thread has answered it.
    qint64 SendRequestAndWait(int kind, quintptr data);

private:
    qint64 Request(int kind, quintptr data);

    EventQueue &queue_;
    Perform perform_;
};

} // namespace quarvel
