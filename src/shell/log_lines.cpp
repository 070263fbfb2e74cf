#include "shell/log_lines.h"

#include <QListWidgetItem>
#include <QModelIndex>
#include <QStyle>

namespace quarvel {

namespace {

enum ItemRole { KindRole = Qt::UserRole, FileRole, LineRole, RunSeparatorRole };

QString Counted(int count, const char *what)
{
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(what) + (count == 1 ? "" : "s");
}

} // namespace

QListWidgetItem *NewLogItem(const LogEntry &entry, const QStyle &style)
{
    auto *item = new QListWidgetItem(entry.text);
    item->setData(KindRole, int(entry.kind));
    if (!entry.file.isEmpty()) {
        item->setData(FileRole, entry.file);
        item->setData(LineRole, entry.line);
    }
    if (!entry.text.isEmpty())
        item->setToolTip(entry.text);
    switch (entry.kind) {
    case LogKind::Error:
        item->setForeground(QColor(0xc0, 0x10, 0x10));
        item->setIcon(style.standardIcon(QStyle::SP_MessageBoxCritical));
        break;
    case LogKind::Warning:
        item->setForeground(QColor(0xa8, 0x60, 0x00));
        item->setIcon(style.standardIcon(QStyle::SP_MessageBoxWarning));
        break;
    case LogKind::Finding:
        item->setForeground(QColor(0xa8, 0x60, 0x00));
        item->setIcon(style.standardIcon(QStyle::SP_MessageBoxInformation));
        break;
    default: break;
    }
    return item;
}

QListWidgetItem *NewRunSeparatorItem()
{
    auto *item = new QListWidgetItem;
    item->setFlags(Qt::NoItemFlags);
    item->setData(RunSeparatorRole, true);
    return item;
}

bool IsRunSeparator(const QModelIndex &index)
{
    return index.data(RunSeparatorRole).toBool();
}

LogKind KindOf(const QListWidgetItem &item)
{
    return LogKind(item.data(KindRole).toInt());
}

QString FileOf(const QListWidgetItem &item)
{
    return item.data(FileRole).toString();
}

int LineOf(const QListWidgetItem &item)
{
    return item.data(LineRole).toInt();
}

QString RunSummaryText(const RunResult &result)
{
    return (result.outcome == RunOutcome::Ready ? QStringLiteral("Ready") : QStringLiteral("Cancel"))
           + QStringLiteral(" — ") + Counted(result.errors, "error") + QStringLiteral(", ")
           + Counted(result.warnings, "warning") + QStringLiteral(", ")
           + Counted(int(result.findings.size()), "finding");
}

} // namespace quarvel
