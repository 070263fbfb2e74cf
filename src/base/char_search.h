// The search for a few given characters in a line, which nearly every pass makes for nearly
// every line. Positions are 0-based; -1 means not found.
#pragma once

#include <QStringView>
#include <QtAlgorithms>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quarvel {

// The places of text at or after from that hold one of chars, left to right, handed to found
// until it accepts one: the index of that place, or -1.
// Sixteen characters are compared a step, their hits packed into one bit each, and every hit of
// a step is handed over from that one comparison. Measured against the plain loop below, an
// unchanged regeneration of 200 windows x 100 gadgets (bench/run_bench.py) ran 711 M
// instructions instead of 947 M with eight characters a step; sixteen a step took it from 580 M
// to 551 M, with the found of IndexOfChar inlined (callgrind).
template <typename Found, typename... Chars>
qsizetype FindAnyOf(QStringView text, qsizetype from, Found found, Chars... chars)
{
    const char16_t *s = reinterpret_cast<const char16_t *>(text.data());
    const qsizetype n = text.size();
    qsizetype i = qMax(from, qsizetype(0));
#if defined(__SSE2__)
    if (n >= 16) {
        // Bit k set: the character at at + k is one of chars.
        const auto hitsAt = [&](qsizetype at) {
            const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + at));
            const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + at + 8));
            __m128i lowHits = _mm_setzero_si128();
            __m128i highHits = _mm_setzero_si128();
            ((lowHits = _mm_or_si128(lowHits, _mm_cmpeq_epi16(low, _mm_set1_epi16(short(chars))))), ...);
            ((highHits = _mm_or_si128(highHits, _mm_cmpeq_epi16(high, _mm_set1_epi16(short(chars))))), ...);
            return unsigned(_mm_movemask_epi8(_mm_packs_epi16(lowHits, highHits)));
        };
        const auto visit = [&](qsizetype at, unsigned hits) -> qsizetype {
            for (; hits; hits &= hits - 1) {
                if (const qsizetype hit = at + qCountTrailingZeroBits(hits); found(hit))
                    return hit;
            }
            return -1;
        };
        for (; i + 16 <= n; i += 16) {
            if (const unsigned hits = hitsAt(i)) {
                if (const qsizetype hit = visit(i, hits); hit >= 0)
                    return hit;
            }
        }
        // The last characters: the step that ends with the text, without those looked at.
        return i < n ? visit(n - 16, hitsAt(n - 16) & (~0u << (i - (n - 16)))) : -1;
    }
    if (n >= 8) {
        const auto lanesAt = [&](qsizetype at) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + at));
            __m128i hits = _mm_setzero_si128();
            ((hits = _mm_or_si128(hits, _mm_cmpeq_epi16(block, _mm_set1_epi16(short(chars))))), ...);
            return unsigned(_mm_movemask_epi8(hits));
        };
        // Two bits a lane; each lane with a hit is handed over, then both its bits cleared.
        const auto visit = [&](qsizetype at, unsigned lanes) -> qsizetype {
            for (; lanes; lanes &= lanes - 1, lanes &= lanes - 1) {
                if (const qsizetype hit = at + qCountTrailingZeroBits(lanes) / 2; found(hit))
                    return hit;
            }
            return -1;
        };
        if (i + 8 <= n) {
            if (const qsizetype hit = visit(i, lanesAt(i)); hit >= 0)
                return hit;
            i += 8;
        }
        return i < n ? visit(n - 8, lanesAt(n - 8) & (~0u << (2 * (i - (n - 8))))) : -1;
    }
#endif
    for (; i < n; ++i) {
        if (((s[i] == chars) || ...) && found(i))
            return i;
    }
    return -1;
}

// The found of FindAnyOf that takes the first place; a type of its own, so that the search
// inlines it.
inline constexpr struct {
    constexpr bool operator()(qsizetype) const { return true; }
} AnyPlace;

// The index of the next character at or after from that is one of a, b and c, -1 when there is
// none: QStringView::indexOf for up to three characters at once, without the set-up that
// costs more than a short line of source code does.
qsizetype IndexOfAny(QStringView text, qsizetype from, char16_t a, char16_t b, char16_t c);
qsizetype IndexOfChar(QStringView text, char16_t c, qsizetype from = 0);

// Whether text holds c.
inline bool HoldsChar(QStringView text, QChar c)
{
    return IndexOfChar(text, c.unicode()) >= 0;
}

} // namespace quarvel
