// The Changes view: after a run, the files it wrote, each shown as the difference between its
// copy in Backup/ and its new text, and the renames the user bound. A window of its own over the
// main window, not modal; it shows the run it was opened for. It opens at once and fills when
// the files are read, with a busy bar meanwhile.
#pragma once

#include "shell/changes_loading.h"
#include "shell/difference_model.h"

#include <QListView>
#include <QListWidget>
#include <QObject>
#include <QPointer>
#include <QProgressBar>
#include <QSplitter>

#include <vector>

class QThread;
class QWidget;

namespace quarvel {

class ChangesView : public QObject {
    Q_OBJECT
public:
    explicit ChangesView(QWidget *owner) : owner_(owner) {}
    ~ChangesView() override;

    // Opens the window for a run, in place of one already open.
    void Show(const RunChanges &changes);
    bool IsOpen() const { return !window_.isNull(); }
    QWidget *window() const { return window_; }
    void Close();
    // The files are read and the differences worked out.
    bool Loaded() const { return loaded_; }
    // A load of the files is still going, for this view or an earlier one.
    bool Loading() const;
    const LoadedChanges &loaded() const { return changes_; }

    void ShowFile(int row);
    int FileCount() const { return int(fileCount_); }
    QString ShownText() const { return difference_.Text(); }
    const DifferenceModel &difference() const { return difference_; }
    QListWidget *fileList() const { return fileList_; }
    QListWidget *renameList() const { return renameList_; }
    QListView *textView() const { return text_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *BuildWindow(const RunChanges &changes);
    void Fill(LoadedChanges loaded);
    void FillRenames(const QList<NamePair> &renames, const QList<int> &replaced);
    // The lists on the left as wide as their longest line, up to half the window.
    void FitLeftSide();
    void Forget();

    QWidget *owner_;
    qsizetype fileCount_ = 0;
    QList<NamePair> renames_;
    LoadedChanges changes_;
    bool loaded_ = false;
    int showing_ = 0; // which Show the view is at; a load for an earlier one is dropped
    std::vector<QPointer<QThread>> loads_;
    DifferenceModel difference_;
    QPointer<QWidget> window_;
    QPointer<QListWidget> fileList_;
    QPointer<QListWidget> renameList_;
    QPointer<QListView> text_;
    QPointer<QProgressBar> busy_;
    QPointer<QSplitter> split_;
};

} // namespace quarvel
