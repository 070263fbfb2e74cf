#pragma once

#include <QString>

#include <optional>

namespace quarvel {

// The numeric reading of project and settings values: leading spaces and tabs skipped, an
// optional sign, "$" hexadecimal or "%" binary digits or else decimal ones, up to the first
// other character; no digits give 0. The result is truncated to 32 bits.
qint32 NumericValue(QStringView text);

// The value of a text that is a whole number as PureBasic writes it: an optional "-", then
// decimal, "$" hexadecimal or "%" binary digits. Nothing for any other text.
std::optional<qint64> PlainNumber(QStringView text);

} // namespace quarvel
