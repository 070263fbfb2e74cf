#include "model/object_kind.h"

namespace quarvel {

QString ObjectKindName(ObjectKind kind)
{
    static const char *const names[] = {"Window", "MenuBar", "MenuItem", "StatusBar", "ToolBar", "Gadget"};
    const int index = int(kind) - int(ObjectKind::Window);
    return index >= 0 && index < int(std::size(names)) ? QLatin1String(names[index]) : QString();
}

} // namespace quarvel
