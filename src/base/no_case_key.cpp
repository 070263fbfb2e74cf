#include "base/no_case_key.h"

#include <QChar>
#include <QHashFunctions>

namespace quarvel {

// The case-folded character that begins at i, i moved past it: one unit, or a surrogate pair
// folded as the character it encodes. Nearly every name is ASCII, folded without a table.
static char32_t FoldedAt(QStringView text, qsizetype &i)
{
    const char16_t unit = text[i++].unicode();
    if (unit < 0x80)
        return char16_t(unit - u'A') < 26 ? char32_t(unit + 32) : char32_t(unit);
    if (QChar::isHighSurrogate(unit) && i < text.size() && text[i].isLowSurrogate())
        return QChar::toCaseFolded(QChar::surrogateToUcs4(unit, text[i++].unicode()));
    return QChar::toCaseFolded(char32_t(unit));
}

NoCaseKey NoCaseKey::Holding(const QString &name)
{
    NoCaseKey key;
    key.held_ = name;
    key.text_ = key.held_;
    return key;
}

bool operator==(const NoCaseKey &a, const NoCaseKey &b)
{
    const QStringView x = a.text_, y = b.text_;
    qsizetype i = 0, j = 0;
    while (i < x.size() && j < y.size()) {
        if (FoldedAt(x, i) != FoldedAt(y, j))
            return false;
    }
    return i == x.size() && j == y.size();
}

size_t qHash(const NoCaseKey &key, size_t seed) noexcept
{
    quint64 h = 0xcbf29ce484222325ULL; // FNV-1a over the folded characters
    for (qsizetype i = 0; i < key.text_.size();)
        h = (h ^ FoldedAt(key.text_, i)) * 0x100000001b3ULL;
    return ::qHash(h, seed);
}

} // namespace quarvel
