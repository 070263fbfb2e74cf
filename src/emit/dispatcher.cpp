#include "emit/dispatcher.h"

#include "base/basic_strings.h"
#include "base/shared_lines.h"
#include "emit/event_procedures.h"
#include "model/design_model.h"
#include "model/event_files.h"

#include <QStringBuilder>

#include <algorithm>

namespace quarvel {

namespace {

// Lines to be placed directly after the line at index `after` of the template.
struct Insertion {
    qsizetype after = 0;
    SourceLineList lines;
};

// Builds the new list in one walk, so thousands of inserted lines cost no list shifting.
// Insertions after the same line keep their order.
void ApplyInsertions(SourceLineList &target, QList<Insertion> insertions)
{
    std::stable_sort(insertions.begin(), insertions.end(),
                     [](const Insertion &a, const Insertion &b) { return a.after < b.after; });
    qsizetype added = 0;
    for (const Insertion &insertion : insertions)
        added += insertion.lines.size();

    SourceLineList result;
    result.reserve(target.size() + added);
    auto next = insertions.cbegin();
    for (qsizetype i = 0; i < target.size(); ++i) {
        result << target[i];
        for (; next != insertions.cend() && next->after == i; ++next)
            result << next->lines;
    }
    target = std::move(result);
}

qsizetype FirstLineContaining(const SourceLineList &lines, const QString &text)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (HoldsText(lines[i], text))
            return i;
    }
    return -1;
}

// constants: the objects tested with a constant of PureBasic's, not their own.
SourceLineList CaseLines(const QStringList &names, const char *prefix, const char *arguments,
                         const QHash<QString, QString> &constants = {})
{
    SourceLineList lines;
    lines.reserve(names.size());
    for (const QString &name : names) {
        lines << QString(QLatin1StringView("    Case #") % constants.value(name, name) % QLatin1StringView(" : ")
                         % QLatin1StringView(prefix) % name % QLatin1StringView(arguments));
    }
    return lines;
}

QStringList GadgetsWithProcedures(const QList<GadgetRecord> &gadgets)
{
    QStringList names;
    for (const GadgetRecord &gadget : gadgets) {
        if (HasEventProcedure(gadget))
            names << gadget.name;
    }
    return names;
}

// Whether an object's row calls its own event procedure: a gadget without one has none.
bool HasRowProcedure(const QString &)
{
    return true;
}

bool HasRowProcedure(const GadgetRecord &gadget)
{
    return HasEventProcedure(gadget);
}

// Appends the rows of one table: row i calls the procedure of the object whose constant has
// the value i, and a row no such object has calls `ignored`. Below first lie the numbers the
// sources give objects themselves: an object that keeps its number (kept) has its row there;
// the others follow from first on, in their list's order.
// The rows go straight into the table's lines and the gadgets are read from their records:
// rows returned in a list of their own and a list of the gadgets' names made for them cost an
// unchanged regeneration of 200 x 100 (bench/make_project.py) 2.9 M instructions more. The rows
// share the buffers of an arena: with a buffer each, the whole regeneration cost 346.3 M
// instructions, against 343.8 M (callgrind).
template <typename Objects>
void AppendTableRows(SourceLineList &rows, LineArena &arena, const Objects &objects, qint64 first,
                     const QHash<QString, qint64> &kept, const char *prefix, const char *ignored)
{
    const QString ignoredRow = QStringLiteral("    Data.i @") + QLatin1String(ignored) + QStringLiteral("()");
    // The row's head is converted from Latin-1 once, not once per row: per row, it cost an
    // unchanged regeneration of 200 x 100 (bench/make_project.py) 1.8 M instructions more.
    const QString head = QStringLiteral("    Data.i @") + QLatin1String(prefix);
    const auto row = [&](const auto &object) {
        return HasRowProcedure(object) ? arena.joined({head, NameOf(object), u"()"}) : ignoredRow;
    };
    const qsizetype start = rows.size();
    for (qint64 i = 0; i < first; ++i)
        rows << ignoredRow;
    for (const auto &object : objects) {
        if (const auto value = kept.constFind(NameOf(object)); value == kept.cend())
            rows << row(object);
        else if (*value < first)
            rows[start + *value] = row(object);
    }
}

// The objects of a list that keep the number the sources give them.
template <typename Objects>
qsizetype KeptCount(const Objects &objects, const QHash<QString, qint64> &kept)
{
    return kept.isEmpty() ? 0 : std::count_if(objects.cbegin(), objects.cend(), [&](const auto &object) {
        return kept.contains(NameOf(object));
    });
}

// The do-nothing target of the menu and window rows below the first constants, after the
// gadgets' MyEventDispatch; a project without such rows does not get it.
Insertion IgnoringProcedure(const SourceLineList &lines)
{
    const qsizetype dispatch = FirstLineContaining(lines, QStringLiteral("Procedure MyEventDispatch("));
    qsizetype end = dispatch;
    while (end >= 0 && end < lines.size() && !HoldsText(lines[end], u"EndProcedure"))
        ++end;
    if (dispatch < 0 || end >= lines.size())
        return {};
    return {
        end,
        {QString(), QStringLiteral("Procedure MyEventIgnore()"), QStringLiteral("  "), QStringLiteral("EndProcedure")}};
}

// A menu item created with a constant of PureBasic's has no row in the menu table, whose rows
// are the generated constants' values: MyEventMenu tests that constant before the table. The
// table's "If" becomes the last "ElseIf" of the tests.
Insertion PureBasicMenuTests(SourceLineList &lines, const DesignModel &model)
{
    const qsizetype head = FirstLineContaining(lines, QStringLiteral("Procedure MyEventMenu("));
    if (head < 0 || head + 1 >= lines.size() || !TrimBlanksView(lines[head + 1]).startsWith(u"If "))
        return {};
    lines[head + 1].replace(lines[head + 1].indexOf(QLatin1String("If ")), 3, QStringLiteral("ElseIf "));
    SourceLineList tests;
    for (const QString &name : model.MenuItemList) {
        const auto constant = model.PureBasicConstants.constFind(name);
        if (constant == model.PureBasicConstants.cend())
            continue;
        tests << QString(
            (tests.isEmpty() ? QLatin1StringView("  If MenuID = #") : QLatin1StringView("  ElseIf MenuID = #"))
            % *constant)
              << QString(QLatin1StringView("    ") % QLatin1StringView(MenuEvents.prefix) % name
                         % QLatin1StringView("()"));
    }
    return {head, tests};
}

void SetCountLine(SourceLineList &lines, const QString &placeholder, const QString &line, qsizetype count)
{
    const qsizetype i = FirstLineContaining(lines, placeholder);
    if (i >= 0)
        lines[i] = line + Str(count);
}

} // namespace

void EmitDispatchSelect(const DesignModel &model, OutputLines &output)
{
    const DesignModel &m = model;
    SourceLineList &lines = output.EventMainLines;
    const struct {
        const char *marker;
        SourceLineList cases;
    } groups[] = {
        {"MyEventMenu", CaseLines(m.MenuItemList, MenuEvents.prefix, MenuEvents.suffix, m.PureBasicConstants)},
        {"MyEventGadget", CaseLines(GadgetsWithProcedures(m.GadgetList), GadgetEvents.prefix, GadgetEvents.suffix)},
        {"MyEventSize", CaseLines(m.WindowList, SizeEvents.prefix, SizeEvents.suffix)},
        {"MyEventExit", CaseLines(m.WindowList, ExitEvents.prefix, ExitEvents.suffix)},
    };
    QList<Insertion> insertions;
    for (const auto &group : groups) {
        const qsizetype head = FirstLineContaining(lines, QLatin1String(group.marker));
        if (head < 0)
            continue;
        // The cases go after the line following the procedure's head, its Select line.
        insertions.append({std::min(head + 1, lines.size() - 1), group.cases});
    }
    ApplyInsertions(lines, insertions);
}

void EmitDispatchCallFast(const DesignModel &model, OutputLines &output)
{
    const DesignModel &m = model;
    const FirstNumbers &first = m.First;
    SourceLineList &lines = output.EventMainLines;
    const QHash<QString, qint64> &kept = m.KeptNumbers;
    const QList<GadgetRecord> &gadgets = m.GadgetList;
    const QStringList menuItems = DeclaredMenuItems(m);
    const qint64 menuRows = first.menuItem + menuItems.size() - KeptCount(menuItems, kept);
    const qint64 gadgetRows = first.gadget + gadgets.size() - KeptCount(gadgets, kept);
    const qint64 windowRows = first.window + m.WindowList.size() - KeptCount(m.WindowList, kept);
    SetCountLine(lines, QStringLiteral("#CallEventMenuCount = 0"), QStringLiteral("#CallEventMenuCount   = "),
                 menuRows);
    SetCountLine(lines, QStringLiteral("#CallEventGadgetCount = 0"), QStringLiteral("#CallEventGadgetCount = "),
                 gadgetRows);
    SetCountLine(lines, QStringLiteral("#CallEventWindowCount = 0"), QStringLiteral("#CallEventWindowCount = "),
                 windowRows);

    const qsizetype dataSection = FirstLineContaining(lines, QStringLiteral("DataSection"));
    if (dataSection < 0)
        return;
    SourceLineList tables;
    tables.reserve(menuRows + gadgetRows + 2 * windowRows + 4);
    LineArena arena;
    tables << QStringLiteral("  CallEventMenu:");
    AppendTableRows(tables, arena, menuItems, first.menuItem, kept, MenuEvents.prefix, "MyEventIgnore");
    tables << QStringLiteral("  CallEventGadget:");
    AppendTableRows(tables, arena, gadgets, first.gadget, kept, GadgetEvents.prefix, "MyEventDispatch");
    tables << QStringLiteral("  CallEventSize:");
    AppendTableRows(tables, arena, m.WindowList, first.window, kept, SizeEvents.prefix, "MyEventIgnore");
    tables << QStringLiteral("  CallEventExit:");
    AppendTableRows(tables, arena, m.WindowList, first.window, kept, ExitEvents.prefix, "MyEventIgnore");
    QList<Insertion> insertions{{dataSection, tables}};
    if (first.menuItem > 0 || first.window > 0)
        insertions.append(IgnoringProcedure(lines));
    if (!m.PureBasicConstants.isEmpty())
        insertions.append(PureBasicMenuTests(lines, m));
    ApplyInsertions(lines, insertions);
}

} // namespace quarvel
