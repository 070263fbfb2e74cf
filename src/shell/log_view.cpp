#include "shell/log_view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QListView>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <vector>

namespace quarvel {

// The view takes the first row's size for every row, which keeps a long log quick; so that
// size is made to fit an icon and the widest line of the log. A line's width is its text's
// advance plus what the style adds around it, worked out once.
class LogLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void Fit(const QString &text, const QListView &list)
    {
        if (padding_ < 0)
            padding_ = RowSize(Option(QString(), list), list.iconSize()).width();
        widest_ = std::max(widest_, padding_ + list.fontMetrics().horizontalAdvance(text));
    }
    void Reset()
    {
        widest_ = 0;
        padding_ = -1;
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        const QSize size = RowSize(item, option.decorationSize);
        return {std::max(size.width(), widest_), size.height()};
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (!index.data(LogModel::SeparatorRole).toBool()) {
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
    static QStyleOptionViewItem Option(const QString &text, const QListView &list)
    {
        QStyleOptionViewItem option;
        option.initFrom(&list);
        option.widget = &list;
        option.font = list.font();
        option.text = text;
        return option;
    }
    // A row's size with room for an icon, whether or not it shows one.
    static QSize RowSize(QStyleOptionViewItem option, const QSize &iconSize)
    {
        option.features |= QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
        option.decorationSize = iconSize;
        const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
        return style->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), option.widget);
    }

    int widest_ = 0;
    int padding_ = -1;
};

LogView::LogView(QListView &list) : QObject(&list), list_(list), delegate_(new LogLineDelegate(&list))
{
    list_.setModel(&model_);
    list_.setUniformItemSizes(true);
    list_.setItemDelegate(delegate_);
    list_.setSelectionMode(QAbstractItemView::ExtendedSelection);
    const int icon = list_.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &list_);
    list_.setIconSize(QSize(icon, icon));
    list_.setTextElideMode(Qt::ElideNone);
    list_.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list_.setContextMenuPolicy(Qt::ActionsContextMenu);
    list_.setEditTriggers(QAbstractItemView::NoEditTriggers);
    model_.SetLook(list_.palette(), *list_.style());
    copy_ = AddAction(tr("&Copy"), QKeySequence::Copy);
    openFile_ = AddAction(tr("&Open File"), QKeySequence());
    clear_ = AddAction(tr("C&lear Log"), QKeySequence());
    connect(copy_, &QAction::triggered, this, &LogView::CopySelection);
    connect(openFile_, &QAction::triggered, this, &LogView::openFileRequested);
    connect(clear_, &QAction::triggered, this, &LogView::clearRequested);
    connect(&list_, &QListView::doubleClicked, this, &LogView::openFileRequested);
    connect(list_.selectionModel(), &QItemSelectionModel::currentChanged, this, &LogView::CurrentLineChanged);
    CurrentLineChanged();
    list_.installEventFilter(this);
}

// A change of theme or style sheet recolours the lines, light on a dark background and dark
// on a light one. Return opens the current line's file, as a double-click does.
bool LogView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        model_.SetLook(list_.palette(), *list_.style());
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit openFileRequested();
            return true;
        }
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
    const int row = CurrentRow();
    openFile_->setEnabled(row >= 0 && !model_.IsSeparator(row) && !model_.EntryAt(row).file.isEmpty());
}

int LogView::CurrentRow() const
{
    const QModelIndex current = list_.currentIndex();
    return current.isValid() ? current.row() : -1;
}

void LogView::Append(const QList<LogEntry> &entries)
{
    if (entries.isEmpty())
        return;
    // Measuring a line is nearly all that a batch costs (about 40 ms for 1,000 lines here), and
    // the widest line is among those with the most characters: only the longest few are measured.
    constexpr qsizetype Measured = 16;
    std::vector<const QString *> longest;
    longest.reserve(size_t(entries.size()));
    for (const LogEntry &entry : entries)
        longest.push_back(&entry.text);
    const auto few = longest.begin() + std::min(Measured, entries.size());
    std::partial_sort(longest.begin(), few, longest.end(),
                      [](const QString *a, const QString *b) { return a->size() > b->size(); });
    for (auto text = longest.begin(); text != few; ++text)
        delegate_->Fit(**text, list_);
    model_.Append(entries);
    // As a new line is selected and so scrolled into view, then the selection cleared.
    list_.setCurrentIndex(model_.index(model_.rowCount() - 1));
    list_.scrollToBottom();
    list_.clearSelection();
}

void LogView::BeginRun()
{
    model_.BeginRun();
}

void LogView::Clear()
{
    delegate_->Reset();
    model_.Clear();
}

void LogView::ShowRow(int row)
{
    const QModelIndex index = model_.index(row);
    list_.setCurrentIndex(index);
    list_.scrollTo(index, QAbstractItemView::PositionAtCenter);
}

QString LogView::SelectedText() const
{
    QModelIndexList rows = list_.selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    for (const QModelIndex &row : std::as_const(rows)) {
        if (!model_.IsSeparator(row.row()))
            lines << model_.EntryAt(row.row()).text;
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
