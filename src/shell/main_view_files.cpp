// The main window's part that edits the project on screen: the common-file list with its
// undo, dropped files, the recent projects and the title.
#include "base/version.h"
#include "model/project_file.h"
#include "model/requesters.h"
#include "project/project_commands.h"
#include "project/settings.h"
#include "shell/main_view.h"
#include "shell/project_file_problem.h"

#include <QDragEnterEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <functional>
#include <iterator>

namespace quarvel {

namespace {

bool IsSourceFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("pb") || suffix == QLatin1String("pbi") || suffix == QLatin1String("pbf");
}

bool IsProjectFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("pbm"), Qt::CaseInsensitive) == 0;
}

QStringList LocalFiles(const QMimeData *data)
{
    QStringList paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

// A drop the program can use: a window source or a project file among the files.
bool Usable(const QStringList &paths)
{
    return std::any_of(paths.cbegin(), paths.cend(), [](const QString &path) {
        return (IsSourceFile(path) || IsProjectFile(path)) && QFileInfo(path).isFile();
    });
}

// The selected row, -1 when none: a current row without selection is none.
int SelectedRow(const QListWidget *list)
{
    const QListWidgetItem *item = list->currentItem();
    return item && item->isSelected() ? list->row(item) : -1;
}

// Hands the usable local files dropped on a widget over; any other drag is refused, and the
// cursor says so while it hovers.
class FileDropTarget : public QObject {
public:
    FileDropTarget(QWidget *target, std::function<bool()> accepting, std::function<void(const QStringList &)> dropped)
        : QObject(target),
          accepting_(std::move(accepting)),
          dropped_(std::move(dropped))
    {
        target->setAcceptDrops(true);
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto *drag = static_cast<QDropEvent *>(event);
            if (accepting_() && Usable(LocalFiles(drag->mimeData())))
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto *drop = static_cast<QDropEvent *>(event);
            const QStringList paths = LocalFiles(drop->mimeData());
            if (!accepting_() || !Usable(paths)) {
                drop->ignore();
                return true;
            }
            drop->acceptProposedAction();
            dropped_(paths);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool()> accepting_;
    std::function<void(const QStringList &)> dropped_;
};

} // namespace

// Recent projects are loaded like Project Load, so they wait while a run goes on.
void MainView::RebuildRecentMenu()
{
    if (!recentMenu_)
        return;
    recentMenu_->clear();
    for (int slot = 0; slot < settings_.RecentProjects.size(); ++slot) {
        const QString path = settings_.RecentProjects[slot];
        QAction *item = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(slot + 1).arg(path));
        item->setEnabled(!running_);
        connect(item, &QAction::triggered, this, [this, path] {
            if (covered_ || running_)
                return;
            LoadProjectFile(path);
            RefreshTitle();
        });
    }
    recentMenu_->setEnabled(!settings_.RecentProjects.isEmpty());
}

void MainView::RememberProject()
{
    if (!project_.ProjectNamed)
        return;
    RememberRecentProject(settings_, project_.ProjectFile);
    RebuildRecentMenu();
}

void MainView::RefreshTitle()
{
    const QString name = QFileInfo(project_.ProjectFile).fileName();
    setWindowTitle(VersionTitle() + QStringLiteral(" - ") + name + QStringLiteral("[*]"));
    setWindowModified(!project_.ProjectSaved);
}

void MainView::ShowProjectFile(const QString &projectFile)
{
    statusField_->setText(projectFile);
    statusField_->setToolTip(projectFile);
}

// Another project, or the same one's files under new paths: the edits before it are not undone.
void MainView::ShowCommonFiles()
{
    listEdits_.clear();
    ListCommonFiles();
}

void MainView::ListCommonFiles()
{
    files_->clear();
    files_->addItems(project_.CommonFiles);
}

void MainView::RememberListEdit()
{
    if (listEdits_.size() == MaxListEdits)
        listEdits_.removeFirst();
    listEdits_.append({project_.CommonFiles, project_.ProjectSaved});
}

void MainView::ListEdited()
{
    project_.ProjectSaved = false;
    emit commonFilesChanged();
}

// The list as it was before its last edit. The project is unsaved again, unless it was saved
// then and has not been since.
void MainView::UndoListEdit()
{
    if (listEdits_.isEmpty())
        return;
    const ListEdit before = listEdits_.takeLast();
    project_.CommonFiles = before.files;
    project_.ProjectSaved = !project_.ProjectSaved && before.saved;
    ListCommonFiles();
    emit commonFilesChanged();
}

void MainView::AddCommonFiles()
{
    const QStringList chosen = ask_.OpenFiles(QStringLiteral("Commonfile"), project_.DialogFolder(),
                                              QStringLiteral("Common|*.pb*|Alle Dateien|*.*"), true);
    if (chosen.isEmpty())
        return;
    project_.LastPath = PathPart(chosen.first());
    AppendCommonFiles(chosen);
}

// A file already listed is not listed again, however its path is written: a run would find
// each of its objects twice.
void MainView::AppendCommonFiles(const QStringList &paths)
{
    QStringList entries;
    for (const QString &path : paths)
        entries << AsProjectPath(path);
    const QStringList added = NewCommonFiles(project_.ProjectDirectory(), project_.CommonFiles, entries);
    if (added.isEmpty())
        return;
    RememberListEdit();
    project_.CommonFiles << added;
    files_->addItems(added);
    ListEdited();
}

void MainView::RemoveCommonFile()
{
    const int selected = SelectedRow(files_);
    if (selected < 0)
        return;
    RememberListEdit();
    delete files_->takeItem(selected);
    project_.CommonFiles.removeAt(selected);
    files_->clearSelection();
    ListEdited();
}

void MainView::MoveCommonFileFirst()
{
    const int selected = SelectedRow(files_);
    if (selected < 0)
        return;
    RememberListEdit();
    files_->insertItem(0, files_->takeItem(selected));
    project_.CommonFiles.move(selected, 0);
    files_->setCurrentRow(0);
    ListEdited();
}

void MainView::AcceptDrops()
{
    new FileDropTarget(
        files_->viewport(), [this] { return !running_ && !covered_; },
        [this](const QStringList &paths) { DropFiles(paths); });
}

void MainView::DropFiles(const QStringList &paths)
{
    if (running_ || covered_)
        return;
    const auto project = std::find_if(paths.cbegin(), paths.cend(), IsProjectFile);
    if (project != paths.cend()) {
        LoadProjectFile(*project);
    } else {
        QStringList sources;
        std::copy_if(paths.cbegin(), paths.cend(), std::back_inserter(sources),
                     [](const QString &path) { return IsSourceFile(path) && QFileInfo(path).isFile(); });
        AppendCommonFiles(sources);
    }
    RefreshTitle();
}

void MainView::LoadProjectFile(const QString &path)
{
    if (const QString problem = ProjectFileProblem(path); !problem.isEmpty()) {
        ask_.MessageOk(QStringLiteral("Quarvel"), ProjectFileMessage(path, problem));
        return;
    }
    commands_.OpenProjectFile(path);
}

// A file beside or below a named project's file is listed relative to it, as the project
// files written by hand are; anything else keeps its full path.
QString MainView::AsProjectPath(const QString &path) const
{
    return project_.ProjectNamed ? ProjectFilePath(project_.ProjectDirectory(), path) : path;
}

QStringList MainView::CommonFileItems() const
{
    QStringList texts;
    for (int row = 0; row < files_->count(); ++row)
        texts << files_->item(row)->text();
    return texts;
}

} // namespace quarvel
