#include "model/catalog.h"

#include "base/basic_strings.h"

namespace quarvel {

namespace {

const QLatin1StringView Header("Default;Language");

QString EntryLine(const LanguageMap &map, const QString &key)
{
    const QString quote(QLatin1Char('"'));
    const QString value = map.value(key);
    const QString translation = value == key ? QStringLiteral("\"\"") : quote + value + quote;
    return quote + key + quote + QLatin1Char(';') + translation;
}

} // namespace

QStringList CatalogLines(const LanguageMap &map, const CatalogRead &read)
{
    QStringList lines;
    lines.reserve(read.lines.size() + map.size() - read.keysRead + 1);
    if (!read.header)
        lines << Header;
    lines << read.lines;
    for (qsizetype k = read.keysRead; k < map.size(); ++k)
        lines << EntryLine(map, map.keys().at(k));
    return lines;
}

int CatalogLineOf(const CatalogRead &read, qsizetype key)
{
    if (key < read.keyLines.size())
        return read.keyLines.at(key);
    return int(read.lines.size() + (read.header ? 0 : 1) + (key - read.keysRead) + 1);
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

bool IsCatalogHeader(QStringView line)
{
    qsizetype next = -1;
    return CatalogField(line, next) == QLatin1String("Default");
}

void ReadCatalogLines(const QStringList &lines, LanguageMap &map, QList<int> *keyLines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        qsizetype next = -1;
        const QString key = CatalogField(line, next);
        if (key.isEmpty())
            continue;
        qsizetype unused = -1;
        const QString value = next < 0 ? QString() : CatalogField(QStringView(line).sliced(next), unused);
        if (keyLines && !map.contains(key))
            keyLines->append(int(i));
        map.insert(key, value.isEmpty() ? key : value);
    }
}

} // namespace quarvel
