// The bind dialog ("Search and Replace") on the screen: a dialog modal over the main window,
// showing a BindDialogModel and forwarding the user's clicks to it. It answers the worker's
// OpenBindDialog request once, with Continue or with Cancel; after that it only waits for the
// worker's CloseBindDialog and ignores every click.
#pragma once

#include "shell/dialogs/bind_suggestions.h"
#include "update/bind_dialog_model.h"

#include <QDialog>

#include <functional>

class QListWidget;
class QPushButton;

namespace quarvel {

class Requesters;

class BindDialogWindow : public QDialog {
    Q_OBJECT
public:
    // Receives the answer: how the dialog ended and the Todo List at that moment.
    using OnAnswer = std::function<void(const BindDialogAnswer &answer)>;

    // Opens the window for the request's kind, over owner.
    BindDialogWindow(QWidget *owner, Requesters &ask, const BindDialogRequest &request, OnAnswer answer);

    // The close box and Escape: the run is cancelled.
    void CloseBox();
    void BindSelected();
    void ReleaseSelected();
    void ContinueBinding();
    // "Bind suggested": every pair the dialog suggests goes to the Todo List.
    void BindSuggested();

    bool Answered() const { return answered_; }
    const BindDialogModel &model() const { return model_; }

protected:
    void reject() override { CloseBox(); }
    void closeEvent(QCloseEvent *event) override;

private:
    QListWidget *AddList(const char *name);
    QPushButton *AddButton(const char *name, const QString &text, void (BindDialogWindow::*clicked)());
    void TakeSelection();
    void ShowModel();
    void ShowSuggestions();
    void AnswerRequest(BindDialogEnd end);

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
