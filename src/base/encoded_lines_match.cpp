#include "base/encoded_lines_match.h"

#include <QStringEncoder>

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quarvel {

namespace {

#if defined(__SSE2__)
// Whether the n characters at s are the n bytes at b, below the characters' limit: a character
// differs when its bits differ from its byte's widened, or when it has a bit of mask.
template <int N>
bool SameBlock(const char16_t *s, const uchar *b, __m128i mask)
{
    const __m128i zero = _mm_setzero_si128();
    const auto differs = [&](const char16_t *chars, __m128i widened) {
        const __m128i text = _mm_loadu_si128(reinterpret_cast<const __m128i *>(chars));
        return _mm_or_si128(_mm_xor_si128(text, widened), _mm_and_si128(text, mask));
    };
    if constexpr (N == 8) {
        const __m128i narrow = _mm_loadl_epi64(reinterpret_cast<const __m128i *>(b));
        return _mm_movemask_epi8(_mm_cmpeq_epi8(differs(s, _mm_unpacklo_epi8(narrow, zero)), zero)) == 0xFFFF;
    } else {
        const __m128i narrow = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b));
        const __m128i both = _mm_or_si128(differs(s, _mm_unpacklo_epi8(narrow, zero)),
                                          differs(s + 8, _mm_unpackhi_epi8(narrow, zero)));
        return _mm_movemask_epi8(_mm_cmpeq_epi8(both, zero)) == 0xFFFF;
    }
}
#endif

// Whether each character of text is the one byte at its place at the start of bytes: below
// U+0080 when asciiOnly (UTF-8, where ASCII alone is its own byte), below U+0100 else.
// Sixteen characters a step, the last step ending with the text (it may look at some again):
// eight a step and the rest one by one, the comparison of CommonFile.pb and EventMain.pb cost
// an unchanged regeneration of 200 x 100 (bench/make_project.py) 4.9 M instructions more.
bool SameBytes(QStringView text, QByteArrayView bytes, bool asciiOnly)
{
    const qsizetype n = text.size();
    if (n > bytes.size())
        return false;
    const char16_t *s = text.utf16();
    const auto *b = reinterpret_cast<const uchar *>(bytes.data());
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi16(short(asciiOnly ? 0xFF80 : 0xFF00));
    if (n >= 16) {
        for (qsizetype i = 0; i + 16 <= n; i += 16) {
            if (!SameBlock<16>(s + i, b + i, mask))
                return false;
        }
        return SameBlock<16>(s + n - 16, b + n - 16, mask);
    }
    if (n >= 8)
        return SameBlock<8>(s, b, mask) && SameBlock<8>(s + n - 8, b + n - 8, mask);
#endif
    const char16_t limit = asciiOnly ? 0x80 : 0x100;
    for (qsizetype i = 0; i < n; ++i) {
        if (s[i] >= limit || s[i] != b[i])
            return false;
    }
    return true;
}

// Whether bytes hold piece at at.
bool HoldsAt(QByteArrayView bytes, qsizetype at, QByteArrayView piece)
{
    return at + piece.size() <= bytes.size() && std::equal(piece.begin(), piece.end(), bytes.begin() + at);
}

// One piece of text in format, as EncodeLines writes it: 8-bit text (and a code page, which
// EncodeLines writes as 8-bit) with "?" for a character beyond U+00FF.
class PieceEncoder {
public:
    explicit PieceEncoder(TextFormat format)
    {
        if (const auto encoding = UnicodeEncoding(format))
            encoder_.emplace(*encoding, QStringConverter::Flag::Stateless);
    }
    QByteArray operator()(QStringView text) { return encoder_ ? QByteArray(encoder_->encode(text)) : text.toLatin1(); }

private:
    std::optional<QStringEncoder> encoder_;
};

} // namespace

bool EncodesAs(const QStringList &lines, TextFormat format, QByteArrayView bytes, LineEnds ends)
{
    const QByteArray mark = ByteOrderMarkBytes(format);
    if (!bytes.startsWith(mark))
        return false;
    PieceEncoder encode(format);
    const QByteArray lineEnd = encode(ends.Terminator());
    const bool byteWide = !UnicodeEncoding(format) || format == TextFormat::Utf8;
    qsizetype at = mark.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (byteWide && SameBytes(line, bytes.sliced(at), format == TextFormat::Utf8)) {
            at += line.size();
        } else {
            const QByteArray encoded = encode(line);
            if (!HoldsAt(bytes, at, encoded))
                return false;
            at += encoded.size();
        }
        if (i + 1 < lines.size() || ends.afterLast) {
            if (!HoldsAt(bytes, at, lineEnd))
                return false;
            at += lineEnd.size();
        }
    }
    return at == bytes.size();
}

} // namespace quarvel
