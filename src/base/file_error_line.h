// The words a failed file operation gives: its error code and the system's reason. The log
// lines that carry them are worded in model/log_messages.h.
#pragma once

#include <QString>

namespace quarvel {

// "Errorcode: 1", the code every failed file operation reports.
QString FailedFileErrorCode();

// The system's words for an errno value, the reason such a line or message gives.
QString SystemReason(int error);

} // namespace quarvel
