#include "model/object_kind.h"

namespace quarvel {

QString ObjectKindName(ObjectKind kind)
{
    switch (NamedKind(kind)) {
    case ObjectKind::Window: return QStringLiteral("Window");
    case ObjectKind::Menu: return QStringLiteral("MenuBar");
    case ObjectKind::MenuItem: return QStringLiteral("MenuItem");
    case ObjectKind::StatusBar: return QStringLiteral("StatusBar");
    case ObjectKind::ToolBar: return QStringLiteral("ToolBar");
    case ObjectKind::Gadget: return QStringLiteral("Gadget");
    case ObjectKind::ToolBarButton: // a menu item
    case ObjectKind::Image:
    case ObjectKind::Font:
    case ObjectKind::Procedure:
    case ObjectKind::None: break;
    }
    return {};
}

QLatin1StringView ObjectKindWords(ObjectKind kind)
{
    switch (kind) {
    case ObjectKind::Window: return QLatin1StringView("window");
    case ObjectKind::Menu: return QLatin1StringView("menu");
    case ObjectKind::MenuItem: return QLatin1StringView("menu item");
    case ObjectKind::StatusBar: return QLatin1StringView("status bar");
    case ObjectKind::ToolBar: return QLatin1StringView("toolbar");
    case ObjectKind::ToolBarButton: return QLatin1StringView("toolbar button");
    case ObjectKind::Gadget: return QLatin1StringView("gadget");
    case ObjectKind::Image: return QLatin1StringView("image");
    case ObjectKind::Font: return QLatin1StringView("font");
    case ObjectKind::Procedure:
    case ObjectKind::None: break;
    }
    return QLatin1StringView("procedure");
}

QString ObjectKindReportName(ObjectKind kind)
{
    return QString(ObjectKindWords(kind)).replace(QLatin1Char(' '), QLatin1Char('-'));
}

} // namespace quarvel
