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
#include <QSet>
#include <QStringList>

namespace quarvel {

struct DesignModel;

// Whether a file creates an object with a plain number. Most files create every object with a
// constant or #PB_Any: they need neither the walk below nor the constants beside it, and this
// test, asked once per file, is all they cost (asked twice, with a third look inside the walk,
// it cost an unchanged regeneration of 200 x 100 (bench/make_project.py) 6.1 M instructions
// more).
bool CreatesNumberedObjects(const QStringList &lines);

// The constants the code of the common files names, upper-cased without "#", which the names
// given here must not be.
QSet<QString> ConstantsBesideNumbers(const QList<QStringList> &files);

// lines: one common file, changed in place; skipped: lines no constant of the program reaches
// (a module's); taken: ConstantsBesideNumbers. A name the sources use already gets "_2" ("_3",
// ...) added. Each object named is appended to model.NumberedObjects. A file for which
// CreatesNumberedObjects is false is left as it is.
void NameNumberedObjects(DesignModel &model, QStringList &lines, qint32 fileIndex, const QList<bool> &skipped,
                         const QSet<QString> &taken);

} // namespace quarvel
