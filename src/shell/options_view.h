// The options window ("Start Generate"), modal over the main window: the seven switches of the
// project as check boxes, and Start, its default button.
#pragma once

#include "model/project_state.h"

#include <QDialog>
#include <QIcon>
#include <QObject>
#include <QPointer>

class QCheckBox;

namespace quarvel {

class ProjectCommands;

class OptionsView : public QObject {
    Q_OBJECT
public:
    OptionsView(QWidget *owner, ProjectState &project, ProjectCommands &commands, QIcon startIcon);

    // Opens the window with the project's switches. A project without a file is saved first;
    // false when the window did not open.
    bool Open();
    void Close();
    bool IsOpen() const { return !window_.isNull(); }
    QDialog *window() const { return window_; }

    // The close box: no run.
    void CloseBox();

public slots:
    // While a run starts the window takes no input, until the run's first request closes it.
    void SetRunning(bool running);

signals:
    void startClicked();
    void closed();
    // A switch was clicked: the project has an unsaved change.
    void switchesChanged();

private:
    QCheckBox *AddBox(int box);
    void SwitchClicked(int box, bool on);
    // Escape takes back the switches clicked since the window opened.
    void Cancel();

    QWidget *owner_;
    ProjectState &project_;
    ProjectCommands &commands_;
    QIcon startIcon_;
    QPointer<QDialog> window_;
    QList<QCheckBox *> boxes_; // in the order of the switch table
    bool running_ = false;
    Switches opened_;          // the project's switches when the window opened
    bool openedSaved_ = false; // and whether the project was saved then
};

} // namespace quarvel
