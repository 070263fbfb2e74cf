#include "pipeline/event_procedure_findings.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "emit/event_procedures.h"
#include "model/event_files.h"
#include "model/generation_context.h"
#include "model/project_file.h"

#include <QDir>
#include <QSet>

#include <optional>

namespace quarvel {

namespace {

// A procedure head of an event file: the line it stands on and its name, a view of that line.
struct NamedHead {
    qsizetype line;
    QStringView name;
};

QList<NamedHead> ProcedureHeads(const SourceLineList &lines)
{
    QList<NamedHead> heads;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const QStringView name = ProcedureHeadName(lines[i]); !name.isEmpty())
            heads.append({i, name});
    }
    return heads;
}

// Whether the head's line holds its name directly followed by suffix, without building the
// joined text. Nearly always the suffix follows the name where it stands, which needs no search.
bool HoldsFollowedBy(QStringView line, const NamedHead &head, QLatin1StringView suffix)
{
    const QStringView name = head.name;
    if (line.sliced(name.data() - line.data() + name.size()).startsWith(suffix))
        return true;
    for (qsizetype at = line.indexOf(name); at >= 0; at = line.indexOf(name, at + 1)) {
        if (line.sliced(at + name.size()).startsWith(suffix))
            return true;
    }
    return false;
}

// One kind of event procedure and the objects that have one.
struct EventKind {
    const EventFile &events;
    QStringList objects;
};

// The user's lines in a procedure body: not blank, not a comment, not a line of the skeleton.
int UserLinesOf(const SourceLineList &lines, qsizetype head, const QSet<QString> &skeleton)
{
    int count = 0;
    for (qsizetype i = head + 1; i < lines.size() && !IsProcedureEnd(lines[i]); ++i) {
        const QString text = TrimBlanks(lines[i]);
        if (!text.isEmpty() && !text.startsWith(QLatin1Char(';')) && !skeleton.contains(text))
            ++count;
    }
    return count;
}

QSet<QString> SkeletonLines()
{
    SourceLineList body;
    EmitGadgetEventBody(body, QString());
    QSet<QString> set;
    for (const QString &line : body)
        set.insert(TrimBlanks(line));
    return set;
}

// The lines of the standard heads (prefix, name and suffix as written) by name in any letter
// case; of a name standing twice, the last.
QHash<NoCaseKey, qsizetype> StandardHeads(const SourceLineList &lines, const QList<NamedHead> &heads,
                                          const EventKind &kind)
{
    const QLatin1StringView prefix(kind.events.prefix);
    QHash<NoCaseKey, qsizetype> standard;
    standard.reserve(heads.size());
    for (const NamedHead &head : heads) {
        if (head.name.startsWith(prefix) && HoldsFollowedBy(lines[head.line], head, QLatin1String(kind.events.suffix)))
            standard.insert(NoCaseKey(head.name), head.line);
    }
    return standard;
}

// The objects of one kind by name in any letter case, each with the line of its standard head
// (-1 while none is known). Nothing is inserted once built, so pointers to the lines hold.
QHash<NoCaseKey, qsizetype> ObjectsOf(const QStringList &names)
{
    QHash<NoCaseKey, qsizetype> objects;
    objects.reserve(names.size());
    for (const QString &name : names)
        objects.insert(NoCaseKey(QStringView(name)), -1);
    return objects;
}

// For every head that holds the prefix as written, the standard line of its object (nullptr
// for a head without an object); every standard head enters its line there, the last one of
// a name standing twice winning. Heads with the prefix in another letter case stay nullptr.
QList<qsizetype *> HeadObjects(const SourceLineList &lines, const QList<NamedHead> &heads, const EventKind &kind,
                               QHash<NoCaseKey, qsizetype> &objects)
{
    const QLatin1StringView prefix(kind.events.prefix);
    QList<qsizetype *> found(heads.size(), nullptr);
    for (qsizetype h = 0; h < heads.size(); ++h) {
        const NamedHead &head = heads[h];
        if (!head.name.startsWith(prefix))
            continue;
        if (const auto object = objects.find(NoCaseKey(head.name.sliced(prefix.size()))); object != objects.end()) {
            found[h] = &*object;
            if (HoldsFollowedBy(lines[head.line], head, QLatin1String(kind.events.suffix)))
                *object = head.line;
        }
    }
    return found;
}

// The standard line of a head whose prefix stands in another letter case: nullopt when its
// name has no object, else the line of the last standard head of its name (-1 for none),
// looked up by the whole name in any letter case. Rare, so the table is built on demand.
std::optional<qsizetype> OtherCaseStandard(const SourceLineList &lines, const QList<NamedHead> &heads,
                                           const NamedHead &head, const EventKind &kind,
                                           const QHash<NoCaseKey, qsizetype> &objects,
                                           std::optional<QHash<NoCaseKey, qsizetype>> &standardHeads)
{
    if (!objects.contains(NoCaseKey(head.name.sliced(qstrlen(kind.events.prefix)))))
        return std::nullopt;
    if (!standardHeads)
        standardHeads = StandardHeads(lines, heads, kind);
    return standardHeads->value(NoCaseKey(head.name), -1);
}

// Orphaned procedures (no object of their name any more) and edited heads (the object's
// name in another letter case or with another parameter; a standard skeleton stands beside
// the user's procedure only where an earlier run appended one).
void FindEventProcedureFindings(const SourceLineList &lines, const QList<NamedHead> &heads, const EventKind &kind,
                                QList<ReportFinding> &out)
{
    const QString prefix = QLatin1String(kind.events.prefix);
    QHash<NoCaseKey, qsizetype> objects = ObjectsOf(kind.objects);
    const QList<qsizetype *> headObjects = HeadObjects(lines, heads, kind, objects);
    std::optional<QHash<NoCaseKey, qsizetype>> standardHeads;
    static const QSet<QString> skeleton = SkeletonLines();
    for (qsizetype h = 0; h < heads.size(); ++h) {
        const auto &[i, name] = heads[h];
        std::optional<qsizetype> standard; // the standard line of the head's object, if it has one
        if (name.startsWith(prefix)) {
            if (headObjects[h])
                standard = *headObjects[h];
        } else if (name.startsWith(prefix, Qt::CaseInsensitive)) {
            standard = OtherCaseStandard(lines, heads, heads[h], kind, objects, standardHeads);
        } else {
            continue;
        }
        if (!standard) {
            out.append({FindingKind::OrphanedProcedure, QLatin1String(kind.events.name), int(i + 1),
                        name.toString() + QStringLiteral(" has no object any more; left in place, it holds ")
                            + QString::number(UserLinesOf(lines, i, skeleton))
                            + QStringLiteral(" lines of your code.")});
        } else if (*standard != i) {
            // Without a standard head beside it, the user's head is the procedure: none was
            // appended. One appended before it counted is still named.
            const QString beside = *standard < 0
                                       ? QStringLiteral("; it is kept as the procedure, none other is appended.")
                                       : QStringLiteral(", so a second one stands at line ")
                                             + QString::number(*standard + 1) + QLatin1Char('.');
            out.append({FindingKind::EditedHead, QLatin1String(kind.events.name), int(i + 1),
                        TrimBlanks(lines[i]) + QStringLiteral(" is not the standard head Procedure ") + prefix
                            + name.sliced(prefix.size()).toString() + QLatin1String(kind.events.suffix) + beside});
        }
    }
}

void FindEventFindings(const GenerationContext &g, QList<ReportFinding> &out)
{
    QStringList gadgets;
    for (const GadgetRecord &gadget : g.model.GadgetList)
        gadgets.append(gadget.name);
    const SourceLineList &menu = g.lines.EventMenuLines, &gadget = g.lines.EventGadgetLines,
                         &window = g.lines.EventWindowLines;
    const QList<NamedHead> windowHeads = ProcedureHeads(window);
    FindEventProcedureFindings(menu, ProcedureHeads(menu), {MenuEvents, g.model.MenuItemList}, out);
    FindEventProcedureFindings(gadget, ProcedureHeads(gadget), {GadgetEvents, gadgets}, out);
    FindEventProcedureFindings(window, windowHeads, {SizeEvents, g.model.WindowList}, out);
    FindEventProcedureFindings(window, windowHeads, {ExitEvents, g.model.WindowList}, out);
}

// What the new event procedures of this run call from the form's assignments, and the assigned
// procedures that got a skeleton, each at the line of the form it was read from.
void FindEventWirings(const GenerationContext &g, QList<ReportFinding> &out)
{
    const QDir project(g.ProjectDirectory());
    for (const EventWiring &wiring : g.model.FormEventAssignments.wirings) {
        const QString form = project.relativeFilePath(
            ProjectRelativePath(g.ProjectDirectory(), g.model.CommonFileList.value(wiring.origin.file)));
        const QString where = wiring.eventFile + QLatin1Char(':') + QString::number(wiring.eventLine);
        if (wiring.call.isEmpty())
            out.append({FindingKind::AssignedProcedure, form, wiring.origin.line,
                        wiring.procedure + QStringLiteral(" is new in ") + where + QLatin1Char('.')});
        else
            out.append({FindingKind::EventCall, form, wiring.origin.line,
                        wiring.procedure + QStringLiteral(" calls ") + wiring.call + QStringLiteral(" (") + where
                            + QStringLiteral(").")});
    }
}

} // namespace

QList<ReportFinding> EventProcedureFindings(const GenerationContext &g)
{
    QList<ReportFinding> findings;
    FindEventWirings(g, findings);
    FindEventFindings(g, findings);
    return findings;
}

} // namespace quarvel
