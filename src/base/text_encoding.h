// Text formats and the byte-order mark: how every file Quarvel reads is decoded and how every
// file it writes is encoded.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace quarvel {

// Format codes as the project's sources and the switches know them.
enum TextFormat : int {
    FormatNone = 0, // the file could not be opened
    FormatLatin1 = 24,
    FormatUtf8 = 2,
    FormatUtf16LE = 25,
    FormatUtf16BE = 4,
    FormatUtf32LE = 5,
    FormatUtf32BE = 6,
};

struct ByteOrderMark {
    TextFormat format = FormatLatin1; // FormatLatin1 when there is no mark
    int length = 0;                   // bytes taken by the mark
};

ByteOrderMark DetectByteOrderMark(QByteArrayView bytes);
QByteArray ByteOrderMarkBytes(TextFormat format); // empty for FormatLatin1

QString DecodeText(QByteArrayView bytes, TextFormat format);

// Splits at LF, CR and CR LF. A terminator at the very end does not open another line, so
// "A\n" is one line and "" is none.
QStringList SplitLines(QStringView text);

struct TextFile {
    TextFormat format = FormatLatin1;
    QStringList lines;
};

// Reads a whole file, decoded in the format of its own byte-order mark (none = 8-bit).
// nullopt when it cannot be opened for reading (missing, a folder, unreadable).
std::optional<TextFile> ReadTextFile(const QString &path);

// True when every character of the lines fits into one byte.
bool FitsLatin1(const QStringList &lines);

// The format lines are written in: the wanted one, except that 8-bit text holding a character
// beyond U+00FF becomes UTF-8, so that no character is lost.
TextFormat FormatThatHolds(const QStringList &lines, TextFormat wanted);

// Lines each followed by LF, encoded in format, preceded by its byte-order mark.
QByteArray EncodeLines(const QStringList &lines, TextFormat format);

} // namespace quarvel
