// The bind dialog ("Search and Replace") on the screen: window 2 over the main window, showing
// a BindDialogModel and forwarding the user's clicks to it. It answers the worker's
// OpenBindDialog request once, with Continue or with Cancel; after that it only waits for the
// worker's CloseBindDialog and ignores every click.
#pragma once

#include "shell/dialogs/bind_suggestions.h"
#include "shell/dialogs/window_events.h"
#include "update/bind_dialog_model.h"

#include <functional>

class QListWidget;
class QPushButton;

namespace quarvel {

class Requesters;
class Toolkit;

class BindDialogWindow : public WindowEvents {
public:
    // Receives the answer: how the dialog ended and the Todo List at that moment.
    using OnAnswer = std::function<void(const BindDialogAnswer &answer)>;

    // Opens the window for the request's kind.
    BindDialogWindow(Toolkit &ui, Requesters &ask, const BindDialogRequest &request, OnAnswer answer);
    // Closes the window.
    ~BindDialogWindow() override;

    // The lists' double-clicks bind and release, as the buttons do.
    void GadgetEvent(int gadget, int type) override;
    // The dialog window's close box: the run is cancelled.
    void CloseBox() override;

    void BindSelected();
    void ReleaseSelected();
    void ContinueBinding();
    // "Bind suggested": every pair the dialog suggests goes to the Todo List.
    void BindSuggested();
    // The lists take the room, the buttons stay at the bottom.
    void Resized() override;

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
    QList<SuggestedPair> suggested_; // marked in the lists now
};

} // namespace quarvel
