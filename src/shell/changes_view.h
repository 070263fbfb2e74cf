// The Changes view: after a run, the files it wrote, each shown as the difference between its
// copy in Backup/ (made before the run) and its new text, and the renames the user bound.
#pragma once

#include "base/line_diff.h"
#include "model/front_end.h"
#include "shell/dialogs/window_events.h"

#include <QList>
#include <QListWidget>
#include <QPointer>
#include <QStringList>
#include <QTextBrowser>

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

// How often the old name of a rename (a whole word, any case) went out of the files.
int ReplacedCount(const QString &oldName, const QList<ChangedFile> &files);

// The difference as the view shows it: one HTML block, added lines green, removed red.
QString DiffHtml(const ChangedFile &file);

// Window 5, "Changes": the files on the left, the renames under them, the difference of the
// selected file on the right. Not modal; it shows the run it was opened for.
class ChangesView : public WindowEvents {
public:
    explicit ChangesView(Toolkit &ui) : ui_(ui) {}
    ~ChangesView() override { Forget(); }

    // Opens the window for a run, in place of one already open.
    void Show(const RunChanges &changes);
    bool IsOpen() const;

    void ShowFile(int row);
    int FileCount() const { return int(files_.size()); }
    QString ShownText() const;
    QListWidget *fileList() const { return fileList_; }
    QListWidget *renameList() const { return renameList_; }

    void GadgetEvent(int, int) override {}
    void CloseBox() override;

private:
    void FillRenames(const QList<NamePair> &renames);
    void Forget();

    Toolkit &ui_;
    QList<ChangedFile> files_;
    QPointer<QListWidget> fileList_;
    QPointer<QListWidget> renameList_;
    QPointer<QTextBrowser> text_;
};

} // namespace quarvel
