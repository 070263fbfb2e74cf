#include "interpreter/object_names.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/shared_lines.h"
#include "base/statement_scan.h"
#include "interpreter/pb_any_objects.h"
#include "model/design_model.h"
#include "model/log_messages.h"
#include "model/log_sink.h"
#include "model/name_tables.h"

#include <optional>

namespace quarvel {

namespace {

// A list of objects with an index of their names in any letter case, so that a duplicate is
// found by one look. The gadgets' list is long: with a QSet of NoCaseKey, whose table outgrew
// the caches, its index took an unchanged regeneration of 1000 x 100 (bench/make_project.py)
// 3.4 % of its time (perf); with NoCaseIndex the run is 1.6 % faster there (paired wall times),
// and takes 338.5 M instructions at 200 x 100, against 340.9 M (callgrind).
template <typename Entry>
struct NameSet {
    QList<Entry> &list;
    NoCaseIndex names;

    explicit NameSet(QList<Entry> &list) : list(list)
    {
        names.reserve(list.size());
        for (qsizetype k = 0; k < list.size(); ++k)
            noted(k);
    }

    // False when the entry's name (in any letter case) is there already: the entry is left out.
    bool add(Entry entry)
    {
        list.append(std::move(entry));
        if (noted(list.size() - 1))
            return true;
        list.removeLast();
        return false;
    }

private:
    // Whether the name at place is the first of its kind.
    bool noted(qsizetype place)
    {
        const auto nameAt = [this](qint32 p) { return QStringView(NameOf(list.at(p))); };
        return names.insert(NameOf(list.at(place)), qint32(place), nameAt) == place;
    }
};

// The argument of "Command(#Name, ..." from its "#" to the next "," or ")", whichever comes
// first, trimmed. Cutting at the command's own bracket keeps "MenuTitle("x") : MenuItem(#A, ...)"
// and "CreatePopupMenu(#M) : Foo(1, 2)" right.
QStringView ObjectArgument(const QString &s, qsizetype bracket)
{
    // The first of a comma and a closing bracket, in one look.
    const qsizetype end = IndexOfAny(s, bracket, u',', u')', u')');
    if (end < 0)
        return QStringView();
    return TrimBlanksView(QStringView(s).sliced(bracket + 1, end - bracket - 1));
}

// The identifier of an object argument, after its "#".
QStringView NameOfArgument(QStringView argument)
{
    const QStringView name = TrimLeadingBlanksView(argument.sliced(qMin(argument.size(), qsizetype(1))));
    return name.first(IdentifierEnd(name, 0));
}

// Whether an object argument computes its number from the constant ("#Btn_0 + i").
bool IsComputed(QStringView argument, QStringView name)
{
    return name.data() + name.size() != argument.data() + argument.size();
}

// Only the MenuItem command itself creates a menu item; DisableMenuItem(#Menu, ...) and the
// like end in the same letters but name a menu.
bool HasMenuItemCommand(const QString &line)
{
    return IndexOfCommandNoCase(line, u"MENUITEM(#") >= 0;
}

using Kind = ObjectKind;

// The declaration rule's order, lowest first: a toolbar button comes right after the toolbars,
// before any gadget (any other command word), and None after all.
int DeclarationRank(Kind kind)
{
    return kind == Kind::ToolBarButton ? 2 * int(Kind::ToolBar) + 1 : 2 * int(kind);
}

// What the text in front of a "(#" declares, in any letter case. The keywords are matched as
// the end of that text, so "x = CreateMenu(#" is a menu line however the statement begins.
Kind KindBefore(QStringView before)
{
    static const struct {
        QStringView keyword;
        Kind kind;
    } rules[] = {
        {u"OPENWINDOW", Kind::Window},
        {u"CREATEMENU", Kind::Menu},
        {u"CREATEPOPUPMENU", Kind::Menu},
        {u"CREATEIMAGEMENU", Kind::Menu},
        {u"CREATEPOPUPIMAGEMENU", Kind::Menu},
        {u"MENUITEM", Kind::MenuItem},
        {u"CREATESTATUSBAR", Kind::StatusBar},
        {u"CREATETOOLBAR", Kind::ToolBar},
        {u"TOOLBARSTANDARDBUTTON", Kind::ToolBarButton},
        {u"TOOLBARIMAGEBUTTON", Kind::ToolBarButton},
    };
    // Most lines create a gadget, whose name ends in none of the rules' last letters: it is
    // told by one look at a mask of them (characters that share its bits only cost the rules).
    static const quint32 lastLetters = [] {
        quint32 letters = 0;
        for (const auto &rule : rules)
            letters |= 1u << (rule.keyword.back().unicode() & 31u);
        return letters;
    }();
    const QChar last = before.isEmpty() ? QChar() : UpperChar(before.back());
    if (last.unicode() < 0x80 && !(lastLetters & 1u << (last.unicode() & 31u)))
        return Kind::Gadget;
    for (const auto &rule : rules) {
        if (rule.keyword.back() != last || !EndsNoCase(before, rule.keyword))
            continue;
        const qsizetype wordStart = before.size() - rule.keyword.size();
        if (rule.kind == Kind::MenuItem && wordStart > 0 && IsIdentifierChar(UpperChar(before.at(wordStart - 1))))
            continue; // DisableMenuItem, SetMenuItemState, ...
        return rule.kind;
    }
    return Kind::Gadget;
}

struct Collector {
    DesignModel &model;
    const NameTables &nameTables;
    LogSink &log;
    NameSet<QString> windows{model.WindowList};
    NameSet<QString> menus{model.MenuList};
    NameSet<QString> menuItems{model.MenuItemList};
    NameSet<QString> statusBars{model.StatusBarList};
    NameSet<QString> toolBars{model.ToolBarList};
    NameSet<GadgetRecord> gadgets{model.GadgetList};
    LineArena names{};

    // A duplicate that the generated enumerations cannot carry: the run stops.
    bool stopOnDuplicate(NameSet<QString> &set, const QString &name, const char *what, qsizetype line)
    {
        if (set.add(name))
            return true;
        StopAtSourceLine(log, model, DuplicateObjectStopLine(QLatin1String(what), name, SourceLocation(model, line)),
                         line);
        return false;
    }

    // Menu items and toolbar buttons share one constant and one event procedure. False for a
    // name listed already.
    bool warnOnDuplicate(const QString &name, const char *by, qsizetype line)
    {
        if (menuItems.add(name))
            return true;
        WarnAtSourceLine(log, model, DuplicateMenuItemWarning(name, QLatin1String(by), SourceLocation(model, line)),
                         line);
        return false;
    }

    // The last creation noted is the last entry of its kind's list.
    bool listed(qsizetype size)
    {
        model.ObjectCreations.last().index = size - 1;
        return true;
    }

    // False for a name listed already.
    bool addGadget(const QString &name, const QString &type) { return gadgets.add({name, type}); }

    // Gadgets and menu items whose numbers are computed from their constant ("#Btn_0 + i" in a
    // loop): collected after all others, so that the numbers after theirs belong to no other
    // object of their kind.
    struct Computed {
        Kind kind;
        QString name;
        QString type;
        qsizetype line;
    };
    QList<Computed> computed{};

    void warnComputed(const QString &argument, const QString &name, qsizetype line, const char *what)
    {
        WarnAtSourceLine(log, model,
                         ComputedObjectNumberWarning(QLatin1String(what), argument, SourceLocation(model, line), name),
                         line);
    }

    void addComputed()
    {
        for (const Computed &object : std::as_const(computed)) {
            if (object.kind == Kind::Gadget)
                addGadget(object.name, object.type);
            else
                warnOnDuplicate(object.name, object.kind == Kind::MenuItem ? "MenuItem" : "ToolbarButton", object.line);
        }
    }

    // An AddGadgetItem call names the gadget it fills; a window preview shows a panel's tabs.
    void noteGadgetItem(const QString &s, qsizetype bracket)
    {
        static const QLatin1StringView command("AddGadgetItem");
        const QStringView word = WordBefore(s, bracket);
        if (word.size() != command.size() || word.compare(command, Qt::CaseInsensitive) != 0)
            return;
        if (const QStringView gadget = DeclaredName(s, bracket); !gadget.isEmpty())
            model.GadgetItemCalls.append({gadget.toString(), s, bracket});
    }

    // False when the line stops the run.
    bool collect(const QString &s, const DeclaringLine &declared)
    {
        const auto [kind, bracket] = declared.declaration;
        const qsizetype line = declared.line;
        // An object created with #PB_Any and not kept in a variable has no name to declare.
        if (kind == Kind::None || IsPbAnyAtIndex(s, bracket + 2))
            return true;
        const QString &type = declared.gadgetType;
        if (kind == Kind::Gadget && type.isNull()) {
            noteGadgetItem(s, bracket);
            return true;
        }
        const QStringView argument = ObjectArgument(s, bracket);
        const QStringView nameView = NameOfArgument(argument);
        if (nameView.isEmpty())
            return true; // nothing to declare; a malformed line is not an object
        // Copied into an arena: a buffer each cost an unchanged regeneration of 200 x 100
        // (bench/make_project.py) 351.2 M instructions, against 346.2 M (callgrind), and one of
        // 1000 x 100 137,650 KiB at its peak, against 136,090 KiB (maximum resident set size).
        const QString name = names.joined({nameView});
        model.ObjectCreations.append({kind, name, s, bracket, model.CommonSourceLines.origin(line)});
        const bool computedNumber = IsComputed(argument, nameView);
        if (computedNumber && (kind == Kind::Gadget || kind == Kind::MenuItem || kind == Kind::ToolBarButton)) {
            warnComputed(argument.toString(), name, line, kind == Kind::Gadget ? "gadget" : "menu item");
            computed.append({kind, name, type, line});
            return true;
        }
        switch (kind) {
        case Kind::Window: return stopOnDuplicate(windows, name, "WindowID", line) && listed(windows.list.size());
        case Kind::Menu: return stopOnDuplicate(menus, name, "MenuID", line);
        case Kind::StatusBar: return stopOnDuplicate(statusBars, name, "StatusBarID", line);
        case Kind::ToolBar: return stopOnDuplicate(toolBars, name, "ToolBarID", line);
        case Kind::MenuItem: return !warnOnDuplicate(name, "MenuItem", line) || listed(menuItems.list.size());
        case Kind::ToolBarButton: return !warnOnDuplicate(name, "ToolbarButton", line) || listed(menuItems.list.size());
        case Kind::Gadget: return !addGadget(name, type) || listed(model.GadgetList.size());
        case Kind::Image: // KindBefore gives none of these
        case Kind::Font:
        case Kind::Procedure:
        case Kind::None: break;
        }
        return true;
    }
};

} // namespace

// Every declaring keyword is followed by "(#", so the line is classified by what stands in
// front of each of its "(#" in its code: a creator in a comment or a string (code left in as a
// comment, "; ButtonGadget(#Apply, ...)") creates nothing. The line is scanned for them only
// when a ";" or a quote comes before a "(#". An unchanged regeneration of 200 x 100
// (bench/make_project.py) cost 531.0 M instructions without the test for comments, 537.9 M
// scanning every declaring line, and 534.0 M this way (callgrind). Looking before each "(#"
// for a ";" or a quote cost 12.9 M instructions here; looking for the first of them once a
// line, and at each bracket for its "#", 8.1 M (callgrind).
ObjectDeclaration DeclarationOfLine(const QString &s)
{
    ObjectDeclaration found;
    std::optional<CodeLine> code;
    // Nothing before the first ";" or quote can open a comment or a string.
    const qsizetype mark = IndexOfAny(s, 0, u';', u'"', u'"');
    const qsizetype plainEnd = mark < 0 ? s.size() : mark;
    FindAnyOf(
        s, 0,
        [&](qsizetype g) {
            if (g + 1 >= s.size() || s.at(g + 1) != u'#')
                return false;
            if (g > plainEnd) {
                if (!code)
                    code = ScanCodeLine(s);
                if (g >= code->CodeEnd())
                    return true;
                if (code->InLiteral(g))
                    return false;
            }
            const Kind kind = KindBefore(QStringView(s).first(g));
            if (DeclarationRank(kind) < DeclarationRank(found.kind))
                found = {kind, g};
            return false;
        },
        u'(');
    return found;
}

QStringView DeclaredName(const QString &s, qsizetype bracket)
{
    return NameOfArgument(ObjectArgument(s, bracket));
}

DeclaringLine DeclarationReader::read(const QString &s, qsizetype line)
{
    DeclaringLine declared{line, DeclarationOfLine(s), QString()};
    if (declared.declaration.kind == Kind::Gadget) {
        // The words met before "(#", as written: the gadget type each names, held once and
        // shared by its gadgets. Found with the declaration, the type serves the prefix pass and
        // the name collection: looked up by each of them, it cost an unchanged regeneration of
        // 200 x 100 (bench/make_project.py) 504 M instructions, against 498 M (callgrind).
        declared.gadgetType = types_.value(WordBefore(s, declared.declaration.bracket), [&](QStringView w) {
            const QString upper = w.isNull() ? QString() : UpperKeepLength(w);
            return tables_.isGadgetCreator(upper) ? upper : QString();
        });
    }
    return declared;
}

DeclaringLines FindDeclaringLines(const QStringList &lines, const NameTables &tables)
{
    DeclarationReader reader(tables);
    DeclaringLines declaring;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (DeclaringLine declared = reader.read(lines.at(i), i); declared.declaration.kind != Kind::None)
            declaring.append(std::move(declared));
    }
    return declaring;
}

bool CollectObjectNames(DesignModel &model, const NameTables &nameTables, LogSink &log)
{
    return CollectObjectNames(model, nameTables, log, FindDeclaringLines(model.CommonSourceLines.texts(), nameTables));
}

// Only the declaring lines are read: classifying every line here again, after the prefix pass
// had, cost an unchanged regeneration of 200 x 100 (bench/make_project.py) 536 M instructions,
// 529 M this way (callgrind).
bool CollectObjectNames(DesignModel &model, const NameTables &nameTables, LogSink &log, const DeclaringLines &declaring)
{
    Collector collector{model, nameTables, log};
    // At most one object a line: the set and the lists never grow by moving or rehashing all
    // they hold. Growing them cost an unchanged regeneration of 200 x 100
    // (bench/make_project.py) 38.7 M instructions here, against 37.2 M (callgrind).
    collector.gadgets.names.reserve(model.GadgetList.size() + declaring.size());
    model.GadgetList.reserve(model.GadgetList.size() + declaring.size());
    model.ObjectCreations.reserve(model.ObjectCreations.size() + declaring.size());
    const SourceLineList &lines = model.CommonSourceLines.texts();
    for (const DeclaringLine &declared : declaring) {
        if (!collector.collect(lines.at(declared.line), declared))
            return false;
    }
    collector.addComputed();
    return true;
}

void SplitMenuItemTabs(DesignModel &model)
{
    for (QString &line : model.CommonSourceLines) {
        // A line without a backslash has no "\t" to split, and is passed over before the
        // command is looked for: looking on every line cost an unchanged regeneration of
        // 200 x 100 (bench/make_project.py) 7.9 M instructions here, 5.4 M this way (callgrind).
        if (IndexOfChar(line, u'\\') >= 0 && HasMenuItemCommand(line))
            line = ReplaceString(line, QStringLiteral("\\t"), QStringLiteral("\" + #TAB$ + \""), true);
    }
}

} // namespace quarvel
