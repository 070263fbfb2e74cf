#include "emit/constants_section.h"

#include "base/line_scan.h"
#include "model/generation_context.h"

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

static QStringList GadgetConstants(const QList<GadgetRecord> &gadgets)
{
    QStringList members;
    members.reserve(gadgets.size());
    for (const GadgetRecord &gadget : gadgets)
        members << QLatin1Char('#') + gadget.name;
    return members;
}

// Font and image identifiers are held as written in code, "#" included. One loaded with a
// plain number (LoadImage(0, ...)) has no constant to declare, and a number is no valid
// enumeration member, so it is left out.
template<typename Record>
static QStringList DeclaredIdentifiers(const QList<Record> &records)
{
    QStringList members;
    for (const Record &record : records) {
        // "LoadFont( #Font_0, ...)": the blank before "#" belongs to the spacing, not the name.
        if (const QString name = TrimBlanks(record.name); name.startsWith(QLatin1Char('#')))
            members << name;
    }
    return members;
}

// The variables of objects created with #PB_Any hold their objects' numbers; a project without
// such objects gets no section.
static void AppendObjectVariables(SourceLineList &target, const QList<VariableObject> &objects)
{
    if (objects.isEmpty())
        return;
    target << QStringLiteral(";- Object Variables") << QStringLiteral(";");
    for (const VariableObject &object : objects)
        target << QStringLiteral("Global ") + object.variable + QStringLiteral(" = #") + object.constant;
    target << QString();
}

void EmitConstantsSection(GenerationContext &g)
{
    const DesignModel &m = g.model;
    SourceLineList &out = g.lines.ConstantLines;
    AppendEnumeration(out, ";- Window Constants", WithHash(m.WindowList));
    AppendEnumeration(out, ";- Menubar Constants", WithHash(m.MenuList));
    AppendEnumeration(out, ";- MenuItem Constants", WithHash(m.MenuItemList));
    AppendEnumeration(out, ";- Gadget Constants", GadgetConstants(m.GadgetList));
    AppendEnumeration(out, ";- StatusBar Constants", WithHash(m.StatusBarList));
    AppendEnumeration(out, ";- ToolBar Constants", WithHash(m.ToolBarList));
    AppendEnumeration(out, ";- Font Constants", DeclaredIdentifiers(m.FontList));
    AppendEnumeration(out, ";- Image Constants", DeclaredIdentifiers(m.ImageList));
    AppendObjectVariables(out, m.VariableObjects);
}

} // namespace quarvel
