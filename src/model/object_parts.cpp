#include "model/object_parts.h"

#include "base/basic_strings.h"
#include "base/statement_scan.h"

namespace quarvel {

QStringView CommandBefore(const QString &statement, qsizetype bracket)
{
    if (bracket < 0 || bracket >= statement.size())
        return {};
    qsizetype start = bracket;
    while (start > 0 && IsIdentifierChar(statement.at(start - 1)))
        --start;
    return QStringView(statement).sliced(start, bracket - start);
}

QList<QStringView> CallArguments(const QString &statement, qsizetype open)
{
    const CallShape shape = CallShapeAt(statement, open);
    const qsizetype end = shape.close >= 0 ? shape.close : statement.size();
    QList<QStringView> arguments;
    qsizetype from = open + 1; // an argument begins here
    for (qsizetype k = 0; k <= shape.commas.size(); ++k) {
        const qsizetype to = k < shape.commas.size() ? shape.commas[k] : end; // and ends before this one
        arguments.append(TrimBlanksView(QStringView(statement).sliced(from, to - from)));
        from = to + 1;
    }
    return arguments;
}

QStringView StringInside(QStringView argument)
{
    if (argument.size() < 2 || argument.front() != QLatin1Char('"') || argument.back() != QLatin1Char('"'))
        return {};
    const QStringView inside = argument.sliced(1, argument.size() - 2);
    return inside.contains(QLatin1Char('"')) ? QStringView() : inside;
}

ObjectParts PartsOf(const ObjectFact &fact)
{
    ObjectParts parts;
    parts.command = CommandBefore(fact.statement, fact.bracket);
    if (parts.command.isNull())
        return parts;
    const bool placed = fact.kind == ObjectKind::Window || fact.kind == ObjectKind::Gadget;
    if (!placed && fact.kind != ObjectKind::MenuItem)
        return parts;
    const QList<QStringView> arguments = CallArguments(fact.statement, fact.bracket);
    if (placed) {
        parts.x = arguments.value(1);
        parts.y = arguments.value(2);
        parts.width = arguments.value(3);
        parts.height = arguments.value(4);
    }
    parts.text = StringInside(arguments.value(placed ? 5 : 1));
    return parts;
}

} // namespace quarvel
