#include "model/catalog.h"

#include "base/basic_strings.h"

namespace quarvel {

QStringList CatalogLines(const LanguageMap &map)
{
    QStringList lines;
    lines.reserve(map.size() + 1);
    lines << QStringLiteral("Default;Language");
    const QString quote(QLatin1Char('"'));
    for (const QString &key : map.keys()) {
        const QString value = map.value(key);
        const QString translation = value == key ? QStringLiteral("\"\"") : quote + value + quote;
        lines << quote + key + quote + QLatin1Char(';') + translation;
    }
    return lines;
}

static QString TrimQuotes(QStringView text)
{
    return TrimView(text, QLatin1Char('"')).toString();
}

// The field at the start of text and where the text after its ";" begins (-1 when no ";"
// follows). A field in double quotes runs to the first quote followed by ";" or by the line's
// end, so the ";" of a text written in quotes stays in it; any other field ends at the first
// ";". Quotes at both ends of a field are trimmed either way.
static QString CatalogField(QStringView text, qsizetype &next)
{
    qsizetype end = text.indexOf(QLatin1Char(';'));
    if (text.startsWith(QLatin1Char('"'))) {
        for (qsizetype q = text.indexOf(QLatin1Char('"'), 1); q >= 0; q = text.indexOf(QLatin1Char('"'), q + 1)) {
            if (q + 1 == text.size() || text.at(q + 1) == QLatin1Char(';')) {
                end = q + 1 == text.size() ? -1 : q + 1;
                break;
            }
        }
    }
    next = end < 0 ? -1 : end + 1;
    return TrimQuotes(end < 0 ? text : text.first(end));
}

void ReadCatalogLines(const QStringList &lines, LanguageMap &map)
{
    for (const QString &line : lines) {
        qsizetype next = -1;
        const QString key = CatalogField(line, next);
        if (key.isEmpty())
            continue;
        qsizetype unused = -1;
        const QString value = next < 0 ? QString() : CatalogField(QStringView(line).sliced(next), unused);
        map.insert(key, value.isEmpty() ? key : value);
    }
}

} // namespace quarvel
