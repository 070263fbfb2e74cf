// The desktop program's own options: --help and --version answer on stdout before any window
// or display is needed, so they work on a machine without one.
#pragma once

#include <QByteArray>
#include <QStringList>

namespace quarvel {

// The text --help or --version prints, or an empty one when the arguments ask for neither and
// the program opens its window.
QByteArray DesktopOptionAnswer(const QStringList &arguments);

// The program's arguments after its name, read before the application object exists.
QStringList DesktopArguments(int argc, char *argv[]);

} // namespace quarvel
