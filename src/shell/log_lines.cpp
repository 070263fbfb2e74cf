#include "shell/log_lines.h"

#include <QListWidgetItem>
#include <QStyle>

namespace quarvel {

namespace {

enum ItemRole { KindRole = Qt::UserRole, FileRole, LineRole };

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
    if (entry.kind == LogKind::Error || entry.kind == LogKind::Warning) {
        const bool error = entry.kind == LogKind::Error;
        item->setForeground(error ? QColor(0xc0, 0x10, 0x10) : QColor(0xa8, 0x60, 0x00));
        item->setIcon(style.standardIcon(error ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning));
    }
    return item;
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
           + Counted(result.warnings, "warning");
}

} // namespace quarvel
