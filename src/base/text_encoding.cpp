#include "base/text_encoding.h"

#include "base/char_search.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>

namespace quarvel {

ByteOrderMark DetectByteOrderMark(QByteArrayView b)
{
    auto startsWith = [&](std::initializer_list<unsigned char> mark) {
        if (qsizetype(mark.size()) > b.size())
            return false;
        qsizetype i = 0;
        for (unsigned char m : mark)
            if (static_cast<unsigned char>(b[i++]) != m)
                return false;
        return true;
    };
    if (startsWith({0xEF, 0xBB, 0xBF}))
        return {TextFormat::Utf8, 3};
    if (startsWith({0xFF, 0xFE, 0x00, 0x00}))
        return {TextFormat::Utf32LE, 4};
    if (startsWith({0xFF, 0xFE}))
        return {TextFormat::Utf16LE, 2};
    if (startsWith({0xFE, 0xFF}))
        return {TextFormat::Utf16BE, 2};
    if (startsWith({0x00, 0x00, 0xFE, 0xFF}))
        return {TextFormat::Utf32BE, 4};
    return {TextFormat::Latin1, 0};
}

static std::optional<QStringConverter::Encoding> UnicodeEncoding(TextFormat format)
{
    switch (format) {
    case TextFormat::Utf8: return QStringConverter::Utf8;
    case TextFormat::Utf16LE: return QStringConverter::Utf16LE;
    case TextFormat::Utf16BE: return QStringConverter::Utf16BE;
    case TextFormat::Utf32LE: return QStringConverter::Utf32LE;
    case TextFormat::Utf32BE: return QStringConverter::Utf32BE;
    default: return std::nullopt;
    }
}

QByteArray ByteOrderMarkBytes(TextFormat format)
{
    switch (format) {
    case TextFormat::Utf8: return QByteArray("\xEF\xBB\xBF", 3);
    case TextFormat::Utf16LE: return QByteArray("\xFF\xFE", 2);
    case TextFormat::Utf16BE: return QByteArray("\xFE\xFF", 2);
    case TextFormat::Utf32LE: return QByteArray("\xFF\xFE\x00\x00", 4);
    case TextFormat::Utf32BE: return QByteArray("\x00\x00\xFE\xFF", 4);
    default: return QByteArray();
    }
}

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

// The text of bytes in format; invalid, when given, tells whether some bytes were no text in
// format (UTF-8 or UTF-16; the UTF-32 decoder replaces them without telling).
static QString Decode(QByteArrayView bytes, TextFormat format, bool *invalid)
{
    if (format == TextFormat::Utf32LE || format == TextFormat::Utf32BE)
        return DecodeUtf32(bytes, format == TextFormat::Utf32BE);
    const auto encoding = UnicodeEncoding(format);
    if (!encoding)
        return QString::fromLatin1(bytes.data(), bytes.size());
    // Invalid sequences become U+FFFD: a damaged file still reads, line for line.
    QStringDecoder decoder(*encoding, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (invalid)
        *invalid = decoder.hasError();
    return text;
}

QString DecodeText(QByteArrayView bytes, TextFormat format)
{
    return Decode(bytes, format, nullptr);
}

QStringList SplitLines(QStringView text)
{
    // Nearly every file is without CR, and takes the search for LF alone.
    const bool anyCr = IndexOfChar(text, u'\r') >= 0;
    const auto nextBreak = [&](qsizetype from) {
        return anyCr ? IndexOfAny(text, from, u'\n', u'\r', u'\n') : IndexOfChar(text, u'\n', from);
    };
    QStringList lines;
    qsizetype begin = 0;
    for (qsizetype i; (i = nextBreak(begin)) >= 0;) {
        lines.append(text.sliced(begin, i - begin).toString());
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        begin = i + 1;
    }
    if (begin < text.size())
        lines.append(text.sliced(begin).toString());
    return lines;
}

LineEnds DetectLineEnds(QStringView text)
{
    LineEnds ends;
    ends.afterLast = text.isEmpty() || text.back() == u'\n' || text.back() == u'\r';
    if (IndexOfChar(text, u'\r') < 0)
        return ends;
    qsizetype crlf = 0, lf = 0;
    for (qsizetype i = IndexOfChar(text, u'\n'); i >= 0; i = IndexOfChar(text, u'\n', i + 1))
        ++(i > 0 && text[i - 1] == u'\r' ? crlf : lf);
    ends.crlf = crlf > lf;
    return ends;
}

namespace {

// NUL in the high byte of every ASCII character of UTF-16 text: LE when it is the second byte
// of each pair, BE when the first. The other byte of a NUL pair is never NUL too.
std::optional<TextFormat> Utf16ByNuls(QByteArrayView bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2 != 0)
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

bool AllAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

// An unmarked file: UTF-16 when NUL is every second byte of its ASCII text; in a run whose
// output is UTF-8, UTF-8 when the bytes are valid UTF-8 and hold a multi-byte sequence;
// otherwise 8-bit, its bytes passing through unchanged. Decoded once, whichever it is.
void DecodeUnmarked(QByteArrayView bytes, TextFormat runFormat, TextFile &file, QString &text)
{
    if (const auto utf16 = Utf16ByNuls(bytes)) {
        file.format = *utf16;
        text = Decode(bytes, file.format, nullptr);
        return;
    }
    if (runFormat == TextFormat::Utf8 && !AllAscii(bytes)) {
        bool invalid = false;
        text = Decode(bytes, TextFormat::Utf8, &invalid);
        if (!invalid) {
            file.format = TextFormat::Utf8;
            return;
        }
    }
    file.format = TextFormat::Latin1;
    text = Decode(bytes, TextFormat::Latin1, nullptr);
}

} // namespace

std::optional<TextFile> ReadTextFile(const QString &path, TextFormat runFormat, FileBytes *failure)
{
    FileBytes read = ReadRegularFile(path);
    if (read.status != FileBytes::Read) {
        if (failure)
            *failure = std::move(read);
        return std::nullopt;
    }
    const ByteOrderMark mark = DetectByteOrderMark(read.bytes);
    const QByteArrayView content = QByteArrayView(read.bytes).sliced(mark.length);
    TextFile result;
    result.marked = mark.length > 0;
    QString text;
    bool invalid = false;
    if (result.marked) {
        result.format = mark.format;
        text = Decode(content, mark.format, &invalid);
    } else {
        DecodeUnmarked(content, runFormat, result, text);
    }
    read.bytes.clear(); // the bytes are no longer needed while the lines are cut
    result.ends = DetectLineEnds(text);
    result.lines = SplitLines(text);
    if (invalid)
        result.firstInvalidLine = FirstInvalidLine(result.lines);
    return result;
}

bool FitsLatin1(const QStringList &lines)
{
    for (const QString &line : lines)
        for (QChar c : line)
            if (c.unicode() > 0xFF || c.unicode() == 0)
                return false;
    return true;
}

TextFormat FormatThatHolds(const QStringList &lines, TextFormat wanted)
{
    return wanted == TextFormat::Latin1 && !FitsLatin1(lines) ? TextFormat::Utf8 : wanted;
}

namespace {

qsizetype TextLength(const QStringList &lines, qsizetype lineEndLength)
{
    qsizetype total = 0;
    for (const QString &line : lines)
        total += line.size() + lineEndLength;
    return total;
}

// The 8-bit form: one byte a character, straight into a buffer of the right size; a character
// beyond U+00FF becomes "?", as in QString::toLatin1.
QByteArray EncodeLatin1(const QStringList &lines, QStringView lineEnd)
{
    QByteArray bytes(TextLength(lines, lineEnd.size()), Qt::Uninitialized);
    char *out = bytes.data();
    for (const QString &line : lines) {
        for (const QChar c : line)
            *out++ = c.unicode() > 0xFF ? '?' : char(c.unicode());
        for (const QChar c : lineEnd)
            *out++ = char(c.unicode());
    }
    return bytes;
}

// Encodes the lines each followed by lineEnd at out, gathered into pieces of up to PieceSize
// characters: one encoder call a piece costs less than one a line, and the whole text never
// stands in memory a second time. A piece always ends at the end of a line.
char *EncodePieces(const QStringList &lines, QStringView lineEnd, QStringEncoder &encoder, char *out)
{
    constexpr qsizetype PieceSize = qsizetype(1) << 16;
    QString piece(PieceSize, Qt::Uninitialized);
    QChar *const begin = piece.data();
    QChar *at = begin;
    for (const QString &line : lines) {
        if ((at - begin) + line.size() + lineEnd.size() > PieceSize) {
            out = encoder.appendToBuffer(out, QStringView(begin, at));
            at = begin;
        }
        if (line.size() + lineEnd.size() > PieceSize) {
            out = encoder.appendToBuffer(out, line);
            out = encoder.appendToBuffer(out, lineEnd);
            continue;
        }
        at = std::copy(line.cbegin(), line.cend(), at);
        at = std::copy(lineEnd.cbegin(), lineEnd.cend(), at);
    }
    return encoder.appendToBuffer(out, QStringView(begin, at));
}

} // namespace

QByteArray EncodeLines(const QStringList &lines, TextFormat format, LineEnds ends)
{
    const QStringView lineEnd = ends.crlf ? u"\r\n" : u"\n";
    const auto encoding = UnicodeEncoding(format);
    QByteArray bytes;
    qsizetype lineEndBytes = lineEnd.size();
    if (!encoding) {
        bytes = EncodeLatin1(lines, lineEnd);
    } else {
        // The mark and the text go into one buffer as large as the encoder may need.
        const QByteArray mark = ByteOrderMarkBytes(format);
        QStringEncoder encoder(*encoding, QStringConverter::Flag::Stateless);
        bytes = QByteArray(mark.size() + encoder.requiredSpace(TextLength(lines, lineEnd.size())), Qt::Uninitialized);
        char *out = std::copy(mark.cbegin(), mark.cend(), bytes.data());
        out = EncodePieces(lines, lineEnd, encoder, out);
        bytes.truncate(out - bytes.constData());
        lineEndBytes = QByteArray(QStringEncoder(*encoding, QStringConverter::Flag::Stateless).encode(lineEnd)).size();
    }
    if (!ends.afterLast && !lines.isEmpty())
        bytes.chop(lineEndBytes);
    return bytes;
}

} // namespace quarvel
