// The Project view: a dock of the main window listing every window with its objects and their
// event procedures (from the last run's result, or from a dry run when a project is loaded),
// a filter box that finds an object by name, and a preview of the selected window. A
// double-click on an object, or on a gadget of the preview, opens its event procedure (or the
// line that creates it) in the user's editor.
#pragma once

#include "shell/project_tree_model.h"

#include <QDockWidget>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>

class QLineEdit;
class QMainWindow;
class QSortFilterProxyModel;
class QSplitter;
class QTreeView;

namespace quarvel {

class WindowPreview;

class ProjectView : public QObject {
    Q_OBJECT
public:
    ProjectView();
    ~ProjectView() override;

    // Docks the view on the right of the main window, as wide as the window's remembered
    // state says, else two fifths of the window.
    void Attach(QMainWindow *window, const QByteArray &windowState);
    QDockWidget *dock() const { return dock_; }
    // Shows the dock again after the user closed it, and puts the keyboard in its filter box.
    void Reveal();

    // The objects of a run of the project in projectDirectory (ending with "/").
    void Show(const QList<ObjectFact> &facts, const QString &projectDirectory);
    void Clear();

    void SetFilter(const QString &text);
    // Selects an object's row, and its window in the preview.
    void SelectFact(qsizetype fact);
    // Opens an object's event procedure, or the line that creates it.
    void OpenFact(qsizetype fact);
    qsizetype SelectedFact() const;

    // The windows expanded in the tree, kept across runs and, through Views.INI, restarts.
    QStringList ExpandedWindows() const;
    void SetExpandedWindows(const QStringList &windows);
    QByteArray SplitState() const;
    void RestoreSplit(const QByteArray &state);

    const ProjectTreeModel &model() const { return model_; }
    QTreeView *tree() const { return tree_; }
    WindowPreview *preview() const { return preview_; }

signals:
    void openRequested(const QString &path, int line);

protected:
    // The docked view keeps its share of the main window's width as the window grows or shrinks.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CurrentChanged(const QModelIndex &current);
    void ShowWindowOf(qsizetype fact);
    void ExpandRemembered();
    void FitColumns();
    const QStringList &SourceLines(const QString &file);

    ProjectTreeModel model_;
    QSortFilterProxyModel *filtered_ = nullptr;
    QString projectDirectory_;
    QHash<QString, QStringList> sources_; // read once per Show
    qsizetype shownWindow_ = -1;
    QPointer<QDockWidget> dock_;
    QLineEdit *filter_ = nullptr;
    QTreeView *tree_ = nullptr;
    QSplitter *split_ = nullptr;
    QSet<QString> expanded_; // window names; a window not shown now stays remembered
    WindowPreview *preview_ = nullptr;
};

} // namespace quarvel
