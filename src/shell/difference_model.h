// The lines of a difference for a list view: only the rows on the screen are ever drawn, so a
// file of 60,000 changed lines opens as fast as one of ten. Added and removed lines lie on
// faint bands of their colour, worked out from the palette of the view that shows them, so
// they read under a dark style sheet as under a light theme.
#pragma once

#include "base/line_diff.h"

#include <QAbstractListModel>
#include <QColor>
#include <QPalette>

namespace quarvel {

class DifferenceModel : public QAbstractListModel {
public:
    void Show(QList<DiffLine> lines, const QString &note = QString());
    // The palette of the view, as it is after a change of theme or style sheet.
    void SetPalette(const QPalette &palette);
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QString Text() const; // every row, one per line

private:
    QString RowText(qsizetype row) const;

    QList<DiffLine> lines_;
    QString note_; // shown alone when there are no lines
    QColor added_, removed_, gap_;
};

} // namespace quarvel
