#include "base/encoded_lines_match.h"

#include <QStringEncoder>

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quarvel {

namespace {

#if defined(__SSE2__)
// Whether the n characters at s are the n bytes at b: each equal to its byte widened (so below
// U+0100), and with asciiOnly no byte above 0x7F.
template <int N>
bool SameBlock(const char16_t *s, const uchar *b, bool asciiOnly)
{
    const __m128i zero = _mm_setzero_si128();
    const auto same = [](const char16_t *chars, __m128i widened) {
        return _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i *>(chars)), widened);
    };
    __m128i narrow;
    __m128i equal;
    if constexpr (N == 8) {
        narrow = _mm_loadl_epi64(reinterpret_cast<const __m128i *>(b));
        equal = same(s, _mm_unpacklo_epi8(narrow, zero));
    } else {
        narrow = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b));
        equal = _mm_and_si128(same(s, _mm_unpacklo_epi8(narrow, zero)), same(s + 8, _mm_unpackhi_epi8(narrow, zero)));
    }
    return _mm_movemask_epi8(equal) == 0xFFFF && !(asciiOnly && _mm_movemask_epi8(narrow) != 0);
}
#endif

// Whether each character of text is the one byte at its place at the start of bytes: below
// U+0080 when asciiOnly (UTF-8, where ASCII alone is its own byte), below U+0100 else.
// Sixteen characters a step, the last step ending with the text (it may look at some again):
// eight a step and the rest one by one, the comparison of CommonFile.pb and EventMain.pb cost
// an unchanged regeneration of 200 x 100 (bench/make_project.py) 6.1 M instructions more.
bool SameBytes(QStringView text, QByteArrayView bytes, bool asciiOnly)
{
    const qsizetype n = text.size();
    if (n > bytes.size())
        return false;
    const char16_t *s = text.utf16();
    const auto *b = reinterpret_cast<const uchar *>(bytes.data());
#if defined(__SSE2__)
    if (n >= 16) {
        for (qsizetype i = 0; i + 16 <= n; i += 16) {
            if (!SameBlock<16>(s + i, b + i, asciiOnly))
                return false;
        }
        return SameBlock<16>(s + n - 16, b + n - 16, asciiOnly);
    }
    if (n >= 8)
        return SameBlock<8>(s, b, asciiOnly) && SameBlock<8>(s + n - 8, b + n - 8, asciiOnly);
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

bool EncodesAs(const QStringList &lines, TextFormat format, ByteSource &bytes, LineEnds ends)
{
    const QByteArray mark = ByteOrderMarkBytes(format);
    if (!bytes.From(0, mark.size()).startsWith(mark))
        return false;
    PieceEncoder encode(format);
    const QByteArray lineEnd = encode(ends.Terminator());
    const bool byteWide = !UnicodeEncoding(format) || format == TextFormat::Utf8;
    // The line end is nearly always one LF: told in place, it spares a call a line.
    const auto endsLineAt = [&](QByteArrayView line, qsizetype end) {
        return lineEnd.size() == 1 ? end < line.size() && line[end] == lineEnd[0] : HoldsAt(line, end, lineEnd);
    };
    qsizetype at = mark.size();
    // The bytes last had from the source, and where they begin: a line is compared within them
    // while they reach past it, so the source is asked once a window, not once a line (asked
    // each line, the comparison cost an unchanged regeneration of 200 x 100
    // (bench/make_project.py) 12.2 M instructions, against 9.2 M).
    QByteArrayView window;
    qsizetype windowAt = 0;
    const auto ahead = [&](qsizetype want) {
        if (at + want > windowAt + window.size()) {
            window = bytes.From(at, want);
            windowAt = at;
        }
        return window.sliced(at - windowAt);
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        // The bytes of the line and its end, when it is one byte a character.
        QByteArrayView here = ahead(line.size() + lineEnd.size());
        qsizetype length = line.size();
        if (!byteWide || !SameBytes(line, here, format == TextFormat::Utf8)) {
            const QByteArray encoded = encode(line);
            here = ahead(encoded.size() + lineEnd.size());
            if (!here.startsWith(encoded))
                return false;
            length = encoded.size();
        }
        if (i + 1 < lines.size() || ends.afterLast) {
            if (!endsLineAt(here, length))
                return false;
            length += lineEnd.size();
        }
        at += length;
    }
    return bytes.From(at, 1).isEmpty();
}

bool EncodesAs(const QStringList &lines, TextFormat format, QByteArrayView bytes, LineEnds ends)
{
    ByteView view(bytes);
    return EncodesAs(lines, format, view, ends);
}

} // namespace quarvel
