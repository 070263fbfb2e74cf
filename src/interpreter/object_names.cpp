#include "object_names.h"

#include "line_scan.h"
#include "../pipeline/generation_context.h"

#include <QSet>

namespace quarvel {

namespace {

// A name list with its upper-cased names, so that a duplicate is found by one lookup.
struct NameSet {
    QStringList &list;
    QSet<QString> upper;

    explicit NameSet(QStringList &names) : list(names)
    {
        for (const QString &name : names)
            upper.insert(UpperKeepLength(name));
    }

    // False when the name (in any letter case) is there already.
    bool add(const QString &name)
    {
        const QString key = UpperKeepLength(name);
        if (upper.contains(key))
            return false;
        upper.insert(key);
        list.append(name);
        return true;
    }
};

// The constant of "Command(#Name, ..." without its "#": from the first "(" of the line to
// the first "," (or, where allowed, the first ")" of a line without ",").
QString ConstantName(const QString &s, bool closingBracketEnds = false)
{
    const int p = FindString(s, QLatin1Char('('));
    int e = FindString(s, QLatin1Char(','));
    if (e == 0 && closingBracketEnds)
        e = FindString(s, QLatin1Char(')'));
    return Trim(Mid(s, p + 2, e - p - 2));
}

// Only the MenuItem command itself creates a menu item; DisableMenuItem(#Menu, ...) and the
// like end in the same letters but name a menu.
bool HasMenuItemCommand(const QString &upper)
{
    const QLatin1String keyword("MENUITEM(#");
    for (int k = FindString(upper, keyword); k; k = FindString(upper, keyword, k + 1)) {
        if (k == 1 || !IsIdentifierChar(upper.at(k - 2)))
            return true;
    }
    return false;
}

QSet<QString> GadgetKeys(const QList<GadgetRecord> &gadgets)
{
    QSet<QString> keys;
    for (const GadgetRecord &gadget : gadgets)
        keys.insert(UpperKeepLength(gadget.name));
    return keys;
}

enum class Kind { Window, Menu, MenuItem, StatusBar, ToolBar, ToolBarButton, Gadget, None };

Kind KindOfLine(const QString &upper)
{
    const auto has = [&upper](const char *keyword) {
        return FindString(upper, QLatin1String(keyword)) != 0;
    };
    if (has("OPENWINDOW(#"))
        return Kind::Window;
    if (has("CREATEMENU(#") || has("CREATEPOPUPMENU(#") || has("CREATEIMAGEMENU(#")
        || has("CREATEPOPUPIMAGEMENU(#"))
        return Kind::Menu;
    if (HasMenuItemCommand(upper))
        return Kind::MenuItem;
    if (has("CREATESTATUSBAR(#"))
        return Kind::StatusBar;
    if (has("CREATETOOLBAR(#"))
        return Kind::ToolBar;
    if (has("TOOLBARSTANDARDBUTTON(#") || has("TOOLBARIMAGEBUTTON(#"))
        return Kind::ToolBarButton;
    if (has("(#"))
        return Kind::Gadget;
    return Kind::None;
}

struct Collector {
    GenerationContext &g;
    NameSet windows{g.model.WindowList};
    NameSet menus{g.model.MenuList};
    NameSet menuItems{g.model.MenuItemList};
    NameSet statusBars{g.model.StatusBarList};
    NameSet toolBars{g.model.ToolBarList};
    QSet<QString> gadgets = GadgetKeys(g.model.GadgetList);

    // A duplicate that the generated enumerations cannot carry: the run stops.
    bool stopOnDuplicate(NameSet &set, const QString &name, const char *what)
    {
        if (set.add(name))
            return true;
        g.LogLine(QStringLiteral(" -> Error: Find duplicate ") + QLatin1String(what)
                  + QStringLiteral("(#") + name + QStringLiteral("). Stop!"));
        return false;
    }

    // Menu items and toolbar buttons share one constant and one event procedure.
    void warnOnDuplicate(const QString &name, const char *by)
    {
        if (!menuItems.add(name))
            g.LogLine(QStringLiteral(" -> Warning: Find duplicate MenuItemID(#") + name
                      + QStringLiteral(") by ") + QLatin1String(by) + QLatin1Char('.'));
    }

    void addGadget(const QString &s)
    {
        const int object = FindString(s, QStringLiteral("(#"));
        const QString type = UpperWordBefore(s, object);
        if (!g.nameTables.isGadgetCreator(type))
            return;
        const QString name = ConstantName(s);
        if (name.isEmpty())
            return;
        const QString key = UpperKeepLength(name);
        if (gadgets.contains(key))
            return;
        gadgets.insert(key);
        g.model.GadgetList.append({name, type});
    }

    // False when the line stops the run.
    bool collect(const QString &s)
    {
        const Kind kind = KindOfLine(UpperKeepLength(s));
        if (kind == Kind::None)
            return true;
        if (kind == Kind::Gadget) {
            addGadget(s);
            return true;
        }
        const QString name = ConstantName(s, kind == Kind::Menu);
        if (name.isEmpty())
            return true; // nothing to declare; a malformed line is not an object
        switch (kind) {
        case Kind::Window: return stopOnDuplicate(windows, name, "WindowID");
        case Kind::Menu: return stopOnDuplicate(menus, name, "MenuID");
        case Kind::StatusBar: return stopOnDuplicate(statusBars, name, "StatusBarID");
        case Kind::ToolBar: return stopOnDuplicate(toolBars, name, "ToolBarID");
        case Kind::MenuItem: warnOnDuplicate(name, "MenuItem"); return true;
        case Kind::ToolBarButton: warnOnDuplicate(name, "ToolbarButton"); return true;
        case Kind::Gadget:
        case Kind::None: break;
        }
        return true;
    }
};

} // namespace

int CollectObjectNames(GenerationContext &g)
{
    Collector collector{g};
    for (const QString &s : std::as_const(g.model.CommonSourceLines)) {
        if (!collector.collect(s))
            return 0;
    }
    return 1;
}

void SplitMenuItemTabs(GenerationContext &g)
{
    for (QString &line : g.model.CommonSourceLines) {
        if (HasMenuItemCommand(UpperKeepLength(line)))
            line = ReplaceString(line, QStringLiteral("\\t"), QStringLiteral("\" + #TAB$ + \""), true);
    }
}

} // namespace quarvel
