// Text formats and the byte-order mark: how every file Quarvel reads is decoded and how every
// file it writes is encoded (reading in text_reading.cpp, writing in text_encoding.cpp).
#pragma once

#include "base/file_reader.h"

#include <QByteArray>
#include <QString>
#include <QStringConverter>
#include <QStringList>

#include <optional>

namespace quarvel {

// The text formats a file is read or written in; no number of them is stored anywhere.
enum class TextFormat {
    None, // the file could not be opened
    Latin1,
    Utf8,
    Utf16LE,
    Utf16BE,
    Utf32LE,
    Utf32BE,
    CodePage, // a legacy code page told from the bytes of an unmarked file, named by TextFile::codePage
};

struct ByteOrderMark {
    TextFormat format = TextFormat::Latin1; // TextFormat::Latin1 when there is no mark
    int length = 0;                         // bytes taken by the mark
};

ByteOrderMark DetectByteOrderMark(QByteArrayView bytes);
QByteArray ByteOrderMarkBytes(TextFormat format); // empty for TextFormat::Latin1
// Qt's encoding of a Unicode format; nullopt for 8-bit text.
std::optional<QStringConverter::Encoding> UnicodeEncoding(TextFormat format);

QString DecodeText(QByteArrayView bytes, TextFormat format);

// Splits at LF, CR and CR LF. A terminator at the very end does not open another line, so
// "A\n" is one line and "" is none. The lines share text's buffer (each holds a reference to
// it) instead of holding copies; text's line ends become NUL there.
QStringList SplitLines(QString text);

// How a file ends its lines, so that a user's file is written back the way it was kept.
struct LineEnds {
    bool crlf = false;     // CR LF instead of LF
    bool cr = false;       // CR alone instead of LF
    bool afterLast = true; // the last line has its line end too

    bool operator==(const LineEnds &) const = default;
    QStringView Terminator() const { return crlf ? u"\r\n" : cr ? u"\r" : u"\n"; }
};

// The line end most lines of text end with (LF when as many end with another); a text that
// ends inside its last line has no line end after it.
LineEnds DetectLineEnds(QStringView text);

struct TextFile {
    TextFormat format = TextFormat::Latin1;
    bool marked = false; // the file began with the byte-order mark of format
    LineEnds ends;
    QStringList lines;
    int firstInvalidLine = 0;     // 1-based line of the first bytes that are no text in format; 0: none
    QByteArray codePage;          // format CodePage: the name of the code page, as Qt's decoder knows it
    bool encodingUnknown = false; // neither ASCII nor UTF-8, and no code page could be told: read as 8-bit
    QByteArray bytes;             // the file as read, when the reader was asked to keep them
};

// A text file read (status Done), or the path and why it could not be read. It reads like a
// pointer to the file: file->lines.
struct TextFileRead : FileResult {
    TextFile text;

    const TextFile &operator*() const { return text; }
    TextFile &operator*() { return text; }
    const TextFile *operator->() const { return &text; }
    TextFile *operator->() { return &text; }
};

struct ReadOptions {
    bool keepBytes = false; // the file's bytes stay in the result, for writing it back with EncodeRewritten
    // Lines that repeat a recent line share one copy, and when they are most of the file its
    // buffer goes (RepeatSharingCutter): for a file the run keeps to its end.
    bool shareRepeatedLines = false;
};

// Reads a whole regular file (at most 64 MiB), decoded in the format of its own byte-order
// mark. Without a mark: UTF-16 when NUL is every second byte of its ASCII text; in a run whose
// output is UTF-8, UTF-8 when the bytes are valid UTF-8 and hold a multi-byte sequence, and
// otherwise the code page the bytes are told to be in (TellCodePage) when it is one of a
// script other than Latin; otherwise 8-bit, its bytes passing through unchanged.
TextFileRead ReadTextFile(const QString &path, TextFormat runFormat = TextFormat::Latin1, ReadOptions options = {});

// True when every character of the lines fits into one byte and none is NUL: 8-bit text with
// NUL in it could pass for UTF-16 when it is read again.
bool FitsLatin1(const QStringList &lines);

// The format lines are written in: the wanted one, except that 8-bit text holding a character
// beyond U+00FF becomes UTF-8, so that no character is lost.
TextFormat FormatThatHolds(const QStringList &lines, TextFormat wanted);

// Lines each followed by its line end (LF unless ends says otherwise), encoded in format,
// preceded by its byte-order mark.
QByteArray EncodeLines(const QStringList &lines, TextFormat format, LineEnds ends = {});

// True when lines followed by trailer are read, line for line.
bool SameLines(const QStringList &lines, const QStringList &read, const QStringList &trailer = {});

struct RewrittenText {
    QByteArray bytes;
    bool widened = false; // 8-bit or code page text that needed more: written as UTF-8 with the mark
};

// The new lines of a file read with its bytes kept, written the way the file was kept: in its
// format, with or without its mark, new lines with its line end, and every line the new text
// keeps passing through byte for byte (its own line end and any bytes that were no text
// included). The same lines give the same bytes. An unmarked file of ASCII alone that now
// needs more takes runFormat with its mark, as a new file would; an 8-bit file whose new text
// needs more than 8 bits, or a code page file whose new text holds a character its code page
// cannot, becomes UTF-8 with the mark.
RewrittenText EncodeRewritten(const TextFile &file, const QStringList &lines, TextFormat runFormat);
// The same for new lines followed by trailer, joined only when they are not the file's own:
// an unchanged file is never held a third time as one list.
RewrittenText EncodeRewritten(const TextFile &file, const QStringList &lines, const QStringList &trailer,
                              TextFormat runFormat);

} // namespace quarvel
