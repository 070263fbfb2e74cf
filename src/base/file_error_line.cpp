#include "base/file_error_line.h"

#include <cstring>

namespace quarvel {

QString FailedFileErrorCode()
{
    return QStringLiteral("Errorcode: 1");
}

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace quarvel
