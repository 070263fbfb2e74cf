// The UserGadget window, modal over the main window, where the user edits the names of his own
// gadget-creating procedures. Ok writes UserList.INI; the close box and Escape throw the edits
// away. The name tables are not rebuilt: the list takes effect at the next start.
#pragma once

#include "project/settings.h"

#include <QDialog>
#include <QListWidget>
#include <QObject>
#include <QPointer>

class QWidget;

namespace quarvel {

class FrontEnd;
class Requesters;

class UserGadgetDialog : public QObject {
    Q_OBJECT
public:
    UserGadgetDialog(QWidget *owner, Requesters &ask, ProgramSettings &settings, FrontEnd &frontEnd);

    // Opens the window filled with settings.UserGadgetList, unless it is open already.
    void Open();
    bool IsOpen() const { return !window_.isNull(); }
    QDialog *window() const { return window_; }
    // The edits are thrown away.
    void Close();

    void AddGadget();
    void EditGadget();
    void DeleteGadget();
    // Ok: the list in the window becomes the user gadget list and is written to UserList.INI.
    void SaveUserGadgets();

    QStringList Names() const;

signals:
    void closed();

private:
    QWidget *owner_;
    Requesters &ask_;
    ProgramSettings &settings_;
    FrontEnd &frontEnd_;
    QPointer<QDialog> window_;
    QPointer<QListWidget> list_;
};

} // namespace quarvel
