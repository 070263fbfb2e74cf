#include "interpreter/form_event_assignments.h"

#include "base/basic_strings.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "base/text_encoding.h"
#include "interpreter/common_file_loading.h"
#include "interpreter/opening_procedure.h"
#include "model/event_files.h"
#include "model/generation_context.h"
#include "model/project_file.h"

#include <QSet>

#include <optional>

namespace quarvel {

namespace {

bool BeginsWithWord(QStringView statement, QStringView upperWord)
{
    return StartsNoCase(statement, upperWord)
           && (statement.size() == upperWord.size() || !IsIdentifierChar(statement[upperWord.size()]));
}

// The text upper-cased and without blanks: "EventType ( )" gives "EVENTTYPE()".
QString Compact(QStringView text)
{
    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t'))
            compact.append(UpperChar(c));
    }
    return compact;
}

struct CallStatement {
    QString name;
    QString arguments; // as written
};

// A statement that is one call, "Name(arguments)".
std::optional<CallStatement> CallOf(QStringView statement)
{
    const qsizetype end = IdentifierEnd(statement, 0);
    if (end == 0 || statement.front().isDigit())
        return std::nullopt;
    const QStringView rest = TrimBlanksView(statement.sliced(end));
    if (rest.size() < 2 || rest.front() != QLatin1Char('(') || rest.back() != QLatin1Char(')'))
        return std::nullopt;
    return CallStatement{statement.first(end).toString(), TrimBlanksView(rest.sliced(1, rest.size() - 2)).toString()};
}

// "Declare BtnAdd(EventType)" as the head of the procedure it declares, "Procedure
// BtnAdd(EventType)", variant and type kept; empty for any other statement.
QString DeclaredHead(QStringView statement)
{
    if (!StartsNoCase(statement, u"DECLARE"))
        return QString();
    const QString head = QStringLiteral("Procedure") + statement.sliced(7).toString();
    return ReadProcedureHead(head) ? head : QString();
}

enum class SelectOn { Event, Gadget, Menu, Other };

// Reads the statements of one "<window>_Events" procedure. The designer's shape is a Select
// over the event whose gadget and menu Cases hold a Select over EventGadget() or EventMenu();
// every Case there calls the object's procedure with EventType() or EventMenu().
class EventProcedureReader {
public:
    EventProcedureReader(const QString &procedure, qint32 file, const QSet<QString> &known)
        : procedure_(procedure),
          window_(procedure.chopped(7)),
          file_(file),
          known_(known)
    {}

    void read(QStringView statement, int line)
    {
        if (BeginsWithWord(statement, u"SELECT"))
            return openSelect(statement.sliced(6));
        if (BeginsWithWord(statement, u"ENDSELECT")) {
            if (!selects_.isEmpty())
                selects_.removeLast();
            return clearCase();
        }
        if (BeginsWithWord(statement, u"CASE"))
            return openCase(statement.sliced(4));
        if (BeginsWithWord(statement, u"DEFAULT"))
            return clearCase();
        if (BeginsWithWord(statement, u"PROCEDURERETURN"))
            return;
        if (const auto call = CallOf(statement); call && take(*call, line))
            return;
        found.leftOut.append({procedure_, statement.toString(), {file_, line}});
    }

    // The designer writes a Case for the window's events, or a Select over the gadgets or menus.
    bool isEventProcedure() const { return shaped_; }
    const QString &procedure() const { return procedure_; }

    FormEventReading found;

private:
    void clearCase()
    {
        objects_.clear();
        sizeCase_ = false;
    }

    void openSelect(QStringView expression)
    {
        const QString on = Compact(expression);
        if (on == u"EVENTGADGET()")
            selects_.append(SelectOn::Gadget);
        else if (on == u"EVENTMENU()")
            selects_.append(SelectOn::Menu);
        else
            selects_.append(selects_.isEmpty() ? SelectOn::Event : SelectOn::Other);
        shaped_ = shaped_ || selects_.last() == SelectOn::Gadget || selects_.last() == SelectOn::Menu;
        clearCase();
    }

    void openCase(QStringView list)
    {
        clearCase();
        if (selects_.isEmpty())
            return;
        for (const QStringView item : list.split(QLatin1Char(','))) {
            const QStringView object = TrimBlanksView(item);
            if (object.isEmpty())
                continue;
            if (selects_.last() == SelectOn::Gadget || selects_.last() == SelectOn::Menu) {
                objects_.append(object.toString());
            } else if (selects_.last() == SelectOn::Event) {
                const QString event = Compact(object);
                shaped_ = shaped_ || event.startsWith(u"#PB_EVENT_");
                sizeCase_ = sizeCase_ || event == u"#PB_EVENT_SIZEWINDOW";
            }
        }
    }

    // A call the designer writes: the object's procedure, handed the event (or, when the file
    // declares it, called without arguments), or the window's resize procedure.
    bool take(const CallStatement &call, int line)
    {
        if (selects_.isEmpty())
            return false;
        const QString arguments = Compact(call.arguments);
        const bool passesEvent = arguments == u"EVENTTYPE()" || arguments == u"EVENTMENU()";
        const SelectOn on = selects_.last();
        if ((on == SelectOn::Gadget || on == SelectOn::Menu) && !objects_.isEmpty()
            && (passesEvent || (arguments.isEmpty() && known_.contains(UpperKeepLength(call.name))))) {
            const AssignedEvent kind = on == SelectOn::Gadget ? AssignedEvent::Gadget : AssignedEvent::Menu;
            for (const QString &object : std::as_const(objects_))
                found.assignments.append({window_, object, call.name, passesEvent, kind, {file_, line}});
            return true;
        }
        if (on == SelectOn::Event && sizeCase_ && arguments.isEmpty()) {
            found.resizes.append({window_, call.name, {file_, line}});
            return true;
        }
        return false;
    }

    QString procedure_;
    QString window_;
    qint32 file_;
    QSet<QString> known_; // procedures the file declares or defines before this one, upper-cased
    QList<SelectOn> selects_;
    QStringList objects_; // of the current Case of a gadget or menu Select
    bool sizeCase_ = false;
    bool shaped_ = false;
};

struct EventProcedure {
    QString name;
    LineRange lines;
    FormEventReading found;
};

// An event procedure that another procedure of the file calls (a hand-written loop of the
// author's) stays, so that the call still finds it.
bool CalledElsewhere(const QStringList &lines, const EventProcedure &event, const QList<EventProcedure> &all)
{
    const QString call = UpperKeepLength(event.name) + QLatin1Char('(');
    bool inProcedure = false;
    qsizetype next = 0; // the next event procedure, whose lines are passed over
    for (int i = 0; i < lines.size(); ++i) {
        if (next < all.size() && i + 1 == all[next].lines.first) {
            i = all[next++].lines.last - 1;
            continue;
        }
        if (ReadProcedureHead(lines[i]))
            inProcedure = true;
        else if (IsProcedureEnd(lines[i]))
            inProcedure = false;
        else if (inProcedure && FindCommandNoCase(lines[i], call))
            return true;
    }
    return false;
}

// The procedure heads of a list of lines by upper-cased name, each with the index of its line.
void AddProcedureHeads(const SourceLineList &lines, QHash<QString, qsizetype> &heads)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const std::optional<ProcedureHead> head = ReadProcedureHead(lines[i]))
            heads.insert(UpperKeepLength(head->name), i);
    }
}

// Every procedure the project defines, in the common files, Main.pb, the event files and the
// files Main.pb includes: upper-cased name -> its line in its file.
QHash<QString, qsizetype> DefinedProcedures(const GenerationContext &g)
{
    QHash<QString, qsizetype> heads;
    for (const SourceLineList *lines : {&g.model.CommonSourceLines.texts(), &g.lines.MainLines, &g.lines.EventMenuLines,
                                        &g.lines.EventGadgetLines, &g.lines.EventWindowLines})
        AddProcedureHeads(*lines, heads);
    // An include that cannot be read is reported by the steps that read it for good.
    for (const QString &include : g.model.IncludeFileList) {
        if (const auto file = ReadTextFile(ProjectRelativePath(g.ProjectDirectory(), include), g.outputFormat))
            AddProcedureHeads(file->lines, heads);
    }
    return heads;
}

// The names as the model holds them, by upper-cased name.
QHash<QString, QString> ByUpperName(const QStringList &names)
{
    QHash<QString, QString> byUpper;
    byUpper.reserve(names.size());
    for (const QString &name : names)
        byUpper.insert(UpperKeepLength(name), name);
    return byUpper;
}

// The gadgets by upper-cased name.
QHash<QString, GadgetRecord> GadgetsByUpperName(const QList<GadgetRecord> &gadgets)
{
    QHash<QString, GadgetRecord> byUpper;
    byUpper.reserve(gadgets.size());
    for (const GadgetRecord &gadget : gadgets)
        byUpper.insert(UpperKeepLength(gadget.name), gadget);
    return byUpper;
}

// An existing event procedure: whether its body calls the procedure. Every head with the event
// procedure's name counts, whatever its arguments.
class ExistingEventProcedures {
public:
    explicit ExistingEventProcedures(const SourceLineList &lines) : lines_(lines) { AddProcedureHeads(lines, heads_); }

    // False only when the procedure exists and never calls the called one.
    bool callsOrIsMissing(const QString &eventProcedure, const QString &called) const
    {
        const auto head = heads_.constFind(UpperKeepLength(eventProcedure));
        if (head == heads_.cend())
            return true;
        const QString call = UpperKeepLength(called) + QLatin1Char('(');
        for (qsizetype i = *head + 1; i < lines_.size() && !IsProcedureEnd(lines_[i]); ++i) {
            if (FindCommandNoCase(lines_[i], call))
                return true;
        }
        return false;
    }

private:
    const SourceLineList &lines_;
    QHash<QString, qsizetype> heads_;
};

// Works out the calls of one run from the model's assignments.
struct AssignmentResolver {
    GenerationContext &g;
    FormEvents &events;
    QHash<QString, QString> windows, menuItems, variables;
    QHash<QString, GadgetRecord> gadgets;
    QHash<QString, DeclaredProcedure> declared;
    QHash<QString, qsizetype> defined;

    explicit AssignmentResolver(GenerationContext &context)
        : g(context),
          events(context.model.FormEventAssignments),
          windows(ByUpperName(context.model.WindowList)),
          menuItems(ByUpperName(context.model.MenuItemList)),
          gadgets(GadgetsByUpperName(context.model.GadgetList)),
          defined(DefinedProcedures(context))
    {
        for (const VariableObject &object : std::as_const(g.model.VariableObjects))
            variables.insert(UpperKeepLength(object.variable), object.constant);
        for (const DeclaredProcedure &procedure : std::as_const(events.declared))
            declared.insert(UpperKeepLength(procedure.name), procedure);
    }

    // origin: the form's line the text names.
    void warn(const QString &text, SourceOrigin origin)
    {
        g.LogWarning(QStringLiteral(" -> Warning: ") + text, origin);
    }

    // The generated object a Case names: a #PB_Any variable's constant, or the window's prefix
    // before a constant. Empty when the window has no such object of the assignment's kind; a
    // text or frame gadget, which has no event procedure, counts as none.
    QString objectOf(const EventAssignment &a) const
    {
        const QString window = windows.value(UpperKeepLength(a.window));
        if (window.isEmpty())
            return QString();
        const QString constant = UpperKeepLength(a.object.startsWith(QLatin1Char('#'))
                                                     ? window + QLatin1Char('_')
                                                           + TrimBlanks(QStringView(a.object).sliced(1))
                                                     : variables.value(UpperKeepLength(a.object)));
        if (a.kind == AssignedEvent::Menu)
            return menuItems.value(constant);
        const auto gadget = gadgets.constFind(constant);
        return gadget != gadgets.cend() && HasEventProcedure(*gadget) ? gadget->name : QString();
    }

    // Whether the procedure takes the event: as its Declare says, else as the form calls it.
    bool passesEvent(const EventAssignment &a) const
    {
        const auto declaration = declared.constFind(UpperKeepLength(a.procedure));
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
                     + SourceLocation(g.model, a.origin) + QStringLiteral("), is no ")
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
                     + SourceLocation(g.model, a.origin) + QStringLiteral("); add the call there."),
                 a.origin);
    }

    void resolve(const ResizeAssignment &r, ExistingEventProcedures &windowFile)
    {
        const QString window = windows.value(UpperKeepLength(r.window));
        if (window.isEmpty() || events.resizeCalls.contains(window) || !defined.contains(UpperKeepLength(r.procedure)))
            return;
        events.resizeCalls.insert(window, {r.procedure + QStringLiteral("()"), r.origin});
        const QString eventProcedure = QStringLiteral("EventSize_") + window;
        if (!windowFile.callsOrIsMissing(eventProcedure, r.procedure))
            warn(eventProcedure + QStringLiteral(" does not call ") + r.procedure
                     + QStringLiteral(", which the form calls when the window is resized (")
                     + SourceLocation(g.model, r.origin) + QStringLiteral("); add the call there."),
                 r.origin);
    }

    // Each assigned procedure that no file defines gets one skeleton, with the head its Declare
    // gives; one that serves a menu item goes to the menu file, which the program includes first.
    void findMissing()
    {
        QHash<QString, qsizetype> missing;
        for (const EventAssignment &a : std::as_const(events.assignments)) {
            const QString key = UpperKeepLength(a.procedure);
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

QString LeftOutWarning(const DesignModel &model, const LeftOutStatement &left)
{
    return QStringLiteral(" -> Warning: ") + left.procedure
           + QStringLiteral(" is left out, the generated event procedures take its place; its statement ")
           + left.statement + QStringLiteral(" (") + SourceLocation(model, left.origin)
           + QStringLiteral(") is not carried over.");
}

} // namespace

FormEventReading ReadFormEventAssignments(const QStringList &lines, qint32 fileIndex)
{
    FormEventReading out;
    QList<EventProcedure> events;
    QSet<QString> known;
    std::optional<EventProcedureReader> reader;
    int first = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (reader) {
            if (IsProcedureEnd(line)) {
                if (reader->isEventProcedure())
                    events.append({reader->procedure(), {first, i + 1}, reader->found});
                reader.reset();
            } else {
                for (const QStringView statement : Statements(CodeOfLine(line)))
                    reader->read(statement, i + 1);
            }
            continue;
        }
        // Only a procedure head or a Declare line matters outside an event procedure.
        const QStringView text = TrimLeadingBlanksView(line);
        const QChar letter = text.isEmpty() ? QChar() : UpperChar(text.front());
        if (letter == QLatin1Char('P')) {
            const std::optional<ProcedureHead> head = ReadProcedureHead(line);
            const QString name = head ? head->name.toString() : QString();
            if (name.isEmpty())
                continue;
            known.insert(UpperKeepLength(name));
            if (name.size() > 7 && EndsNoCase(name, u"_EVENTS")) {
                reader.emplace(name, fileIndex, known);
                first = i + 1;
            }
        } else if (letter == QLatin1Char('D')) {
            for (const QStringView statement : Statements(CodeOfLine(line))) {
                if (const QString head = DeclaredHead(statement); !head.isEmpty()) {
                    const QString name = ReadProcedureHead(head)->name.toString();
                    out.declared.append({name, head, {fileIndex, i + 1}});
                    known.insert(UpperKeepLength(name));
                }
            }
        }
    }
    for (const EventProcedure &event : std::as_const(events)) {
        out.assignments += event.found.assignments;
        out.resizes += event.found.resizes;
        if (CalledElsewhere(lines, event, events))
            continue;
        out.eventProcedures.append(event.lines);
        out.leftOut += event.found.leftOut;
    }
    return out;
}

QList<LineRange> TakeFormEventAssignments(GenerationContext &g, const QStringList &lines, qint32 fileIndex)
{
    const FormEventReading reading = ReadFormEventAssignments(lines, fileIndex);
    FormEvents &events = g.model.FormEventAssignments;
    events.assignments += reading.assignments;
    events.resizes += reading.resizes;
    events.declared += reading.declared;
    for (const LeftOutStatement &left : reading.leftOut)
        g.LogWarning(LeftOutWarning(g.model, left), left.origin);
    return reading.eventProcedures;
}

void ResolveFormEventAssignments(GenerationContext &g)
{
    const FormEvents &events = g.model.FormEventAssignments;
    if (events.assignments.isEmpty() && events.resizes.isEmpty())
        return;
    AssignmentResolver resolver(g);
    ExistingEventProcedures menuFile(g.lines.EventMenuLines), gadgetFile(g.lines.EventGadgetLines),
        windowFile(g.lines.EventWindowLines);
    for (const EventAssignment &a : events.assignments)
        resolver.resolve(a, menuFile, gadgetFile);
    for (const ResizeAssignment &r : events.resizes)
        resolver.resolve(r, windowFile);
    resolver.findMissing();
}

} // namespace quarvel
