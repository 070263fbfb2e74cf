// The objects of a run for the Project view: one row per window holding its menus, menu items,
// toolbar buttons, status bar and gadgets, and a last row "Other procedures" holding the event
// procedures that belong to no object. Rows are made only when the view asks for them.
#pragma once

#include "model/run_result.h"

#include <QAbstractItemModel>

#include <vector>

namespace quarvel {

// "present, 4 lines", "appended", "edited head", ...; empty for None.
QString ProcedureStateText(const ProcedureFact &procedure);

class ProjectTreeModel : public QAbstractItemModel {
public:
    enum Column { NameColumn, KindColumn, SourceColumn, ProcedureColumn, StateColumn, ColumnCount };
    static constexpr int FactRole = Qt::UserRole; // the row's index in Facts(), -1 for none

    void Show(QList<ObjectFact> facts);
    const QList<ObjectFact> &Facts() const { return facts_; }
    const ObjectFact *FactAt(const QModelIndex &index) const;
    QModelIndex IndexOf(qsizetype fact) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Group {
        QString title;
        qsizetype fact = -1; // the window's own fact; -1 for "Other procedures"
        std::vector<qsizetype> members;
    };
    qsizetype FactOf(const QModelIndex &index) const;
    QVariant FactData(const ObjectFact &fact, int column) const;

    QList<ObjectFact> facts_;
    std::vector<Group> groups_;
};

} // namespace quarvel
