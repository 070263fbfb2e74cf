// The bind dialog ("Search and Replace") on the screen: window 2 over the disabled main
// window, showing a BindDialogModel and forwarding the user's clicks to it. It answers the
// worker's OpenBindDialog request once, with Continue or with Cancel; after that it only waits
// for the worker's CloseBindDialog and ignores every click.
#pragma once

#include "update/bind_dialog_model.h"

#include <functional>

class QListWidget;
class QPushButton;

namespace quarvel {

class Requesters;
class Toolkit;

class BindDialogWindow {
public:
    // Receives the answer: how the dialog ended and the Todo List at that moment.
    using OnAnswer = std::function<void(const BindDialogAnswer &answer)>;

    // OpenBindDialogWindow: opens the window for the request's kind and disables the main window.
    BindDialogWindow(Toolkit &ui, Requesters &ask, const BindDialogRequest &request, OnAnswer answer);
    // Closes the window and enables the main window again.
    ~BindDialogWindow();

    // A gadget event of the dialog (gadgets 14 to 19).
    void GadgetEvent(int gadget, int type);
    // The dialog window's close box: the run is cancelled.
    void CloseBox();

    void BindSelected();
    void ReleaseSelected();
    void ContinueBinding();
    // "Bind suggested": every pair the dialog suggests goes to the Todo List.
    void BindSuggested();
    // The window was resized: the lists take the room, the buttons stay at the bottom.
    void Relayout();

    bool Answered() const { return answered_; }
    const BindDialogModel &model() const { return model_; }

private:
    void TakeSelection();
    void ShowModel();
    void ShowSuggestions();
    void AnswerRequest(BindDialogEnd end);

    Toolkit &ui_;
    Requesters &ask_;
    BindDialogModel model_;
    OnAnswer answer_;
    bool answered_ = false;
    QListWidget *oldList_ = nullptr;
    QListWidget *newList_ = nullptr;
    QListWidget *todoList_ = nullptr;
    QPushButton *suggestButton_ = nullptr;
};

} // namespace quarvel
