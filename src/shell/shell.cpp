#include "shell/shell.h"

#include "model/generation_context.h"
#include "shell/command_numbers.h"
#include "shell/dialogs/window_numbers.h"
#include "ui/qt_requesters.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QThread>

namespace quarvel {

Shell::Shell(Requesters *ask)
    : ui_(queue_),
      ownRequesters_(ask ? nullptr : std::make_unique<QtRequesters>(ui_, queue_)),
      ask_(ask ? *ask : *ownRequesters_),
      frontEnd_(queue_, [this](const DesktopRequest &request) { return PerformRequest(request); }),
      commands_(project_, ask_, frontEnd_)
{
    commands_.showProjectFile = [this](const QString &file) {
        ShowProjectFile(file);
        RememberProject();
        RefreshTitle();
    };
    openInEditor = [this](const QString &path, int line) { OpenInEditor(path, line); };
    commands_.showCommonFiles = [this] { ShowCommonFiles(); };
    // A message box must not hold up a running generation.
    queue_.isUrgent = [](const Event &e) { return e.kind == EventKind::Gadget && e.number == CommandButton; };
    queue_.urgentHandler = [this](const Event &e) { DispatchEvent(e); };
}

Shell::~Shell()
{
    // A worker may be waiting for an answer: keep answering until it has ended. An open bind
    // dialog would wait for the user forever, so it cancels the run.
    while (worker_) {
        if (bindDialog_)
            bindDialog_->CloseBox();
        HandleNextEvent(50);
    }
    bindDialog_.reset();
    userGadgets_.reset();
}

bool Shell::StartUp(const QStringList &arguments)
{
    BuildInfoText();
    LoadIcons();
    commands_.QuitRequested = false;
    if (!OpenMainWindow())
        return false;
    ui_.AddKeyboardShortcut(MainWindow, QKeySequence(Qt::CTRL | Qt::Key_N), CommandProjectNew);
    ui_.AddKeyboardShortcut(MainWindow, QKeySequence(Qt::CTRL | Qt::Key_L), CommandProjectLoad);
    ui_.AddKeyboardShortcut(MainWindow, QKeySequence(Qt::CTRL | Qt::Key_S), CommandProjectSave);
    ui_.AddKeyboardShortcut(MainWindow, QKeySequence(Qt::CTRL | Qt::Key_D), CommandChanges);

    for (const FileResult &failure : LoadSettings(settings_, project_, tables_, arguments))
        ReportFailure(frontEnd_, failure);
    ShowCommonFiles();
    ShowProjectFile(project_.ProjectFile);
    RememberProject();
    RebuildRecentMenu();
    RefreshTitle();
    AcceptDrops();
    RestoreWindowMemory();
    ui_.Window(MainWindow)->show();
    LayoutMainWindow();
    const int divider = settings_.Divider > 0 ? settings_.Divider : 100;
    const QList<int> sizes = splitter_->sizes();
    splitter_->setSizes({divider, qMax(0, sizes.value(0) + sizes.value(1) - divider)});
    return true;
}

void Shell::RunEventLoop()
{
    while (!commands_.QuitRequested)
        HandleNextEvent();
    StoreWindowMemory();
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
    case EventKind::Menu:
        // The application menu's entries run the commands of the same meaning.
        if (event.number == CommandAppAbout)
            queue_.PostMenu(MainWindow, CommandInfo);
        else if (event.number == CommandAppPreferences)
            queue_.PostMenu(MainWindow, CommandUserGadget);
        else if (event.number == CommandAppQuit)
            queue_.PostMenu(MainWindow, CommandExit);
        MenuDispatcher(event.number);
        break;
    case EventKind::Gadget:
        GadgetDispatcher(event.number, event.type, event.payload);
        break;
    case EventKind::SizeWindow:
        SizeDispatcher(event.window);
        break;
    case EventKind::CloseWindow:
        CloseDispatcher(event.window);
        break;
    case EventKind::None:
        break;
    }
    // During a run the worker owns the project state; the title catches up when it ends.
    if (!GenerationRunning())
        RefreshTitle();
}

bool Shell::CommandAllowed(int command) const
{
    return !GenerationRunning() || !TouchesProject(command);
}

void Shell::MenuDispatcher(int command)
{
    if (!CommandAllowed(command))
        return;
    switch (command) {
    case CommandProjectNew: commands_.NewProject(); break;
    case CommandProjectLoad: commands_.OpenProject(); break;
    case CommandProjectSave: commands_.SaveProjectCommand(); break;
    case CommandProjectSaveAs: commands_.SaveProjectAs(); break;
    case CommandUserGadget: OpenUserGadgetWindow(); break;
    case CommandExit: commands_.QuitCommand(); break;
    case CommandCommonAdd: AddCommonFiles(); break;
    case CommandCommonDelete: RemoveCommonFile(); break;
    case CommandCommonFirst: MoveCommonFileFirst(); break;
    case CommandStartGenerate: OpenOptions(); break;
    case CommandInfo: ShowInfo(); break;
    case CommandLicence: OpenLicenceWindow(); break;
    case CommandChanges: OpenChangesWindow(); break;
    case CommandOpenProjectFolder: OpenProjectFolder(); break;
    default:
        if (command >= CommandRecentProject && command < CommandRecentProject + settings_.RecentProjects.size())
            commands_.OpenProjectFile(settings_.RecentProjects.at(command - CommandRecentProject));
        break;
    }
}

void Shell::GadgetDispatcher(int gadget, int type, const std::any &payload)
{
    switch (gadget) {
    case CommandButton:
        HandleRequest(payload);
        break;
    case ParendBox:
    case PBIgnoreBox:
    case MultilangBox:
    case ImageIncludeBox:
    case ImageNullBox:
    case UseCallFastBox:
    case Utf8Box:
        if (type == EventLeftClick)
            SwitchClicked(gadget);
        break;
    case LogList:
        if (type == EventLeftDoubleClick)
            OpenLogLineFile(ui_.ListGadget(LogList)->currentRow());
        break;
    case StartButton:
        if (type == EventLeftClick && ui_.IsWindow(OptionsWindow))
            LaunchGenerationWorker();
        break;
    default:
        if ((gadget >= OldEntryList && gadget <= ContinueButton) || gadget == BindSuggestedButton)
            BindDialogGadget(gadget, type);
        else if (gadget >= UserGadgetList && gadget <= UserGadgetOk)
            UserGadgetWindowGadget(gadget, type);
        break;
    }
}

void Shell::BindDialogGadget(int gadget, int type)
{
    if (bindDialog_)
        bindDialog_->GadgetEvent(gadget, type);
}

void Shell::UserGadgetWindowGadget(int gadget, int type)
{
    // Ok closes the window once the list is saved.
    if (userGadgets_ && userGadgets_->GadgetEvent(gadget, type)) {
        userGadgets_.reset();
        EnableMainWindow();
    }
}

void Shell::SwitchClicked(int gadget)
{
    // A click still queued when the run took the options window away changes nothing.
    if (!ui_.IsWindow(OptionsWindow) || GenerationRunning())
        return;
    Switches &s = project_.switches;
    const int state = ui_.GetGadgetState(gadget);
    switch (gadget) {
    case ParendBox: s.Parend = state; break;
    case PBIgnoreBox: s.PB_Ignore = state; break;
    case MultilangBox: s.Multilang = state; break;
    case ImageIncludeBox:
        s.Image_Include = state;
        if (state) { // images carried in the program and zeroed image gadgets exclude each other
            s.Image_Null = 0;
            ui_.SetGadgetState(ImageNullBox, 0);
        }
        break;
    case ImageNullBox:
        s.Image_Null = state;
        if (state) {
            s.Image_Include = 0;
            ui_.SetGadgetState(ImageIncludeBox, 0);
        }
        break;
    case UseCallFastBox: s.UseCallFast = state; break;
    case Utf8Box: s.Utf8 = state; break;
    }
    ProjectEdited();
}

void Shell::SizeDispatcher(int window)
{
    if (window == MainWindow)
        LayoutMainWindow();
    else if (window == BindWindow && bindDialog_)
        bindDialog_->Relayout();
    else if (window == LicenceWindow && ui_.IsWindow(LicenceWindow))
        ui_.Gadget(LicenceList)->setGeometry(QRect(QPoint(0, 0), ui_.Window(LicenceWindow)->centralWidget()->size()));
}

void Shell::CloseDispatcher(int window)
{
    switch (window) {
    case MainWindow:
        if (GenerationRunning()) {
            ask_.MessageOk(QStringLiteral("Quarvel"),
                           QStringLiteral("A generation is running. Quit when it has ended."));
            break;
        }
        commands_.QuitCommand();
        break;
    case OptionsWindow:
    case LicenceWindow:
        ui_.DisableWindow(MainWindow, false);
        ui_.CloseWindow(window);
        break;
    case UserGadgetWindow:
        userGadgets_.reset(); // the edits are thrown away
        EnableMainWindow();
        break;
    case ChangesWindow:
        changesView_.reset();
        ui_.CloseWindow(window);
        break;
    case BindWindow:
        if (bindDialog_)
            bindDialog_->CloseBox();
        break;
    default:
        break;
    }
}

void Shell::AddCommonFiles()
{
    const QStringList chosen = ask_.OpenFiles(QStringLiteral("Commonfile"), project_.LastPath,
                                              QStringLiteral("Common|*.pb*|Alle Dateien|*.*"), true);
    if (chosen.isEmpty())
        return;
    project_.LastPath = PathPart(chosen.first());
    ProjectEdited();
    QStringList listed;
    for (const QString &path : chosen)
        listed << AsProjectPath(path);
    project_.CommonFiles << listed; // duplicates are the user's choice
    ui_.ListGadget(CommonFileListView)->addItems(listed);
}

void Shell::RemoveCommonFile()
{
    QListWidget *list = ui_.ListGadget(CommonFileListView);
    const int selected = list->currentRow();
    if (selected < 0 || !list->item(selected)->isSelected())
        return;
    delete list->takeItem(selected);
    project_.CommonFiles.removeAt(selected);
    list->clearSelection();
    ProjectEdited();
}

void Shell::MoveCommonFileFirst()
{
    QListWidget *list = ui_.ListGadget(CommonFileListView);
    const int selected = list->currentRow();
    if (selected < 0 || !list->item(selected)->isSelected())
        return;
    list->insertItem(0, list->takeItem(selected));
    project_.CommonFiles.move(selected, 0);
    list->setCurrentRow(0);
    ProjectEdited();
}

void Shell::OpenOptions()
{
    if (ui_.IsWindow(OptionsWindow) || !commands_.GenerationGuard())
        return;
    CreateOptionsWindow();
    ui_.DisableWindow(MainWindow, true);
    const Switches &s = project_.switches;
    const int states[][2] = {
        {ParendBox, s.Parend}, {PBIgnoreBox, s.PB_Ignore}, {MultilangBox, s.Multilang},
        {ImageIncludeBox, s.Image_Include}, {ImageNullBox, s.Image_Null},
        {UseCallFastBox, s.UseCallFast}, {Utf8Box, s.Utf8},
    };
    for (const auto &state : states)
        ui_.SetGadgetState(state[0], state[1]);
    ui_.Window(OptionsWindow)->show();
}

// The bind dialog and the user gadget window can be open at once (the UserGadget command is
// open during a run): the main window takes input again only when neither is left.
void Shell::EnableMainWindow()
{
    ui_.DisableWindow(MainWindow, bindDialog_ || userGadgets_);
}

void Shell::OpenUserGadgetWindow()
{
    if (!userGadgets_)
        userGadgets_ = std::make_unique<UserGadgetDialog>(ui_, ask_, settings_, frontEnd_);
}

QString Shell::StatusText() const
{
    return statusField_ ? statusField_->text() : QString();
}

} // namespace quarvel
