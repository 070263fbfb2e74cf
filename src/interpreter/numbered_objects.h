// Windows, gadgets, menu items and toolbar buttons created with a plain number
// ("OpenWindow(0, ...", "ButtonGadget(1, ...", "MenuItem(101, ...") get a constant each, named
// from their kind and number: #Window_0, #Button_1, #MenuItem_101 (the prefix pass then puts
// the window's name in front of all but the window's). The number is replaced where the object
// is created and wherever the code uses it for that kind of object: an argument of a command
// of that kind, a comparison with EventGadget(), EventMenu() or EventWindow(), and a Case of a
// Select on one of them. The replacement is done on the lines as read, so that every later
// pass sees constants.
#pragma once

#include <QList>
#include <QStringList>

namespace quarvel {

struct DesignModel;

// lines: one common file, changed in place; skipped: lines no constant of the program reaches
// (a module's). Each object named is appended to model.NumberedObjects.
void NameNumberedObjects(DesignModel &model, QStringList &lines, qint32 fileIndex, const QList<bool> &skipped);

} // namespace quarvel
