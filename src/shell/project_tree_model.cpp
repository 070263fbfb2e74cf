#include "shell/project_tree_model.h"

#include "model/object_parts.h"

#include <QCoreApplication>
#include <QHash>

namespace quarvel {

namespace {

QString TreeText(const char *text)
{
    return QCoreApplication::translate("quarvel::ProjectTreeModel", text);
}

} // namespace

QString ProcedureStateText(const ProcedureFact &procedure)
{
    switch (procedure.state) {
    case ProcedureState::None: break;
    case ProcedureState::Present:
        return procedure.userLines == 1
                   ? TreeText(QT_TRANSLATE_NOOP("quarvel::ProjectTreeModel", "present, 1 line of code"))
                   : TreeText(QT_TRANSLATE_NOOP("quarvel::ProjectTreeModel", "present, %1 lines of code"))
                         .arg(procedure.userLines);
    case ProcedureState::Appended:
        return TreeText(QT_TRANSLATE_NOOP("quarvel::ProjectTreeModel", "appended by the last run"));
    case ProcedureState::EditedHead: return TreeText(QT_TRANSLATE_NOOP("quarvel::ProjectTreeModel", "edited head"));
    case ProcedureState::Missing: return TreeText(QT_TRANSLATE_NOOP("quarvel::ProjectTreeModel", "not generated yet"));
    case ProcedureState::Orphaned:
        return TreeText(QT_TRANSLATE_NOOP("quarvel::ProjectTreeModel", "orphaned: no object any more"));
    }
    return {};
}

namespace {

// A window's rows show the procedure of its close box; its size procedure is in the tooltip.
const ProcedureFact &ShownProcedure(const ObjectFact &fact)
{
    return fact.kind == ObjectKind::Window && fact.exitProcedure.state != ProcedureState::None ? fact.exitProcedure
                                                                                               : fact.procedure;
}

QString KindText(const ObjectFact &fact)
{
    if (fact.kind == ObjectKind::Gadget || fact.kind == ObjectKind::Window)
        return PartsOf(fact).command.toString();
    return ObjectKindWords(fact.kind);
}

QString Place(const QString &file, int line)
{
    return file.isEmpty() ? QString() : line > 0 ? file + QLatin1Char(':') + QString::number(line) : file;
}

} // namespace

void ProjectTreeModel::Show(QList<ObjectFact> facts)
{
    beginResetModel();
    facts_ = std::move(facts);
    groups_.clear();
    QHash<QString, size_t> groupOf;
    Group others{TreeText(QT_TRANSLATE_NOOP("quarvel::ProjectTreeModel", "Other procedures")), -1, {}};
    for (qsizetype i = 0; i < facts_.size(); ++i) {
        const ObjectFact &fact = facts_[i];
        if (fact.kind == ObjectKind::Window) {
            groupOf.insert(fact.name, groups_.size());
            groups_.push_back({fact.name, i, {}});
        } else if (fact.kind == ObjectKind::Procedure || !groupOf.contains(fact.window)) {
            others.members.push_back(i);
        } else {
            groups_[groupOf.value(fact.window)].members.push_back(i);
        }
    }
    if (!others.members.empty())
        groups_.push_back(std::move(others));
    endResetModel();
}

qsizetype ProjectTreeModel::FactOf(const QModelIndex &index) const
{
    if (!index.isValid())
        return -1;
    if (index.internalId() == 0)
        return groups_[size_t(index.row())].fact;
    return groups_[size_t(index.internalId() - 1)].members[size_t(index.row())];
}

const ObjectFact *ProjectTreeModel::FactAt(const QModelIndex &index) const
{
    const qsizetype fact = FactOf(index);
    return fact >= 0 ? &facts_[fact] : nullptr;
}

QModelIndex ProjectTreeModel::IndexOf(qsizetype fact) const
{
    for (size_t g = 0; g < groups_.size(); ++g) {
        if (groups_[g].fact == fact)
            return createIndex(int(g), 0, quintptr(0));
        const std::vector<qsizetype> &members = groups_[g].members;
        const auto at = std::lower_bound(members.begin(), members.end(), fact); // in fact order
        if (at != members.end() && *at == fact)
            return createIndex(int(at - members.begin()), 0, quintptr(g) + 1);
    }
    return {};
}

QModelIndex ProjectTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    return createIndex(row, column, parent.isValid() ? quintptr(parent.row() + 1) : quintptr(0));
}

QModelIndex ProjectTreeModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || child.internalId() == 0)
        return {};
    return createIndex(int(child.internalId() - 1), 0, quintptr(0));
}

int ProjectTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return int(groups_.size());
    if (parent.internalId() != 0 || parent.column() != 0)
        return 0;
    return int(groups_[size_t(parent.row())].members.size());
}

int ProjectTreeModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

QVariant ProjectTreeModel::FactData(const ObjectFact &fact, int column) const
{
    switch (column) {
    case NameColumn: return fact.kind == ObjectKind::Procedure ? fact.name : fact.Constant();
    case KindColumn: return KindText(fact);
    case SourceColumn: return Place(fact.file, fact.line);
    case ProcedureColumn: return fact.ProcedureName(ShownProcedure(fact));
    case StateColumn: return ProcedureStateText(ShownProcedure(fact));
    default: return {};
    }
}

QVariant ProjectTreeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const qsizetype fact = FactOf(index);
    if (role == FactRole)
        return fact;
    if (fact < 0)
        return role == Qt::DisplayRole && index.column() == NameColumn ? QVariant(groups_[size_t(index.row())].title)
                                                                       : QVariant();
    const ObjectFact &shown = facts_[fact];
    if (role == Qt::DisplayRole)
        return FactData(shown, index.column());
    if (role == Qt::ToolTipRole && shown.kind == ObjectKind::Window) {
        return TreeText(QT_TRANSLATE_NOOP("quarvel::ProjectTreeModel", "Close: %1 (%2)\nSize: %3 (%4)"))
            .arg(shown.ProcedureName(shown.exitProcedure), ProcedureStateText(shown.exitProcedure),
                 shown.ProcedureName(shown.procedure), ProcedureStateText(shown.procedure));
    }
    if (role == Qt::ToolTipRole) {
        const ProcedureFact &procedure = ShownProcedure(shown);
        return shown.ProcedureName(procedure).isEmpty()
                   ? shown.statement.trimmed()
                   : shown.statement.trimmed() + QLatin1Char('\n') + shown.ProcedureName(procedure)
                         + TreeText(QT_TRANSLATE_NOOP("quarvel::ProjectTreeModel", " in "))
                         + Place(procedure.File(), procedure.line);
    }
    return {};
}

QVariant ProjectTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const titles[] = {
        QT_TRANSLATE_NOOP("quarvel::ProjectTreeModel", "Object"),
        QT_TRANSLATE_NOOP("quarvel::ProjectTreeModel", "Kind"),
        QT_TRANSLATE_NOOP("quarvel::ProjectTreeModel", "Created at"),
        QT_TRANSLATE_NOOP("quarvel::ProjectTreeModel", "Event procedure"),
        QT_TRANSLATE_NOOP("quarvel::ProjectTreeModel", "State"),
    };
    return section >= 0 && section < ColumnCount ? TreeText(titles[section]) : QString();
}

} // namespace quarvel
