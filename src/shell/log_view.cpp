#include "shell/log_view.h"

#include "shell/log_lines.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace quarvel {

// The list takes the first row's size for every row, which keeps appending to a long log
// quick; so that size is made to fit an icon and the widest line of the log.
class LogLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void Fit(const QString &text, const QListWidget &list)
    {
        QStyleOptionViewItem option;
        option.initFrom(&list);
        option.widget = &list;
        option.font = list.font();
        option.text = text;
        widest_ = std::max(widest_, RowSize(option, list.iconSize()).width());
    }
    void Reset() { widest_ = 0; }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        const QSize size = RowSize(item, option.decorationSize);
        return {std::max(size.width(), widest_), size.height()};
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (!IsRunSeparator(index)) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        const int y = option.rect.center().y();
        painter->drawLine(option.rect.left() + 4, y, option.rect.right() - 4, y);
        painter->restore();
    }

private:
    // A row's size with room for an icon, whether or not it shows one.
    static QSize RowSize(QStyleOptionViewItem option, const QSize &iconSize)
    {
        option.features |= QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
        option.decorationSize = iconSize;
        const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
        return style->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), option.widget);
    }

    int widest_ = 0;
};

LogView::LogView(QListWidget &list) : QObject(&list), list_(list), delegate_(new LogLineDelegate(&list))
{
    list_.setUniformItemSizes(true);
    list_.setItemDelegate(delegate_);
    list_.setSelectionMode(QAbstractItemView::ExtendedSelection);
    const int icon = list_.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &list_);
    list_.setIconSize(QSize(icon, icon));
    list_.setTextElideMode(Qt::ElideNone);
    list_.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list_.setContextMenuPolicy(Qt::ActionsContextMenu);
    copy_ = AddAction(QStringLiteral("&Copy"), QKeySequence::Copy);
    openFile_ = AddAction(QStringLiteral("&Open File"), QKeySequence());
    clear_ = AddAction(QStringLiteral("C&lear Log"), QKeySequence());
    connect(copy_, &QAction::triggered, this, &LogView::CopySelection);
    connect(openFile_, &QAction::triggered, this, &LogView::openFileRequested);
    connect(clear_, &QAction::triggered, this, &LogView::clearRequested);
    connect(&list_, &QListWidget::currentRowChanged, this, &LogView::CurrentLineChanged);
    CurrentLineChanged();
    list_.installEventFilter(this);
}

// A change of theme recolours the lines shown, light on a dark background and dark on a light one.
bool LogView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::PaletteChange) {
        for (int row = 0; row < list_.count(); ++row)
            ColourLogItem(*list_.item(row), list_.palette());
    }
    return QObject::eventFilter(watched, event);
}

QAction *LogView::AddAction(const QString &text, const QKeySequence &keys)
{
    auto *action = new QAction(text, &list_);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    list_.addAction(action);
    return action;
}

void LogView::CurrentLineChanged()
{
    const QListWidgetItem *item = list_.currentItem();
    openFile_->setEnabled(item && !FileOf(*item).isEmpty());
}

void LogView::Append(const LogEntry &entry)
{
    delegate_->Fit(entry.text, list_);
    list_.addItem(NewLogItem(entry, *list_.style(), list_.palette()));
}

void LogView::BeginRun()
{
    if (list_.count() > 0)
        list_.addItem(NewRunSeparatorItem());
}

void LogView::Clear()
{
    delegate_->Reset();
    list_.clear();
}

QStringList LogView::Lines() const
{
    QStringList lines;
    for (int row = 0; row < list_.count(); ++row) {
        if (!IsRunSeparator(list_.model()->index(row, 0)))
            lines << list_.item(row)->text();
    }
    return lines;
}

QString LogView::SelectedText() const
{
    QModelIndexList rows = list_.selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    for (const QModelIndex &row : std::as_const(rows)) {
        if (!IsRunSeparator(row))
            lines << row.data().toString();
    }
    return lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void LogView::CopySelection() const
{
    const QString text = SelectedText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void LogView::SetRunning(bool running)
{
    clear_->setEnabled(!running);
}

} // namespace quarvel
