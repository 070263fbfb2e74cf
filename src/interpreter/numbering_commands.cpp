#include "interpreter/numbering_commands.h"

#include "model/name_tables.h"

namespace quarvel {

using enum ObjectKind;

const QHash<QString, ObjectKind> &NumberingCommands()
{
    static const QHash<QString, ObjectKind> commands = {
        // Gadgets the creator table does not know: they are not generated, but number gadgets.
        {QStringLiteral("FRAMEGADGET"), Gadget},
        {QStringLiteral("SCINTILLAGADGET"), Gadget},
        {QStringLiteral("OPENGLGADGET"), Gadget},
        {QStringLiteral("WEBVIEWGADGET"), Gadget},
        {QStringLiteral("OPENWINDOW"), Window},
        {QStringLiteral("CREATEMENU"), Menu},
        {QStringLiteral("CREATEPOPUPMENU"), Menu},
        {QStringLiteral("CREATEIMAGEMENU"), Menu},
        {QStringLiteral("CREATEPOPUPIMAGEMENU"), Menu},
        {QStringLiteral("MENUITEM"), MenuItem},
        {QStringLiteral("TOOLBARSTANDARDBUTTON"), MenuItem},
        {QStringLiteral("TOOLBARIMAGEBUTTON"), MenuItem},
        {QStringLiteral("TOOLBARBUTTON"), MenuItem},
        {QStringLiteral("CREATESTATUSBAR"), StatusBar},
        {QStringLiteral("CREATETOOLBAR"), ToolBar},
        {QStringLiteral("LOADIMAGE"), Image},
        {QStringLiteral("CATCHIMAGE"), Image},
        {QStringLiteral("CREATEIMAGE"), Image},
        {QStringLiteral("LOADFONT"), Font},
    };
    return commands;
}

ObjectKind KindOfNumberingCommand(const QString &upper, const NameTables &tables)
{
    const QHash<QString, ObjectKind> &commands = NumberingCommands();
    if (const auto known = commands.constFind(upper); known != commands.cend())
        return *known;
    return tables.isGadgetCreator(upper) ? Gadget : None;
}

} // namespace quarvel
