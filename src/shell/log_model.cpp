#include "shell/log_model.h"

#include "shell/theme_colours.h"

#include <QCoreApplication>
#include <QStyle>

namespace quarvel {

void LogModel::Append(const QList<LogEntry> &entries)
{
    if (entries.isEmpty())
        return;
    const int first = int(rows_.size());
    beginInsertRows(QModelIndex(), first, first + int(entries.size()) - 1);
    for (const LogEntry &entry : entries)
        rows_.push_back({entry, false});
    endInsertRows();
}

void LogModel::BeginRun()
{
    if (rows_.empty())
        return;
    const int row = int(rows_.size());
    beginInsertRows(QModelIndex(), row, row);
    rows_.push_back({LogEntry(), true});
    endInsertRows();
}

void LogModel::Clear()
{
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void LogModel::SetLook(const QPalette &palette, const QStyle &style)
{
    error_ = ThemeColour(palette, ThemeRole::Error);
    warning_ = ThemeColour(palette, ThemeRole::Warning);
    errorIcon_ = style.standardIcon(QStyle::SP_MessageBoxCritical);
    warningIcon_ = style.standardIcon(QStyle::SP_MessageBoxWarning);
    findingIcon_ = style.standardIcon(QStyle::SP_MessageBoxInformation);
    if (!rows_.empty())
        emit dataChanged(index(0), index(rowCount() - 1), {Qt::ForegroundRole, Qt::DecorationRole});
}

bool LogModel::IsSeparator(int row) const
{
    return row >= 0 && row < rowCount() && rows_[size_t(row)].separator;
}

QStringList LogModel::Lines() const
{
    QStringList lines;
    for (const Row &row : rows_) {
        if (!row.separator)
            lines << row.entry.text;
    }
    return lines;
}

int LogModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant LogModel::ColourOf(LogKind kind) const
{
    switch (kind) {
    case LogKind::Error: return error_;
    case LogKind::Warning:
    case LogKind::Finding: return warning_;
    default: return {};
    }
}

QVariant LogModel::IconOf(LogKind kind) const
{
    switch (kind) {
    case LogKind::Error: return errorIcon_;
    case LogKind::Warning: return warningIcon_;
    case LogKind::Finding: return findingIcon_;
    default: return {};
    }
}

QVariant LogModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row &row = rows_[size_t(index.row())];
    if (role == SeparatorRole)
        return row.separator;
    if (row.separator)
        return {};
    const LogEntry &entry = row.entry;
    switch (role) {
    case Qt::DisplayRole: return entry.text;
    case Qt::ToolTipRole: return entry.text.isEmpty() ? QVariant() : QVariant(entry.text);
    case Qt::ForegroundRole: return ColourOf(entry.kind);
    case Qt::DecorationRole: return IconOf(entry.kind);
    case KindRole: return int(entry.kind);
    case FileRole: return entry.file;
    case LineRole: return entry.line;
    default: return {};
    }
}

Qt::ItemFlags LogModel::flags(const QModelIndex &index) const
{
    return IsSeparator(index.row()) ? Qt::NoItemFlags : QAbstractListModel::flags(index);
}

QString RunSummaryText(const RunResult &result)
{
    const auto counted = [](int count, const char *one, const char *many) {
        return QCoreApplication::translate("quarvel::MainView", count == 1 ? one : many).arg(count);
    };
    return (result.outcome == RunOutcome::Ready ? QStringLiteral("Ready") : QStringLiteral("Cancel"))
           + QStringLiteral(" — ")
           + counted(result.errors, QT_TRANSLATE_NOOP("quarvel::MainView", "%1 error"),
                     QT_TRANSLATE_NOOP("quarvel::MainView", "%1 errors"))
           + QStringLiteral(", ")
           + counted(result.warnings, QT_TRANSLATE_NOOP("quarvel::MainView", "%1 warning"),
                     QT_TRANSLATE_NOOP("quarvel::MainView", "%1 warnings"))
           + QStringLiteral(", ")
           + counted(int(result.findings.size()), QT_TRANSLATE_NOOP("quarvel::MainView", "%1 finding"),
                     QT_TRANSLATE_NOOP("quarvel::MainView", "%1 findings"));
}

} // namespace quarvel
