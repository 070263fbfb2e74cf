#include "interpreter/form_event_calls.h"

#include "base/basic_strings.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/text_encoding.h"
#include "model/event_files.h"
#include "model/log_messages.h"
#include "model/log_sink.h"
#include "model/project_file.h"
#include "model/source_folder.h"

#include <QHash>

#include <optional>

namespace quarvel {

namespace {

// The procedure heads of a list of lines by upper-cased name, each with the index of its line.
void AddProcedureHeads(const SourceLineList &lines, QHash<NoCaseKey, qsizetype> &heads)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const std::optional<ProcedureHead> head = ReadProcedureHead(lines[i]))
            heads.insert(NoCaseKey::Holding(head->name.toString()), i);
    }
}

// Every procedure the project defines, in the common files, Main.pb, the event files and the
// files Main.pb includes: upper-cased name -> its line in its file.
QHash<NoCaseKey, qsizetype> DefinedProcedures(const DesignModel &model, const OutputLines &output,
                                              const SourceFolder &folder)
{
    QHash<NoCaseKey, qsizetype> heads;
    for (const SourceLineList *lines : {&model.CommonSourceLines.texts(), &output.MainLines, &output.EventMenuLines,
                                        &output.EventGadgetLines, &output.EventWindowLines})
        AddProcedureHeads(*lines, heads);
    // An include that cannot be read is reported by the steps that read it for good.
    for (const QString &include : model.IncludeFileList) {
        if (const auto file = ReadTextFile(ProjectRelativePath(folder.directory, include), folder.format))
            AddProcedureHeads(file->lines, heads);
    }
    return heads;
}

// The names as the model holds them, found in any letter case.
QHash<NoCaseKey, QString> ByName(const QStringList &names)
{
    QHash<NoCaseKey, QString> byName;
    byName.reserve(names.size());
    for (const QString &name : names)
        byName.insert(NoCaseKey::Holding(name), name);
    return byName;
}

// The gadgets by name in any letter case.
QHash<NoCaseKey, GadgetRecord> GadgetsByName(const QList<GadgetRecord> &gadgets)
{
    QHash<NoCaseKey, GadgetRecord> byName;
    byName.reserve(gadgets.size());
    for (const GadgetRecord &gadget : gadgets)
        byName.insert(NoCaseKey::Holding(gadget.name), gadget);
    return byName;
}

// An existing event procedure: whether its body calls the procedure. Every head with the event
// procedure's name counts, whatever its arguments.
class ExistingEventProcedures {
public:
    explicit ExistingEventProcedures(const SourceLineList &lines) : lines_(lines) { AddProcedureHeads(lines, heads_); }

    // False only when the procedure exists and never calls the called one.
    bool callsOrIsMissing(const QString &eventProcedure, const QString &called) const
    {
        const auto head = heads_.constFind(NoCaseKey(eventProcedure));
        if (head == heads_.cend())
            return true;
        const QString call = UpperKeepLength(called) + QLatin1Char('(');
        for (qsizetype i = *head + 1; i < lines_.size() && !IsProcedureEnd(lines_[i]); ++i) {
            if (IndexOfCommandNoCase(lines_[i], call) >= 0)
                return true;
        }
        return false;
    }

private:
    const SourceLineList &lines_;
    QHash<NoCaseKey, qsizetype> heads_;
};

// Works out the calls of one run from the model's assignments.
struct AssignmentResolver {
    DesignModel &model;
    LogSink &log;
    FormEvents &events;
    QHash<NoCaseKey, QString> windows, menuItems, variables;
    QHash<NoCaseKey, GadgetRecord> gadgets;
    QHash<NoCaseKey, DeclaredProcedure> declared;
    QHash<NoCaseKey, qsizetype> defined;

    AssignmentResolver(DesignModel &model, const OutputLines &output, const SourceFolder &folder, LogSink &log)
        : model(model),
          log(log),
          events(model.FormEventAssignments),
          windows(ByName(model.WindowList)),
          menuItems(ByName(model.MenuItemList)),
          gadgets(GadgetsByName(model.GadgetList)),
          defined(DefinedProcedures(model, output, folder))
    {
        for (const VariableObject &object : std::as_const(model.VariableObjects))
            variables.insert(NoCaseKey::Holding(object.variable), object.constant);
        for (const DeclaredProcedure &procedure : std::as_const(events.declared))
            declared.insert(NoCaseKey::Holding(procedure.name), procedure);
    }

    // origin: the form's line the text names.
    void warn(const QString &text, SourceOrigin origin) { WarnAt(log, model, FormEventWarning(text), origin); }

    // The generated object a Case names: a #PB_Any variable's constant, or the window's prefix
    // before a constant. Empty when the window has no such object of the assignment's kind; a
    // text or frame gadget, which has no event procedure, counts as none.
    QString objectOf(const EventAssignment &a) const
    {
        const QString window = windows.value(NoCaseKey(a.window));
        if (window.isEmpty())
            return QString();
        const QString constant = a.object.startsWith(QLatin1Char('#'))
                                     ? window + QLatin1Char('_') + TrimBlanks(QStringView(a.object).sliced(1))
                                     : variables.value(NoCaseKey(a.object));
        if (a.kind == AssignedEvent::Menu)
            return menuItems.value(NoCaseKey(constant));
        const auto gadget = gadgets.constFind(NoCaseKey(constant));
        return gadget != gadgets.cend() && HasEventProcedure(*gadget) ? gadget->name : QString();
    }

    // Whether the procedure takes the event: as its Declare says, else as the form calls it.
    bool passesEvent(const EventAssignment &a) const
    {
        const auto declaration = declared.constFind(NoCaseKey(a.procedure));
        if (declaration == declared.cend())
            return a.passesEvent;
        const std::optional<ProcedureHead> head = ReadProcedureHead(declaration->head);
        return head && !HeadArguments(head->text).isEmpty();
    }

    void resolve(const EventAssignment &a, ExistingEventProcedures &menuFile, ExistingEventProcedures &gadgetFile)
    {
        const QString object = objectOf(a);
        const bool gadget = a.kind == AssignedEvent::Gadget;
        if (object.isEmpty()) {
            warn(a.object + QStringLiteral(", to which the form assigns ") + a.procedure + QStringLiteral(" (")
                     + SourceLocation(model, a.origin) + QStringLiteral("), is no ")
                     + (gadget ? QStringLiteral("gadget with events") : QStringLiteral("menu item or toolbar button"))
                     + QStringLiteral(" of window ") + a.window + QStringLiteral("; nothing calls ") + a.procedure
                     + QStringLiteral(" for it."),
                 a.origin);
            return;
        }
        const QString argument = !passesEvent(a) ? QString()
                                 : gadget        ? QStringLiteral("EventType")
                                                 : QLatin1Char('#') + object;
        auto &calls = gadget ? events.gadgetCalls : events.menuCalls;
        if (calls.contains(object))
            return;
        calls.insert(object, {a.procedure + QLatin1Char('(') + argument + QLatin1Char(')'), a.origin});
        const QString eventProcedure = QLatin1String(gadget ? GadgetEvents.prefix : MenuEvents.prefix) + object;
        if (!(gadget ? gadgetFile : menuFile).callsOrIsMissing(eventProcedure, a.procedure))
            warn(eventProcedure + QStringLiteral(" does not call ") + a.procedure
                     + QStringLiteral(", which the form assigns to #") + object + QStringLiteral(" (")
                     + SourceLocation(model, a.origin) + QStringLiteral("); add the call there."),
                 a.origin);
    }

    void resolve(const ResizeAssignment &r, ExistingEventProcedures &windowFile)
    {
        const QString window = windows.value(NoCaseKey(r.window));
        if (window.isEmpty() || events.resizeCalls.contains(window) || !defined.contains(NoCaseKey(r.procedure)))
            return;
        events.resizeCalls.insert(window, {r.procedure + QStringLiteral("()"), r.origin});
        const QString eventProcedure = QStringLiteral("EventSize_") + window;
        if (!windowFile.callsOrIsMissing(eventProcedure, r.procedure))
            warn(eventProcedure + QStringLiteral(" does not call ") + r.procedure
                     + QStringLiteral(", which the form calls when the window is resized (")
                     + SourceLocation(model, r.origin) + QStringLiteral("); add the call there."),
                 r.origin);
    }

    // Each assigned procedure that no file defines gets one skeleton, with the head its Declare
    // gives; one that serves a menu item goes to the menu file, which the program includes first.
    void findMissing()
    {
        QHash<NoCaseKey, qsizetype> missing;
        for (const EventAssignment &a : std::as_const(events.assignments)) {
            const NoCaseKey key = NoCaseKey::Holding(a.procedure);
            if (defined.contains(key))
                continue;
            if (const auto known = missing.constFind(key); known != missing.cend()) {
                if (a.kind == AssignedEvent::Menu)
                    events.missing[*known].kind = AssignedEvent::Menu;
                continue;
            }
            missing.insert(key, events.missing.size());
            const auto declaration = declared.constFind(key);
            if (declaration != declared.cend()) {
                events.missing.append({declaration->head, a.kind, declaration->origin});
                continue;
            }
            const QString parameter = !a.passesEvent                    ? QString()
                                      : a.kind == AssignedEvent::Gadget ? QStringLiteral("EventType")
                                                                        : QStringLiteral("Event");
            events.missing.append(
                {QStringLiteral("Procedure ") + a.procedure + QLatin1Char('(') + parameter + QLatin1Char(')'), a.kind,
                 a.origin});
        }
    }
};

} // namespace

void ResolveFormEventAssignments(DesignModel &model, const OutputLines &output, const SourceFolder &folder,
                                 LogSink &log)
{
    const FormEvents &events = model.FormEventAssignments;
    if (events.assignments.isEmpty() && events.resizes.isEmpty())
        return;
    AssignmentResolver resolver(model, output, folder, log);
    ExistingEventProcedures menuFile(output.EventMenuLines), gadgetFile(output.EventGadgetLines),
        windowFile(output.EventWindowLines);
    for (const EventAssignment &a : events.assignments)
        resolver.resolve(a, menuFile, gadgetFile);
    for (const ResizeAssignment &r : events.resizes)
        resolver.resolve(r, windowFile);
    resolver.findMissing();
}

} // namespace quarvel
