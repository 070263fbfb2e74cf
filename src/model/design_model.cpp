#include "model/design_model.h"

#include <QFileInfo>

#include <algorithm>

namespace quarvel {

QString LanguageMap::value(const QString &key) const
{
    const auto it = index_.constFind(key);
    return it == index_.constEnd() ? QString() : values_.at(*it);
}

void LanguageMap::insert(const QString &key, const QString &value)
{
    const auto it = index_.constFind(key);
    if (it != index_.constEnd()) {
        values_[*it] = value;
        return;
    }
    index_.insert(key, keys_.size());
    keys_.append(key);
    values_.append(value);
}

void LanguageMap::clear()
{
    keys_.clear();
    index_.clear();
    values_.clear();
}

bool HasEventProcedure(const GadgetRecord &gadget)
{
    return gadget.type != QStringLiteral("TEXTGADGET") && gadget.type != QStringLiteral("FRAME3DGADGET");
}

bool CommandHasEventProcedure(QStringView command)
{
    // The lengths first: a comparison in any letter case costs more than the rest of a gadget.
    const auto is = [command](QStringView type) {
        return command.size() == type.size() && command.compare(type, Qt::CaseInsensitive) == 0;
    };
    return !is(u"TEXTGADGET") && !is(u"FRAME3DGADGET");
}

QString SourceLocation(const DesignModel &model, qsizetype index)
{
    if (index < 0 || index >= model.CommonSourceLines.size())
        return QString();
    return SourceLocation(model, model.CommonSourceLines.origin(index));
}

QString SourceLocation(const DesignModel &model, SourceOrigin origin)
{
    if (origin.file < 0 || origin.file >= model.CommonFileList.size())
        return QString();
    return QFileInfo(model.CommonFileList.at(origin.file)).fileName() + QLatin1Char(':') + QString::number(origin.line);
}

QString SourceLocation(const DesignModel &model, const SourceSpan &span)
{
    const QString first = SourceLocation(model, span.origin);
    return span.last > span.origin.line ? first + QLatin1Char('-') + QString::number(span.last) : first;
}

// The list is made at its full size and filled in place: appending name by name cost an
// unchanged regeneration of 200 x 100 (bench/make_project.py) 8.4 M instructions for the
// seven lists of a run, 3.1 M this way (callgrind).
QStringList GadgetNames(const DesignModel &model)
{
    QStringList names(model.GadgetList.size());
    std::transform(model.GadgetList.cbegin(), model.GadgetList.cend(), names.begin(),
                   [](const GadgetRecord &gadget) { return gadget.name; });
    return names;
}

QStringList DeclaredMenuItems(const DesignModel &model)
{
    if (model.PureBasicConstants.isEmpty())
        return model.MenuItemList;
    QStringList names;
    for (const QString &name : model.MenuItemList) {
        if (!model.PureBasicConstants.contains(name))
            names.append(name);
    }
    return names;
}

QStringList NamesOfKind(const DesignModel &model, ObjectKind kind)
{
    switch (NamedKind(kind)) {
    case ObjectKind::Window: return model.WindowList;
    case ObjectKind::Menu: return model.MenuList;
    case ObjectKind::MenuItem: return model.MenuItemList;
    case ObjectKind::StatusBar: return model.StatusBarList;
    case ObjectKind::ToolBar: return model.ToolBarList;
    case ObjectKind::Gadget: return GadgetNames(model);
    case ObjectKind::ToolBarButton: // a menu item
    case ObjectKind::Image:         // not named from run to run
    case ObjectKind::Font:
    case ObjectKind::Procedure:
    case ObjectKind::None: break;
    }
    return {};
}

StoredConstants CurrentNames(const DesignModel &model)
{
    StoredConstants current;
    for (const ObjectKind kind : AllObjectKinds)
        StoredNamesOfKind(current, kind) = NamesOfKind(model, kind);
    return current;
}

QString MainWindowName(const DesignModel &model)
{
    if (!model.MainWindow.isEmpty() || model.WindowList.isEmpty())
        return model.MainWindow;
    return model.WindowList.first();
}

void ResetDesignModel(DesignModel &model, OutputLines &lines)
{
    model = DesignModel();
    lines = OutputLines();
}

} // namespace quarvel
