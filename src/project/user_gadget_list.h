// The user gadget list (UserList.INI): the user's own gadget-creating procedures, which the
// object name pass takes for gadget creations.
#pragma once

#include "base/file_result.h"

#include <QStringList>

namespace quarvel {

struct ProgramSettings;

// Reads UserList.INI into settings.UserGadgetList (locating it first when UserListFile is
// empty); a missing or empty file is written with its header "[USERGADGET]". Failed, with the
// "UserGadgetList" message and an empty list, when it can neither be read nor created.
FileResult LoadUserGadgets(ProgramSettings &settings);

// The names of the "[USERGADGET]" section of UserList.INI text, trimmed of spaces; a line
// that is only spaces names nothing.
QStringList ReadUserGadgetText(const QStringList &lines);

// The Ok of the user gadget window: replaces the list and rewrites UserList.INI. Failed, with
// the "Save UserGadget" message, when the file cannot be written (the list is replaced anyway).
FileResult SaveUserGadgets(ProgramSettings &settings, const QStringList &names);

} // namespace quarvel
