// The log list of the main window: a view of the LogModel with rows of one height, every line
// whole (scrolled sideways, never cut short) and as high as its icon, a thin line between runs,
// and the lines' text to copy. Its context menu offers Copy, Open File and Clear Log.
#pragma once

#include "shell/log_model.h"

#include <QObject>
#include <QStringList>

class QAction;
class QListView;

namespace quarvel {

class LogLineDelegate;

class LogView : public QObject {
    Q_OBJECT
public:
    explicit LogView(QListView &list);

    // A batch of lines at the end, the last one brought into view.
    void Append(const QList<LogEntry> &entries);
    void BeginRun();
    void Clear();
    QStringList Lines() const { return model_.Lines(); }
    int RowCount() const { return model_.rowCount(); }
    // The selected lines' text, one line each, in the list's order.
    QString SelectedText() const;
    void CopySelection() const;
    // Clear Log waits while a run goes on: the run's summary points into its lines.
    void SetRunning(bool running);
    // Makes a row the current one, in the middle of the view.
    void ShowRow(int row);
    int CurrentRow() const;

    const LogModel &model() const { return model_; }
    QListView &list() const { return list_; }
    QAction *copyAction() const { return copy_; }
    QAction *openFileAction() const { return openFile_; }
    QAction *clearAction() const { return clear_; }

signals:
    // Open File, a double-click or Return: the current line's file.
    void openFileRequested();
    void clearRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *AddAction(const QString &text, const QKeySequence &keys);
    void CurrentLineChanged();

    QListView &list_;
    LogModel model_;
    LogLineDelegate *delegate_;
    QAction *copy_;
    QAction *openFile_;
    QAction *clear_;
};

} // namespace quarvel
