#pragma once

#include <QString>

namespace quarvel {

// The numeric reading of project and settings values: leading spaces and tabs skipped, an
// optional sign, "$" hexadecimal or "%" binary digits or else decimal ones, up to the first
// other character; no digits give 0. The result is truncated to 32 bits.
qint32 NumericValue(QStringView text);

} // namespace quarvel
