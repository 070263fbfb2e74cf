#include "shell/changes_view.h"

#include <QEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QProgressBar>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>

namespace quarvel {

namespace {

QWidget *Captioned(const QString &caption, QWidget *content, QWidget *below = nullptr)
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    auto *label = new QLabel(caption);
    label->setBuddy(content);
    content->setAccessibleName(caption);
    layout->addWidget(label);
    layout->addWidget(content);
    if (below)
        layout->addWidget(below);
    return box;
}

QString FileItemText(const ChangedFile &file)
{
    const QString name = QFileInfo(file.path).fileName();
    return file.isNew ? name + ChangesView::tr("  (no backup copy)") : name;
}

QString RenameText(const NamePair &pair, const QString &count)
{
    return ChangesView::tr("%1 → %2   (%3 replaced)").arg(pair.oldName, pair.newName, count);
}

} // namespace

ChangesView::~ChangesView()
{
    Forget();
    for (const QPointer<QThread> &load : loads_) {
        if (load)
            load->wait();
    }
    delete window_.data();
}

bool ChangesView::Loading() const
{
    return std::any_of(loads_.cbegin(), loads_.cend(),
                       [](const QPointer<QThread> &load) { return load && load->isRunning(); });
}

QWidget *ChangesView::BuildWindow(const RunChanges &changes)
{
    // A dialog to the window system, so it stays with the main window; it has the buttons of a
    // window of its own.
    auto *window = new QWidget(owner_, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                           | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    window->setObjectName(QStringLiteral("ChangesWindow"));
    window->setWindowTitle(tr("Changes"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    fileList_ = new QListWidget;
    for (const QString &written : changes.writtenFiles)
        fileList_->addItem(QFileInfo(written).fileName());
    renameList_ = new QListWidget;
    renameList_->setTextElideMode(Qt::ElideNone);
    text_ = new QListView;
    text_->setModel(&difference_);
    text_->setUniformItemSizes(true);
    text_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    text_->setTextElideMode(Qt::ElideNone);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->installEventFilter(this);
    difference_.SetPalette(text_->palette());
    busy_ = new QProgressBar;
    busy_->setRange(0, 0); // no end known: a busy bar
    busy_->setTextVisible(false);
    busy_->setAccessibleName(tr("Reading the files of the run"));

    auto *left = new QSplitter(Qt::Vertical);
    left->addWidget(Captioned(tr("Files written by the run"), fileList_));
    left->addWidget(Captioned(tr("Renamed (bound in Search and Replace)"), renameList_));
    split_ = new QSplitter(Qt::Horizontal);
    split_->addWidget(left);
    split_->addWidget(Captioned(tr("Backup copy → new text"), text_, busy_));
    split_->setSizes({400, 700});
    split_->setStretchFactor(1, 1);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split_);
    window->resize(1100, 700);
    connect(fileList_.data(), &QListWidget::currentRowChanged, this, &ChangesView::ShowFile);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    connect(escape, &QShortcut::activated, window, &QWidget::close);
    connect(window, &QObject::destroyed, this, [this] { Forget(); });
    return window;
}

// The view of the difference follows its palette: a style sheet or a theme change recolours
// the bands. Only that view is watched.
bool ChangesView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange
        || event->type() == QEvent::Polish)
        difference_.SetPalette(static_cast<QWidget *>(watched)->palette());
    return QObject::eventFilter(watched, event);
}

void ChangesView::Show(const RunChanges &changes)
{
    Close();
    fileCount_ = changes.writtenFiles.size();
    renames_ = changes.renames;
    window_ = BuildWindow(changes);
    FillRenames(renames_, {});
    difference_.Show({}, changes.writtenFiles.isEmpty() ? tr("The last run wrote no file.")
                                                        : tr("Reading the files of the run…"));
    window_->show();

    // The files of a big run take a while to read and compare: the window stays responsive.
    auto result = std::make_shared<LoadedChanges>();
    QThread *load = QThread::create([result, changes] { *result = LoadChanges(changes); });
    const int showing = showing_;
    connect(
        load, &QThread::finished, this,
        [this, result, showing] {
            if (showing == showing_)
                Fill(std::move(*result));
        },
        Qt::QueuedConnection);
    connect(load, &QThread::finished, load, &QObject::deleteLater);
    loads_.emplace_back(load);
    load->start();
}

void ChangesView::Fill(LoadedChanges loaded)
{
    changes_ = std::move(loaded);
    loaded_ = true;
    if (busy_)
        busy_->hide();
    if (fileList_) {
        for (qsizetype row = 0; row < changes_.files.size() && row < fileList_->count(); ++row)
            fileList_->item(int(row))->setText(FileItemText(changes_.files.at(row)));
    }
    if (renameList_)
        FillRenames(renames_, changes_.replaced);
    if (changes_.files.isEmpty())
        difference_.Show({}, tr("The last run wrote no file."));
    else if (fileList_ && fileList_->currentRow() < 0)
        fileList_->setCurrentRow(0);
    else if (fileList_)
        ShowFile(fileList_->currentRow());
}

void ChangesView::FillRenames(const QList<NamePair> &renames, const QList<int> &replaced)
{
    renameList_->clear();
    for (qsizetype row = 0; row < renames.size(); ++row)
        renameList_->addItem(
            RenameText(renames[row], row < replaced.size() ? QString::number(replaced[row]) : QStringLiteral("…")));
    if (renames.isEmpty())
        renameList_->addItem(tr("none"));
    FitLeftSide();
}

void ChangesView::FitLeftSide()
{
    if (!split_ || !renameList_ || !fileList_)
        return;
    int widest = 0;
    for (const QListWidget *list : {fileList_.data(), renameList_.data()}) {
        for (int row = 0; row < list->count(); ++row)
            widest = qMax(widest, list->fontMetrics().horizontalAdvance(list->item(row)->text()));
    }
    // The frames, the captions' margins and a scroll bar beside the text.
    const int needed = widest + 40 + renameList_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QList<int> sizes = split_->sizes();
    const int whole = sizes.value(0) + sizes.value(1);
    const int left = qBound(sizes.value(0), needed, whole / 2);
    split_->setSizes({left, whole - left});
}

void ChangesView::Close()
{
    if (QWidget *window = window_) {
        disconnect(window, &QObject::destroyed, this, nullptr); // it goes now; a new one may follow
        Forget();
        window_.clear();
        window->close(); // deletes it
    }
}

// The window of an earlier run goes away later: its list must no longer show into this view,
// and a load still going for it is dropped when it ends.
void ChangesView::Forget()
{
    if (fileList_)
        disconnect(fileList_.data(), nullptr, this, nullptr);
    ++showing_;
    fileCount_ = 0;
    renames_.clear();
    changes_ = LoadedChanges();
    loaded_ = false;
    difference_.Show({});
    std::erase_if(loads_, [](const QPointer<QThread> &load) { return load.isNull(); });
}

void ChangesView::ShowFile(int row)
{
    if (!loaded_ || row < 0 || row >= changes_.differences.size())
        return;
    const QList<DiffLine> &lines = changes_.differences.at(row);
    difference_.Show(lines, lines.isEmpty() ? tr("No change.") : QString());
}

} // namespace quarvel
