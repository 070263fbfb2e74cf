// Reading text files: decoding their bytes, telling their format and line ends, and cutting
// them into lines.
#include "base/text_encoding.h"

#include "base/char_search.h"
#include "base/code_page.h"
#include "base/shared_lines.h"

#include <QStringDecoder>
#include <QtEndian>

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quarvel {

// Qt's own UTF-32 decoder turns a unit beyond U+10FFFF into a stray surrogate pair; here
// every unit that is no character (beyond U+10FFFF, a surrogate, a cut-off last unit)
// becomes U+FFFD like any other invalid sequence.
static QString DecodeUtf32(QByteArrayView bytes, bool bigEndian)
{
    QString text;
    text.reserve(bytes.size() / 4 + 1);
    const auto *data = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype whole = bytes.size() / 4 * 4;
    for (qsizetype i = 0; i < whole; i += 4) {
        const char32_t unit = bigEndian ? qFromBigEndian<quint32>(data + i) : qFromLittleEndian<quint32>(data + i);
        if (unit > 0x10FFFF || QChar::isSurrogate(unit)) {
            text += QChar(QChar::ReplacementCharacter);
        } else if (QChar::requiresSurrogates(unit)) {
            text += QChar(QChar::highSurrogate(unit));
            text += QChar(QChar::lowSurrogate(unit));
        } else {
            text += QChar(char16_t(unit));
        }
    }
    if (whole < bytes.size())
        text += QChar(QChar::ReplacementCharacter);
    return text;
}

// Invalid sequences become U+FFFD: a damaged file still reads, line for line. invalid, when
// given, tells whether there were any.
static QString DecodeWith(QStringDecoder &decoder, QByteArrayView bytes, bool *invalid)
{
    QString text = decoder.decode(bytes);
    if (invalid)
        *invalid = decoder.hasError();
    return text;
}

// The text of bytes in format; invalid, when given, tells whether some bytes were no text in
// format (UTF-8 or UTF-16; the UTF-32 decoder replaces them without telling).
static QString Decode(QByteArrayView bytes, TextFormat format, bool *invalid)
{
    if (format == TextFormat::Utf32LE || format == TextFormat::Utf32BE)
        return DecodeUtf32(bytes, format == TextFormat::Utf32BE);
    const auto encoding = UnicodeEncoding(format);
    if (!encoding)
        return QString::fromLatin1(bytes.data(), bytes.size());
    QStringDecoder decoder(*encoding, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return DecodeWith(decoder, bytes, invalid);
}

QString DecodeText(QByteArrayView bytes, TextFormat format)
{
    return Decode(bytes, format, nullptr);
}

namespace {

// How many lines of a text end with LF, CR LF and CR alone, counted in one search for both.
struct LineBreaks {
    qsizetype lf = 0, crlf = 0, cr = 0;

    qsizetype Count() const { return lf + crlf + cr; }
};

LineBreaks CountLineBreaks(QStringView text)
{
    const QChar *const chars = text.data();
    const qsizetype size = text.size();
    qsizetype lf = 0, cr = 0, crlf = 0; // LF and CR each, and CR LF pairs
    FindAnyOf(
        text, 0,
        [&](qsizetype i) {
            if (chars[i] == u'\n') {
                ++lf;
            } else {
                ++cr;
                crlf += i + 1 < size && chars[i + 1] == u'\n';
            }
            return false;
        },
        u'\n', u'\r');
    return {lf - crlf, crlf, cr - crlf};
}

// The line ends most lines of a text end with.
LineEnds LineEndsOf(QStringView text, const LineBreaks &breaks)
{
    LineEnds ends;
    ends.afterLast = text.isEmpty() || text.back() == u'\n' || text.back() == u'\r';
    ends.crlf = breaks.crlf > breaks.lf && breaks.crlf >= breaks.cr;
    ends.cr = breaks.cr > breaks.lf && breaks.cr > breaks.crlf;
    return ends;
}

// The lines of text, which has the line ends breaks counted, each made by makeLine(index,
// begin, length) from its part of text.
template <typename MakeLine>
QArrayDataPointer<QString> CutLines(QString &text, const LineBreaks &breaks, const MakeLine &makeLine)
{
    // The lines are views into the one buffer, each ended by a NUL where its line end stood,
    // as every QString is, and the list is made at its full size before they are cut. A file
    // read this way costs no allocation a line: an unchanged regeneration of 200 x 100
    // (bench/make_project.py) ran 739 M instructions with a QString copied out a line and a
    // search a line, 674 M with the lines shared and one search a file. Counting the line ends
    // first, for the size of the list and the file's line end at once, and making each line in
    // its slot, took reading its files from 42 M to 26 M (callgrind).
    QChar *const chars = text.data();
    const qsizetype size = text.size();
    const bool afterLast = size == 0 || chars[size - 1] == u'\n' || chars[size - 1] == u'\r';
    // Each line is made in its slot, which is allocated for it and never default-made first.
    QArrayDataPointer<QString> lines(QTypedArrayData<QString>::allocate(breaks.Count() + (afterLast ? 0 : 1)));
    QString *line = lines.data(); // the next slot
    const auto append = [&](qsizetype begin, qsizetype length) {
        new (line) QString(makeLine(qint32(line - lines.data()), begin, length));
        ++line;
    };
    qsizetype begin = 0;
    const auto cut = [&](qsizetype i, qsizetype length) {
        chars[i] = QChar(u'\0');
        append(begin, i - begin);
        begin = i + length;
    };
    // Nearly every file is without CR, and takes the search for LF alone.
    if (breaks.crlf + breaks.cr == 0) {
        FindAnyOf(
            text, 0,
            [&](qsizetype i) {
                cut(i, 1);
                return false;
            },
            u'\n');
    } else {
        FindAnyOf(
            text, 0,
            [&](qsizetype i) {
                if (i >= begin) // not the LF of a CR LF
                    cut(i, chars[i] == u'\r' && i + 1 < size && chars[i + 1] == u'\n' ? 2 : 1);
                return false;
            },
            u'\n', u'\r');
    }
    if (begin < size)
        append(begin, size - begin);
    lines.size = line - lines.data();
    return lines;
}

QStringList SplitLinesOf(QString text, const LineBreaks &breaks, bool shareRepeats = false)
{
    text.detach();
    if (!shareRepeats)
        return CutLines(text, breaks,
                        [&text](qint32, qsizetype begin, qsizetype length) { return SharedLine(text, begin, length); });
    RepeatSharingCutter cutter(text);
    QArrayDataPointer<QString> lines = CutLines(
        text, breaks,
        [&cutter](qint32 index, qsizetype begin, qsizetype length) { return cutter.line(index, begin, length); });
    cutter.finish(lines.data());
    return QStringList(lines);
}

} // namespace

QStringList SplitLines(QString text)
{
    const LineBreaks breaks = CountLineBreaks(text);
    return SplitLinesOf(std::move(text), breaks);
}

LineEnds DetectLineEnds(QStringView text)
{
    return LineEndsOf(text, CountLineBreaks(text));
}

namespace {

// NUL in the high byte of every ASCII character of UTF-16 text: LE when it is the second byte
// of each pair, BE when the first. The other byte of a NUL pair is never NUL too.
std::optional<TextFormat> Utf16ByNuls(QByteArrayView bytes)
{
    // Text without NUL, nearly every file, is passed at the speed of memchr.
    if (bytes.size() < 2 || bytes.size() % 2 != 0 || !std::memchr(bytes.data(), 0, size_t(bytes.size())))
        return std::nullopt;
    qsizetype low = 0, high = 0;
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        const uchar first = uchar(bytes[i]), second = uchar(bytes[i + 1]);
        if (first == 0 && second == 0)
            return std::nullopt;
        low += second == 0 && first < 0x80;
        high += first == 0 && second < 0x80;
    }
    const qsizetype pairs = bytes.size() / 2;
    if (low * 2 > pairs && high == 0)
        return TextFormat::Utf16LE;
    if (high * 2 > pairs && low == 0)
        return TextFormat::Utf16BE;
    return std::nullopt;
}

// The first line holding a replacement character, where decoding met invalid bytes.
int FirstInvalidLine(const QStringList &lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines[i].contains(QChar(QChar::ReplacementCharacter)))
            return int(i + 1);
    return 0;
}

} // namespace

namespace {

// What one look at the bytes of a file tells: whether they are all ASCII, how many LF they hold
// and whether any CR. In ASCII text the characters are the bytes, and so are the line ends.
struct ByteCensus {
    bool ascii = true;
    bool carriageReturns = false;
    qsizetype lf = 0;
};

ByteCensus TakeByteCensus(QByteArrayView bytes)
{
    ByteCensus census;
    const char *const s = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    uchar bits = 0; // of every byte
#if defined(__SSE2__)
    // Sixteen bytes a step: an LF adds 1 to its lane, and the lanes are summed before any can
    // overflow.
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
    __m128i blockBits = _mm_setzero_si128(), crs = _mm_setzero_si128();
    while (i + 16 <= n) {
        __m128i lanes = _mm_setzero_si128();
        for (int step = 0; step < 255 && i + 16 <= n; ++step, i += 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i));
            lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(block, lf));
            crs = _mm_or_si128(crs, _mm_cmpeq_epi8(block, cr));
            blockBits = _mm_or_si128(blockBits, block);
        }
        const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
        census.lf += _mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4);
    }
    census.carriageReturns = _mm_movemask_epi8(crs) != 0;
    bits = _mm_movemask_epi8(blockBits) != 0 ? 0x80 : 0;
#endif
    for (; i < n; ++i) {
        census.lf += s[i] == '\n';
        census.carriageReturns = census.carriageReturns || s[i] == '\r';
        bits |= uchar(s[i]);
    }
    census.ascii = bits < 0x80;
    return census;
}

// Bytes that are neither ASCII nor UTF-8, read in the code page they are told to be in. A
// Latin code page leaves the file 8-bit, as it always was; one that cannot be told too, noted
// in encodingUnknown.
void DecodeCodePage(QByteArrayView bytes, TextFile &file, QString &text, bool &invalid)
{
    const ToldCodePage codePage = TellCodePage(bytes);
    file.encodingUnknown = !codePage.told;
    if (codePage.name.isEmpty()) {
        file.format = TextFormat::Latin1;
        text = QString::fromLatin1(bytes.data(), bytes.size());
        return;
    }
    QStringDecoder decoder(codePage.name.constData(), QStringConverter::Flag::Stateless);
    file.format = TextFormat::CodePage;
    file.codePage = codePage.name;
    text = DecodeWith(decoder, bytes, &invalid);
}

// An unmarked file: UTF-16 when NUL is every second byte of its ASCII text; in a run whose
// output is UTF-8, UTF-8 when the bytes are valid UTF-8 and hold a multi-byte sequence, and
// otherwise the code page they are told to be in; otherwise 8-bit, its bytes passing through
// unchanged. ASCII and UTF-8 files, nearly all, are decoded once: ASCII (ascii, told by the
// bytes' census) as 8-bit, and the code page is told only for bytes that failed as UTF-8, so it
// costs the common case nothing.
void DecodeUnmarked(QByteArrayView bytes, bool ascii, TextFormat runFormat, TextFile &file, QString &text,
                    bool &invalid)
{
    if (const auto utf16 = Utf16ByNuls(bytes)) {
        file.format = *utf16;
        text = Decode(bytes, file.format, nullptr);
        return;
    }
    if (ascii) {
        file.format = TextFormat::Latin1;
        text = QString::fromLatin1(bytes);
        return;
    }
    if (runFormat == TextFormat::Utf8) {
        text = Decode(bytes, TextFormat::Utf8, &invalid);
        if (!invalid) {
            file.format = TextFormat::Utf8;
            return;
        }
        invalid = false;
        DecodeCodePage(bytes, file, text, invalid);
        return;
    }
    file.format = TextFormat::Latin1;
    text = Decode(bytes, TextFormat::Latin1, nullptr);
}

} // namespace

TextFileRead ReadTextFile(const QString &path, TextFormat runFormat, ReadOptions options)
{
    FileBytes read = ReadRegularFile(path);
    TextFileRead file{read, {}};
    if (!read)
        return file;
    const ByteOrderMark mark = DetectByteOrderMark(read.bytes);
    const QByteArrayView content = QByteArrayView(read.bytes).sliced(mark.length);
    TextFile &result = file.text;
    result.marked = mark.length > 0;
    // One look at the bytes tells ASCII, read without a decoder, and its line ends, counted
    // without a search of the text: it took reading the files of an unchanged regeneration of
    // 200 x 100 (bench/make_project.py) from 26 M instructions to 21 M (callgrind).
    const ByteCensus census = TakeByteCensus(content);
    QString text;
    bool invalid = false;
    if (result.marked) {
        result.format = mark.format;
        text = mark.format == TextFormat::Utf8 && census.ascii ? QString::fromLatin1(content)
                                                               : Decode(content, mark.format, &invalid);
    } else {
        DecodeUnmarked(content, census.ascii, runFormat, result, text, invalid);
    }
    if (options.keepBytes)
        result.bytes = std::move(read.bytes);
    read.bytes.clear(); // the bytes are no longer needed while the lines are cut
    // One count of the line ends serves telling them and sizing the list of lines.
    const bool bytesAreCharacters = census.ascii && text.size() == content.size();
    const LineBreaks breaks = bytesAreCharacters && !census.carriageReturns ? LineBreaks{census.lf, 0, 0}
                                                                            : CountLineBreaks(text);
    result.ends = LineEndsOf(text, breaks);
    result.lines = SplitLinesOf(std::move(text), breaks, options.shareRepeatedLines);
    if (invalid)
        result.firstInvalidLine = FirstInvalidLine(result.lines);
    return file;
}

} // namespace quarvel
