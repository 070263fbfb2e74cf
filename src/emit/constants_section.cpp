#include "emit/constants_section.h"

#include "base/basic_strings.h"
#include "base/no_case_key.h"
#include "base/shared_lines.h"
#include "model/design_model.h"

#include <QSet>

#include <algorithm>
#include <utility>

namespace quarvel {

// The members that keep their numbers, with them, by value; none when the project keeps none,
// and then the block walks its names once, building each member in one expression (a list of
// the others beside them cost an unchanged regeneration of 200 x 100 (bench/make_project.py)
// 2.1 M instructions more).
template <typename Names>
static QList<std::pair<qint64, QString>> KeptMembers(const Names &names, const QHash<QString, qint64> &kept)
{
    QList<std::pair<qint64, QString>> keeping;
    if (kept.isEmpty())
        return keeping;
    for (const auto &member : names) {
        if (const auto value = kept.constFind(NameOf(member)); value != kept.cend())
            keeping.append({*value, NameOf(member)});
    }
    std::sort(keeping.begin(), keeping.end());
    return keeping;
}

// One enumeration block: heading, ";", the members, and an empty line after it. Members are
// numbered first, first + 1, ... by PureBasic in the order written, which the jump tables rely
// on; first lies above the numbers the sources give objects of the kind themselves. Each member
// line is the indentation, the mark ("#" before an object name, nothing before an identifier
// written with its "#") and the name, joined into the arena's buffers.
// An object the sources numbered themselves keeps that number (kept): those members come first,
// each with its value, and the first of the others is given first.
// The names are the objects' own (a gadget's taken from its record rather than from a list of
// names made for the block), and the pieces of a member are UTF-16 already: with a list of the
// gadgets' names, Latin-1 pieces and room made block by block, the section cost an unchanged
// regeneration of 200 x 100 (bench/make_project.py) 19.2 M instructions, against 15.1 M. The
// members share the buffers of an arena: with a buffer each, the whole regeneration cost
// 351.1 M instructions, against 346.4 M (callgrind).
template <typename Names>
static void AppendEnumeration(SourceLineList &target, LineArena &arena, const char *heading, const Names &names,
                              qint64 first, QStringView mark = u"#", const QHash<QString, qint64> &kept = {})
{
    const QList<std::pair<qint64, QString>> keeping = KeptMembers(names, kept);
    target << QLatin1String(heading) << QStringLiteral(";")
           << (first > 0 && keeping.isEmpty() ? QStringLiteral("Enumeration ") + Str(first)
                                              : QStringLiteral("Enumeration"));
    // A member with the value it is given, if any.
    const auto member = [&](const QString &name, const QString &value) {
        return arena.joined({u"  ", mark, name, value.isNull() ? QStringView() : QStringView(u" = "), value});
    };
    for (const auto &[value, name] : keeping)
        target << member(name, Str(value));
    bool valueGiven = keeping.isEmpty();
    for (const auto &entry : names) {
        const QString &name = NameOf(entry);
        if (!keeping.isEmpty() && kept.contains(name))
            continue;
        target << member(name, std::exchange(valueGiven, true) ? QString() : Str(first));
    }
    target << QStringLiteral("EndEnumeration") << QString();
}

// Font and image identifiers are held as written in code, "#" included. One loaded with a
// plain number (LoadImage(0, ...)) has no constant to declare, and a number is no valid
// enumeration member, so it is left out.
// An identifier loaded twice (in any letter case) is declared once, as a second member would
// give it a second value.
template <typename Record>
static QStringList DeclaredIdentifiers(const QList<Record> &records)
{
    QStringList members;
    QSet<NoCaseKey> declared; // views the records' names
    for (const Record &record : records) {
        // "LoadFont( #Font_0, ...)": the blank before "#" belongs to the spacing, not the name.
        const QStringView name = TrimBlanksView(record.name);
        if (!name.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype before = declared.size();
        declared.insert(NoCaseKey(name));
        if (declared.size() > before)
            members << name.toString();
    }
    return members;
}

// The sources' own constants of objects that now carry their windows' names: each old name is
// declared as the new one, so code that still names it reaches the same object.
static void AppendOldObjectConstants(SourceLineList &target, const QList<PrefixedName> &constants)
{
    if (constants.isEmpty())
        return;
    target << QStringLiteral(";- Old Object Constants") << QStringLiteral(";");
    for (const PrefixedName &constant : constants)
        target << QLatin1Char('#') + constant.oldName + QStringLiteral(" = #") + constant.newName;
    target << QString();
}

// The variables of objects and images created with #PB_Any hold their numbers; a project
// without such objects gets no section.
static void AppendObjectVariables(SourceLineList &target, const QList<VariableObject> &objects,
                                  const QList<ImageRecord> &images)
{
    QStringList lines;
    for (const VariableObject &object : objects)
        if (!object.field)
            lines << QStringLiteral("Global ") + object.variable + QStringLiteral(" = #") + object.constant;
    for (const ImageRecord &image : images) {
        if (!image.variable.isEmpty())
            lines << QStringLiteral("Global ") + image.variable + QStringLiteral(" = ") + image.name;
    }
    if (lines.isEmpty())
        return;
    target << QStringLiteral(";- Object Variables") << QStringLiteral(";") << lines << QString();
}

void EmitConstantsSection(const DesignModel &model, OutputLines &output)
{
    const DesignModel &m = model;
    SourceLineList &out = output.ConstantLines;
    const QStringList fonts = DeclaredIdentifiers(m.FontList);
    const QStringList images = DeclaredIdentifiers(m.ImageList);
    // Eight blocks of at most five lines beside their members, then the old constants and the
    // variables.
    out.reserve(out.size() + m.WindowList.size() + m.MenuList.size() + m.MenuItemList.size() + m.GadgetList.size()
                + m.StatusBarList.size() + m.ToolBarList.size() + fonts.size() + images.size() + qsizetype(8) * 5);
    const QStringView asWritten;
    const QStringView objectMark = u"#";
    LineArena arena;
    AppendEnumeration(out, arena, ";- Window Constants", m.WindowList, m.First.window, objectMark, m.KeptNumbers);
    AppendEnumeration(out, arena, ";- Menubar Constants", m.MenuList, m.First.menu);
    AppendEnumeration(out, arena, ";- MenuItem Constants", DeclaredMenuItems(m), m.First.menuItem, objectMark,
                      m.KeptNumbers);
    AppendEnumeration(out, arena, ";- Gadget Constants", m.GadgetList, m.First.gadget, objectMark, m.KeptNumbers);
    AppendEnumeration(out, arena, ";- StatusBar Constants", m.StatusBarList, m.First.statusBar);
    AppendEnumeration(out, arena, ";- ToolBar Constants", m.ToolBarList, m.First.toolBar);
    AppendEnumeration(out, arena, ";- Font Constants", fonts, m.First.font, asWritten);
    AppendEnumeration(out, arena, ";- Image Constants", images, m.First.image, asWritten);
    AppendOldObjectConstants(out, m.OldObjectConstants);
    AppendObjectVariables(out, m.VariableObjects, m.ImageList);
}

} // namespace quarvel
