#include "shell/project_view.h"

#include "base/text_encoding.h"
#include "shell/window_preview.h"

#include <QAbstractButton>
#include <QDir>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QResizeEvent>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

namespace quarvel {

namespace {

QString PathIn(const QString &directory, const QString &file)
{
    return QDir::isRelativePath(file) ? directory + file : file;
}

} // namespace

ProjectView::ProjectView()
{
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    filter_ = new QLineEdit;
    filter_->setPlaceholderText(tr("Find an object by name"));
    filter_->setClearButtonEnabled(true);
    filter_->setAccessibleName(tr("Find an object by name"));
    for (QAbstractButton *button : filter_->findChildren<QAbstractButton *>())
        button->setAccessibleName(tr("Clear the filter"));
    filtered_ = new QSortFilterProxyModel(this);
    filtered_->setSourceModel(&model_);
    filtered_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    filtered_->setFilterKeyColumn(ProjectTreeModel::NameColumn);
    filtered_->setRecursiveFilteringEnabled(true);
    tree_ = new QTreeView;
    tree_->setModel(filtered_);
    tree_->setUniformRowHeights(true); // 20,000 rows lay out without measuring each
    tree_->setAccessibleName(tr("Windows, objects and event procedures"));
    tree_->header()->setAccessibleName(tr("Columns"));
    tree_->header()->setSectionResizeMode(QHeaderView::Interactive);
    tree_->header()->setStretchLastSection(true);
    preview_ = new WindowPreview;
    split_ = new QSplitter(Qt::Vertical);
    split_->setObjectName(QStringLiteral("ProjectViewSplitter"));
    split_->setChildrenCollapsible(false);
    split_->addWidget(tree_);
    split_->addWidget(preview_);
    split_->setSizes({300, 300});
    layout->addWidget(filter_);
    layout->addWidget(split_, 1);

    dock_ = new QDockWidget(tr("Project"));
    dock_->setObjectName(QStringLiteral("ProjectView"));
    dock_->setWidget(content);
    // The title bar's own buttons carry only icons.
    for (QAbstractButton *button : dock_->findChildren<QAbstractButton *>()) {
        if (button->objectName() == QLatin1String("qt_dockwidget_closebutton"))
            button->setAccessibleName(tr("Close the Project view"));
        else if (button->objectName() == QLatin1String("qt_dockwidget_floatbutton"))
            button->setAccessibleName(tr("Float the Project view"));
    }

    connect(filter_, &QLineEdit::textChanged, this, &ProjectView::SetFilter);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { CurrentChanged(current); });
    connect(tree_, &QTreeView::activated, this, [this](const QModelIndex &index) {
        OpenFact(filtered_->mapToSource(index).data(ProjectTreeModel::FactRole).value<qsizetype>());
    });
    connect(preview_, &WindowPreview::gadgetClicked, this, &ProjectView::SelectFact);
    connect(preview_, &WindowPreview::gadgetActivated, this, &ProjectView::OpenFact);
    connect(tree_, &QTreeView::expanded, this, [this](const QModelIndex &index) {
        if (!index.parent().isValid() && filter_->text().isEmpty())
            expanded_.insert(index.data().toString());
    });
    connect(tree_, &QTreeView::collapsed, this, [this](const QModelIndex &index) {
        if (!index.parent().isValid() && filter_->text().isEmpty())
            expanded_.remove(index.data().toString());
    });
}

ProjectView::~ProjectView()
{
    if (dock_ && !dock_->parent())
        delete dock_.data();
}

void ProjectView::Attach(QMainWindow *window, const QByteArray &windowState)
{
    window->addDockWidget(Qt::RightDockWidgetArea, dock_);
    if (windowState.isEmpty() || !window->restoreState(windowState))
        window->resizeDocks({dock_}, {window->width() * 2 / 5}, Qt::Horizontal);
    window->installEventFilter(this);
}

bool ProjectView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        auto *window = static_cast<QMainWindow *>(watched);
        const auto *resized = static_cast<QResizeEvent *>(event);
        const int before = resized->oldSize().width(), after = resized->size().width();
        if (before > 0 && after != before && dock_->isVisible() && !dock_->isFloating()
            && (window->dockWidgetArea(dock_) == Qt::LeftDockWidgetArea
                || window->dockWidgetArea(dock_) == Qt::RightDockWidgetArea))
            window->resizeDocks({dock_}, {dock_->width() * after / before}, Qt::Horizontal);
    }
    return QObject::eventFilter(watched, event);
}

QStringList ProjectView::ExpandedWindows() const
{
    QStringList windows(expanded_.cbegin(), expanded_.cend());
    windows.sort();
    return windows;
}

void ProjectView::SetExpandedWindows(const QStringList &windows)
{
    expanded_ = QSet<QString>(windows.cbegin(), windows.cend());
    ExpandRemembered();
}

QByteArray ProjectView::SplitState() const
{
    return split_->saveState();
}

void ProjectView::RestoreSplit(const QByteArray &state)
{
    if (!state.isEmpty())
        split_->restoreState(state);
}

// The windows the user had open stay open in a new run's tree.
void ProjectView::ExpandRemembered()
{
    const QSet<QString> remembered = expanded_; // expanding reports back into the set
    for (int row = 0; row < filtered_->rowCount(); ++row) {
        const QModelIndex index = filtered_->index(row, 0);
        if (remembered.contains(index.data().toString()))
            tree_->expand(index);
    }
    expanded_ = remembered;
}

// Every column as wide as what it shows on the screen; State takes what is left.
void ProjectView::FitColumns()
{
    for (int column = 0; column < ProjectTreeModel::StateColumn; ++column)
        tree_->resizeColumnToContents(column);
}

namespace {

// An object of the facts by its kind, window and name: the selection survives a new run.
qsizetype FindFact(const QList<ObjectFact> &facts, const ObjectFact &like)
{
    for (qsizetype i = 0; i < facts.size(); ++i) {
        if (facts[i].kind == like.kind && facts[i].name == like.name && facts[i].window == like.window)
            return i;
    }
    return -1;
}

} // namespace

void ProjectView::Reveal()
{
    dock_->show();
    dock_->raise();
    filter_->setFocus();
}

void ProjectView::Show(const QList<ObjectFact> &facts, const QString &projectDirectory)
{
    const qsizetype selected = SelectedFact();
    const std::optional<ObjectFact> was = selected >= 0 ? std::optional(model_.Facts()[selected]) : std::nullopt;
    projectDirectory_ = projectDirectory;
    sources_.clear();
    shownWindow_ = -1;
    model_.Show(facts);
    preview_->Clear();
    if (!filter_->text().isEmpty())
        tree_->expandAll();
    else
        ExpandRemembered();
    // The same object again, or else the first window, so that the preview shows something.
    const qsizetype again = was ? FindFact(model_.Facts(), *was) : -1;
    if (again >= 0)
        SelectFact(again);
    else if (filtered_->rowCount() > 0)
        tree_->setCurrentIndex(filtered_->index(0, 0));
    FitColumns();
}

void ProjectView::Clear()
{
    Show({}, QString());
}

void ProjectView::SetFilter(const QString &text)
{
    if (filter_->text() != text)
        filter_->setText(text); // comes back here through textChanged
    filtered_->setFilterFixedString(text);
    if (!text.isEmpty()) {
        tree_->expandAll();
    } else {
        const QSet<QString> remembered = expanded_;
        tree_->collapseAll();
        expanded_ = remembered;
        ExpandRemembered();
    }
    FitColumns();
}

qsizetype ProjectView::SelectedFact() const
{
    const QModelIndex current = filtered_->mapToSource(tree_->currentIndex());
    return current.isValid() ? current.data(ProjectTreeModel::FactRole).value<qsizetype>() : -1;
}

void ProjectView::SelectFact(qsizetype fact)
{
    const QModelIndex index = filtered_->mapFromSource(model_.IndexOf(fact));
    if (!index.isValid())
        return;
    tree_->expand(index.parent());
    tree_->setCurrentIndex(index);
    tree_->scrollTo(index);
}

void ProjectView::OpenFact(qsizetype fact)
{
    if (fact < 0 || fact >= model_.Facts().size())
        return;
    const ObjectFact &shown = model_.Facts()[fact];
    const ProcedureFact &procedure = shown.kind == ObjectKind::Window && shown.exitProcedure.line > 0
                                         ? shown.exitProcedure
                                         : shown.procedure;
    if (procedure.line > 0 && procedure.events)
        emit openRequested(PathIn(projectDirectory_, procedure.File()), procedure.line);
    else if (!shown.file.isEmpty())
        emit openRequested(PathIn(projectDirectory_, shown.file), shown.line);
}

void ProjectView::CurrentChanged(const QModelIndex &current)
{
    const qsizetype fact = filtered_->mapToSource(current).data(ProjectTreeModel::FactRole).value<qsizetype>();
    if (fact < 0 || !current.isValid())
        return;
    ShowWindowOf(fact);
    preview_->Select(fact);
}

// The preview follows the selection to the window of the selected object.
void ProjectView::ShowWindowOf(qsizetype fact)
{
    const QList<ObjectFact> &facts = model_.Facts();
    qsizetype window = facts[fact].kind == ObjectKind::Window ? fact : -1;
    for (qsizetype i = fact; window < 0 && i >= 0; --i) { // a window comes before its objects
        if (facts[i].kind == ObjectKind::Window && facts[i].name == facts[fact].window)
            window = i;
    }
    if (window < 0 || window == shownWindow_)
        return;
    shownWindow_ = window;
    preview_->ShowPicture(LayOutWindow(facts, window, SourceLines(facts[window].file)));
}

const QStringList &ProjectView::SourceLines(const QString &file)
{
    auto known = sources_.find(file);
    if (known == sources_.end()) {
        const TextFileRead read = ReadTextFile(PathIn(projectDirectory_, file));
        known = sources_.insert(file, read ? read->lines : QStringList());
    }
    return *known;
}

} // namespace quarvel
