#include "model/project_state.h"

namespace quarvel {

QStringList &StoredNamesOfKind(StoredConstants &stored, ObjectKind kind)
{
    switch (NamedKind(kind)) {
    case ObjectKind::Window: return stored.Window;
    case ObjectKind::Menu: return stored.Menu;
    case ObjectKind::MenuItem: return stored.MenuItem;
    case ObjectKind::StatusBar: return stored.StatusBar;
    case ObjectKind::ToolBar: return stored.ToolBar;
    case ObjectKind::ToolBarButton: // a menu item
    case ObjectKind::Gadget:
    case ObjectKind::Image: // the kinds below are not stored; callers ask for the named kinds only
    case ObjectKind::Font:
    case ObjectKind::Procedure:
    case ObjectKind::None: break;
    }
    return stored.Gadget;
}

const QStringList &StoredNamesOfKind(const StoredConstants &stored, ObjectKind kind)
{
    return StoredNamesOfKind(const_cast<StoredConstants &>(stored), kind);
}

QString ProjectState::ProjectDirectory() const
{
    const qsizetype slash = ProjectFile.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : ProjectFile.left(slash + 1);
}

QString ProjectState::DialogFolder() const
{
    return ProjectNamed ? ProjectDirectory() : LastPath;
}

} // namespace quarvel
