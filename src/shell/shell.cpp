#include "shell/shell.h"

#include "shell/project_file_problem.h"
#include "shell/view_memory.h"
#include "ui/qt_requesters.h"

#include <QDir>
#include <QFileInfo>
#include <QStatusBar>

#include <utility>

namespace quarvel {

Shell::Shell(Requesters *ask)
    : ownRequesters_(ask ? nullptr : std::make_unique<QtRequesters>([this] { return &main_; })),
      ask_(ask ? *ask : *ownRequesters_),
      requests_([this](DesktopRequest &request) { run_.Perform(request); }),
      frontEnd_(requests_),
      commands_(project_, ask_, frontEnd_),
      icons_(LoadIcons()),
      main_(ask_, project_, settings_, commands_, icons_),
      options_(&main_, project_, commands_, icons_[IconGenerate]),
      about_(&main_, ask_, icons_[IconLicence]),
      userGadgets_(&main_, ask_, settings_, frontEnd_),
      changes_(&main_),
      objectsRun_(tables_),
      run_(&main_, ask_, project_, tables_, commands_, requests_, frontEnd_)
{
    Connect();
    ConnectRun();
}

// A worker may be waiting for an answer: the run is cancelled, and its requests carried out
// until it has ended, while every window is still there.
Shell::~Shell()
{
    run_.CancelAndWait();
}

void Shell::Connect()
{
    commands_.showProjectFile = [this](const QString &file) {
        main_.ShowProjectFile(file);
        main_.RememberProject();
        main_.RefreshTitle();
        RefreshFacts();
    };
    commands_.showCommonFiles = [this] {
        main_.ShowCommonFiles();
        RefreshFacts();
    };

    const auto cover = [this] { CoverMainWindow(); };
    connect(&main_, &MainView::optionsRequested, this, [this] {
        options_.Open();
        CoverMainWindow();
    });
    connect(&main_, &MainView::infoRequested, &about_, &AboutView::ShowInfo);
    connect(&main_, &MainView::licenceRequested, this, [this] {
        about_.OpenLicence();
        CoverMainWindow();
    });
    connect(&main_, &MainView::userGadgetsRequested, this, [this] {
        userGadgets_.Open();
        CoverMainWindow();
    });
    connect(&main_, &MainView::changesRequested, this, [this] { changes_.Show(run_.changes()); });
    connect(&main_, &MainView::quitRequested, this, &Shell::quitRequested);
    connect(&main_, &MainView::commonFilesChanged, this, [this] {
        if (!run_.Running())
            RefreshFacts();
    });
    connect(&options_, &OptionsView::startClicked, &run_, &DesktopRun::Launch);
    connect(&options_, &OptionsView::closed, this, [this] {
        CoverMainWindow();
        main_.RefreshTitle(); // Escape may have taken back a change
    });
    connect(&options_, &OptionsView::switchesChanged, &main_, &MainView::RefreshTitle);
    connect(&about_, &AboutView::licenceClosed, this, cover);
    connect(&userGadgets_, &UserGadgetDialog::closed, this, cover);

    connect(&main_, &MainView::projectViewRequested, &projectView_, &ProjectView::Reveal);
    connect(&objectsRun_, &ObjectsDryRun::objectsReady, &projectView_, &ProjectView::Show);
    connect(&projectView_, &ProjectView::openRequested, this,
            [this](const QString &path, int line) { main_.openInEditor(path, line); });
    connect(&main_, &MainView::regenerateOnSaveChanged, this, [this](bool on) { saveWatch_.SetEnabled(on, project_); });
    connect(&saveWatch_, &SaveWatch::saved, this, &Shell::SourcesSaved);
}

void Shell::ConnectRun()
{
    connect(&run_, &DesktopRun::starting, &main_, &MainView::RunStarting);
    connect(&run_, &DesktopRun::starting, &objectsRun_, &ObjectsDryRun::Drop);
    connect(&run_, &DesktopRun::runningChanged, &main_, &MainView::SetRunning);
    connect(&run_, &DesktopRun::runningChanged, &options_, &OptionsView::SetRunning);
    connect(&run_, &DesktopRun::begun, &options_, &OptionsView::Close);
    connect(&run_, &DesktopRun::begun, this, &Shell::CoverMainWindow);
    connect(&run_, &DesktopRun::logLines, &main_, &MainView::AppendLog);
    connect(&run_, &DesktopRun::logCleared, &main_, &MainView::ClearLog);
    connect(&run_, &DesktopRun::logCleared, this, [this] {
        if (changes_.IsOpen())
            changes_.Show(run_.changes());
    });
    connect(&run_, &DesktopRun::dialogChanged, this, &Shell::CoverMainWindow);
    connect(&run_, &DesktopRun::ended, this, &Shell::RunEnded);
}

// The place for whatever follows a run: the views catch up with its result, and files saved
// while it went on start the next one.
void Shell::RunEnded(const std::optional<RunResult> &result)
{
    main_.RunEnded(result);
    if (result && (result->outcome == RunOutcome::Ready || !result->objects.isEmpty()))
        projectView_.Show(result->objects, run_.changes().projectDirectory);
    QStatusBar *status = main_.statusBar();
    if (!regenerating_.isEmpty() && status->currentMessage() == regenerating_)
        status->clearMessage();
    regenerating_.clear();
    if (!run_.cancelReason().isEmpty())
        status->showMessage(run_.cancelReason(), 15000);

    const QDir folder(run_.changes().projectDirectory);
    QStringList saved = std::exchange(savedDuringRun_, {});
    if (result) {
        saveWatch_.Accept(folder.path(), result->writtenFiles);
        for (const QString &file : result->writtenFiles)
            saved.removeAll(QDir::cleanPath(folder.absoluteFilePath(file)));
    }
    saveWatch_.Follow(project_); // the run may have renamed or added files
    if (!saved.isEmpty())
        SourcesSaved(saved);
}

void Shell::SourcesSaved(const QStringList &paths)
{
    if (run_.Running()) {
        savedDuringRun_ << paths;
        return;
    }
    const QString projectFile = QFileInfo(project_.ProjectFile).absoluteFilePath();
    if (paths.contains(projectFile)) {
        // The run would write the project file over the one on disk: take that one first,
        // unless the program holds changes of its own.
        if (!project_.ProjectSaved) {
            main_.statusBar()->showMessage(
                tr("The project file changed on disk; save or load the project to regenerate."), 8000);
            return;
        }
        commands_.OpenProjectFile(projectFile);
    }
    regenerating_ = tr("Regenerating: %1 saved").arg(QFileInfo(paths.first()).fileName());
    main_.statusBar()->showMessage(regenerating_);
    run_.Launch();
    if (!run_.Running())
        main_.statusBar()->clearMessage();
}

void Shell::RefreshFacts()
{
    saveWatch_.Follow(project_);
    if (!project_.ProjectNamed) {
        objectsRun_.Drop();
        projectView_.Clear();
    } else if (!run_.Running()) {
        objectsRun_.Start(project_);
    }
}

void Shell::StartUp(const QStringList &arguments)
{
    commands_.QuitRequested = false;
    // A bad project file named on the command line is passed over: the last project opens.
    QStringList kept = arguments;
    const QString named = kept.value(0);
    const QString problem = named.isEmpty() || named.startsWith(QLatin1Char('-')) ? QString()
                                                                                  : ProjectFileProblem(named);
    if (!problem.isEmpty())
        kept.removeFirst();
    LocateSettingsFiles(settings_);
    const ViewMemory memory = LoadViewMemory(QFileInfo(settings_.SettingsFile).absolutePath() + QLatin1Char('/'));
    projectView_.Attach(&main_, memory.mainWindowState);
    projectView_.RestoreSplit(memory.projectSplit);
    projectView_.SetExpandedWindows(memory.expanded);
    for (const FileResult &failure : LoadSettings(settings_, project_, tables_, kept))
        ReportFailure(frontEnd_, failure);
    RefreshFacts();
    main_.ShowWindow();
    saveWatch_.SetEnabled(settings_.RegenerateOnSave, project_);
    if (!problem.isEmpty())
        ask_.MessageOk(QStringLiteral("Quarvel"), ProjectFileMessage(named, problem));
}

void Shell::SaveAtExit()
{
    main_.StoreWindowMemory();
    SaveSettingsAtExit(settings_, project_);
    SaveViewMemory(QFileInfo(settings_.SettingsFile).absolutePath() + QLatin1Char('/'),
                   {main_.saveState(), projectView_.SplitState(), projectView_.ExpandedWindows()});
}

void Shell::CoverMainWindow()
{
    main_.SetCovered(options_.IsOpen() || about_.LicenceOpen() || userGadgets_.IsOpen() || run_.bindDialog());
}

} // namespace quarvel
