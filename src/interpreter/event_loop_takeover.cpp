#include "interpreter/event_loop_takeover.h"

#include "base/basic_strings.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "interpreter/event_loop_reading.h"
#include "interpreter/source_structure.h"
#include "model/log_messages.h"
#include "model/log_sink.h"

#include <QMultiHash>
#include <QSet>

namespace quarvel {

namespace {

// The objects of the model by name in any letter case, for the labels of a loop: a constant
// as the naming passes left it ("#Main_Ok"), or a #PB_Any variable that holds one.
class ObjectLookup {
public:
    explicit ObjectLookup(const DesignModel &model)
    {
        for (const GadgetRecord &gadget : model.GadgetList)
            if (HasEventProcedure(gadget))
                gadgets_.insert(NoCaseKey::Holding(gadget.name), gadget.name);
        for (const QString &item : model.MenuItemList)
            menuItems_.insert(NoCaseKey::Holding(item), item);
        for (const QString &window : model.WindowList)
            windows_.insert(NoCaseKey::Holding(window), window);
        for (const VariableObject &object : model.VariableObjects)
            variables_.insert(NoCaseKey::Holding(object.variable), object.constant);
    }

    // windows: those of the loop's file, whose prefix a label the naming passes left as written
    // (a PureBasic constant such as #PB_Menu_About) may still lack.
    QString gadget(const QString &label, const QStringList &windows) const { return find(gadgets_, label, windows); }
    QString menuItem(const QString &label, const QStringList &windows) const
    {
        return find(menuItems_, label, windows);
    }
    QString window(const QString &label) const { return find(windows_, label, {}); }

private:
    QString find(const QHash<NoCaseKey, QString> &names, const QString &label, const QStringList &windows) const
    {
        const QString name = TrimBlanks(label);
        if (!name.startsWith(QLatin1Char('#'))) {
            const QString constant = variables_.value(NoCaseKey::Holding(name));
            return names.value(NoCaseKey::Holding(constant.isEmpty() ? name : constant));
        }
        const QString constant = TrimBlanks(QStringView(name).sliced(1));
        QString found = names.value(NoCaseKey::Holding(constant));
        for (qsizetype w = 0; w < windows.size() && found.isEmpty(); ++w)
            found = names.value(NoCaseKey::Holding(windows.at(w) + QLatin1Char('_') + constant));
        return found;
    }

    QHash<NoCaseKey, QString> gadgets_, menuItems_, windows_, variables_;
};

// The declarations of the procedure a loop stands in, from its head up to the loop:
// "Protected ev, value.d" gives ev and value.d.
QStringList ProcedureLocals(const SourceLines &common, qsizetype loop)
{
    QStringList locals;
    qsizetype head = loop;
    while (head > 0 && !ReadProcedureHead(common.at(head)))
        --head;
    for (qsizetype i = head + 1; i < loop; ++i) {
        const QString code = BlankedCode(common.at(i));
        for (const QStringView statement : Statements(code)) {
            const QString word = FirstWord(statement);
            if (word != QLatin1String("PROTECTED") && word != QLatin1String("DEFINE")
                && word != QLatin1String("STATIC"))
                continue;
            const qsizetype at = statement.data() - code.data();
            locals += ReadDeclaration(QStringView(common.at(i)).sliced(at, statement.size())).items;
        }
    }
    return locals;
}

// A top-level Define, in one of files, of a name the carried bodies use becomes Global: the
// procedures they now stand in see it, and it keeps its value from one event to the next as it
// did in the loop.
void MakeDefinesGlobal(SourceLines &common, const QSet<qint32> &files, const QSet<QString> &used)
{
    int depth = 0;
    for (qsizetype i = 0; i < common.size(); ++i) {
        if (ReadProcedureHead(common.at(i)))
            ++depth;
        if (IsProcedureEnd(common.at(i)))
            depth = std::max(0, depth - 1);
        if (depth > 0 || !files.contains(common.origin(i).file) || !HoldsNoCase(common.at(i), u"DEFINE"))
            continue;
        const QString code = BlankedCode(common.at(i));
        for (const QStringView statement : Statements(code)) {
            if (FirstWord(statement) != QLatin1String("DEFINE"))
                continue;
            bool uses = false;
            for (const QString &item : ReadDeclaration(statement).items)
                uses = uses || used.contains(UpperKeepLength(DeclaredName(item)));
            if (uses)
                common[i].replace(statement.data() - code.data(), 6, QStringLiteral("Global"));
        }
    }
}

// Carries the bodies of the loops into the model, one loop at a time.
class LoopCarrier {
public:
    LoopCarrier(DesignModel &model, const OutputLines &output, LogSink &log) : model_(model), log_(log), lookup_(model)
    {
        for (const SourceLineList *lines : {&output.EventWindowLines, &output.EventWindowTrailer})
            for (const QString &line : *lines)
                if (line.startsWith(QStringLiteral("; ")))
                    commented_.insert(line);
    }

    void carry(const EventLoopSpan &loop, const QList<qsizetype> &indexes, const LoopReading &reading)
    {
        indexes_ = indexes;
        windows_ = WindowsOfFile(loop.span.origin.file);
        SourceLineList cases, every;
        QList<SourceSpan> caseSpans;
        for (const LoopBody &body : reading.bodies) {
            const SourceSpan span = spanOf(body);
            switch (body.kind) {
            case LoopBody::Gadget:
                toObject(lookup_.gadget(body.label, windows_), model_.Carried.gadgets, body, span);
                break;
            case LoopBody::Menu:
                toObject(lookup_.menuItem(body.label, windows_), model_.Carried.menuItems, body, span);
                break;
            case LoopBody::Exit:
            case LoopBody::Size: toWindows(body, span); break;
            case LoopBody::Other:
                if (body.label.isEmpty()) {
                    every += body.lines;
                    model_.Carried.every.spans.append(span);
                } else {
                    cases << QStringLiteral("    Case ") + body.label;
                    for (const QString &line : body.lines)
                        cases << (line.isEmpty() ? line : QStringLiteral("    ") + line);
                    caseSpans << span;
                }
                break;
            case LoopBody::NotCarried: notCarried(body.label, body, span); break;
            }
            if (!loop.inProcedure && body.kind != LoopBody::NotCarried)
                for (const QString &word : body.words)
                    used_.insert(word);
        }
        if (cases.isEmpty() && every.isEmpty())
            return;
        // The loop's own variable holds the event in EventEvery() too: its code and its Select
        // read it as the loop did.
        CarriedBody &to = model_.Carried.every;
        const QString event = reading.eventVariable;
        const QString declared = QStringLiteral("  Protected ") + event + QStringLiteral(" = Event()");
        if (!event.isEmpty() && !to.lines.contains(declared, Qt::CaseInsensitive))
            to.lines.prepend(declared);
        to.lines << every;
        if (!cases.isEmpty()) {
            to.lines << QStringLiteral("  Select ") + (event.isEmpty() ? QStringLiteral("Event()") : event);
            to.lines << cases << QStringLiteral("  EndSelect");
            to.spans << caseSpans;
        }
    }

    const QSet<QString> &used() const { return used_; }

private:
    SourceSpan spanOf(const LoopBody &body) const
    {
        const SourceLines &common = model_.CommonSourceLines;
        return {common.origin(indexes_.at(body.first)), common.origin(indexes_.at(body.last)).line};
    }

    // The windows a file opens; the first window of all when it opens none.
    QStringList WindowsOfFile(qint32 file) const
    {
        QStringList windows;
        for (const ObjectCreation &creation : std::as_const(model_.ObjectCreations))
            if (creation.kind == ObjectKind::Window && creation.origin.file == file && !windows.contains(creation.name))
                windows << creation.name;
        if (windows.isEmpty() && !model_.WindowList.isEmpty())
            windows << model_.WindowList.first();
        return windows;
    }

    static void append(CarriedBody &to, const SourceLineList &lines, const SourceSpan &span)
    {
        to.lines += lines;
        to.spans.append(span);
    }

    void toObject(const QString &name, QHash<QString, CarriedBody> &to, const LoopBody &body, const SourceSpan &span)
    {
        if (name.isEmpty())
            notCarried(QStringLiteral("case ") + body.label + QStringLiteral(", which names no object with events"),
                       body, span);
        else
            append(to[name], body.lines, span);
    }

    // A closed or sized window's body goes to the window its test names, else to every window
    // the file opens: the loop ran it for each of them.
    void toWindows(const LoopBody &body, const SourceSpan &span)
    {
        QStringList windows;
        if (!body.label.isEmpty()) {
            if (const QString window = lookup_.window(body.label); !window.isEmpty())
                windows << window;
        } else {
            windows = windows_;
        }
        if (windows.isEmpty())
            notCarried(body.label.isEmpty()
                           ? QStringLiteral("body for a window, which the file does not open")
                           : QStringLiteral("body for ") + body.label + QStringLiteral(", which names no window"),
                       body, span);
        auto &to = body.kind == LoopBody::Exit ? model_.Carried.exits : model_.Carried.sizes;
        for (const QString &window : std::as_const(windows))
            append(to[window], body.lines, span);
    }

    // A part of the loop that reaches no procedure stays as a comment at the end of
    // EventWindow.pb, once: a later run finds its first line there.
    void notCarried(const QString &why, const LoopBody &body, const SourceSpan &span)
    {
        const QString where = SourceLocation(model_, span);
        const QString first = QStringLiteral("; ") + where + QStringLiteral(" (") + why + QStringLiteral("):");
        const bool shown = commented_.contains(first) || commented_.contains(where); // "Case 20, 21" once
        commented_.insert(first);
        commented_.insert(where);
        if (shown)
            return;
        SourceLineList &block = model_.Carried.notCarried;
        block << first;
        for (qsizetype k = body.first; k <= body.last; ++k)
            block << QStringLiteral(";   ") + model_.CommonSourceLines.at(indexes_.at(k));
        WarnAt(log_, model_, LoopPartNotCarriedWarning(why, where), span.origin);
    }

    DesignModel &model_;
    LogSink &log_;
    ObjectLookup lookup_;
    QSet<QString> commented_;  // the comment lines of EventWindow.pb
    QSet<QString> used_;       // upper-cased names the bodies of top-level loops use
    QList<qsizetype> indexes_; // the loop's lines in CommonSourceLines
    QStringList windows_;      // the windows the loop's file opens
};

// The indexes of each loop's lines among the common lines, found in one walk over them.
QList<QList<qsizetype>> LinesOfLoops(const SourceLines &common, const QList<EventLoopSpan> &loops)
{
    QMultiHash<qint32, qsizetype> loopsOfFile;
    for (qsizetype l = 0; l < loops.size(); ++l)
        loopsOfFile.insert(loops.at(l).span.origin.file, l);
    QList<QList<qsizetype>> lines(loops.size());
    for (qsizetype i = 0; i < common.size(); ++i) {
        const SourceOrigin origin = common.origin(i);
        for (auto it = loopsOfFile.constFind(origin.file); it != loopsOfFile.cend() && it.key() == origin.file; ++it) {
            const SourceSpan &span = loops.at(*it).span;
            if (origin.line >= span.origin.line && origin.line <= span.last)
                lines[*it] << i;
        }
    }
    return lines;
}

} // namespace

void TakeOverEventLoops(DesignModel &model, const OutputLines &output, LogSink &log)
{
    if (model.Carried.loops.isEmpty())
        return;
    SourceLines &common = model.CommonSourceLines;
    QList<bool> taken(common.size(), false);
    LoopCarrier carrier(model, output, log);
    QSet<qint32> topLevelFiles;
    const QList<EventLoopSpan> &loops = model.Carried.loops;
    const QList<QList<qsizetype>> linesOfLoops = LinesOfLoops(common, loops);
    for (qsizetype l = 0; l < loops.size(); ++l) {
        const EventLoopSpan &loop = loops.at(l);
        const QList<qsizetype> &indexes = linesOfLoops.at(l);
        if (indexes.isEmpty())
            continue;
        QStringList lines;
        for (const qsizetype i : indexes)
            lines << common.at(i);
        const QStringList locals = loop.inProcedure ? ProcedureLocals(common, indexes.first()) : QStringList();
        carrier.carry(loop, indexes, ReadEventLoop(lines, loop.inProcedure, locals));
        for (const qsizetype i : std::as_const(indexes))
            taken[i] = true;
        if (!loop.inProcedure)
            topLevelFiles.insert(loop.span.origin.file);
    }
    if (!taken.contains(true))
        return;
    SourceLines kept;
    QList<qsizetype> moved(common.size(), -1);
    for (qsizetype i = 0; i < common.size(); ++i)
        if (!taken.at(i)) {
            moved[i] = kept.size();
            kept.append(common.line(i));
        }
    common = kept;
    for (VariableObject &object : model.VariableObjects)
        if (object.line >= 0 && object.line < moved.size() && moved.at(object.line) >= 0)
            object.line = moved.at(object.line);
    if (!topLevelFiles.isEmpty())
        MakeDefinesGlobal(common, topLevelFiles, carrier.used());
}

} // namespace quarvel
