#include "shell/save_watch.h"

#include "model/project_state.h"

#include <QDir>
#include <QFileInfo>

namespace quarvel {

void SaveWatch::SetEnabled(bool enabled, const ProjectState &project)
{
    if (enabled == Enabled())
        return;
    watch_.reset(enabled ? new SourceWatch : nullptr);
    if (watch_) {
        connect(watch_.get(), &SourceWatch::changed, this, &SaveWatch::saved);
        Follow(project);
    }
}

void SaveWatch::Follow(const ProjectState &project)
{
    if (!watch_)
        return;
    if (!project.ProjectNamed) {
        watch_->Watch({});
        return;
    }
    const QDir folder = QFileInfo(project.ProjectFile).absoluteDir();
    QStringList paths{QFileInfo(project.ProjectFile).absoluteFilePath()};
    for (const QString &file : project.CommonFiles)
        paths << QDir::cleanPath(folder.absoluteFilePath(file));
    watch_->Watch(paths);
}

void SaveWatch::Accept(const QString &directory, const QStringList &written)
{
    if (!watch_)
        return;
    QStringList paths;
    for (const QString &file : written)
        paths << QDir::cleanPath(QDir(directory).absoluteFilePath(file));
    watch_->Accept(paths);
}

} // namespace quarvel
