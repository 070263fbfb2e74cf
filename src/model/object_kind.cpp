#include "model/object_kind.h"

namespace quarvel {

QString ObjectKindName(ObjectKind kind)
{
    static const char *const names[] = {"Window", "MenuBar", "MenuItem", "StatusBar", "ToolBar", "Gadget"};
    const int index = int(kind) - int(ObjectKind::Window);
    return index >= 0 && index < int(std::size(names)) ? QLatin1String(names[index]) : QString();
}

QLatin1StringView ProjectObjectKindName(ProjectObjectKind kind)
{
    switch (kind) {
    case ProjectObjectKind::Window: return QLatin1StringView("window");
    case ProjectObjectKind::Menu: return QLatin1StringView("menu");
    case ProjectObjectKind::MenuItem: return QLatin1StringView("menu-item");
    case ProjectObjectKind::ToolBar: return QLatin1StringView("toolbar");
    case ProjectObjectKind::ToolBarButton: return QLatin1StringView("toolbar-button");
    case ProjectObjectKind::StatusBar: return QLatin1StringView("status-bar");
    case ProjectObjectKind::Gadget: return QLatin1StringView("gadget");
    case ProjectObjectKind::Procedure: break;
    }
    return QLatin1StringView("procedure");
}

} // namespace quarvel
