#include "interpreter/pure_basic_constants.h"

#include "base/no_case_search.h"
#include "model/design_model.h"

namespace quarvel {

namespace {

// PureBasic's constant a menu item's name holds after its window's prefix ("PB_Menu_Quit" of
// "Main_PB_Menu_Quit"); null for a constant of the program's.
QString PureBasicConstant(const QString &name, const QStringList &windows)
{
    for (const QString &window : windows) {
        const qsizetype own = window.size() + 1;
        if (name.size() > own + 3 && StartsNoCase(name, window) && name.at(window.size()) == QLatin1Char('_')
            && StartsNoCase(QStringView(name).sliced(own), u"PB_"))
            return name.sliced(own);
    }
    return QString();
}

} // namespace

void KeepPureBasicConstants(DesignModel &model)
{
    for (const QString &name : std::as_const(model.MenuItemList)) {
        if (const QString constant = PureBasicConstant(name, model.WindowList); !constant.isNull())
            model.PureBasicConstants.insert(name, constant);
    }
    if (model.PureBasicConstants.isEmpty())
        return;
    for (QString &line : model.CommonSourceLines) {
        if (!HoldsNoCase(line, u"_PB_"))
            continue;
        for (const auto &[name, constant] : model.PureBasicConstants.asKeyValueRange())
            line = ReplaceWordInCode(line, name, constant);
    }
}

} // namespace quarvel
