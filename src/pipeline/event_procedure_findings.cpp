#include "pipeline/event_procedure_findings.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "emit/event_procedures.h"
#include "model/event_files.h"
#include "model/project_file.h"
#include "pipeline/generation_context.h"

#include <QDir>
#include <QSet>

#include <algorithm>
#include <optional>

namespace quarvel {

namespace {

// Whether the head's line holds its name directly followed by suffix, without building the
// joined text. Nearly always the suffix follows the name where it stands, which needs no search.
bool HoldsFollowedBy(QStringView line, const HeadOfLine &head, QLatin1StringView suffix)
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

// The trimmed lines of the generated gadget skeleton that hold text.
QStringList SkeletonLines()
{
    SourceLineList body;
    EmitGadgetEventBody(body, QString());
    QStringList lines;
    for (const QString &line : body) {
        if (const QStringView text = TrimBlanksView(line); !text.isEmpty() && !lines.contains(text))
            lines.append(text.toString());
    }
    return lines;
}

// The lines of the standard heads (prefix, name and suffix as written) by name in any letter
// case; of a name standing twice, the last.
QHash<NoCaseKey, qsizetype> StandardHeads(const SourceLineList &lines, const QList<HeadOfLine> &heads,
                                          const EventKind &kind)
{
    const QLatin1StringView prefix(kind.events.prefix);
    QHash<NoCaseKey, qsizetype> standard;
    standard.reserve(heads.size());
    for (const HeadOfLine &head : heads) {
        if (head.name.startsWith(prefix) && HoldsFollowedBy(lines[head.line], head, QLatin1String(kind.events.suffix)))
            standard.insert(NoCaseKey(head.name), head.line);
    }
    return standard;
}

// The objects of one kind by name in any letter case, no head known yet; a name that stands
// twice has one entry. A table of places instead of a QHash of the names cost an unchanged
// regeneration of 200 x 100 (bench/make_project.py) 1.7 M instructions less (callgrind).
EventHeadTable ObjectsOf(const QStringList &names)
{
    EventHeadTable objects;
    objects.names = names;
    objects.firstPlaces.reserve(names.size());
    objects.byIndex.reserve(size_t(names.size()));
    for (qsizetype k = 0; k < names.size(); ++k) {
        if (const qint32 first = objects.firstPlaces.insert(names[k], qint32(k), objects.NameAt()); first == k) {
            objects.byIndex.push_back(qsizetype(objects.entries.size()));
            objects.entries.emplace_back();
        } else {
            objects.byIndex.push_back(objects.byIndex[size_t(first)]);
        }
    }
    return objects;
}

// The index of the object named name as written among the few that follow next, or -1. Where
// the run generated them, the heads stand in the order of their objects, some objects having
// none: the look saves hashing every head's name. With one look a name in ObjectsOf instead of
// two, it saved an unchanged regeneration of 200 x 100 (bench/make_project.py) 4.7 M
// instructions (callgrind).
qsizetype NextObject(const QStringList &objects, qsizetype next, QStringView name)
{
    for (qsizetype k = next; k < qMin(next + 8, objects.size()); ++k) {
        if (objects[k] == name)
            return k;
    }
    return -1;
}

// For every head that holds the prefix as written, the standard line of its object (nullptr
// for a head without an object); every standard head enters its line there, the last one of
// a name standing twice winning. Heads with the prefix in another letter case stay nullptr.
QList<EventHeads *> HeadObjects(const SourceLineList &lines, const QList<HeadOfLine> &heads, const EventKind &kind,
                                EventHeadTable &objects)
{
    const QLatin1StringView prefix(kind.events.prefix);
    QList<EventHeads *> found(heads.size(), nullptr);
    qsizetype next = 0; // the first object whose head may come next
    for (qsizetype h = 0; h < heads.size(); ++h) {
        const HeadOfLine &head = heads[h];
        if (!head.name.startsWith(prefix))
            continue;
        const QStringView name = head.name.sliced(prefix.size());
        EventHeads *object = nullptr;
        if (const qsizetype k = NextObject(kind.objects, next, name); k >= 0) {
            object = &objects.entries[size_t(objects.byIndex[size_t(k)])];
            next = k + 1;
        } else {
            object = objects.Named(name);
        }
        if (object) {
            found[h] = object;
            if (HoldsFollowedBy(lines[head.line], head, QLatin1String(kind.events.suffix)))
                object->standard = head.line;
        }
    }
    return found;
}

// The entry of a head whose prefix stands in another letter case: nullptr when its name has no
// object. standard becomes the line of the last standard head of its name, looked up by the
// whole name in any letter case (-1 for none). Rare, so the table is built on demand.
EventHeads *OtherCaseObject(const SourceLineList &lines, const QList<HeadOfLine> &heads, const HeadOfLine &head,
                            const EventKind &kind, EventHeadTable &objects,
                            std::optional<QHash<NoCaseKey, qsizetype>> &standardHeads, qsizetype &standard)
{
    EventHeads *object = objects.Named(head.name.sliced(qstrlen(kind.events.prefix)));
    if (!object)
        return nullptr;
    if (!standardHeads)
        standardHeads = StandardHeads(lines, heads, kind);
    standard = standardHeads->value(NoCaseKey(head.name), -1);
    return object;
}

ObjectFact StrayProcedure(const EventKind &kind, const HeadOfLine &head, ProcedureState state, int userLines)
{
    ObjectFact stray;
    stray.kind = ObjectKind::Procedure;
    stray.name = head.name.toString();
    stray.procedure = {state, &kind.events, int(head.line + 1), userLines};
    return stray;
}

// Orphaned procedures (no object of their name any more) and edited heads (the object's
// name in another letter case or with another parameter; a standard skeleton stands beside
// the user's procedure only where an earlier run appended one). Each object's entry in objects
// learns its heads.
void FindEventProcedureFindings(const SourceLineList &lines, const QList<HeadOfLine> &heads, const EventKind &kind,
                                EventHeadTable &objects, EventProcedureScan &out)
{
    const QString prefix = QLatin1String(kind.events.prefix);
    objects = ObjectsOf(kind.objects);
    const QList<EventHeads *> headObjects = HeadObjects(lines, heads, kind, objects);
    std::optional<QHash<NoCaseKey, qsizetype>> standardHeads;
    for (qsizetype h = 0; h < heads.size(); ++h) {
        const auto &[i, name] = heads[h];
        EventHeads *object = nullptr; // the entry of the head's object, if it has one
        qsizetype standard = -1;      // and the line of its standard head
        if (name.startsWith(prefix)) {
            object = headObjects[h];
            standard = object ? object->standard : -1;
        } else if (name.startsWith(prefix, Qt::CaseInsensitive)) {
            object = OtherCaseObject(lines, heads, heads[h], kind, objects, standardHeads, standard);
        } else {
            continue;
        }
        if (!object) {
            const int userLines = UserCodeLines(lines, i);
            out.findings.append({FindingKind::OrphanedProcedure, QLatin1String(kind.events.name), int(i + 1),
                                 name.toString() + QStringLiteral(" has no object any more; left in place, it holds ")
                                     + QString::number(userLines)
                                     + (userLines == 1 ? QStringLiteral(" line of your code.")
                                                       : QStringLiteral(" lines of your code."))});
            out.strays.append(StrayProcedure(kind, heads[h], ProcedureState::Orphaned, userLines));
        } else if (standard != i) {
            // Without a standard head beside it, the user's head is the procedure: none was
            // appended. One appended before it counted is still named.
            const QString beside = standard < 0
                                       ? QStringLiteral("; it is kept as the procedure, none other is appended.")
                                       : QStringLiteral(", so a second one stands at line ")
                                             + QString::number(standard + 1) + QLatin1Char('.');
            out.findings.append({FindingKind::EditedHead, QLatin1String(kind.events.name), int(i + 1),
                                 TrimBlanks(lines[i]) + QStringLiteral(" is not the standard head Procedure ") + prefix
                                     + name.sliced(prefix.size()).toString() + QLatin1String(kind.events.suffix)
                                     + beside});
            if (standard < 0)
                object->edited = i;
            else
                out.strays.append(StrayProcedure(kind, heads[h], ProcedureState::EditedHead, UserCodeLines(lines, i)));
        }
    }
}

void FindEventFindings(const GenerationContext &run, const EventFileReads &reads, EventProcedureScan &out)
{
    QStringList gadgets;
    for (const GadgetRecord &gadget : run.model.GadgetList)
        gadgets.append(gadget.name); // shares the model's text, which the table's keys view
    const SourceLineList &menu = run.lines.EventMenuLines, &gadget = run.lines.EventGadgetLines,
                         &window = run.lines.EventWindowLines;
    FindEventProcedureFindings(menu, reads.menu.heads, {MenuEvents, run.model.MenuItemList}, out.menu, out);
    FindEventProcedureFindings(gadget, reads.gadget.heads, {GadgetEvents, gadgets}, out.gadget, out);
    FindEventProcedureFindings(window, reads.window.heads, {SizeEvents, run.model.WindowList}, out.size, out);
    FindEventProcedureFindings(window, reads.window.heads, {ExitEvents, run.model.WindowList}, out.exit, out);
}

// What the new event procedures of this run call from the form's assignments, and the assigned
// procedures that got a skeleton, each at the line of the form it was read from.
void FindEventWirings(const GenerationContext &run, QList<ReportFinding> &out)
{
    const QDir project(run.ProjectDirectory());
    for (const EventWiring &wiring : run.model.FormEventAssignments.wirings) {
        const QString form = project.relativeFilePath(
            ProjectRelativePath(run.ProjectDirectory(), run.model.CommonFileList.value(wiring.origin.file)));
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

// The bodies of the sources' event loops this run carried into new procedures, each with the
// source lines it was read from.
void FindCarriedBodies(const GenerationContext &run, QList<ReportFinding> &out)
{
    const QDir project(run.ProjectDirectory());
    for (const CarriedFact &fact : run.model.Carried.carried) {
        const QString source = project.relativeFilePath(
            ProjectRelativePath(run.ProjectDirectory(), run.model.CommonFileList.value(fact.span.origin.file)));
        out.append({FindingKind::CarriedOver, source, fact.span.origin.line, fact.procedure, fact.span.last});
    }
}

// "EndProcedure" as the generator writes it, found without IsProcedureEnd's comparison in any
// letter case, which costs more than the rest of a body's lines.
bool IsGeneratedProcedureEnd(QStringView text)
{
    static const QLatin1StringView end("EndProcedure");
    return text.startsWith(end) && (text.size() == end.size() || !IsIdentifierChar(text.at(end.size())));
}

} // namespace

qsizetype EventHeadTable::EntryOf(QStringView name) const
{
    const qint32 first = firstPlaces.find(name, NameAt());
    return first < 0 ? -1 : byIndex[size_t(first)];
}

EventHeads *EventHeadTable::Named(QStringView name)
{
    const qsizetype entry = EntryOf(name);
    return entry < 0 ? nullptr : &entries[size_t(entry)];
}

const EventHeads *EventHeadTable::Find(qsizetype index, const QString &name) const
{
    const qsizetype entry = index >= 0 && size_t(index) < byIndex.size() ? byIndex[size_t(index)] : EntryOf(name);
    return entry < 0 ? nullptr : &entries[size_t(entry)];
}

EventFileReads ReadEventFiles(const OutputLines &lines)
{
    return {ReadEventFileLines(lines.EventMenuLines, lines.EventMenuRead),
            ReadEventFileLines(lines.EventGadgetLines, lines.EventGadgetRead),
            ReadEventFileLines(lines.EventWindowLines, lines.EventWindowRead)};
}

EventProcedureScan ScanEventProcedures(const GenerationContext &run, const EventFileReads &reads, bool withWirings)
{
    EventProcedureScan scan;
    if (withWirings) {
        FindEventWirings(run, scan.findings);
        FindCarriedBodies(run, scan.findings);
    }
    FindEventFindings(run, reads, scan);
    return scan;
}

// Every procedure body of a large project passes through here: most of its lines are blank
// or a skeleton line, told apart by their length before any comparison.
int UserCodeLines(const SourceLineList &lines, qsizetype head)
{
    static const QStringList skeleton = SkeletonLines();
    const auto isSkeleton = [](QStringView text) {
        return std::any_of(skeleton.cbegin(), skeleton.cend(),
                           [text](const QString &line) { return line.size() == text.size() && line == text; });
    };
    int count = 0;
    for (qsizetype i = head + 1; i < lines.size(); ++i) {
        const QStringView text = TrimBlanksView(lines[i]);
        if (text.isEmpty() || text.front() == QLatin1Char(';'))
            continue;
        const bool mayEnd = text.size() >= 12 && (text.front() == QLatin1Char('E') || text.front() == QLatin1Char('e'));
        if (mayEnd && (IsGeneratedProcedureEnd(text) || IsProcedureEnd(text)))
            break;
        if (!isSkeleton(text))
            ++count;
    }
    return count;
}

} // namespace quarvel
