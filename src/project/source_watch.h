// Notices when the sources of a project change on disk: the project file and its window
// sources. An editor that saves by writing a new file and renaming it over the old one, or
// that writes a file twice, is one change; a file the run itself wrote is no change.
#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace quarvel {

class SourceWatch : public QObject {
    Q_OBJECT

public:
    // Changes closer together than this are one change.
    static constexpr int SettleMilliseconds = 300;

    explicit SourceWatch(QObject *parent = nullptr);

    // The files to watch (absolute paths), each as it is now. A file that does not exist yet
    // is watched for its creation.
    void Watch(const QStringList &paths);

    // Takes the files as they are now, without a change: what a run has just written.
    void Accept(const QStringList &paths);

    QStringList Watched() const { return states_.keys(); }

signals:
    // The watched files whose bytes may differ from when they were last taken, sorted; once
    // for a burst of writes.
    void changed(const QStringList &paths);

private:
    // What tells one version of a file from the next without reading it.
    struct FileState {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        QDateTime metadataChanged; // a file renamed into place has a new one
        bool operator==(const FileState &) const = default;
    };

    static FileState StateOf(const QString &path);
    void Settle();
    void Rearm();

    QFileSystemWatcher watcher_;
    QTimer settle_;
    QHash<QString, FileState> states_;
};

} // namespace quarvel
