// The options window ("Start Generate", window 1) over the disabled main window: the seven
// switches of the project as check boxes, and Start.
#pragma once

#include "model/project_state.h"
#include "shell/dialogs/window_events.h"

#include <QIcon>
#include <QObject>

namespace quarvel {

class ProjectCommands;
class Toolkit;

class OptionsView : public QObject, public WindowEvents {
    Q_OBJECT
public:
    OptionsView(Toolkit &ui, ProjectState &project, ProjectCommands &commands, QIcon startIcon);

    // Opens the window with the project's switches. A project without a file is saved first;
    // false when the window did not open.
    bool Open();
    void Close();
    bool IsOpen() const;

    void GadgetEvent(int gadget, int type) override;
    // The close box and Escape: no run.
    void CloseBox() override;

public slots:
    // While a run starts the window takes no input, until the run's first request closes it.
    void SetRunning(bool running);

signals:
    void startClicked();
    void closed();

private:
    void SwitchClicked(int gadget);
    void Cancel();

    Toolkit &ui_;
    ProjectState &project_;
    ProjectCommands &commands_;
    QIcon startIcon_;
    bool running_ = false;
    Switches opened_;          // the project's switches when the window opened
    bool openedSaved_ = false; // and whether the project was saved then
};

} // namespace quarvel
