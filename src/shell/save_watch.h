// "Regenerate on Save": while it is on, a window source or the project file saved on disk
// starts a run. The files a run writes are its own change and start none.
#pragma once

#include "project/source_watch.h"

#include <QObject>
#include <QStringList>

#include <memory>

namespace quarvel {

struct ProjectState;

class SaveWatch : public QObject {
    Q_OBJECT
public:
    bool Enabled() const { return watch_ != nullptr; }
    void SetEnabled(bool enabled, const ProjectState &project);
    // The project's files to watch now: its file and its common files. An unnamed project
    // has none.
    void Follow(const ProjectState &project);
    // The files a run wrote, relative to directory or absolute, as they are now.
    void Accept(const QString &directory, const QStringList &written);

signals:
    // Sorted absolute paths of the files saved since the last notice.
    void saved(const QStringList &paths);

private:
    std::unique_ptr<SourceWatch> watch_;
};

} // namespace quarvel
