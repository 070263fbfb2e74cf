// The command that opens a file at a line in the user's editor: the one the settings name, or
// else the first of a few well-known editors found on the search path.
#pragma once

#include <QString>
#include <QStringList>

namespace quarvel {

// The command of the first known editor installed in one of searchPaths (PATH when empty), as
// "gedit +%l %f"; empty when none is.
QString DefaultEditorCommand(const QStringList &searchPaths = QStringList());

// The program and its arguments for command, "%f" replaced by file and "%l" by line (1 when
// the file is opened at no line); empty for an empty command.
QStringList EditorCommandLine(const QString &command, const QString &file, int line);

} // namespace quarvel
