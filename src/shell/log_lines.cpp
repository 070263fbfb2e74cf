#include "shell/log_lines.h"

#include "shell/theme_colours.h"

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

QIcon IconOf(LogKind kind, const QStyle &style)
{
    switch (kind) {
    case LogKind::Error: return style.standardIcon(QStyle::SP_MessageBoxCritical);
    case LogKind::Warning: return style.standardIcon(QStyle::SP_MessageBoxWarning);
    case LogKind::Finding: return style.standardIcon(QStyle::SP_MessageBoxInformation);
    default: return QIcon();
    }
}

} // namespace

QListWidgetItem *NewLogItem(const LogEntry &entry, const QStyle &style, const QPalette &palette)
{
    auto *item = new QListWidgetItem(entry.text);
    item->setData(KindRole, int(entry.kind));
    if (!entry.file.isEmpty()) {
        item->setData(FileRole, entry.file);
        item->setData(LineRole, entry.line);
    }
    if (!entry.text.isEmpty())
        item->setToolTip(entry.text);
    if (const QIcon icon = IconOf(entry.kind, style); !icon.isNull())
        item->setIcon(icon);
    ColourLogItem(*item, palette);
    return item;
}

void ColourLogItem(QListWidgetItem &item, const QPalette &palette)
{
    switch (KindOf(item)) {
    case LogKind::Error: item.setForeground(ThemeColour(palette, ThemeRole::Error)); break;
    case LogKind::Warning: item.setForeground(ThemeColour(palette, ThemeRole::Warning)); break;
    case LogKind::Finding: item.setForeground(ThemeColour(palette, ThemeRole::Finding)); break;
    default: break;
    }
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
