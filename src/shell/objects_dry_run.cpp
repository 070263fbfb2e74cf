#include "shell/objects_dry_run.h"

#include "model/front_end.h"
#include "pipeline/generation_context.h"
#include "pipeline/generation_driver.h"

#include <QFileInfo>
#include <QThread>

#include <mutex>

namespace quarvel {

namespace {

// Keeps the result and answers every question so that nothing waits for a user.
class SilentFrontEnd : public FrontEnd {
public:
    void RunStarted() override {}
    BindDialogAnswer OpenBindDialog(const BindDialogRequest &) override { return {BindDialogEnd::Cancel, {}}; }
    void CloseBindDialog() override {}
    void AppendLogLine(const LogEntry &) override {}
    void RunFinished(const RunResult &finished) override { result = finished; }
    void ShowMessage(const QString &, const QString &) override {}
    void ClearLog() override {}

    RunResult result;
};

// The objects a run's thread hands to the GUI thread. The lock is a standard one so that the
// thread checker sees the hand-over: Qt's queued signal orders it too, but through Qt's own
// locks, which the checker does not see.
struct HandOver {
    std::mutex mutex;
    QList<ObjectFact> objects;
};

} // namespace

RunResult DryRunFacts(const ProjectState &project, const NameTables &tables)
{
    ProjectState copy = project;
    SilentFrontEnd silent;
    GenerationContext context(copy, tables, silent);
    context.plan.dryRun = true;
    context.reportInLog = false;
    RunResult result = GenerationWorker(context);
    // What the dry run would append is not in the event files yet.
    for (ObjectFact &fact : result.objects) {
        for (ProcedureFact *procedure : {&fact.procedure, &fact.exitProcedure}) {
            if (procedure->state == ProcedureState::Appended)
                procedure->state = ProcedureState::Missing, procedure->line = 0;
        }
    }
    return result;
}

ObjectsDryRun::~ObjectsDryRun()
{
    for (QThread *thread : threads_) {
        thread->wait();
        delete thread;
    }
}

void ObjectsDryRun::Start(const ProjectState &project)
{
    const int started = ++started_;
    auto handOver = std::make_shared<HandOver>();
    const QString directory = QFileInfo(project.ProjectFile).absolutePath() + QLatin1Char('/');
    QThread *thread = QThread::create([handOver, project, &tables = tables_] {
        QList<ObjectFact> objects = DryRunFacts(project, tables).objects;
        const std::lock_guard lock(handOver->mutex);
        handOver->objects = std::move(objects);
    });
    connect(
        thread, &QThread::finished, this,
        [this, thread, handOver, started, directory] {
            std::erase(threads_, thread);
            thread->deleteLater();
            QList<ObjectFact> objects;
            {
                const std::lock_guard lock(handOver->mutex);
                objects = std::move(handOver->objects);
            }
            if (started == started_)
                emit objectsReady(objects, directory);
        },
        Qt::QueuedConnection);
    threads_.push_back(thread);
    thread->start();
}

} // namespace quarvel
