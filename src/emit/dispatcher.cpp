#include "emit/dispatcher.h"

#include "base/basic_strings.h"
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

SourceLineList CaseLines(const QStringList &names, const char *prefix, const char *arguments)
{
    SourceLineList lines;
    lines.reserve(names.size());
    for (const QString &name : names) {
        lines << QString(QLatin1StringView("    Case #") % name % QLatin1StringView(" : ") % QLatin1StringView(prefix)
                         % name % QLatin1StringView(arguments));
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

SourceLineList TableRows(const QStringList &names, const char *prefix)
{
    SourceLineList rows;
    rows.reserve(names.size());
    for (const QString &name : names)
        rows << QString(QLatin1StringView("    Data.i @") % QLatin1StringView(prefix) % name % QLatin1StringView("()"));
    return rows;
}

// Every gadget keeps its row so that row i stays the gadget whose constant has value i.
SourceLineList GadgetTableRows(const QList<GadgetRecord> &gadgets)
{
    SourceLineList rows;
    rows.reserve(gadgets.size());
    for (const GadgetRecord &gadget : gadgets) {
        rows << (HasEventProcedure(gadget)
                     ? QString(QLatin1StringView("    Data.i @EventGadget_") % gadget.name % QLatin1StringView("()"))
                     : QStringLiteral("    Data.i @MyEventDispatch()"));
    }
    return rows;
}

// The rows of the numbers below a kind's first constant: numbers the sources give objects
// themselves, whose events reach none of the generated procedures.
SourceLineList IgnoredRows(qint64 count, const char *procedure)
{
    SourceLineList rows;
    rows.reserve(count);
    const QString row = QStringLiteral("    Data.i @") + QLatin1String(procedure) + QStringLiteral("()");
    for (qint64 i = 0; i < count; ++i)
        rows << row;
    return rows;
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
        {"MyEventMenu", CaseLines(m.MenuItemList, MenuEvents.prefix, MenuEvents.suffix)},
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
    SetCountLine(lines, QStringLiteral("#CallEventMenuCount = 0"), QStringLiteral("#CallEventMenuCount   = "),
                 first.menuItem + m.MenuItemList.size());
    SetCountLine(lines, QStringLiteral("#CallEventGadgetCount = 0"), QStringLiteral("#CallEventGadgetCount = "),
                 first.gadget + m.GadgetList.size());
    SetCountLine(lines, QStringLiteral("#CallEventWindowCount = 0"), QStringLiteral("#CallEventWindowCount = "),
                 first.window + m.WindowList.size());

    const qsizetype dataSection = FirstLineContaining(lines, QStringLiteral("DataSection"));
    if (dataSection < 0)
        return;
    SourceLineList tables;
    tables.reserve(first.menuItem + m.MenuItemList.size() + first.gadget + m.GadgetList.size()
                   + 2 * (first.window + m.WindowList.size()) + 4);
    tables << QStringLiteral("  CallEventMenu:") << IgnoredRows(first.menuItem, "MyEventIgnore")
           << TableRows(m.MenuItemList, MenuEvents.prefix);
    tables << QStringLiteral("  CallEventGadget:") << IgnoredRows(first.gadget, "MyEventDispatch")
           << GadgetTableRows(m.GadgetList);
    tables << QStringLiteral("  CallEventSize:") << IgnoredRows(first.window, "MyEventIgnore")
           << TableRows(m.WindowList, SizeEvents.prefix);
    tables << QStringLiteral("  CallEventExit:") << IgnoredRows(first.window, "MyEventIgnore")
           << TableRows(m.WindowList, ExitEvents.prefix);
    QList<Insertion> insertions{{dataSection, tables}};
    if (first.menuItem > 0 || first.window > 0)
        insertions.append(IgnoringProcedure(lines));
    ApplyInsertions(lines, insertions);
}

} // namespace quarvel
