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

// Compare and hash go a character a step: going four a step saved 6 M of the 717 M
// instructions of an unchanged regeneration of 200 windows x 100 gadgets (under 1 %).
// QString::compare finds names of different lengths different, and so does the key.
bool operator==(const NoCaseKey &a, const NoCaseKey &b)
{
    const QStringView x = a.text_, y = b.text_;
    if (x.size() != y.size())
        return false;
    qsizetype i = 0, j = 0;
    while (i < x.size()) {
        if (x[i] == y[j] && !x[i].isHighSurrogate()) { // most keys that meet are written alike
            ++i;
            ++j;
        } else if (FoldedAt(x, i) != FoldedAt(y, j)) {
            return false;
        }
    }
    return j == y.size();
}

// A character's folded value, ASCII ones with bit 0x20 set: that joins every letter with its
// other case (and a few pairs of other characters, which only share a hash) without folding.
size_t qHash(const NoCaseKey &key, size_t seed) noexcept
{
    const QStringView text = key.text_;
    quint64 h = 0xcbf29ce484222325ULL; // FNV-1a
    for (qsizetype i = 0; i < text.size();) {
        char32_t c = text[i].unicode();
        if (c < 0x80) {
            ++i;
        } else {
            c = FoldedAt(text, i);
            if (c >= 0x80) {
                h = (h ^ c) * 0x100000001b3ULL;
                continue;
            }
        }
        h = (h ^ (c | 0x20)) * 0x100000001b3ULL;
    }
    return ::qHash(h, seed);
}

} // namespace quarvel
