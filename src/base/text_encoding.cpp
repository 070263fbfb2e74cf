#include "base/text_encoding.h"

#include "base/char_search.h"
#include "base/line_diff.h"

#include <algorithm>

#include <QStringEncoder>

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

std::optional<QStringConverter::Encoding> UnicodeEncoding(TextFormat format)
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
    const QStringView lineEnd = ends.Terminator();
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

namespace {

bool AllAsciiLines(const QStringList &lines)
{
    for (const QString &line : lines)
        for (const QChar c : line)
            if (c.unicode() >= 0x80)
                return false;
    return true;
}

// Pieces of text in one format, without a mark; in a code page, Qt's converter of that name.
class TextEncoder {
public:
    TextEncoder(TextFormat format, const QByteArray &codePage)
    {
        if (format == TextFormat::CodePage)
            encoder_.emplace(codePage.constData(), QStringConverter::Flag::Stateless);
        else if (const auto encoding = UnicodeEncoding(format))
            encoder_.emplace(*encoding, QStringConverter::Flag::Stateless);
    }
    QByteArray operator()(QStringView text) { return encoder_ ? QByteArray(encoder_->encode(text)) : text.toLatin1(); }
    // Some character so far had no bytes in the format.
    bool Failed() const { return encoder_ && encoder_->hasError(); }

private:
    std::optional<QStringEncoder> encoder_;
};

// Every character of the lines has its bytes in the code page.
bool CodePageHolds(const QStringList &lines, const QByteArray &codePage)
{
    TextEncoder encode(TextFormat::CodePage, codePage);
    for (const QString &line : lines) {
        encode(line);
        if (encode.Failed())
            return false;
    }
    return true;
}

// EncodeLines for a code page, which has no mark.
QByteArray EncodeCodePageLines(const QStringList &lines, const QByteArray &codePage, LineEnds ends)
{
    TextEncoder encode(TextFormat::CodePage, codePage);
    const QByteArray lineEnd = encode(ends.Terminator());
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += encode(line) + lineEnd;
    if (!ends.afterLast && !lines.isEmpty())
        bytes.chop(lineEnd.size());
    return bytes;
}

// The bytes of each line of content (a file after its mark), each with its own line end, cut
// at LF, CR and CR LF as the text is cut, in units of the format's width: a UTF-8 sequence
// never holds those bytes, nor does a character of the code pages that are told (they keep
// ASCII's bytes for ASCII alone), and a wider unit holds them only as the whole unit.
QList<QByteArrayView> RawLines(QByteArrayView content, TextFormat format)
{
    const qsizetype width = format == TextFormat::Utf16LE || format == TextFormat::Utf16BE   ? 2
                            : format == TextFormat::Utf32LE || format == TextFormat::Utf32BE ? 4
                                                                                             : 1;
    const bool bigEndian = format == TextFormat::Utf16BE || format == TextFormat::Utf32BE;
    const auto unitIs = [&](qsizetype at, char c) {
        if (at + width > content.size())
            return false;
        for (qsizetype k = 0; k < width; ++k) {
            const bool low = bigEndian ? k == width - 1 : k == 0;
            if (content[at + k] != (low ? c : '\0'))
                return false;
        }
        return true;
    };
    QList<QByteArrayView> lines;
    qsizetype begin = 0;
    // Nearly every file is 8-bit or UTF-8 without CR: cut at each LF the fast search finds.
    // In the bound regeneration above this takes EncodeRewritten from 148 M instructions to 65 M.
    if (width == 1 && !content.contains('\r')) {
        for (qsizetype end; (end = content.indexOf('\n', begin)) >= 0; begin = end + 1)
            lines.append(content.sliced(begin, end + 1 - begin));
        if (begin < content.size())
            lines.append(content.sliced(begin));
        return lines;
    }
    for (qsizetype at = 0; at + width <= content.size(); at += width) {
        qsizetype end = -1;
        if (unitIs(at, '\n'))
            end = at + width;
        else if (unitIs(at, '\r'))
            end = unitIs(at + width, '\n') ? at + 2 * width : at + width;
        if (end < 0)
            continue;
        lines.append(content.sliced(begin, end - begin));
        begin = end;
        at = end - width;
    }
    if (begin < content.size())
        lines.append(content.sliced(begin));
    return lines;
}

// Which lines after keeps of before, in order: Same for a line kept, Removed for one of before
// left out, Added for one of after that is new. Where the text between the common head and
// tail has one length on both sides (renames change lines in place, and nothing else) the
// lines pair up one by one; elsewhere the shortest edit script decides. Pairing up costs a
// bound regeneration of 200 x 100 (every window renamed) 154 M instructions in
// EncodeRewritten where the edit script alone cost 763 M (callgrind; 2.68 G against 3.29 G
// for the whole run).
QList<DiffLine::Kind> KeptLines(const QStringList &before, const QStringList &after)
{
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < after.size() - head
           && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const qsizetype middle = before.size() - head - tail;
    QList<DiffLine::Kind> kinds(head, DiffLine::Same);
    if (middle == after.size() - head - tail) {
        for (qsizetype i = head; i < head + middle; ++i) {
            if (before[i] == after[i]) {
                kinds.append(DiffLine::Same);
            } else {
                kinds.append(DiffLine::Removed);
                kinds.append(DiffLine::Added);
            }
        }
    } else {
        for (const DiffLine &line : DiffLines(before.mid(head, middle), after.mid(head, after.size() - head - tail)))
            kinds.append(line.kind);
    }
    kinds.append(QList<DiffLine::Kind>(tail, DiffLine::Same));
    return kinds;
}

// The format and mark the new lines of a file are written in.
struct RewrittenFormat {
    TextFormat format;
    bool marked;
    bool widened; // 8-bit or code page text that needed more
};

RewrittenFormat FormatOfRewritten(const TextFile &file, const QStringList &lines, TextFormat runFormat)
{
    if (!file.marked && file.format == TextFormat::Latin1 && AllAsciiLines(file.lines) && !AllAsciiLines(lines)) {
        // ASCII is every format's: text beyond it is written as the run writes a new file.
        const TextFormat format = FormatThatHolds(lines, runFormat);
        return {format, true, format == TextFormat::Utf8 && !FitsLatin1(lines)};
    }
    // A character is never written as a stand-in its format has in its place.
    if ((file.format == TextFormat::Latin1 && !FitsLatin1(lines))
        || (file.format == TextFormat::CodePage && !CodePageHolds(lines, file.codePage)))
        return {TextFormat::Utf8, true, true};
    return {file.format, file.marked, false};
}

} // namespace

// Nearly every line of an unchanged file is the very text the file was read into: those are
// told equal by where they stand, not character by character (comparing the text of each cost
// an unchanged regeneration of 200 x 100 (bench/make_project.py) 0.9 M instructions more).
bool SameLines(const QStringList &lines, const QStringList &read, const QStringList &trailer)
{
    const auto same = [&](const QStringList &part, qsizetype from) {
        for (qsizetype i = 0; i < part.size(); ++i) {
            const QString &line = part.at(i);
            const QString &was = read.at(from + i);
            if (line.size() != was.size() || (line.constData() != was.constData() && line != was))
                return false;
        }
        return true;
    };
    return lines.size() + trailer.size() == read.size() && same(lines, 0) && same(trailer, lines.size());
}

RewrittenText EncodeRewritten(const TextFile &file, const QStringList &lines, const QStringList &trailer,
                              TextFormat runFormat)
{
    const bool bytesKept = !file.bytes.isEmpty() || file.lines.isEmpty();
    if (bytesKept && SameLines(lines, file.lines, trailer))
        return {file.bytes, false};
    return EncodeRewritten(file, lines + trailer, runFormat);
}

RewrittenText EncodeRewritten(const TextFile &file, const QStringList &lines, TextFormat runFormat)
{
    const bool bytesKept = !file.bytes.isEmpty() || file.lines.isEmpty();
    if (bytesKept && SameLines(lines, file.lines))
        return {file.bytes, false};
    const RewrittenFormat chosen = FormatOfRewritten(file, lines, runFormat);
    const TextFormat format = chosen.format;
    const bool marked = chosen.marked;
    const auto plain = [&] {
        if (format == TextFormat::CodePage)
            return RewrittenText{EncodeCodePageLines(lines, file.codePage, file.ends), false};
        const QByteArray bytes = EncodeLines(lines, format, file.ends);
        return RewrittenText{marked ? bytes : bytes.sliced(ByteOrderMarkBytes(format).size()), chosen.widened};
    };
    if (!bytesKept || format != file.format)
        return plain();
    const QByteArray mark = ByteOrderMarkBytes(format);
    const QList<QByteArrayView> raw = RawLines(QByteArrayView(file.bytes).sliced(file.marked ? mark.size() : 0),
                                               format);
    if (raw.size() != file.lines.size())
        return plain(); // cut otherwise than the text was: nothing to pass through safely
    TextEncoder encode(format, file.codePage);
    const QByteArray lineEnd = encode(file.ends.Terminator());
    QByteArray out = marked ? mark : QByteArray();
    out.reserve(file.bytes.size() + file.bytes.size() / 8);
    bool ended = true; // what is written so far ends with a line end
    bool lastAdded = false;
    qsizetype before = 0, after = 0;
    for (const DiffLine::Kind kind : KeptLines(file.lines, lines)) {
        if (kind == DiffLine::Removed) {
            ++before;
            continue;
        }
        if (!ended)
            out += lineEnd;
        lastAdded = kind == DiffLine::Added;
        if (lastAdded) {
            out += encode(lines.at(after));
            out += lineEnd;
            ended = true;
        } else {
            out += raw.at(before);
            ended = before + 1 < raw.size() || file.ends.afterLast;
            ++before;
        }
        ++after;
    }
    if (lastAdded && !file.ends.afterLast)
        out.chop(lineEnd.size());
    return {out, false};
}

} // namespace quarvel
