#include "shell/difference_model.h"

#include "shell/theme_colours.h"

namespace quarvel {

namespace {

QChar LineMark(DiffLine::Kind kind)
{
    return kind == DiffLine::Added ? QLatin1Char('+') : kind == DiffLine::Removed ? QLatin1Char('-') : QLatin1Char(' ');
}

} // namespace

void DifferenceModel::Show(QList<DiffLine> lines, const QString &note)
{
    if (!added_.isValid())
        SetPalette(QPalette());
    beginResetModel();
    lines_ = std::move(lines);
    note_ = note;
    endResetModel();
}

void DifferenceModel::SetPalette(const QPalette &palette)
{
    added_ = ThemeBand(palette, ThemeRole::Success);
    removed_ = ThemeBand(palette, ThemeRole::Error);
    gap_ = ThemeBand(palette, ThemeRole::Warning);
    if (rowCount() > 0)
        emit dataChanged(index(0), index(rowCount() - 1), {Qt::BackgroundRole});
}

int DifferenceModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return lines_.isEmpty() ? (note_.isEmpty() ? 0 : 1) : int(lines_.size());
}

QString DifferenceModel::RowText(qsizetype row) const
{
    if (lines_.isEmpty())
        return note_;
    const DiffLine &line = lines_.at(row);
    return line.kind == DiffLine::Gap ? line.text : LineMark(line.kind) + line.text;
}

QVariant DifferenceModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const DiffLine::Kind kind = lines_.isEmpty() ? DiffLine::Same : lines_.at(index.row()).kind;
    switch (role) {
    case Qt::DisplayRole: return RowText(index.row());
    case Qt::BackgroundRole:
        switch (kind) {
        case DiffLine::Added: return added_;
        case DiffLine::Removed: return removed_;
        case DiffLine::Gap: return gap_;
        case DiffLine::Same: return {};
        }
        return {};
    default: return {};
    }
}

QString DifferenceModel::Text() const
{
    QStringList rows;
    for (int row = 0; row < rowCount(); ++row)
        rows << RowText(row);
    return rows.join(QLatin1Char('\n'));
}

} // namespace quarvel
