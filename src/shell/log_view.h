// The log list of the main window: the run's lines as log_lines makes them, a thin line
// between runs, every line whole (scrolled sideways, never cut short) and as high as its icon,
// and the lines' text to copy. Its context menu offers Copy, Open File and Clear Log.
#pragma once

#include "model/log_entry.h"

#include <QObject>
#include <QStringList>

class QAction;
class QListWidget;

namespace quarvel {

class LogLineDelegate;

class LogView : public QObject {
    Q_OBJECT
public:
    explicit LogView(QListWidget &list);

    void Append(const LogEntry &entry);
    // A new run: a separator row after the lines of the runs before it.
    void BeginRun();
    void Clear();
    // The text of every log line, the separator rows left out.
    QStringList Lines() const;
    // The selected lines' text, one line each, in the list's order.
    QString SelectedText() const;
    void CopySelection() const;
    // Clear Log waits while a run goes on: the run's summary points into its lines.
    void SetRunning(bool running);

    QAction *copyAction() const { return copy_; }
    QAction *openFileAction() const { return openFile_; }
    QAction *clearAction() const { return clear_; }

signals:
    // Open File: the current line's file, as a double-click opens it.
    void openFileRequested();
    void clearRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *AddAction(const QString &text, const QKeySequence &keys);
    void CurrentLineChanged();

    QListWidget &list_;
    LogLineDelegate *delegate_;
    QAction *copy_;
    QAction *openFile_;
    QAction *clear_;
};

} // namespace quarvel
