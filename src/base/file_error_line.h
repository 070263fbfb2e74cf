// The wording of the log lines and messages that report a file the program could not read or
// write. Scripts read these lines, so every caller words them through here.
#pragma once

#include <QString>

namespace quarvel {

// "Errorcode: 1", the code every failed file operation reports.
QString FailedFileErrorCode();

// " -> Error " + what + " " + path + " / Errorcode: 1".
QString FileErrorLine(const QString &what, const QString &path);

// " -> Error: Cannot read " + path + " (" + reason + "). Stop!": a file of the user that must
// be read for the run to go on.
QString CannotReadStopLine(const QString &path, const QString &reason);

// The log line that follows a file written as UTF-8 because 8 bits could not hold it.
QString BeyondEightBitWarning(const QString &path);

// The system's words for an errno value, the reason such a line or message gives.
QString SystemReason(int error);

// The log line for a file with a byte-order mark whose bytes from line on are no text in its
// format (they read as U+FFFD).
QString InvalidBytesWarning(const QString &path, int line);

} // namespace quarvel
