// Telling the legacy code page of a file without a byte-order mark whose bytes are not UTF-8
// (GBK Chinese, Windows-1251 Cyrillic, ...), by the statistics of libuchardet.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace quarvel {

// The code page bytes are most likely in, by a name QStringDecoder and QStringEncoder know;
// empty when it cannot be told: no answer, a Unicode format (the bytes were found to be none),
// or a code page Qt has no converter for. Any Latin code page is told as ISO-8859-1.
QByteArray TellCodePage(QByteArrayView bytes);

} // namespace quarvel
