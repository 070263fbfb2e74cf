#include "base/file_error_line.h"

#include <cstring>

namespace quarvel {

QString FailedFileErrorCode()
{
    return QStringLiteral("Errorcode: 1");
}

QString FileErrorLine(const QString &what, const QString &path)
{
    return QStringLiteral(" -> Error ") + what + QLatin1Char(' ') + path + QStringLiteral(" / ")
           + FailedFileErrorCode();
}

QString CannotReadStopLine(const QString &path, const QString &reason)
{
    return QStringLiteral(" -> Error: Cannot read ") + path + QStringLiteral(" (") + reason
           + QStringLiteral("). Stop!");
}

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString BeyondEightBitWarning(const QString &path)
{
    return QStringLiteral(" -> Warning: ") + path + QStringLiteral(" holds characters beyond 8 bit, written as UTF-8.");
}

QString InvalidBytesWarning(const QString &path, int line)
{
    return QStringLiteral(" -> Warning: ") + path + QStringLiteral(" holds invalid bytes in line ")
           + QString::number(line) + QStringLiteral(", read as U+FFFD.");
}

} // namespace quarvel
