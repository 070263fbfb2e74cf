// The run log as a list model: each entry a row coloured and marked by its kind, with the
// place it names kept on the row, and an empty row that parts one run from the next. A view
// asks only for the rows on the screen, so a log of many thousand lines costs no more to show
// than a short one.
#pragma once

#include "model/log_entry.h"
#include "model/run_result.h"

#include <QAbstractListModel>
#include <QColor>
#include <QIcon>
#include <QPalette>

#include <vector>

class QStyle;

namespace quarvel {

class LogModel : public QAbstractListModel {
public:
    enum Role { KindRole = Qt::UserRole, FileRole, LineRole, SeparatorRole };

    // The lines of one batch, inserted at once.
    void Append(const QList<LogEntry> &entries);
    // A new run: a separator row after the lines of the runs before it.
    void BeginRun();
    void Clear();

    // Error lines red, warning and finding lines amber, in shades that read on the palette's
    // base, each with the style's icon for its kind.
    void SetLook(const QPalette &palette, const QStyle &style);

    bool IsSeparator(int row) const;
    const LogEntry &EntryAt(int row) const { return rows_[size_t(row)].entry; }
    // The text of every log line, the separator rows left out.
    QStringList Lines() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct Row {
        LogEntry entry;
        bool separator = false;
    };
    QVariant ColourOf(LogKind kind) const;
    QVariant IconOf(LogKind kind) const;

    std::vector<Row> rows_;
    QColor error_, warning_;
    QIcon errorIcon_, warningIcon_, findingIcon_;
};

// "Ready — 1 error, 3 warnings, 2 findings".
QString RunSummaryText(const RunResult &result);

} // namespace quarvel
