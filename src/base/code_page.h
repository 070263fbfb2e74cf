// Telling the legacy code page of a file without a byte-order mark whose bytes are not UTF-8
// (GBK Chinese, Windows-1251 Cyrillic, ...), by the statistics of libuchardet.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace quarvel {

// What the statistics tell of bytes in a legacy code page.
struct ToldCodePage {
    bool told = false; // false: no answer, a Unicode format, or a code page Qt cannot decode
    QByteArray name;   // the code page of another script than Latin, by a name Qt knows; empty
                       // for any Latin code page, whose bytes are read 8-bit as always
};

ToldCodePage TellCodePage(QByteArrayView bytes);

} // namespace quarvel
