#include "shell/objects_dry_run.h"

#include "model/front_end.h"
#include "pipeline/generation_context.h"
#include "pipeline/generation_driver.h"

#include <QFileInfo>
#include <QThread>

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
    auto result = std::make_shared<RunResult>();
    const QString directory = QFileInfo(project.ProjectFile).absolutePath() + QLatin1Char('/');
    QThread *thread = QThread::create([result, project, &tables = tables_] { *result = DryRunFacts(project, tables); });
    connect(
        thread, &QThread::finished, this,
        [this, thread, result, started, directory] {
            std::erase(threads_, thread);
            thread->deleteLater();
            if (started == started_)
                emit objectsReady(result->objects, directory);
        },
        Qt::QueuedConnection);
    threads_.push_back(thread);
    thread->start();
}

} // namespace quarvel
