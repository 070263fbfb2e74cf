// The UserGadget window: window 3 over the disabled main window, where the user edits the
// names of his own gadget-creating procedures. Ok writes UserList.INI; the close box throws
// the edits away. The name tables are not rebuilt: the list takes effect at the next start.
#pragma once

#include "project/settings.h"

class QListWidget;

namespace quarvel {

class FrontEnd;
class Requesters;
class Toolkit;

class UserGadgetDialog {
public:
    // Opens the window filled with settings.UserGadgetList and disables the main window.
    UserGadgetDialog(Toolkit &ui, Requesters &ask, ProgramSettings &settings, FrontEnd &frontEnd);
    // Closes the window and enables the main window again.
    ~UserGadgetDialog();

    // A gadget event of the window (gadgets 20 to 23). True when the window is done (after Ok).
    bool GadgetEvent(int gadget, int type);

    void AddGadget();
    void EditGadget();
    void DeleteGadget();
    // Ok: the list in the window becomes the user gadget list and is written to UserList.INI.
    void SaveUserGadgets();

    QStringList Names() const;

private:
    Toolkit &ui_;
    Requesters &ask_;
    ProgramSettings &settings_;
    FrontEnd &frontEnd_;
    QListWidget *list_ = nullptr;
};

} // namespace quarvel
