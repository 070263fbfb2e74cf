#include "base/numeric_value.h"

#include "base/basic_strings.h"

namespace quarvel {

static int DigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int digit = -1;
    if (u >= '0' && u <= '9')
        digit = u - '0';
    else if (u >= 'a' && u <= 'f')
        digit = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        digit = u - 'A' + 10;
    return digit < base ? digit : -1;
}

qint32 NumericValue(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    int base = 10;
    if (i < text.size() && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i < text.size() && text[i] == QLatin1Char('%')) {
        base = 2;
        ++i;
    }
    quint64 value = 0; // wraps on overflow; only the low 32 bits are kept
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0)
            break;
        value = value * quint64(base) + quint64(digit);
    }
    if (negative)
        value = quint64(0) - value;
    return qint32(quint32(value & 0xFFFFFFFFu));
}

std::optional<qint64> PlainNumber(QStringView text)
{
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QStringView digits = TrimLeadingBlanksView(negative ? text.sliced(1) : text);
    bool ok = false;
    qint64 value = 0;
    if (digits.startsWith(QLatin1Char('$')))
        value = digits.sliced(1).toLongLong(&ok, 16);
    else if (digits.startsWith(QLatin1Char('%')))
        value = digits.sliced(1).toLongLong(&ok, 2);
    else if (!digits.isEmpty() && digits.front().isDigit())
        value = digits.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace quarvel
