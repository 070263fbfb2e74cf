// A dry run on a worker thread whose only product is the objects of its run result: the
// Project view shows a loaded project before its first generation. It writes nothing, shows
// no log and no dialog; a rename it would have to ask about ends it there, with the objects
// read so far.
#pragma once

#include "model/project_state.h"
#include "model/run_result.h"

#include <QObject>

#include <memory>

class QThread;

namespace quarvel {

struct NameTables;

class ObjectsDryRun : public QObject {
    Q_OBJECT
public:
    explicit ObjectsDryRun(const NameTables &tables) : tables_(tables) {}
    ~ObjectsDryRun() override; // waits for a run still going

    // Starts a dry run of a copy of the project; an earlier one still going is dropped.
    void Start(const ProjectState &project);
    // Forgets the run still going, if any: its objects are not shown.
    void Drop() { ++started_; }
    bool Running() const { return !threads_.empty(); }

signals:
    void objectsReady(const QList<quarvel::ObjectFact> &facts, const QString &projectDirectory);

private:
    const NameTables &tables_;
    int started_ = 0;
    std::vector<QThread *> threads_;
};

// The run itself, on the calling thread. A procedure the run would append is Missing.
RunResult DryRunFacts(const ProjectState &project, const NameTables &tables);

} // namespace quarvel
