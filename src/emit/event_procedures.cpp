#include "emit/event_procedures.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/line_lists.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "model/design_model.h"
#include "model/event_file_lines.h"
#include "model/event_files.h"

#include <QStringBuilder>

#include <optional>

namespace quarvel {

// The smallest shift that maps the text onto itself where they overlap; its length if none.
static qsizetype Period(QStringView text)
{
    for (qsizetype shift = 1; shift < text.size(); ++shift) {
        if (text.sliced(shift) == text.first(text.size() - shift))
            return shift;
    }
    return text.size();
}

// Whether the text at index at begins a statement of the line's code: only blanks stand
// before it, or the ":" that ends the statement before, and it lies in no literal and no
// comment. A head in a comment or a text declares nothing.
static bool BeginsStatement(const QString &line, qsizetype at)
{
    qsizetype before = at - 1;
    while (before >= 0 && IsBlank(line.at(before)))
        --before;
    if (before < 0)
        return true;
    if (line.at(before) != QLatin1Char(':') || (before > 0 && line.at(before - 1) == QLatin1Char(':')))
        return false;
    const CodeLine scan = ScanCodeLine(line);
    return !scan.InLiteral(at) && at < scan.CodeEnd();
}

// A head prefix + name + suffix stands in a line exactly when the line holds the prefix at
// some position p that begins a statement and the suffix at some later position q with the
// text between them equal to name. So every (prefix, later suffix) pair of a line is a
// candidate name, and a candidate that is one of the names is found.
QList<bool> FindProcedureHeads(const SourceLineList &lines, const QString &prefix, const QString &suffix,
                               const QStringList &names)
{
    QHash<QStringView, qsizetype> index; // name -> 1 + its first position in names
    index.reserve(names.size());
    QList<qsizetype> first(names.size());
    for (qsizetype k = 0; k < names.size(); ++k) {
        qsizetype &slot = index[names[k]];
        if (slot == 0)
            slot = k + 1;
        first[k] = slot - 1;
    }
    QList<bool> found(names.size(), false);
    const qsizetype shortest = prefix.size() + suffix.size();
    const qsizetype period = Period(prefix); // two occurrences of the prefix stand this far apart at least
    for (const QString &line : lines) {
        // Lines too short for a head (most of a body) or without the suffix's first character
        // (the separators) are passed over before the dearer search for the prefix.
        if (line.size() < shortest || !HoldsChar(line, suffix.front()))
            continue;
        for (qsizetype p = IndexOfText(line, prefix); p >= 0; p = IndexOfText(line, prefix, p + period)) {
            if (!BeginsStatement(line, p))
                continue;
            const qsizetype nameStart = p + prefix.size();
            for (qsizetype q = IndexOfText(line, suffix, nameStart); q >= 0; q = IndexOfText(line, suffix, q + 1)) {
                const auto name = index.constFind(QStringView(line).sliced(nameStart, q - nameStart));
                if (name != index.cend())
                    found[*name - 1] = true;
            }
            if (p + period + shortest > line.size()) // no later prefix with a suffix after it fits
                break;
        }
    }
    for (qsizetype k = 0; k < names.size(); ++k)
        found[k] = found[first[k]];
    return found;
}

// For each name, whether one of the declared names (prefix taken off) is it in any letter case.
static QList<bool> FoundAmong(const QSet<NoCaseKey> &declared, const QStringList &names)
{
    QList<bool> found(names.size(), false);
    if (declared.isEmpty())
        return found;
    for (qsizetype k = 0; k < names.size(); ++k)
        found[k] = declared.contains(NoCaseKey(QStringView(names[k])));
    return found;
}

QList<bool> FindDeclaredProcedures(const SourceLineList &lines, const QString &prefix, const QStringList &names)
{
    QSet<NoCaseKey> declared;
    for (const QString &line : lines) {
        if (const QStringView name = ProcedureHeadName(line); StartsNoCase(name, prefix))
            declared.insert(NoCaseKey(name.sliced(prefix.size())));
    }
    return FoundAmong(declared, names);
}

// The index of each head whose name holds the prefix as written, by the rest of its name.
static QHash<QStringView, qsizetype> HeadIndex(const QList<HeadOfLine> &heads, const QString &prefix)
{
    QHash<QStringView, qsizetype> index;
    for (qsizetype h = 0; h < heads.size(); ++h) {
        if (heads[h].name.startsWith(prefix))
            index.insert(heads[h].name.sliced(prefix.size()), h);
    }
    return index;
}

// For each name, whether a head names its procedure as written. Where the run generated them,
// the heads stand in the order of the names: each name is compared with the head after the one
// found last, and the heads are hashed only when that fails, which saved an unchanged
// regeneration of 200 x 100 (bench/make_project.py) 4.5 M instructions (callgrind).
static QList<bool> HeadsAsWritten(const QList<HeadOfLine> &heads, const QString &prefix, const QStringList &names)
{
    QList<bool> found(names.size(), false);
    std::optional<QHash<QStringView, qsizetype>> index;
    qsizetype next = 0;
    for (qsizetype k = 0; k < names.size(); ++k) {
        if (next < heads.size() && heads[next].name.size() == prefix.size() + names[k].size()
            && heads[next].name.startsWith(prefix) && heads[next].name.sliced(prefix.size()) == names[k]) {
            found[k] = true;
            ++next;
            continue;
        }
        if (!index)
            index = HeadIndex(heads, prefix);
        if (const auto at = index->constFind(names[k]); at != index->cend()) {
            found[k] = true;
            next = *at + 1;
        }
    }
    return found;
}

// For each name, whether the file has its procedure: any head of the procedure's name is the
// procedure, as a second one would not compile. The heads at the start of a line come from the
// walk over the file; a head after a ":" is looked for in the few lines that hold one. Most
// heads stand as generated, so the look at every head in any letter case is only for the names
// not found as written.
static QList<bool> ExistingProcedures(const SourceLineList &lines, const EventFileLines &read, const EventFile &file,
                                      const QStringList &names)
{
    const QString prefix = QLatin1String(file.prefix);
    QList<bool> found = HeadsAsWritten(read.heads, prefix, names);
    if (!found.contains(false))
        return found;
    QSet<NoCaseKey> declared;
    for (const HeadOfLine &head : read.heads) {
        if (StartsNoCase(head.name, prefix))
            declared.insert(NoCaseKey(head.name.sliced(prefix.size())));
    }
    const QList<bool> anyCase = FoundAmong(declared, names);
    QStringList colonLines;
    for (const qsizetype line : read.colonLines)
        colonLines.append(lines[line]);
    const QList<bool> later = FindProcedureHeads(colonLines, QStringLiteral("Procedure ") + prefix,
                                                 QLatin1String(file.suffix), names);
    for (qsizetype k = 0; k < names.size(); ++k)
        found[k] = found[k] || anyCase[k] || later[k];
    return found;
}

namespace {

const QHash<QString, EventCall> NoCalls;

// The name of an object's event procedure, "EventMenu_Open".
QString ProcedureName(const EventFile &file, const QString &object)
{
    return QLatin1String(file.prefix) + object;
}

void AppendHeaderIfNew(SourceLineList &target, const EventFile &file)
{
    if (!target.isEmpty())
        return;
    target << QStringLiteral(";-TOP") << QString() << QLatin1String(file.title);
    AppendSeparator(target);
}

void AppendEmptyBody(SourceLineList &target, qsizetype)
{
    target << QStringLiteral("  ") << QStringLiteral("EndProcedure");
}

// A new event procedure of an object that the form assigns a procedure to does nothing but call
// it; the wiring is noted for the report. False when the object has no call.
bool AppendAssignedCall(SourceLineList &target, const EventFile &file, const QString &name,
                        const QHash<QString, EventCall> &calls, QList<EventWiring> &wirings)
{
    const auto call = calls.constFind(name);
    if (call == calls.cend())
        return false;
    const int headLine = int(target.size());
    target << QStringLiteral("  ") + call->call << QStringLiteral("EndProcedure");
    wirings.append({ProcedureName(file, name), call->call, QLatin1String(file.name), headLine, call->origin});
    return true;
}

// Appends a skeleton for every name whose head the file does not hold yet. `body` appends
// what follows the head line of the skeleton, unless the object has a call of its own.
template <typename Body>
void AppendMissingProcedures(SourceLineList &target, EventFileLines &read, const EventFile &file,
                             const QStringList &names, Body body, const QHash<QString, EventCall> &calls = NoCalls,
                             QList<EventWiring> *wirings = nullptr)
{
    AppendHeaderIfNew(target, file);
    read = ReadEventFileLines(target, std::move(read));
    const QList<bool> existing = ExistingProcedures(target, read, file, names);
    const QString prefix = QStringLiteral("Procedure ") + QLatin1String(file.prefix),
                  suffix = QLatin1String(file.suffix);
    QSet<QStringView> appended; // a name listed twice gets one procedure
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (existing[i] || appended.contains(names[i]))
            continue;
        target << QString(prefix % names[i] % suffix);
        if (calls.isEmpty() || !AppendAssignedCall(target, file, names[i], calls, *wirings))
            body(target, i);
        AppendSeparator(target);
        appended.insert(names[i]);
    }
}

// A new procedure of an object for which a source's event loop did something holds what the
// loop did; any other gets the body `body` appends.
template <typename Body>
auto CarriedOr(Body body, const EventFile &file, const QStringList &names, CarriedLoops &carried,
               const QHash<QString, CarriedBody> &bodies)
{
    return [body, &file, &names, &carried, &bodies](SourceLineList &target, qsizetype i) {
        const auto found = bodies.constFind(names[i]);
        if (found == bodies.cend())
            return body(target, i);
        target << found->lines << QStringLiteral("EndProcedure");
        for (const SourceSpan &span : found->spans)
            carried.carried.append({span, ProcedureName(file, names[i])});
    };
}

// The assigned procedures of one kind that no file defines, each a skeleton with its declared
// head, ahead of the event procedures that call them.
void AppendAssignedProcedures(SourceLineList &target, const EventFile &file, AssignedEvent kind, FormEvents &events)
{
    AppendHeaderIfNew(target, file);
    for (const AssignedProcedure &procedure : std::as_const(events.missing)) {
        if (procedure.kind != kind)
            continue;
        target << procedure.head;
        events.wirings.append(
            {procedure.head, QString(), QLatin1String(file.name), int(target.size()), procedure.origin});
        AppendEmptyBody(target, 0);
        AppendSeparator(target);
    }
}

} // namespace

void EmitGadgetEventBody(SourceLineList &target, const QString &type)
{
    Q_UNUSED(type); // every gadget type gets the same body
    target << QStringLiteral("  ") << QStringLiteral("  Select EventType")
           << QStringLiteral("    Case #PB_EventType_LeftClick") << QStringLiteral("      ")
           << QStringLiteral("  EndSelect") << QStringLiteral("  ") << QStringLiteral("EndProcedure");
}

void EmitEventMenuProcedures(DesignModel &model, OutputLines &output)
{
    FormEvents &events = model.FormEventAssignments;
    AppendAssignedProcedures(output.EventMenuLines, MenuEvents, AssignedEvent::Menu, events);
    AppendMissingProcedures(
        output.EventMenuLines, output.EventMenuRead, MenuEvents, model.MenuItemList,
        CarriedOr(AppendEmptyBody, MenuEvents, model.MenuItemList, model.Carried, model.Carried.menuItems),
        events.menuCalls, &events.wirings);
}

void EmitEventSizeProcedures(DesignModel &model, OutputLines &output)
{
    FormEvents &events = model.FormEventAssignments;
    AppendMissingProcedures(
        output.EventWindowLines, output.EventWindowRead, SizeEvents, model.WindowList,
        CarriedOr(AppendEmptyBody, SizeEvents, model.WindowList, model.Carried, model.Carried.sizes),
        events.resizeCalls, &events.wirings);
}

// Closing the main window ends the program; any other window just closes.
void EmitEventExitProcedures(DesignModel &model, OutputLines &output)
{
    const QStringList &windows = model.WindowList;
    const QString main = MainWindowName(model);
    const auto closes = [&](SourceLineList &target, qsizetype i) {
        target << (windows[i] == main ? QStringLiteral("  ExitApplication = 1")
                                      : QStringLiteral("  CloseWindow(#") + windows[i] + QLatin1Char(')'));
        target << QStringLiteral("EndProcedure");
    };
    AppendMissingProcedures(output.EventWindowLines, output.EventWindowRead, ExitEvents, windows,
                            CarriedOr(closes, ExitEvents, windows, model.Carried, model.Carried.exits));
}

void EmitEventGadgetProcedures(DesignModel &model, OutputLines &output)
{
    // The gadgets with a procedure by their place in the model's list, room made for all at
    // once: a list of their types beside the names, each grown as it went, cost an unchanged
    // regeneration of 200 x 100 (bench/make_project.py) 1.4 M instructions more.
    const QList<GadgetRecord> &gadgets = model.GadgetList;
    QStringList names;
    QList<qsizetype> records;
    names.reserve(gadgets.size());
    records.reserve(gadgets.size());
    for (qsizetype k = 0; k < gadgets.size(); ++k) {
        if (HasEventProcedure(gadgets[k])) {
            names << gadgets[k].name;
            records << k;
        }
    }
    FormEvents &events = model.FormEventAssignments;
    AppendAssignedProcedures(output.EventGadgetLines, GadgetEvents, AssignedEvent::Gadget, events);
    const auto skeleton = [&](SourceLineList &target, qsizetype i) {
        EmitGadgetEventBody(target, gadgets[records[i]].type);
    };
    AppendMissingProcedures(output.EventGadgetLines, output.EventGadgetRead, GadgetEvents, names,
                            CarriedOr(skeleton, GadgetEvents, names, model.Carried, model.Carried.gadgets),
                            events.gadgetCalls, &events.wirings);
}

} // namespace quarvel
