#include "interpreter/event_loop_takeover.h"

#include "base/basic_strings.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "interpreter/source_structure.h"
#include "model/log_messages.h"
#include "model/log_sink.h"

#include <QMultiHash>
#include <QSet>

namespace quarvel {

namespace {

const QString &EndsProgram()
{
    static const QString end = QStringLiteral("ExitApplication = 1");
    return end;
}

// The words of code that are no constants and no parts of a structure, upper-cased.
QStringList WordsOf(QStringView code)
{
    QStringList words;
    for (WordSpan w = NextWord(code, 0); w.start < code.size(); w = NextWord(code, w.end)) {
        const QChar before = w.start > 0 ? code.at(w.start - 1) : QChar();
        if (!code.at(w.start).isDigit() && before != QLatin1Char('#') && before != QLatin1Char('\\'))
            words.append(UpperKeepLength(code.sliced(w.start, w.end - w.start)));
    }
    return words;
}

// The parts of a condition joined by a word ("And", "Or") outside brackets; blanks trimmed.
QStringList SplitAtWord(QStringView condition, QStringView upperWord)
{
    QStringList parts;
    int depth = 0;
    qsizetype from = 0;
    for (qsizetype i = 0; i < condition.size(); ++i) {
        const QChar c = condition.at(i);
        depth += c == QLatin1Char('(') ? 1 : c == QLatin1Char(')') ? -1 : 0;
        const bool wordStart = i == 0 || !IsIdentifierChar(condition.at(i - 1));
        if (depth != 0 || !wordStart || !StartsNoCase(condition.sliced(i), upperWord))
            continue;
        const qsizetype end = i + upperWord.size();
        if (end < condition.size() && IsIdentifierChar(condition.at(end)))
            continue;
        parts.append(TrimBlanks(condition.sliced(from, i - from)));
        from = end;
        i = end - 1;
    }
    parts.append(TrimBlanks(condition.sliced(from)));
    return parts;
}

enum class Subject { None, Event, Gadget, Menu, Window };

struct Statement {
    qsizetype line = 0; // among the loop's lines
    qsizetype at = 0;   // its offset in the line
    qsizetype size = 0;
    QString word; // its first word, upper-cased
};

// The window a part of the loop is about ("Select EventWindow() : Case #Main"), empty for any.
struct Context {
    QString window;
};

class LoopReader {
public:
    LoopReader(const QStringList &lines, bool inProcedure, const QStringList &locals)
        : lines_(lines),
          inProcedure_(inProcedure)
    {
        for (const QString &line : lines)
            code_.append(BlankedCode(line));
        for (qsizetype j = 0; j < lines.size(); ++j)
            for (const QStringView statement : Statements(code_.at(j))) {
                const qsizetype at = statement.data() - code_.at(j).data();
                s_.append({j, at, statement.size(), FirstWord(statement)});
            }
        for (const QString &local : locals)
            locals_.append({UpperKeepLength(DeclaredName(local)), local});
    }

    LoopReading read()
    {
        if (s_.size() < 2)
            return out_;
        for (const Statement &s : std::as_const(s_))
            readAlias(s);
        const Statement &until = s_.last();
        if (until.word == QLatin1String("UNTIL")) {
            const QStringView condition = text(until).sliced(5);
            const QStringList terms = SplitAtWord(condition, u"OR");
            for (const QString &term : terms) {
                const qsizetype end = IdentifierEnd(term, 0);
                const QString name = UpperKeepLength(QStringView(term).first(end));
                if (end > 0 && !term.at(0).isDigit() && !TrimBlanksView(QStringView(term).sliced(end)).startsWith(u'(')
                    && !aliases_.contains(name))
                    quits_.insert(name);
            }
        }
        block(1, s_.size() - 1, {});
        return out_;
    }

private:
    QStringView text(const Statement &s) const { return QStringView(lines_.at(s.line)).sliced(s.at, s.size); }
    QStringView code(const Statement &s) const { return QStringView(code_.at(s.line)).sliced(s.at, s.size); }

    // "ev = WaitWindowEvent()", "g = EventGadget()": the variable holds the subject from then on.
    bool readAlias(const Statement &s)
    {
        const QStringView c = code(s);
        const qsizetype end = IdentifierEnd(c, 0);
        const QStringView rest = TrimBlanksView(c.sliced(end));
        if (end == 0 || !rest.startsWith(u'=') || rest.startsWith(u"=="))
            return false;
        const Subject subject = SubjectOf(rest.sliced(1));
        if (subject == Subject::None)
            return false;
        const QString name = UpperKeepLength(c.first(end));
        aliases_.insert(name, subject);
        if (subject == Subject::Event && out_.eventVariable.isEmpty())
            out_.eventVariable = c.first(end).toString();
        return true;
    }

    Subject SubjectOf(QStringView expression) const
    {
        const QString e = UpperWithoutBlanks(expression);
        if (e.startsWith(u"WAITWINDOWEVENT(") || e == u"WINDOWEVENT()" || e == u"EVENT()")
            return Subject::Event;
        if (e == u"EVENTGADGET()")
            return Subject::Gadget;
        if (e == u"EVENTMENU()")
            return Subject::Menu;
        if (e == u"EVENTWINDOW()")
            return Subject::Window;
        return aliases_.value(e, Subject::None);
    }

    // The index after the block that statement i opens; i + 1 when it opens none.
    qsizetype blockEnd(qsizetype i) const
    {
        BlockStack blocks;
        for (qsizetype k = i; k < s_.size(); ++k) {
            blocks.Step(s_.at(k).word);
            if (blocks.Depth() == 0)
                return k + 1;
        }
        return s_.size();
    }

    // The branch heads of the block statement i opens (i itself first) and its end statement.
    QList<qsizetype> branches(qsizetype i, qsizetype end, std::initializer_list<QLatin1StringView> middles) const
    {
        QList<qsizetype> heads{i};
        BlockStack blocks;
        for (qsizetype k = i; k < end - 1; ++k) {
            const QString &word = s_.at(k).word;
            if (k > i && blocks.Depth() == 1 && std::find(middles.begin(), middles.end(), word) != middles.end())
                heads.append(k);
            blocks.Step(word);
        }
        heads.append(end - 1);
        return heads;
    }

    void block(qsizetype from, qsizetype to, const Context &context)
    {
        for (qsizetype i = from; i < to;) {
            const Statement &s = s_.at(i);
            const qsizetype end = std::min(blockEnd(i), to);
            if (readAlias(s)) {
                ++i;
                continue;
            }
            if (s.word == QLatin1String("SELECT") && select(i, end, context)) {
                i = end;
                continue;
            }
            if (s.word == QLatin1String("IF") && ifChain(i, end, context)) {
                i = end;
                continue;
            }
            every(i, end);
            i = end;
        }
    }

    // The statements inside a gadget or menu event: a Select or If over the object, or code
    // run for every such event.
    void objectBlock(qsizetype from, qsizetype to, const Context &context, const QString &event)
    {
        for (qsizetype i = from; i < to;) {
            const qsizetype end = std::min(blockEnd(i), to);
            const Statement &s = s_.at(i);
            if (!readAlias(s) && !(s.word == QLatin1String("SELECT") && select(i, end, context))
                && !(s.word == QLatin1String("IF") && ifChain(i, end, context)))
                body(LoopBody::Other, event, i, end);
            i = end;
        }
    }

    bool select(qsizetype open, qsizetype end, const Context &context)
    {
        const Subject subject = SubjectOf(code(s_.at(open)).sliced(6));
        if (subject == Subject::None)
            return false;
        const QList<qsizetype> heads = branches(open, end, {QLatin1StringView("CASE"), QLatin1StringView("DEFAULT")});
        for (qsizetype n = 1; n + 1 < heads.size(); ++n) {
            const qsizetype head = heads.at(n), next = heads.at(n + 1);
            if (s_.at(head).word == QLatin1String("DEFAULT")) {
                body(LoopBody::NotCarried, QStringLiteral("Default case"), head, next);
                continue;
            }
            const QStringList labels = SplitOutsideBrackets(text(s_.at(head)).sliced(4));
            if (subject == Subject::Event && labels.size() == 1)
                event(labels.first(), head + 1, next, context, QString());
            else if (subject == Subject::Event)
                body(LoopBody::Other, labels.join(QStringLiteral(", ")), head + 1, next);
            else if (subject == Subject::Window && labels.size() == 1)
                block(head + 1, next, {labels.first()});
            else if (subject == Subject::Window)
                body(LoopBody::NotCarried, QStringLiteral("case of several windows"), head, next);
            else
                for (const QString &label : labels)
                    object(subject, label, head + 1, next, QString());
        }
        return true;
    }

    // What one test of an If head is about: "ev = #PB_Event_Gadget And EventGadget() = #Ok And
    // EventType() = #PB_EventType_Change" tests the event and the object; the rest stays a test.
    struct Test {
        QString event, window, object;
        Subject kind = Subject::None;
        QStringList rest;

        bool dispatches() const { return !event.isEmpty() || !window.isEmpty() || !object.isEmpty(); }
    };

    Test ReadTest(QStringView condition) const
    {
        Test t;
        for (const QString &term : SplitAtWord(WithoutOuterBrackets(condition), u"AND")) {
            const qsizetype equals = term.indexOf(QLatin1Char('='));
            const Subject subject = equals > 0 ? SubjectOf(QStringView(term).first(equals)) : Subject::None;
            const QString label = equals > 0 ? TrimBlanks(QStringView(term).sliced(equals + 1)) : QString();
            if (subject == Subject::Event) {
                t.event = label;
            } else if (subject == Subject::Window) {
                t.window = label;
            } else if (subject == Subject::Gadget || subject == Subject::Menu) {
                t.object = label;
                t.kind = subject;
            } else {
                t.rest.append(term);
            }
        }
        return t;
    }

    // "(a And b)" gives "a And b"; "(a) And (b)" stays.
    static QStringView WithoutOuterBrackets(QStringView text)
    {
        text = TrimBlanksView(text);
        while (text.size() >= 2 && text.front() == u'(' && text.back() == u')') {
            int depth = 0;
            for (qsizetype i = 0; i + 1 < text.size(); ++i) {
                depth += text.at(i) == u'(' ? 1 : text.at(i) == u')' ? -1 : 0;
                if (depth == 0)
                    return text;
            }
            text = TrimBlanksView(text.sliced(1, text.size() - 2));
        }
        return text;
    }

    // An If chain whose branches test the event, the window or the object; false when none of
    // its heads tests one. A test joined by And stays around the body ("EventGadget() = #Ok
    // And EventType() = #PB_EventType_Change" keeps its EventType() test); tests joined by Or
    // give each of them the body, when each is about an event or an object alone.
    bool ifChain(qsizetype open, qsizetype end, const Context &context)
    {
        const QList<qsizetype> heads = branches(open, end, {QLatin1StringView("ELSEIF"), QLatin1StringView("ELSE")});
        QList<QList<Test>> read; // per branch, its tests joined by Or; none for Else
        bool tests = false;
        for (qsizetype n = 0; n + 1 < heads.size(); ++n) {
            const Statement &s = s_.at(heads.at(n));
            QList<Test> either;
            if (s.word != QLatin1String("ELSE"))
                for (const QString &part : SplitAtWord(text(s).sliced(s.word.size()), u"OR")) {
                    either.append(ReadTest(part));
                    tests = tests || either.last().dispatches();
                }
            read.append(either);
        }
        if (!tests)
            return false;
        for (qsizetype n = 0; n < read.size(); ++n) {
            const QList<Test> &either = read.at(n);
            const qsizetype head = heads.at(n), to = heads.at(n + 1);
            const bool split = std::all_of(either.cbegin(), either.cend(), [](const Test &t) {
                return (!t.event.isEmpty() || !t.object.isEmpty()) && t.rest.isEmpty();
            });
            if (either.isEmpty())
                body(LoopBody::NotCarried, QStringLiteral("Else branch"), head, to);
            else if (either.size() > 1 && !split)
                body(LoopBody::NotCarried, QStringLiteral("test joined by Or"), head, to);
            else
                for (const Test &t : either)
                    dispatch(t, head, to, context);
        }
        return true;
    }

    void dispatch(const Test &t, qsizetype head, qsizetype to, const Context &context)
    {
        const QString condition = t.rest.join(QStringLiteral(" And "));
        if (!t.object.isEmpty())
            object(t.kind, t.object, head + 1, to, condition);
        else if (!t.event.isEmpty())
            event(t.event, head + 1, to, t.window.isEmpty() ? context : Context{t.window}, condition);
        else if (!t.window.isEmpty() && condition.isEmpty())
            block(head + 1, to, {t.window});
        else
            body(LoopBody::NotCarried, QStringLiteral("branch that tests no event"), head, to);
    }

    void event(const QString &label, qsizetype from, qsizetype to, const Context &context, const QString &condition)
    {
        const QString e = UpperWithoutBlanks(label);
        if (e == u"#PB_EVENT_GADGET" || e == u"#PB_EVENT_MENU") {
            if (condition.isEmpty())
                objectBlock(from, to, context, label);
            else
                body(LoopBody::Other, label, from, to, condition);
        } else if (e == u"#PB_EVENT_CLOSEWINDOW" || e == u"#PB_EVENT_SIZEWINDOW") {
            body(e == u"#PB_EVENT_CLOSEWINDOW" ? LoopBody::Exit : LoopBody::Size, context.window, from, to, condition);
        } else {
            body(LoopBody::Other, label, from, to, condition);
        }
    }

    void object(Subject kind, const QString &label, qsizetype from, qsizetype to, const QString &condition)
    {
        if (HoldsNoCase(label, u" TO "))
            body(LoopBody::NotCarried, QStringLiteral("case of a range of numbers"), from - 1, to);
        else
            body(kind == Subject::Gadget ? LoopBody::Gadget : LoopBody::Menu, label, from, to, condition);
    }

    // Code of the loop outside its tests: run for every event.
    void every(qsizetype from, qsizetype to) { body(LoopBody::Other, QString(), from, to); }

    void body(LoopBody::Kind kind, const QString &label, qsizetype from, qsizetype to,
              const QString &condition = QString())
    {
        if (from >= to)
            return;
        LoopBody b{kind, label, {}, s_.at(from).line, s_.at(to - 1).line, {}};
        b.lines = lines(from, to, condition, &b.words);
        if (kind == LoopBody::Other && label.isEmpty() && !out_.bodies.isEmpty()
            && out_.bodies.last().kind == LoopBody::Other && out_.bodies.last().label.isEmpty()) {
            LoopBody &before = out_.bodies.last(); // code for every event, in one piece
            before.lines += b.lines;
            before.words += b.words;
            before.last = b.last;
            return;
        }
        if (kind != LoopBody::NotCarried && kind != LoopBody::Other)
            b.lines = declareLocals(b.words) + b.lines;
        out_.bodies.append(b);
    }

    // The locals of the loop's procedure a body uses, declared Protected at its start.
    SourceLineList declareLocals(const QStringList &words) const
    {
        QStringList used;
        for (const auto &[name, declaration] : locals_)
            if (words.contains(name) && !aliases_.contains(name) && !quits_.contains(name))
                used.append(declaration);
        return used.isEmpty() ? SourceLineList() : SourceLineList{QStringLiteral("  Protected ") + used.join(u", ")};
    }

    // A statement that ends the loop: setting its quit flag, End, or a Break or ProcedureReturn
    // that leaves it.
    bool quits(const Statement &s, int loops) const
    {
        if (s.word == QLatin1String("END"))
            return true;
        if ((s.word == QLatin1String("BREAK") && TrimBlanksView(code(s).sliced(5)).isEmpty())
            || (s.word == QLatin1String("PROCEDURERETURN") && inProcedure_))
            return loops == 0;
        const QStringView c = code(s);
        const qsizetype end = IdentifierEnd(c, 0);
        const QStringView rest = TrimBlanksView(c.sliced(end));
        return end > 0 && rest.startsWith(u'=') && !rest.startsWith(u"==")
               && quits_.contains(UpperKeepLength(c.first(end)));
    }

    // The lines of statements from..to as a procedure holds them, one step in; the empty and
    // comment lines between them come along. A line shared with statements outside keeps only
    // its own.
    SourceLineList lines(qsizetype from, qsizetype to, const QString &condition, QStringList *words) const
    {
        SourceLineList result;
        int loops = 0;
        for (qsizetype i = from; i < to;) {
            const qsizetype line = s_.at(i).line;
            qsizetype next = i;
            while (next < to && s_.at(next).line == line)
                ++next;
            const bool whole = (i == 0 || s_.at(i - 1).line != line) && (next == s_.size() || s_.at(next).line != line);
            QString text = whole ? lines_.at(line) : QString();
            QStringList parts;
            for (qsizetype k = next - 1; k >= i; --k) {
                const Statement &s = s_.at(k);
                const bool ends = quits(s, loops);
                const QString replaced = ends ? EndsProgram() : this->text(s).toString();
                if (whole)
                    text.replace(s.at, s.size, replaced);
                else
                    parts.prepend(replaced);
                if (words && !ends)
                    *words += WordsOf(code(s));
            }
            for (qsizetype k = i; k < next; ++k) {
                const QString &w = s_.at(k).word;
                if (w == u"REPEAT" || w == u"WHILE" || w == u"FOR" || w == u"FOREACH")
                    ++loops;
                else if (w == u"UNTIL" || w == u"FOREVER" || w == u"WEND" || w == u"NEXT")
                    --loops;
            }
            result.append(whole ? text : Indentation(lines_.at(line)) + parts.join(QStringLiteral(" : ")));
            // The comment and empty lines up to the next statement of the body.
            if (next < to)
                for (qsizetype j = line + 1; j < s_.at(next).line; ++j)
                    result.append(lines_.at(j));
            i = next;
        }
        return Indented(result, condition);
    }

    // One step in, as the least indented line stands; inside "If condition" when one is given.
    static SourceLineList Indented(const SourceLineList &lines, const QString &condition)
    {
        qsizetype least = -1;
        for (const QString &line : lines)
            if (!TrimBlanksView(line).isEmpty()) {
                const qsizetype n = Indentation(line).size();
                least = least < 0 ? n : std::min(least, n);
            }
        const QString step = condition.isEmpty() ? QStringLiteral("  ") : QStringLiteral("    ");
        SourceLineList result;
        if (!condition.isEmpty())
            result.append(QStringLiteral("  If ") + condition);
        for (const QString &line : lines)
            result.append(TrimBlanksView(line).isEmpty()
                              ? QString()
                              : step + line.sliced(std::min(std::max<qsizetype>(least, 0), Indentation(line).size())));
        if (!condition.isEmpty())
            result.append(QStringLiteral("  EndIf"));
        return result;
    }

    const QStringList &lines_;
    bool inProcedure_;
    QStringList code_;
    QList<Statement> s_;
    QList<QPair<QString, QString>> locals_; // upper-cased name, declaration
    QHash<QString, Subject> aliases_;       // upper-cased variable -> what it holds
    QSet<QString> quits_;                   // the upper-cased variables the loop's Until tests
    LoopReading out_;
};

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

} // namespace

LoopReading ReadEventLoop(const QStringList &lines, bool inProcedure, const QStringList &locals)
{
    return LoopReader(lines, inProcedure, locals).read();
}

namespace {

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
