// The UserGadget window: window 3 over the disabled main window, where the user edits the
// names of his own gadget-creating procedures. Ok writes UserList.INI; the close box throws
// the edits away. The name tables are not rebuilt: the list takes effect at the next start.
#pragma once

#include "project/settings.h"
#include "shell/dialogs/window_events.h"

#include <QObject>
#include <QPointer>

class QListWidget;

namespace quarvel {

class FrontEnd;
class Requesters;
class Toolkit;

class UserGadgetDialog : public QObject, public WindowEvents {
    Q_OBJECT
public:
    UserGadgetDialog(Toolkit &ui, Requesters &ask, ProgramSettings &settings, FrontEnd &frontEnd);

    // Opens the window filled with settings.UserGadgetList, unless it is open already.
    void Open();
    bool IsOpen() const;

    // The list's double-click edits a name; Add, Del, and Ok, which saves and closes.
    void GadgetEvent(int gadget, int type) override;
    // The edits are thrown away.
    void CloseBox() override;

    void AddGadget();
    void EditGadget();
    void DeleteGadget();
    // Ok: the list in the window becomes the user gadget list and is written to UserList.INI.
    void SaveUserGadgets();

    QStringList Names() const;

signals:
    void closed();

private:
    void Close();

    Toolkit &ui_;
    Requesters &ask_;
    ProgramSettings &settings_;
    FrontEnd &frontEnd_;
    QPointer<QListWidget> list_;
};

} // namespace quarvel
