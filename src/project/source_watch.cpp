#include "project/source_watch.h"

#include <QFileInfo>

#include <algorithm>

namespace quarvel {

SourceWatch::SourceWatch(QObject *parent) : QObject(parent)
{
    settle_.setSingleShot(true);
    settle_.setInterval(SettleMilliseconds);
    // Every notice starts the wait again; the files are compared once the writes have stopped.
    const auto wait = [this] { settle_.start(); };
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, wait);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, wait);
    connect(&settle_, &QTimer::timeout, this, &SourceWatch::Settle);
}

SourceWatch::FileState SourceWatch::StateOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified(), info.metadataChangeTime()};
}

void SourceWatch::Watch(const QStringList &paths)
{
    QHash<QString, FileState> states;
    for (const QString &path : paths)
        states.insert(path, states_.contains(path) ? states_.value(path) : StateOf(path));
    states_ = states;
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    Rearm();
}

void SourceWatch::Accept(const QStringList &paths)
{
    for (const QString &path : paths) {
        if (const auto state = states_.find(path); state != states_.end())
            *state = StateOf(path);
    }
}

// A file replaced by a rename is no longer the one the watcher followed, and a file not there
// yet cannot be followed at all: each is watched again, and its folder tells of a new one.
void SourceWatch::Rearm()
{
    const QStringList files = watcher_.files();
    QStringList folders = watcher_.directories();
    for (auto state = states_.cbegin(); state != states_.cend(); ++state) {
        const QString &path = state.key();
        if (QFileInfo::exists(path) && !files.contains(path))
            watcher_.addPath(path);
        const QString folder = QFileInfo(path).absolutePath();
        if (!folders.contains(folder) && watcher_.addPath(folder))
            folders.append(folder);
    }
}

void SourceWatch::Settle()
{
    QStringList differing;
    for (auto state = states_.begin(); state != states_.end(); ++state) {
        const FileState now = StateOf(state.key());
        if (now == state.value())
            continue;
        state.value() = now;
        differing.append(state.key());
    }
    Rearm();
    if (differing.isEmpty())
        return;
    std::sort(differing.begin(), differing.end());
    emit changed(differing);
}

} // namespace quarvel
