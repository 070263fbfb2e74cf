#include "base/char_search.h"

namespace quarvel {

qsizetype IndexOfAny(QStringView text, qsizetype from, char16_t a, char16_t b, char16_t c)
{
    return FindAnyOf(text, from, AnyPlace, a, b, c);
}

qsizetype IndexOfChar(QStringView text, char16_t c, qsizetype from)
{
    return FindAnyOf(text, from, AnyPlace, c);
}

} // namespace quarvel
