// Whether a file named outside the file requester (on the command line, in the recent list,
// dropped) can be opened as a project: a missing, unreadable, empty or foreign file is named
// to the user with the reason, instead of opening as an empty project under its name.
#pragma once

#include <QString>

namespace quarvel {

// Why path cannot be a project file, in words for the user; empty when it can.
QString ProjectFileProblem(const QString &path);

// The message that names the file and the reason.
QString ProjectFileMessage(const QString &path, const QString &problem);

} // namespace quarvel
