#include "model/name_tables.h"

#include "base/basic_strings.h"

namespace quarvel {

const QStringList &BuiltInCommandNames()
{
    // clang-format off
    static const QStringList names = {
        "AddGadgetColumn", "AddGadgetItem", "ButtonGadget", "ButtonImageGadget", "CalendarGadget",
        "CanvasGadget", "CanvasOutput", "ChangeListIconGadgetDisplay", "CheckBoxGadget",
        "ClearGadgetItemList", "ClearGadgetItems", "CloseGadgetList", "ComboBoxGadget",
        "ContainerGadget", "CountGadgetItems", "DateGadget", "DisableGadget", "EditorGadget",
        "ExplorerComboGadget", "ExplorerListGadget", "ExplorerTreeGadget", "Frame3DGadget",
        "FreeGadget", "GadgetHeight", "GadgetID", "GadgetItemID", "GadgetToolTip", "GadgetType",
        "GadgetWidth", "GadgetX", "GadgetY", "GetActiveGadget", "GetGadgetAttribute",
        "GetGadgetColor", "GetGadgetData", "GetGadgetFont", "GetGadgetItemAttribute",
        "GetGadgetItemColor", "GetGadgetItemData", "GetGadgetItemState", "GetGadgetItemText",
        "GetGadgetState", "GetGadgetText", "HideGadget", "HyperLinkGadget", "IPAddressGadget",
        "ImageGadget", "IsGadget", "ListIconGadget", "ListViewGadget", "MDIGadget",
        "OpenGadgetList", "OptionGadget", "PanelGadget", "ProgressBarGadget", "RemoveGadgetColumn",
        "RemoveGadgetItem", "ResizeGadget", "ScrollAreaGadget", "ScrollBarGadget",
        "SetActiveGadget", "SetGadgetAttribute", "SetGadgetColor", "SetGadgetData",
        "SetGadgetFont", "SetGadgetItemAttribute", "SetGadgetItemColor", "SetGadgetItemData",
        "SetGadgetItemState", "SetGadgetItemText", "SetGadgetState", "SetGadgetText",
        "ShortcutGadget", "SpinGadget", "SplitterGadget", "StringGadget", "TextGadget",
        "TrackBarGadget", "TreeGadget", "WebGadget", "WebGadgetPath", "CloseSubMenu",
        "CreateImageMenu", "CreateMenu", "CreatePopupImageMenu", "CreatePopupMenu",
        "DisableMenuItem", "DisplayPopupMenu", "FreeMenu", "GetMenuItemState", "GetMenuItemText",
        "GetMenuTitleText", "HideMenu", "IsMenu", "MenuBar", "MenuHeight", "MenuID", "MenuItem",
        "MenuTitle", "OpenSubMenu", "SetMenuItemState", "SetMenuItemText", "SetMenuTitleText",
        "CreateToolBar", "DisableToolBarButton", "FreeToolBar", "GetToolBarButtonState",
        "IsToolBar", "SetToolBarButtonState", "ToolBarHeight", "ToolBarID", "ToolBarImageButton",
        "ToolBarSeparator", "ToolBarStandardButton", "ToolBarToolTip", "AddStatusBarField",
        "CreateStatusBar", "FreeStatusBar", "IsStatusBar", "StatusBarHeight", "StatusBarID",
        "StatusBarImage", "StatusBarProgress", "StatusBarText",
    };
    // clang-format on
    return names;
}

const QStringList &BuiltInGadgetCreators()
{
    // clang-format off
    static const QStringList names = {
        "ButtonGadget", "ButtonImageGadget", "CalendarGadget", "CanvasGadget", "CheckBoxGadget",
        "ComboBoxGadget", "ContainerGadget", "DateGadget", "EditorGadget", "ExplorerComboGadget",
        "ExplorerListGadget", "ExplorerTreeGadget", "Frame3DGadget", "HyperLinkGadget",
        "IPAddressGadget", "ImageGadget", "ListIconGadget", "ListViewGadget", "MDIGadget",
        "OptionGadget", "PanelGadget", "ProgressBarGadget", "ScrollAreaGadget", "ScrollBarGadget",
        "ShortcutGadget", "SpinGadget", "SplitterGadget", "StringGadget", "TextGadget",
        "TrackBarGadget", "TreeGadget", "WebGadget",
    };
    // clang-format on
    return names;
}

static QSet<QString> UpperSet(const QStringList &builtIn, const QStringList &user)
{
    QSet<QString> set;
    set.reserve(builtIn.size() + user.size());
    for (const QString &name : builtIn)
        set.insert(UpperKeepLength(name));
    for (const QString &name : user)
        set.insert(UpperKeepLength(name));
    return set;
}

NameTables BuildNameTables(const QStringList &userGadgetNames)
{
    return {UpperSet(BuiltInCommandNames(), userGadgetNames), UpperSet(BuiltInGadgetCreators(), userGadgetNames)};
}

} // namespace quarvel
