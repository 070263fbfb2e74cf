#include "interpreter/event_loop_reading.h"

#include "base/basic_strings.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "interpreter/event_loop_statements.h"

#include <algorithm>

namespace quarvel {

namespace {

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

// The window a part of the loop is about ("Select EventWindow() : Case #Main"), empty for any.
struct Context {
    QString window;
};

// Reads the dispatch of one loop, statement by statement, into its bodies.
class LoopReader : private LoopStatements {
public:
    LoopReader(const QStringList &lines, bool inProcedure, const QStringList &locals)
        : LoopStatements(lines, inProcedure, locals)
    {}

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

    LoopReading out_;
};

} // namespace

LoopReading ReadEventLoop(const QStringList &lines, bool inProcedure, const QStringList &locals)
{
    return LoopReader(lines, inProcedure, locals).read();
}

} // namespace quarvel
