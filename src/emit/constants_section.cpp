#include "constants_section.h"

#include "../pipeline/generation_context.h"

namespace quarvel {

// One enumeration block: heading, ";", the members, and an empty line after it. Members are
// numbered 0, 1, 2, ... by PureBasic in the order written, which the jump tables rely on.
static void AppendEnumeration(SourceLineList &target, const char *heading, const QStringList &members)
{
    target << QLatin1String(heading) << QStringLiteral(";") << QStringLiteral("Enumeration");
    for (const QString &member : members)
        target << QStringLiteral("  ") + member;
    target << QStringLiteral("EndEnumeration") << QString();
}

static QStringList WithHash(const QStringList &names)
{
    QStringList members;
    members.reserve(names.size());
    for (const QString &name : names)
        members << QLatin1Char('#') + name;
    return members;
}

template<typename Record>
static QStringList NamesOf(const QList<Record> &records, const QString &prefix = QString())
{
    QStringList names;
    names.reserve(records.size());
    for (const Record &record : records)
        names << prefix + record.name;
    return names;
}

void EmitConstantsSection(GenerationContext &g)
{
    const DesignModel &m = g.model;
    SourceLineList &out = g.lines.ConstantLines;
    AppendEnumeration(out, ";- Window Constants", WithHash(m.WindowList));
    AppendEnumeration(out, ";- Menubar Constants", WithHash(m.MenuList));
    AppendEnumeration(out, ";- MenuItem Constants", WithHash(m.MenuItemList));
    AppendEnumeration(out, ";- Gadget Constants", NamesOf(m.GadgetList, QStringLiteral("#")));
    AppendEnumeration(out, ";- StatusBar Constants", WithHash(m.StatusBarList));
    AppendEnumeration(out, ";- ToolBar Constants", WithHash(m.ToolBarList));
    // Font and image identifiers are held as written in code, "#" included.
    AppendEnumeration(out, ";- Font Constants", NamesOf(m.FontList));
    AppendEnumeration(out, ";- Image Constants", NamesOf(m.ImageList));
}

} // namespace quarvel
