#include "interpreter/pure_basic_constants.h"

#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "model/design_model.h"

#include <QSet>

namespace quarvel {

namespace {

// PureBasic's constant a menu item's name holds after its window's prefix ("PB_Menu_Quit" of
// "Main_PB_Menu_Quit"); null for a constant of the program's. Only the places where "_PB_"
// stands are tried as the end of a window's name: trying every window for every menu item
// cost an unchanged regeneration of 200 x 100 (bench/make_project.py) 23 M instructions.
QString PureBasicConstant(const QString &name, const QSet<NoCaseKey> &windows)
{
    for (qsizetype at = IndexOfNoCase(name, u"_PB_"); at > 0; at = IndexOfNoCase(name, u"_PB_", at + 1)) {
        if (name.size() > at + 4 && windows.contains(NoCaseKey(QStringView(name).first(at))))
            return name.sliced(at + 1);
    }
    return QString();
}

} // namespace

void KeepPureBasicConstants(DesignModel &model)
{
    QSet<NoCaseKey> windows; // the keys view the names of the design model
    for (const QString &window : std::as_const(model.WindowList))
        windows.insert(NoCaseKey(window));
    for (const QString &name : std::as_const(model.MenuItemList)) {
        if (const QString constant = PureBasicConstant(name, windows); !constant.isNull())
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
