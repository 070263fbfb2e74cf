#include "base/code_page.h"

#include <memory>

#include <QStringConverter>
#include <QStringDecoder>

#include <uchardet.h>

namespace quarvel {

namespace {

// The names uchardet gives that Qt knows by another.
QByteArray QtName(const QByteArray &name)
{
    if (name == "UHC")
        return QByteArrayLiteral("windows-949");
    return name;
}

// ASCII or a Unicode format: what the bytes were already found not to be.
bool NamesNoCodePage(const QByteArray &name)
{
    const auto builtIn = QStringConverter::encodingForName(name.constData());
    return name == "ASCII" || (builtIn && *builtIn != QStringConverter::Latin1);
}

// A guess between the Latin code pages is no better than a coin: "Die Datei konnte nicht
// geöffnet werden." in Latin-1 is told IBM852, which reads its "ö" as another letter. Only the
// code pages of other scripts, whose bytes never read as Latin letters, are taken; a Latin
// guess leaves the file 8-bit, as unmarked files have always been read.
bool NamesOtherScript(const QByteArray &name)
{
    static const char *const otherScripts[] = {
        "BIG5",        "EUC-JP",       "EUC-KR",       "EUC-TW",       "GB18030", "HZ-GB-2312",  "ISO-2022-CN",
        "ISO-2022-JP", "ISO-2022-KR",  "SHIFT_JIS",    "UHC",          "JOHAB",   "ISO-8859-5",  "KOI8-R",
        "KOI8-U",      "WINDOWS-1251", "MAC-CYRILLIC", "IBM855",       "IBM866",  "ISO-8859-7",  "WINDOWS-1253",
        "ISO-8859-6",  "WINDOWS-1256", "ISO-8859-8",   "WINDOWS-1255", "TIS-620", "ISO-8859-11",
    };
    for (const char *other : otherScripts) {
        if (name.compare(other, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

ToldCodePage TellCodePage(QByteArrayView bytes)
{
    const std::unique_ptr<uchardet, decltype(&uchardet_delete)> detector(uchardet_new(), &uchardet_delete);
    if (!detector || uchardet_handle_data(detector.get(), bytes.data(), size_t(bytes.size())) != 0)
        return {};
    uchardet_data_end(detector.get());
    const QByteArray told(uchardet_get_charset(detector.get()));
    if (told.isEmpty() || NamesNoCodePage(told))
        return {};
    if (!NamesOtherScript(told))
        return {true, QByteArray()};
    const QByteArray name = QtName(told);
    if (!QStringDecoder(name.constData()).isValid())
        return {};
    return {true, name};
}

} // namespace quarvel
