#include "model/catalog.h"

#include "base/line_scan.h"

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

static QString TrimQuotes(const QString &text)
{
    return Trim(text, QLatin1Char('"'));
}

void ReadCatalogLines(const QStringList &lines, LanguageMap &map)
{
    for (const QString &line : lines) {
        const QString key = TrimQuotes(line.section(QLatin1Char(';'), 0, 0));
        if (key.isEmpty())
            continue;
        const QString value = TrimQuotes(line.section(QLatin1Char(';'), 1, 1));
        map.insert(key, value.isEmpty() ? key : value);
    }
}

} // namespace quarvel
