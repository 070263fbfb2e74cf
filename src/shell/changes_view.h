// The Changes view: after a run, the files it wrote, each shown as the difference between its
// copy in Backup/ (made before the run) and its new text, and the renames the user bound.
#pragma once

#include "base/line_diff.h"
#include "model/front_end.h"
#include "shell/dialogs/window_events.h"

#include <QAbstractListModel>
#include <QList>
#include <QListView>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QStringList>

#include <memory>
#include <vector>

class QThread;

namespace quarvel {

class Toolkit;

// What the shell gathers while a run goes on.
struct RunChanges {
    QString projectDirectory; // ends with "/"
    QStringList writtenFiles; // relative to the project folder, as the run result gives them
    QList<NamePair> renames;  // bound in the bind dialog

    void Clear() { *this = RunChanges(); }
};

struct ChangedFile {
    QString path;       // absolute
    bool isNew = false; // no copy in Backup/ (the run created it): all lines are added
    QStringList before;
    QStringList after;
};

// The file a run wrote beside its backup copy, both read in their own format.
ChangedFile LoadChangedFile(const QString &projectDirectory, const QString &written);

// For each rename, how often its old name (a whole word, any case, with or without "#") went
// out of the files. One pass over the files' words, however many renames there are.
QList<int> ReplacedCounts(const QList<NamePair> &renames, const QList<ChangedFile> &files);

// Everything the view shows of a run, read and worked out away from the GUI thread.
struct LoadedChanges {
    QList<ChangedFile> files;
    QList<QList<DiffLine>> differences; // each file's, as UnifiedDiff gives it
    QList<int> replaced;                // per rename
};
LoadedChanges LoadChanges(const RunChanges &changes);

// The lines of a difference for a list view: only the rows on the screen are ever drawn, so a
// file of 60,000 changed lines opens as fast as one of ten.
class DifferenceModel : public QAbstractListModel {
public:
    void Show(QList<DiffLine> lines, const QString &note = QString());
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QString Text() const; // every row, one per line

private:
    QString RowText(qsizetype row) const;

    QList<DiffLine> lines_;
    QString note_; // shown alone when there are no lines
};

// Window 5, "Changes": the files on the left, the renames under them, the difference of the
// selected file on the right. Not modal; it shows the run it was opened for. It opens at once
// and fills when the files are read, with a busy bar meanwhile.
class ChangesView : public WindowEvents {
public:
    explicit ChangesView(Toolkit &ui) : ui_(ui) {}
    ~ChangesView() override;

    // Opens the window for a run, in place of one already open.
    void Show(const RunChanges &changes);
    bool IsOpen() const;
    // The files are read and the differences worked out.
    bool Loaded() const { return loaded_; }
    const LoadedChanges &loaded() const { return changes_; }

    void ShowFile(int row);
    int FileCount() const { return int(fileCount_); }
    QString ShownText() const { return difference_.Text(); }
    QListWidget *fileList() const { return fileList_; }
    QListWidget *renameList() const { return renameList_; }

    void GadgetEvent(int, int) override {}
    void CloseBox() override;

private:
    void Fill(LoadedChanges loaded);
    void FillRenames(const QList<NamePair> &renames, const QList<int> &replaced);
    void Forget();

    Toolkit &ui_;
    qsizetype fileCount_ = 0;
    QList<NamePair> renames_;
    LoadedChanges changes_;
    bool loaded_ = false;
    int showing_ = 0; // which Show the view is at; a load for an earlier one is dropped
    std::vector<QPointer<QThread>> loads_;
    DifferenceModel difference_;
    QPointer<QListWidget> fileList_;
    QPointer<QListWidget> renameList_;
    QPointer<QListView> text_;
    QPointer<QProgressBar> busy_;
};

} // namespace quarvel
