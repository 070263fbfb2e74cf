#include "base/lower_case_key.h"

#include "base/line_scan.h"

#include <cstring>

namespace quarvel {

namespace {

char16_t FoldAscii(char16_t c)
{
    return char16_t(c + (char16_t(c - u'A') < 26 ? 32 : 0));
}

// FoldAscii on the four UTF-16 units of a word at once: a unit below 0x8000 whose low 15 bits
// lie in A-Z gets 0x20 added, without a carry into the next unit.
quint64 FoldAsciiUnits(quint64 units)
{
    constexpr quint64 high = 0x8000800080008000ULL;
    const quint64 low = units & ~high;
    const quint64 atLeastA = low + 0x7FBF7FBF7FBF7FBFULL;  // high bit set from 0x41 on
    const quint64 beyondZ = low + 0x7FA57FA57FA57FA5ULL;   // high bit set from 0x5B on
    const quint64 capital = atLeastA & ~beyondZ & ~units & high;
    return units + (capital >> 10);
}

quint64 Word(const char16_t *units)
{
    quint64 word;
    std::memcpy(&word, units, sizeof word);
    return word;
}

quint64 Mix(quint64 h)
{
    h = (h ^ (h >> 33)) * 0xff51afd7ed558ccdULL;
    h = (h ^ (h >> 33)) * 0xc4ceb9fe1a85ec53ULL;
    return h ^ (h >> 33);
}

} // namespace

LowerCaseKey::LowerCaseKey(QStringView name) : text_(name)
{
    LowerIfBeyondAscii();
}

// A lower-cased text folds to itself, so it compares with ASCII names by the same folding.
void LowerCaseKey::LowerIfBeyondAscii()
{
    const char16_t *units = text_.utf16();
    const qsizetype n = text_.size();
    quint64 beyondAscii = 0;
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4)
        beyondAscii |= Word(units + i) & 0xFF80FF80FF80FF80ULL;
    for (; i < n; ++i)
        beyondAscii |= units[i] & 0xFF80;
    if (!beyondAscii)
        return;
    held_ = LowerCase(text_.toString());
    text_ = held_;
}

bool operator==(const LowerCaseKey &a, const LowerCaseKey &b)
{
    const qsizetype n = a.text_.size();
    if (b.text_.size() != n)
        return false;
    const char16_t *x = a.text_.utf16();
    const char16_t *y = b.text_.utf16();
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) { // four units a step; most keys that meet are written alike
        const quint64 u = Word(x + i), v = Word(y + i);
        if (u != v && FoldAsciiUnits(u) != FoldAsciiUnits(v))
            return false;
    }
    for (; i < n; ++i) {
        if (x[i] != y[i] && FoldAscii(x[i]) != FoldAscii(y[i]))
            return false;
    }
    return true;
}

// Four units a step, each with bit 0x20 set: that joins every letter with its other case (and
// a few pairs of other characters, which only share a hash), so keys equal in any letter case
// hash alike without folding. The mix at the end gives the table good low bits.
size_t qHash(const LowerCaseKey &key, size_t seed) noexcept
{
    const char16_t *units = key.text_.utf16();
    const qsizetype n = key.text_.size();
    quint64 h = seed ^ quint64(n);
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        h = (h ^ (Word(units + i) | 0x0020002000200020ULL)) * 0x9E3779B97F4A7C15ULL;
        h ^= h >> 29;
    }
    quint64 rest = 0;
    for (; i < n; ++i)
        rest = (rest << 16) | (units[i] | 0x20);
    return size_t(Mix(h ^ rest));
}

} // namespace quarvel
