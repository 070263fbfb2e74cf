#include "interpreter/window_prefixes.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "base/word_memo.h"
#include "interpreter/object_names.h"
#include "interpreter/pb_any_objects.h"
#include "interpreter/windows_of_code.h"
#include "model/design_model.h"
#include "model/log_messages.h"
#include "model/log_sink.h"
#include "model/name_tables.h"

#include <QHash>
#include <QSet>
#include <QVarLengthArray>

#include <algorithm>
#include <optional>

namespace quarvel {

namespace {

using namespace prefixes;

// A #PB_Any object kept in a variable is given a constant named like its variable. When an
// object of the same window already has a constant of that name in any letter case
// ("Squares = TextGadget(#PB_Any, ...)" and "ButtonGadget(#squares, ...)"), both would get one
// number: the variable's object is given another name.
void SeparateVariableNames(PrefixPass &g, WindowsOfCode &code)
{
    const auto isVariable = [](const Creation &c) { return c.variable; };
    if (std::none_of(code.creations.cbegin(), code.creations.cend(), isVariable))
        return;
    QHash<QString, QList<qsizetype>> byName; // upper-cased name -> its creations
    for (qsizetype c = 0; c < code.creations.size(); ++c)
        byName[UpperKeepLength(code.creations.at(c).name)].append(c);
    const auto constantOfWindow = [&](const Creation &variable) -> const Creation * {
        for (const qsizetype other : byName.value(UpperKeepLength(variable.name))) {
            const Creation &o = code.creations.at(other);
            if (!o.variable && o.window == variable.window)
                return &o;
        }
        return nullptr;
    };
    for (qsizetype c = 0; c < code.creations.size(); ++c) {
        Creation &creation = code.creations[c];
        const Creation *constant = creation.variable ? constantOfWindow(creation) : nullptr;
        if (!constant)
            continue;
        const QString variable = creation.name.toString();
        QString name;
        for (int n = 2; name.isEmpty() || byName.contains(UpperKeepLength(name)); ++n)
            name = variable + QLatin1Char('_') + QString::number(n);
        byName[UpperKeepLength(name)].append(c);
        QString &line = g.model.CommonSourceLines[creation.line];
        line = line.first(creation.bracket + 2) + name + line.mid(creation.bracket + 2 + variable.size());
        const QString prefix = creation.window == NoWindow ? QString()
                                                           : code.windows.at(creation.window) + QLatin1Char('_');
        WarnAtSourceLine(g.log, g.model,
                         VariableAndConstantWarning(variable, prefix + constant->name.toString(),
                                                    SourceLocation(g.model, creation.line) + QStringLiteral(", ")
                                                        + SourceLocation(g.model, constant->line),
                                                    prefix + name),
                         creation.line);
        code.givenNames.append(name);
        creation.name = code.givenNames.last();
    }
}

// Two objects whose constants, once they carry their windows' names, are one name (compared in
// any letter case, as PureBasic does): a gadget Settings_Save of window Main and a gadget Save
// of window Main_Settings both become #Main_Settings_Save, and so may a window and an object.
// One object made twice in a window is one object. False, after the line that names both.
// The constant an object gets, window + "_" + name (a window's own: its name), as a hash key
// that views both parts instead of joining them: joining them cost an unchanged regeneration
// of 200 x 100 (bench/make_project.py) 30 M instructions of its 646 M (callgrind).
struct ConstantKey {
    QStringView window; // empty for a window itself
    QStringView name;

    qsizetype size() const { return window.isEmpty() ? name.size() : window.size() + 1 + name.size(); }
    QString text() const
    {
        QString text = window.toString();
        if (!window.isEmpty())
            text += QLatin1Char('_');
        return text += name;
    }
    friend bool operator==(const ConstantKey &a, const ConstantKey &b)
    {
        if (a.size() != b.size())
            return false;
        if (a.window.size() == b.window.size())
            return NoCaseKey(a.window) == NoCaseKey(b.window) && NoCaseKey(a.name) == NoCaseKey(b.name);
        return NoCaseKey(a.text()) == NoCaseKey(b.text()); // "A_B" + "C" against "A" + "B_C"
    }
    friend size_t qHash(const ConstantKey &key, size_t seed) noexcept
    {
        return key.window.isEmpty() ? NoCaseHash({key.name}, seed) : NoCaseHash({key.window, u"_", key.name}, seed);
    }
};

bool ConstantsStayApart(PrefixPass &g, const WindowsOfCode &code)
{
    QHash<ConstantKey, qsizetype> byConstant; // the constant, in any letter case -> 1 + the line of its object
    byConstant.reserve(code.windows.size() + code.creations.size());
    const auto differ = [&](const ConstantKey &named, qsizetype line) {
        // One lookup a constant: a new one gets its entry at once, as line + 1 over the 0 of
        // an entry just made.
        qsizetype &entry = byConstant[named];
        if (entry == 0) {
            entry = line + 1;
            return true;
        }
        const auto known = byConstant.constFind(named);
        const ConstantKey &first = known.key();
        if (NoCaseKey(first.window) == NoCaseKey(named.window) && NoCaseKey(first.name) == NoCaseKey(named.name))
            return true;
        const auto shown = [&](const ConstantKey &object, qsizetype at) {
            return (object.window.isEmpty()
                        ? QStringLiteral("window ") + object.name.toString()
                        : object.name.toString() + QStringLiteral(" of window ") + object.window.toString())
                   + QStringLiteral(" (") + SourceLocation(g.model, at) + QLatin1Char(')');
        };
        g.log.Stop({SharedConstantStopLine(named.text(), shown(first, *known - 1), shown(named, line)), LogKind::Error,
                    g.model.CommonFileList.value(g.model.CommonSourceLines.origin(line).file),
                    g.model.CommonSourceLines.origin(line).line});
        return false;
    };
    for (qint32 w = 0; w < code.windows.size(); ++w)
        if (!differ({QStringView(), code.windows.at(w)}, code.windowLines.at(w)))
            return false;
    for (const Creation &creation : code.creations)
        if (creation.window != NoWindow && !differ({code.windows.at(creation.window), creation.name}, creation.line))
            return false;
    return true;
}

// Two constants can be one name only when a window's name followed by "_" begins another
// window's name ("Main" and "Main_Settings"): constants of one window differ in their objects'
// names, and those of two windows differ where the shorter window's name ends. Without such
// windows the lookup of every constant is passed over: making it for every project cost an
// unchanged regeneration of 200 x 100 (bench/make_project.py) 12.6 M instructions (callgrind).
bool WindowNamesNest(const WindowsOfCode &code)
{
    for (const QString &window : code.windows) {
        for (qsizetype k = IndexOfChar(window, u'_'); k >= 0; k = IndexOfChar(window, u'_', k + 1)) {
            if (code.windowIndex.contains(NoCaseKey(QStringView(window).first(k))))
                return true;
        }
    }
    return false;
}

// An object, by its first creation, in one window.
quint64 ObjectInWindow(qsizetype object, qint32 window)
{
    return (quint64(object) << 32) | quint32(window);
}

// The objects by name in any letter case. The first creation of an object in each further
// window joins the chain that starts at its first creation.
void IndexObjects(WindowsOfCode &code)
{
    code.objects.reserve(code.creations.size());
    code.createdIn.reserve(code.creations.size());
    for (qsizetype c = 0; c < code.creations.size(); ++c) {
        Creation &creation = code.creations[c];
        auto known = code.objects.find(NoCaseKey(creation.name));
        if (known == code.objects.end()) {
            known = code.objects.insert(NoCaseKey(creation.name), c);
            code.firstCreations.append(c);
        }
        const qsizetype object = *known;
        // One lookup a creation: the set grows only by a window the object is new in.
        const qsizetype windowsBefore = code.createdIn.size();
        code.createdIn.insert(ObjectInWindow(object, creation.window));
        if (object == c || code.createdIn.size() == windowsBefore)
            continue;
        creation.next = code.creations.at(object).next;
        code.creations[object].next = c;
    }
}

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

// Gives every use of an object's constant the name of its window.
class Qualifier {
public:
    Qualifier(PrefixPass &g, const WindowsOfCode &code) : g_(g), code_(code), reader_(g.nameTables)
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
            if (IsCommentLine(s)) // left as written, like a statement of a comment
                continue;
            // A comment cannot come between a statement's start and its first word.
            FollowEnumerations(s, inEnumeration);
            if (created || IndexOfChar(s, u'#') >= 0)
                s = qualifiedLine(s, i, created, inEnumeration, declared);
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
        const qint32 here = code_.lines.at(line);
        if (code_.createdIn.contains(ObjectInWindow(object, here)))
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

    // The line with each object constant named after its window. The object the line creates
    // takes the line's window; every other constant of the code the window of its object. A
    // line is scanned for its literals and comment only once a constant names an object: most
    // constants besides the created one are PureBasic's own, and scanning every line that holds
    // a "#" cost an unchanged regeneration of 200 x 100 (bench/make_project.py) 7 M
    // instructions more (callgrind).
    QString qualifiedLine(const QString &s, qsizetype line, const Creation *created, bool inEnumeration,
                          DeclaringLine *declared)
    {
        QVarLengthArray<Insertion, 4> insertions;
        const qsizetype createdHash = created ? created->bracket + 1 : -1;
        if (created && created->window != NoWindow)
            insertions.append({createdHash, created->window});
        std::optional<CodeLine> scan;
        for (qsizetype h = IndexOfChar(s, u'#'); h >= 0; h = IndexOfChar(s, u'#', h + 1)) {
            if (h == createdHash || (h > 0 && IsIdentifierChar(s.at(h - 1))))
                continue;
            const qsizetype nameEnd = IdentifierEnd(s, h + 1);
            const QStringView name = QStringView(s).sliced(h + 1, nameEnd - h - 1);
            const auto object = name.isEmpty() ? code_.objects.cend() : code_.objects.constFind(NoCaseKey(name));
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
        if (insertions.isEmpty())
            return s;
        std::sort(insertions.begin(), insertions.end(),
                  [](const Insertion &a, const Insertion &b) { return a.hash < b.hash; });
        qsizetype size = s.size();
        for (const Insertion &insertion : insertions)
            size += prefixes_.at(insertion.window).size();
        // Written in place into a text of its final size: one allocation a line.
        QString result(size, Qt::Uninitialized);
        QChar *out = result.data();
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
    QStringList prefixes_;
    DeclarationReader reader_; // for the lines read again
};

// Each object under its name as the sources wrote it and as it is named after its window, by
// its first creation in a window.
QList<PrefixedName> PrefixedObjects(const WindowsOfCode &code)
{
    QList<PrefixedName> prefixed;
    for (const qsizetype first : code.firstCreations) {
        qsizetype inWindow = first;
        while (inWindow >= 0 && code.creations.at(inWindow).window == NoWindow)
            inWindow = code.creations.at(inWindow).next;
        if (inWindow >= 0) {
            const QString name = code.creations.at(first).name.toString();
            prefixed.append({name, code.windows.at(code.creations.at(inWindow).window) + QLatin1Char('_') + name});
        }
    }
    return prefixed;
}

} // namespace

bool InsertWindowPrefixes(DesignModel &model, const NameTables &nameTables, LogSink &log, DeclaringLines *declaring)
{
    PrefixPass g{model, nameTables, log};
    WindowsOfCode code;
    qsizetype stop = 0;
    const bool whole = FindWindowsOfCode(g, code, stop);
    SeparateVariableNames(g, code);
    if (whole && WindowNamesNest(code) && !ConstantsStayApart(g, code))
        return false;
    IndexObjects(code);
    Qualifier(g, code).qualify(stop, code.declaring);
    model.PrefixedObjects = PrefixedObjects(code);
    if (declaring) {
        // A window named with a bracket ("OpenWindow(#W(#x), ...") may give a name that makes
        // a "(#" of its own: the lines are then read afresh.
        const bool bracketed = std::any_of(code.windows.cbegin(), code.windows.cend(),
                                           [](const QString &window) { return IndexOfChar(window, u'(') >= 0; });
        *declaring = bracketed ? FindDeclaringLines(model.CommonSourceLines.texts(), nameTables)
                               : std::move(code.declaring);
    }
    return whole;
}

} // namespace quarvel
