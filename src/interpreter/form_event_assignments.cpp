#include "interpreter/form_event_assignments.h"

#include "base/basic_strings.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "base/text_encoding.h"
#include "interpreter/common_file_loading.h"
#include "interpreter/opening_procedure.h"
#include "model/event_files.h"
#include "model/log_messages.h"
#include "model/log_sink.h"
#include "model/project_file.h"
#include "model/source_folder.h"

#include <QSet>

#include <optional>

namespace quarvel {

namespace {

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
    EventProcedureReader(const QString &procedure, qint32 file, const QSet<NoCaseKey> &known)
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
        const QString on = UpperWithoutBlanks(expression);
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
                const QString event = UpperWithoutBlanks(object);
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
        const QString arguments = UpperWithoutBlanks(call.arguments);
        const bool passesEvent = arguments == u"EVENTTYPE()" || arguments == u"EVENTMENU()";
        const SelectOn on = selects_.last();
        if ((on == SelectOn::Gadget || on == SelectOn::Menu) && !objects_.isEmpty()
            && (passesEvent || (arguments.isEmpty() && known_.contains(NoCaseKey(call.name))))) {
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
    QSet<NoCaseKey> known_; // procedures the file declares or defines before this one
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
        else if (inProcedure && IndexOfCommandNoCase(lines[i], call) >= 0)
            return true;
    }
    return false;
}

QString LeftOutWarning(const DesignModel &model, const LeftOutStatement &left)
{
    return LeftOutStatementWarning(left.procedure, left.statement, SourceLocation(model, left.origin));
}

} // namespace

FormEventReading ReadFormEventAssignments(const QStringList &lines, qint32 fileIndex)
{
    FormEventReading out;
    QList<EventProcedure> events;
    QSet<NoCaseKey> known;
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
            known.insert(NoCaseKey::Holding(name));
            if (name.size() > 7 && EndsNoCase(name, u"_EVENTS")) {
                reader.emplace(name, fileIndex, known);
                first = i + 1;
            }
        } else if (letter == QLatin1Char('D')) {
            for (const QStringView statement : Statements(CodeOfLine(line))) {
                if (const QString head = DeclaredHead(statement); !head.isEmpty()) {
                    const QString name = ReadProcedureHead(head)->name.toString();
                    out.declared.append({name, head, {fileIndex, i + 1}});
                    known.insert(NoCaseKey::Holding(name));
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

QList<LineRange> TakeFormEventAssignments(DesignModel &model, LogSink &log, const QStringList &lines, qint32 fileIndex)
{
    const FormEventReading reading = ReadFormEventAssignments(lines, fileIndex);
    FormEvents &events = model.FormEventAssignments;
    events.assignments += reading.assignments;
    events.resizes += reading.resizes;
    events.declared += reading.declared;
    for (const LeftOutStatement &left : reading.leftOut)
        WarnAt(log, model, LeftOutWarning(model, left), left.origin);
    return reading.eventProcedures;
}

} // namespace quarvel
