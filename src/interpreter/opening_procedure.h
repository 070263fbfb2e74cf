// The window Main.pb opens and the procedure it opens it with.
#pragma once

#include <QString>

namespace quarvel {

struct DesignModel;
class LogSink;

// The window a line opens by its constant, without "#"; empty for any other line.
QString OpenedWindowConstant(const QString &line);

// The window Main.pb opens (MainWindow): the first of WindowList, unless that one cannot open
// before the others (it asks for another window as its parent, or Main.pb cannot call what
// opens it); then the first window that can, and the log says so. A window the program's own
// top-level code opened comes before the windows of procedures of its file. When no "Open_" +
// window procedure is defined, the procedure that opens the window becomes Main.pb's call if it
// can be called without arguments; otherwise the log says which procedure it is and why Main.pb
// cannot call it. A window opened invisible, or hidden by its procedure right after it opens,
// is shown by Main.pb (FirstWindowInvisible).
void ChooseMainWindow(DesignModel &model, LogSink &log);

} // namespace quarvel
