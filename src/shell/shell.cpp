#include "shell/shell.h"

#include "shell/dialogs/window_numbers.h"
#include "ui/qt_requesters.h"

#include <QDir>
#include <QFileInfo>
#include <QStatusBar>

#include <utility>

namespace quarvel {

Shell::Shell(Requesters *ask)
    : ui_(queue_),
      ownRequesters_(ask ? nullptr : std::make_unique<QtRequesters>(ui_, queue_)),
      ask_(ask ? *ask : *ownRequesters_),
      frontEnd_(queue_, [this](const DesktopRequest &request) { return run_.PerformRequest(request); }),
      commands_(project_, ask_, frontEnd_),
      icons_(LoadIcons()),
      main_(ui_, ask_, project_, settings_, commands_, icons_),
      options_(ui_, project_, commands_, icons_[IconGenerate]),
      about_(ui_, ask_, icons_[IconLicence]),
      userGadgets_(ui_, ask_, settings_, frontEnd_),
      changes_(ui_),
      facts_(tables_),
      run_(ui_, ask_, project_, tables_, frontEnd_, commands_, [this](int timeoutMs) { HandleNextEvent(timeoutMs); })
{
    Connect();
    // A message box must not hold up a running generation.
    queue_.isUrgent = [](const Event &e) { return e.kind == EventKind::Gadget && e.number == CommandButton; };
    queue_.urgentHandler = [this](const Event &e) { DispatchEvent(e); };
}

Shell::~Shell()
{
    // A worker may be waiting for an answer: keep answering until it has ended. An open bind
    // dialog would wait for the user forever, so it cancels the run.
    while (run_.Running()) {
        if (BindDialogWindow *dialog = run_.bindDialog())
            dialog->CloseBox();
        HandleNextEvent(50);
    }
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

    const auto enableMain = [this] { EnableMainWindow(); };
    QObject::connect(&main_, &MainView::optionsRequested, &main_, [this] {
        options_.Open();
        EnableMainWindow();
    });
    QObject::connect(&main_, &MainView::infoRequested, &about_, &AboutView::ShowInfo);
    QObject::connect(&main_, &MainView::licenceRequested, &main_, [this] {
        about_.OpenLicence();
        EnableMainWindow();
    });
    QObject::connect(&main_, &MainView::userGadgetsRequested, &main_, [this] {
        userGadgets_.Open();
        EnableMainWindow();
    });
    QObject::connect(&main_, &MainView::changesRequested, &main_, [this] { changes_.Show(run_.changes()); });

    QObject::connect(&options_, &OptionsView::startClicked, &run_, &DesktopRun::Launch);
    // Escape closes the options window at once, past the event loop, and may take back a change.
    QObject::connect(&options_, &OptionsView::closed, &main_, [this] {
        EnableMainWindow();
        main_.RefreshTitle();
    });
    QObject::connect(&about_, &AboutView::licenceClosed, &main_, enableMain);
    QObject::connect(&userGadgets_, &UserGadgetDialog::closed, &main_, enableMain);

    QObject::connect(&run_, &DesktopRun::starting, &main_, &MainView::RunStarting);
    QObject::connect(&run_, &DesktopRun::runningChanged, &main_, &MainView::SetRunning);
    QObject::connect(&run_, &DesktopRun::runningChanged, &options_, &OptionsView::SetRunning);
    QObject::connect(&run_, &DesktopRun::begun, &options_, &OptionsView::Close);
    QObject::connect(&run_, &DesktopRun::begun, &main_, enableMain);
    QObject::connect(&run_, &DesktopRun::logLine, &main_, &MainView::AppendLog);
    QObject::connect(&run_, &DesktopRun::logCleared, &main_, &MainView::ClearLog);
    QObject::connect(&run_, &DesktopRun::logCleared, &main_, [this] {
        if (changes_.IsOpen())
            changes_.Show(run_.changes());
    });
    QObject::connect(&run_, &DesktopRun::dialogChanged, &main_, enableMain);
    QObject::connect(&run_, &DesktopRun::ended, &main_, &MainView::RunEnded);

    QObject::connect(&run_, &DesktopRun::starting, &facts_, &FactsRun::Drop);
    QObject::connect(&run_, &DesktopRun::ended, &projectView_, [this](const std::optional<RunResult> &result) {
        if (result && (result->outcome == RunOutcome::Ready || !result->objects.isEmpty()))
            projectView_.Show(result->objects, run_.changes().projectDirectory);
    });
    QObject::connect(&main_, &MainView::projectViewRequested, &projectView_, &ProjectView::Reveal);
    QObject::connect(&main_, &MainView::regenerateOnSaveChanged, &saveWatch_,
                     [this](bool on) { saveWatch_.SetEnabled(on, project_); });
    QObject::connect(&saveWatch_, &SaveWatch::saved, &main_, [this](const QStringList &paths) { SourcesSaved(paths); });
    QObject::connect(&run_, &DesktopRun::ended, &saveWatch_, [this](const std::optional<RunResult> &result) {
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
    });
    QObject::connect(&facts_, &FactsRun::factsReady, &projectView_, &ProjectView::Show);
    QObject::connect(&projectView_, &ProjectView::openRequested, &main_,
                     [this](const QString &path, int line) { main_.openInEditor(path, line); });
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
                QStringLiteral("The project file changed on disk; save or load the project to regenerate."), 8000);
            return;
        }
        commands_.OpenProjectFile(projectFile);
    }
    main_.statusBar()->showMessage(QStringLiteral("Regenerating: %1 saved").arg(QFileInfo(paths.first()).fileName()),
                                   5000);
    run_.Launch();
}

void Shell::RefreshFacts()
{
    saveWatch_.Follow(project_);
    if (!project_.ProjectNamed) {
        facts_.Drop();
        projectView_.Clear();
    } else if (!run_.Running()) {
        facts_.Start(project_);
    }
}

bool Shell::StartUp(const QStringList &arguments)
{
    commands_.QuitRequested = false;
    if (!main_.Open())
        return false;
    projectView_.Attach(ui_.Window(MainWindow));
    for (const FileResult &failure : LoadSettings(settings_, project_, tables_, arguments))
        ReportFailure(frontEnd_, failure);
    RefreshFacts();
    main_.Show();
    saveWatch_.SetEnabled(settings_.RegenerateOnSave, project_);
    return true;
}

void Shell::RunEventLoop()
{
    while (!commands_.QuitRequested)
        HandleNextEvent();
    main_.StoreWindowMemory();
    SaveSettingsAtExit(settings_, project_);
}

bool Shell::HandleNextEvent(int timeoutMs)
{
    const Event event = queue_.WaitWindowEvent(timeoutMs);
    if (event.kind == EventKind::None)
        return false;
    DispatchEvent(event);
    return true;
}

void Shell::DispatchEvent(const Event &event)
{
    switch (event.kind) {
    case EventKind::Menu: main_.MenuCommand(event.number); break;
    case EventKind::Gadget: GadgetDispatcher(event.window, event.number, event.type, event.payload); break;
    case EventKind::SizeWindow: SizeDispatcher(event.window); break;
    case EventKind::CloseWindow: CloseDispatcher(event.window); break;
    case EventKind::None: break;
    }
    // During a run the worker owns the project state; the title catches up when it ends.
    if (!GenerationRunning())
        main_.RefreshTitle();
}

void Shell::GadgetDispatcher(int window, int gadget, int type, const std::any &payload)
{
    // The worker's requests travel as events of the main window's hidden button.
    if (window == MainWindow && gadget == CommandButton)
        run_.HandleRequest(payload);
    else if (WindowEvents *events = WindowOf(window))
        events->GadgetEvent(gadget, type);
}

void Shell::SizeDispatcher(int window)
{
    if (WindowEvents *events = WindowOf(window))
        events->Resized();
}

void Shell::CloseDispatcher(int window)
{
    if (WindowEvents *events = WindowOf(window))
        events->CloseBox();
}

WindowEvents *Shell::WindowOf(int number)
{
    if (!ui_.IsWindow(number))
        return nullptr;
    switch (number) {
    case MainWindow: return &main_;
    case OptionsWindow: return &options_;
    case BindWindow: return run_.bindDialog();
    case UserGadgetWindow: return &userGadgets_;
    case LicenceWindow: return &about_;
    case ChangesWindow: return &changes_;
    default: return nullptr;
    }
}

void Shell::EnableMainWindow()
{
    const bool covered = options_.IsOpen() || about_.LicenceOpen() || userGadgets_.IsOpen() || run_.bindDialog();
    ui_.DisableWindow(MainWindow, covered);
}

} // namespace quarvel
