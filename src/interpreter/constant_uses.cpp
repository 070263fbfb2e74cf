#include "interpreter/constant_uses.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_key.h"
#include "base/shared_lines.h"
#include "base/statement_scan.h"
#include "model/design_model.h"
#include "model/log_messages.h"
#include "model/log_sink.h"

#include <QVarLengthArray>

#include <algorithm>
#include <optional>

namespace quarvel::prefixes {

namespace {

// Whether the constant at hash (0-based) is the one its statement declares: an enumeration
// member, or the name of "#Name = ...". Statements joined by ":" are read as lines of their own.
// A declaration of the sources keeps its name.
bool IsDeclaredAt(QStringView code, qsizetype hash, qsizetype nameEnd, bool inEnumeration)
{
    const QStringView before = TrimBlanksView(code.first(hash));
    if (!before.isEmpty() && (!before.endsWith(QLatin1Char(':')) || before.endsWith(u"::")))
        return false;
    return inEnumeration || TrimLeadingBlanksView(code.sliced(nameEnd)).startsWith(QLatin1Char('='));
}

// Whether a line opens or closes an Enumeration block; other lines keep the state.
void FollowEnumerations(QStringView code, bool &inEnumeration)
{
    const QStringView text = TrimLeadingBlanksView(code);
    if (text.isEmpty() || UpperChar(text.front()) != QLatin1Char('E'))
        return;
    if (!inEnumeration && (BeginsWithWord(text, u"ENUMERATION") || BeginsWithWord(text, u"ENUMERATIONBINARY")))
        inEnumeration = true;
    else if (inEnumeration && BeginsWithWord(text, u"ENDENUMERATION"))
        inEnumeration = false;
}

// The lengths and first letters of the objects' names: a constant whose length or first letter
// no object's name has names no object, told without hashing it. Most constants besides the
// created ones are PureBasic's own (#PB_Window_SystemMenu) or windows; looking each up cost an
// unchanged regeneration of 200 x 100 (bench/make_project.py) 1 M instructions more (callgrind).
class NameSieve {
public:
    explicit NameSieve(const QHash<NoCaseKey, qsizetype> &objects)
    {
        for (auto object = objects.keyBegin(); object != objects.keyEnd(); ++object) {
            lengths_ |= Bit(object->text().size());
            initials_ |= InitialBits(object->text());
        }
    }
    bool mayName(QStringView name) const { return (lengths_ & Bit(name.size())) && (initials_ & InitialBits(name)); }

private:
    static quint64 Bit(qsizetype place) { return quint64(1) << qMin(place, qsizetype(63)); }
    // An ASCII letter in either case has one bit; any other first character may fold to an
    // ASCII letter (the Kelvin sign to k), so it has them all.
    static quint64 InitialBits(QStringView name)
    {
        const QChar first = name.front();
        return first.unicode() < 0x80 ? Bit(UpperChar(first).unicode() & 63) : ~quint64(0);
    }

    quint64 lengths_ = 0;  // bit n: a name of n characters (63 for longer ones)
    quint64 initials_ = 0; // by InitialBits
};

// Gives every use of an object's constant the name of its window.
class Qualifier {
public:
    Qualifier(PrefixPass &g, const WindowsOfCode &code)
        : g_(g),
          code_(code),
          sieve_(code.objects),
          reader_(g.nameTables)
    {
        for (const QString &window : code.windows)
            prefixes_.append(window + QLatin1Char('_'));
    }

    // The lines before end; a run stopped by a #PB_Any window qualifies those it has passed.
    // The declaring lines follow their lines' changes.
    void qualify(qsizetype end, DeclaringLines &declaring)
    {
        bool inEnumeration = false;
        SourceLines &lines = g_.model.CommonSourceLines;
        auto creation = code_.creations.cbegin();
        auto nextDeclared = declaring.begin();
        for (qsizetype i = 0; i < end; ++i) {
            QString &s = lines[i];
            // The object a line creates is named wherever its command stands, as the names are
            // collected; the other constants only in the code.
            const Creation *created = nullptr;
            if (creation != code_.creations.cend() && creation->line == i)
                created = &*creation++;
            DeclaringLine *declared = nullptr;
            if (nextDeclared != declaring.end() && nextDeclared->line == i)
                declared = &*nextDeclared++;
            const LineFacts &facts = code_.lines.at(i);
            if (facts.comment) // left as written, like a statement of a comment
                continue;
            // A comment cannot come between a statement's start and its first word.
            FollowEnumerations(s, inEnumeration);
            if (created || facts.otherHash)
                s = qualifiedLine(s, i, created, inEnumeration, declared, facts.otherHash);
        }
    }

private:
    // The window whose constant a use at line names: the only window that creates such an
    // object, or the window of the line when it creates one too; otherwise the window whose
    // creating line is nearest, with a warning.
    qint32 windowOf(qsizetype object, qsizetype line, QStringView name)
    {
        const QList<Creation> &creations = code_.creations;
        if (creations.at(object).next < 0)
            return creations.at(object).window;
        const qint32 here = code_.lines.at(line).window;
        if (code_.createdIn(object, here))
            return here;
        qsizetype nearest = object;
        for (qsizetype c = creations.at(object).next; c >= 0; c = creations.at(c).next) {
            if (qAbs(creations.at(c).line - line) < qAbs(creations.at(nearest).line - line))
                nearest = c;
        }
        warnAmbiguous(object, line, name, creations.at(nearest).window);
        return creations.at(nearest).window;
    }

    void warnAmbiguous(qsizetype object, qsizetype line, QStringView name, qint32 chosen)
    {
        QList<qint32> windows;
        for (qsizetype c = object; c >= 0; c = code_.creations.at(c).next) {
            if (code_.creations.at(c).window != NoWindow)
                windows << code_.creations.at(c).window;
        }
        std::sort(windows.begin(), windows.end());
        QStringList names;
        for (const qint32 w : windows)
            names << code_.windows.at(w);
        const QString constant = name.toString();
        WarnAtSourceLine(
            g_.log, g_.model,
            AmbiguousConstantWarning(constant, names, SourceLocation(g_.model, line), prefixOf(chosen) + constant),
            line);
    }

    QString prefixOf(qint32 window) const { return window == NoWindow ? QString() : prefixes_.at(window); }

    // A window's name goes in after the "#" at hash (0-based).
    struct Insertion {
        qsizetype hash;
        qint32 window;
    };
    using Insertions = QVarLengthArray<Insertion, 4>;

    // The uses of objects' constants in a line besides the one it creates, each with the window
    // to insert. A line is scanned for its literals and comment only once a constant names an
    // object: most constants besides the created one are PureBasic's own, and scanning every line
    // that holds a "#" cost an unchanged regeneration of 200 x 100 (bench/make_project.py) 7 M
    // instructions more (callgrind).
    void findUses(const QString &s, qsizetype line, qsizetype createdHash, bool inEnumeration, Insertions &insertions)
    {
        std::optional<CodeLine> scan;
        for (qsizetype h = IndexOfChar(s, u'#'); h >= 0; h = IndexOfChar(s, u'#', h + 1)) {
            if (h == createdHash || (h > 0 && IsIdentifierChar(s.at(h - 1))))
                continue;
            const qsizetype nameEnd = IdentifierEnd(s, h + 1);
            const QStringView name = QStringView(s).sliced(h + 1, nameEnd - h - 1);
            const auto object = name.isEmpty() || !sieve_.mayName(name) ? code_.objects.cend()
                                                                        : code_.objects.constFind(NoCaseKey(name));
            if (object == code_.objects.cend())
                continue; // not an object: a window, a user constant, one of PureBasic's own
            if (!scan)
                scan = ScanCodeLine(s);
            if (h >= scan->CodeEnd())
                break;
            if (scan->InLiteral(h) || IsDeclaredAt(QStringView(s).first(scan->CodeEnd()), h, nameEnd, inEnumeration))
                continue;
            if (const qint32 window = windowOf(*object, line, name); window != NoWindow)
                insertions.append({h, window});
        }
    }

    // The line with each object constant named after its window. The object the line creates
    // takes the line's window; every other constant of the code, looked for when the line holds
    // others, the window of its object.
    QString qualifiedLine(const QString &s, qsizetype line, const Creation *created, bool inEnumeration,
                          DeclaringLine *declared, bool others)
    {
        Insertions insertions;
        const qsizetype createdHash = created ? created->bracket + 1 : -1;
        if (created && created->window != NoWindow)
            insertions.append({createdHash, created->window});
        if (others)
            findUses(s, line, createdHash, inEnumeration, insertions);
        if (insertions.isEmpty())
            return s;
        if (insertions.size() > 1)
            std::sort(insertions.begin(), insertions.end(),
                      [](const Insertion &a, const Insertion &b) { return a.hash < b.hash; });
        qsizetype size = s.size();
        for (const Insertion &insertion : insertions)
            size += prefixes_.at(insertion.window).size();
        // Written in place, at its final size, into the lines' arena: a buffer each cost an
        // unchanged regeneration of 200 x 100 (bench/make_project.py) 350.4 M instructions,
        // against 346.2 M (callgrind), and one of 1000 x 100 137,750 KiB at its peak, against
        // 135,940 KiB (maximum resident set size).
        QChar *out = nullptr;
        const QString result = arena_.line(size, out);
        qsizetype copied = 0;
        for (const Insertion &insertion : insertions) {
            out = std::copy(s.constData() + copied, s.constData() + insertion.hash + 1, out);
            const QString &prefix = prefixes_.at(insertion.window);
            out = std::copy(prefix.constData(), prefix.constData() + prefix.size(), out);
            copied = insertion.hash + 1;
        }
        std::copy(s.constData() + copied, s.constData() + s.size(), out);
        // A name given in front of the declaring bracket moves it, and may end the word before
        // it ("#MenuItem(#" no longer reads as MenuItem): such a line is read again. A name
        // given after it changes no declaration, since every name given ends in "_" + a name.
        if (declared && insertions.front().hash < declared->declaration.bracket)
            *declared = reader_.read(result, line);
        return result;
    }

    PrefixPass &g_;
    const WindowsOfCode &code_;
    NameSieve sieve_;
    QStringList prefixes_;
    DeclarationReader reader_; // for the lines read again
    LineArena arena_;
};

} // namespace

void QualifyConstantUses(PrefixPass &g, const WindowsOfCode &code, qsizetype end, DeclaringLines &declaring)
{
    Qualifier(g, code).qualify(end, declaring);
}

} // namespace quarvel::prefixes
