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

} // namespace

QByteArray TellCodePage(QByteArrayView bytes)
{
    const std::unique_ptr<uchardet, decltype(&uchardet_delete)> detector(uchardet_new(), &uchardet_delete);
    if (!detector || uchardet_handle_data(detector.get(), bytes.data(), size_t(bytes.size())) != 0)
        return {};
    uchardet_data_end(detector.get());
    const QByteArray name = QtName(QByteArray(uchardet_get_charset(detector.get())));
    if (name.isEmpty() || NamesNoCodePage(name) || !QStringDecoder(name.constData()).isValid())
        return {};
    return name;
}

} // namespace quarvel
