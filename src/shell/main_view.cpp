#include "shell/main_view.h"

#include "base/version.h"
#include "model/project_file.h"
#include "project/editor_command.h"
#include "project/project_commands.h"
#include "project/settings.h"
#include "shell/command_table.h"
#include "shell/dialogs/window_numbers.h"
#include "shell/log_lines.h"
#include "shell/log_view.h"
#include "shell/theme_colours.h"
#include "ui/toolkit.h"
#include "ui/window_placement.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <initializer_list>

namespace quarvel {

namespace {

// The toolbar's buttons, a separator before each group.
const std::initializer_list<std::initializer_list<int>> ToolBarGroups = {
    {CommandProjectNew, CommandProjectLoad, CommandProjectSave},
    {CommandCommonAdd, CommandCommonDelete, CommandCommonFirst},
    {CommandStartGenerate},
    {CommandChanges},
};

// A list under a one-line caption, as one part of the splitter; the caption's first words
// name the list for assistive tools.
QWidget *Captioned(const QString &caption, const QString &name, QWidget *list)
{
    list->setAccessibleName(name);
    auto *part = new QWidget;
    auto *layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);
    auto *label = new QLabel(caption, part);
    label->setContentsMargins(4, 0, 0, 0);
    label->setBuddy(list);
    layout->addWidget(label);
    layout->addWidget(list);
    return part;
}

// The divider between the two lists: a thin line in the theme's mid colour. Drawn here rather
// than by a style sheet, which would keep the lists below it from following a change of theme.
class DividerHandle : public QSplitterHandle {
public:
    using QSplitterHandle::QSplitterHandle;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(0, 2, width(), 2);
    }
};

class DividedSplitter : public QSplitter {
public:
    using QSplitter::QSplitter;

protected:
    QSplitterHandle *createHandle() override { return new DividerHandle(orientation(), this); }
};

// Return (or Enter) on a widget calls pressed, and the key goes no further.
class ReturnKeyFilter : public QObject {
public:
    ReturnKeyFilter(QWidget *target, std::function<void()> pressed) : QObject(target), pressed_(std::move(pressed))
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                pressed_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> pressed_;
};

// Hands the local files dropped on a widget over.
class FileDropTarget : public QObject {
public:
    FileDropTarget(QWidget *target, std::function<void(const QStringList &)> dropped)
        : QObject(target),
          dropped_(std::move(dropped))
    {
        target->setAcceptDrops(true);
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto *drag = static_cast<QDropEvent *>(event);
            if (!LocalFiles(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto *drop = static_cast<QDropEvent *>(event);
            drop->acceptProposedAction();
            dropped_(LocalFiles(drop->mimeData()));
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static QStringList LocalFiles(const QMimeData *data)
    {
        QStringList paths;
        for (const QUrl &url : data->urls()) {
            if (url.isLocalFile())
                paths << url.toLocalFile();
        }
        return paths;
    }

    std::function<void(const QStringList &)> dropped_;
};

bool IsSourceFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("pb") || suffix == QLatin1String("pbi") || suffix == QLatin1String("pbf");
}

QStringList ItemTexts(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; list && row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

} // namespace

MainView::MainView(Toolkit &ui, Requesters &ask, ProjectState &project, ProgramSettings &settings,
                   ProjectCommands &commands, const IconSet &icons)
    : ui_(ui),
      ask_(ask),
      project_(project),
      settings_(settings),
      commands_(commands),
      icons_(icons)
{
    openInEditor = [this](const QString &path, int line) { OpenInEditor(path, line); };
    openUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
}

bool MainView::Open()
{
    ToolkitWindow *window = ui_.OpenWindow(MainWindow, 800, 600, VersionTitle(),
                                           WindowSystemMenu | WindowMinimize | WindowMaximize | WindowSizeable);
    if (!window)
        return false;
    window->setWindowIcon(icons_[IconGenerate]);
    // The generation worker's requests arrive as events of this hidden button.
    auto *command = ui_.ButtonGadget(CommandButton, MainWindow, QRect(0, 0, 0, 0), QStringLiteral("CMD"));
    command->setEnabled(false);
    command->hide();
    CreateMenus();
    CreateStatusFields();
    CreateMainGadgets();
    CreateToolBar();
    NameOverflowButtons();
    AddShortcuts();
    return true;
}

// The buttons that a narrow window shows for the menus and toolbar buttons it has no room for.
void MainView::NameOverflowButtons()
{
    ToolkitWindow *window = ui_.Window(MainWindow);
    if (auto *more = window->menuBar()->findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button")))
        more->setAccessibleName(QStringLiteral("More menus"));
    if (auto *more = toolBar_->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("More toolbar buttons"));
}

void MainView::Show()
{
    regenerateOnSave_->setChecked(settings_.RegenerateOnSave);
    ShowCommonFiles();
    ShowProjectFile(project_.ProjectFile);
    RememberProject();
    RebuildRecentMenu();
    RefreshTitle();
    AcceptDrops();
    RestoreWindowMemory();
    ui_.Window(MainWindow)->show();
    Resized();
    const int divider = settings_.Divider > 0 ? settings_.Divider : 100;
    const QList<int> sizes = splitter_->sizes();
    splitter_->setSizes({divider, qMax(0, sizes.value(0) + sizes.value(1) - divider)});
}

void MainView::CreateStatusFields()
{
    ToolkitWindow *window = ui_.Window(MainWindow);
    statusField_ = new QLabel(window);
    statusField_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long project path must not set a minimum width for the whole window.
    statusField_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusField_->setMinimumWidth(1);
    window->statusBar()->addWidget(statusField_, 1);
    summaryField_ = new QLabel(window);
    summaryField_->setTextFormat(Qt::RichText);
    QObject::connect(summaryField_, &QLabel::linkActivated, this, [this] { ShowFirstFinding(); });
    window->statusBar()->addPermanentWidget(summaryField_);
}

void MainView::CreateMenus()
{
    QMenuBar *bar = ui_.Window(MainWindow)->menuBar();
    CreateFileMenu(bar->addMenu(QStringLiteral("&File")));
    AddMenuItem(bar->addMenu(QStringLiteral("&Edit")), CommandUndo);
    CreateActionMenu(bar->addMenu(QStringLiteral("&Action")));
    QMenu *help = bar->addMenu(QStringLiteral("&?"));
    AddMenuItem(help, CommandInfo);
    AddMenuItem(help, CommandLicence);
#ifdef Q_OS_MACOS
    AddApplicationMenuEntries(help);
#endif
}

QAction *MainView::AddMenuItem(QMenu *menu, int command)
{
    const CommandEntry &entry = *FindCommand(command);
    QAction *action = ui_.MenuItem(menu, MainWindow, command, QString::fromUtf8(entry.text), icons_[entry.icon]);
    if (entry.touchesProject)
        projectActions_ << action;
    return action;
}

void MainView::CreateFileMenu(QMenu *file)
{
    AddMenuItem(file, CommandProjectNew);
    file->addSeparator();
    AddMenuItem(file, CommandProjectLoad);
    AddMenuItem(file, CommandProjectSave);
    AddMenuItem(file, CommandProjectSaveAs);
    file->addSeparator();
    recentMenu_ = file->addMenu(icons_[IconLoad], QStringLiteral("&Recent Projects"));
    AddMenuItem(file, CommandOpenProjectFolder);
    file->addSeparator();
    QMenu *preferences = file->addMenu(icons_[IconUserGadget], QStringLiteral("&Preferences"));
    AddMenuItem(preferences, CommandUserGadget);
    AddMenuItem(preferences, CommandEditor);
    file->addSeparator();
    AddMenuItem(file, CommandExit);
}

void MainView::CreateActionMenu(QMenu *action)
{
    AddMenuItem(action, CommandCommonAdd);
    action->addSeparator();
    AddMenuItem(action, CommandCommonDelete);
    AddMenuItem(action, CommandCommonFirst);
    action->addSeparator();
    AddMenuItem(action, CommandStartGenerate);
    regenerateOnSave_ = AddMenuItem(action, CommandRegenerateOnSave);
    regenerateOnSave_->setCheckable(true);
    AddMenuItem(action, CommandChanges);
    AddMenuItem(action, CommandProjectView);
}

// The application menu's own entries; MenuCommand turns them into the commands they stand for.
void MainView::AddApplicationMenuEntries(QMenu *help)
{
    for (const ApplicationMenuEntry &entry : ApplicationMenuEntries())
        ui_.MenuItem(help, MainWindow, entry.command, QLatin1String(entry.text), QIcon())
            ->setMenuRole(QAction::MenuRole(entry.role));
}

void MainView::CreateToolBar()
{
    toolBar_ = new QToolBar(QStringLiteral("Toolbar"), ui_.Window(MainWindow));
    toolBar_->setObjectName(QStringLiteral("MainToolBar"));
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ui_.Window(MainWindow)->addToolBar(Qt::TopToolBarArea, toolBar_);
    for (const auto &group : ToolBarGroups) {
        toolBar_->addSeparator();
        for (const int command : group) {
            const CommandEntry &entry = *FindCommand(command);
            QAction *button = ui_.ToolBarImageButton(toolBar_, MainWindow, command, icons_[entry.icon],
                                                     QString::fromUtf8(entry.toolTip));
            if (entry.touchesProject)
                projectActions_ << button;
        }
    }
    // Hiding the toolbar from its context menu gives its height to the splitter.
    QObject::connect(toolBar_, &QToolBar::visibilityChanged, this, [this] {
        ui_.queue().Post({EventKind::SizeWindow, MainWindow});
    });
}

void MainView::AddShortcuts()
{
    for (const CommandEntry &entry : Commands()) {
        for (const QKeyCombination key : entry.keys) {
            if (key.key() != Qt::Key_unknown)
                ui_.AddKeyboardShortcut(MainWindow, QKeySequence(key), entry.command);
        }
    }
}

void MainView::CreateMainGadgets()
{
    QListWidget *files = ui_.ListViewGadget(CommonFileListView, MainWindow, QRect(0, 0, 800, 280));
    QListWidget *log = ui_.ListViewGadget(LogList, MainWindow, QRect(0, 280, 800, 280));
    log_ = new LogView(*log);
    // Open File in the log's context menu opens the current line's file, as a double-click does.
    QObject::connect(log_, &LogView::openFileRequested, this,
                     [this] { ui_.queue().PostGadget(MainWindow, LogList, EventLeftDoubleClick); });
    QObject::connect(log_, &LogView::clearRequested, this, [this] {
        if (!running_)
            ClearLog();
    });
    splitter_ = new DividedSplitter(Qt::Vertical, ui_.Window(MainWindow)->centralWidget());
    splitter_->setGeometry(0, 0, 800, 600);
    splitter_->setChildrenCollapsible(false);
    splitter_->setHandleWidth(6);
    splitter_->addWidget(Captioned(QStringLiteral("Common files (drop window sources or a project file here)"),
                                   QStringLiteral("Common files"), files));
    splitter_->addWidget(Captioned(QStringLiteral("Log (double-click a line that names a file to open it)"),
                                   QStringLiteral("Log"), log));
    // Return on a log line opens its file, as a double-click does.
    new ReturnKeyFilter(log, [this] { ui_.queue().PostGadget(MainWindow, LogList, EventLeftDoubleClick); });
    splitter_->setStretchFactor(0, 0); // a resize goes to the log, the divider stays put
    splitter_->setStretchFactor(1, 1);
}

void MainView::MenuCommand(int command)
{
    if (const ApplicationMenuEntry *entry = FindApplicationMenuEntry(command))
        command = entry->runs;
    if (running_ && TouchesProject(command))
        return;
    switch (command) {
    case CommandProjectNew: commands_.NewProject(); break;
    case CommandProjectLoad: commands_.OpenProject(); break;
    case CommandProjectSave: commands_.SaveProjectCommand(); break;
    case CommandProjectSaveAs: commands_.SaveProjectAs(); break;
    case CommandUserGadget: emit userGadgetsRequested(); break;
    case CommandExit: commands_.QuitCommand(); break;
    case CommandCommonAdd: AddCommonFiles(); break;
    case CommandCommonDelete: RemoveCommonFile(); break;
    case CommandCommonFirst: MoveCommonFileFirst(); break;
    case CommandUndo: UndoListEdit(); break;
    case CommandStartGenerate: emit optionsRequested(); break;
    case CommandInfo: emit infoRequested(); break;
    case CommandLicence: emit licenceRequested(); break;
    case CommandChanges: emit changesRequested(); break;
    case CommandProjectView: emit projectViewRequested(); break;
    case CommandRegenerateOnSave:
        // The setting leads: the menu's own check and a command from elsewhere agree.
        settings_.RegenerateOnSave = !settings_.RegenerateOnSave;
        regenerateOnSave_->setChecked(settings_.RegenerateOnSave);
        emit regenerateOnSaveChanged(settings_.RegenerateOnSave);
        break;
    case CommandOpenProjectFolder: OpenProjectFolder(); break;
    case CommandEditor: ChooseEditorCommand(); break;
    default:
        if (command >= CommandRecentProject && command < CommandRecentProject + settings_.RecentProjects.size())
            commands_.OpenProjectFile(settings_.RecentProjects.at(command - CommandRecentProject));
        break;
    }
}

void MainView::GadgetEvent(int gadget, int type)
{
    if (gadget == LogList && type == EventLeftDoubleClick)
        OpenLogLineFile(ui_.ListGadget(LogList)->currentRow());
}

void MainView::Resized()
{
    ToolkitWindow *window = ui_.Window(MainWindow);
    if (!window || !splitter_)
        return;
    // The central area is what the menu, toolbar, status bar and the Project view dock leave.
    splitter_->setGeometry(window->centralWidget()->rect());
}

void MainView::CloseBox()
{
    if (running_) {
        ask_.MessageOk(QStringLiteral("Quarvel"), QStringLiteral("A generation is running. Quit when it has ended."));
        return;
    }
    commands_.QuitCommand();
}

void MainView::SetRunning(bool running)
{
    running_ = running;
    for (QAction *action : std::as_const(projectActions_))
        action->setEnabled(!running);
    if (log_)
        log_->SetRunning(running);
    RebuildRecentMenu();
}

// Recent projects are loaded like Project Load, so they wait while a run goes on.
void MainView::RebuildRecentMenu()
{
    if (!recentMenu_)
        return;
    recentMenu_->clear();
    for (int slot = 0; slot < settings_.RecentProjects.size(); ++slot) {
        const QString &path = settings_.RecentProjects[slot];
        QAction *action = ui_.MenuItem(recentMenu_, MainWindow, CommandRecentProject + slot,
                                       QStringLiteral("&%1 %2").arg(slot + 1).arg(path), QIcon());
        action->setEnabled(!running_);
    }
    recentMenu_->setEnabled(!settings_.RecentProjects.isEmpty());
}

void MainView::RememberProject()
{
    if (!project_.ProjectNamed)
        return;
    RememberRecentProject(settings_, project_.ProjectFile);
    RebuildRecentMenu();
}

void MainView::RefreshTitle()
{
    ToolkitWindow *window = ui_.Window(MainWindow);
    if (!window)
        return;
    const QString name = QFileInfo(project_.ProjectFile).fileName();
    window->setWindowTitle(VersionTitle() + QStringLiteral(" - ") + name + QStringLiteral("[*]"));
    window->setWindowModified(!project_.ProjectSaved);
}

void MainView::ShowProjectFile(const QString &projectFile)
{
    if (statusField_) {
        statusField_->setText(projectFile);
        statusField_->setToolTip(projectFile);
    }
}

// Another project, or the same one's files under new paths: the edits before it are not undone.
void MainView::ShowCommonFiles()
{
    listEdits_.clear();
    ListCommonFiles();
}

void MainView::ListCommonFiles()
{
    QListWidget *list = ui_.ListGadget(CommonFileListView);
    if (!list)
        return;
    list->clear();
    list->addItems(project_.CommonFiles);
}

void MainView::RememberListEdit()
{
    if (listEdits_.size() == MaxListEdits)
        listEdits_.removeFirst();
    listEdits_.append({project_.CommonFiles, project_.ProjectSaved});
}

// The list as it was before its last edit. The project is unsaved again, unless it was saved
// then and has not been since.
void MainView::UndoListEdit()
{
    if (listEdits_.isEmpty())
        return;
    const ListEdit before = listEdits_.takeLast();
    project_.CommonFiles = before.files;
    project_.ProjectSaved = !project_.ProjectSaved && before.saved;
    ListCommonFiles();
}

void MainView::AddCommonFiles()
{
    const QStringList chosen = ask_.OpenFiles(QStringLiteral("Commonfile"), project_.DialogFolder(),
                                              QStringLiteral("Common|*.pb*|Alle Dateien|*.*"), true);
    if (chosen.isEmpty())
        return;
    project_.LastPath = PathPart(chosen.first());
    AppendCommonFiles(chosen);
}

// A file already listed is not listed again, however its path is written: a run would find
// each of its objects twice.
void MainView::AppendCommonFiles(const QStringList &paths)
{
    QStringList entries;
    for (const QString &path : paths)
        entries << AsProjectPath(path);
    const QStringList added = NewCommonFiles(project_.ProjectDirectory(), project_.CommonFiles, entries);
    if (added.isEmpty())
        return;
    RememberListEdit();
    project_.ProjectSaved = false;
    project_.CommonFiles << added;
    ui_.ListGadget(CommonFileListView)->addItems(added);
}

void MainView::RemoveCommonFile()
{
    QListWidget *list = ui_.ListGadget(CommonFileListView);
    const int selected = list->currentRow();
    if (selected < 0 || !list->item(selected)->isSelected())
        return;
    RememberListEdit();
    delete list->takeItem(selected);
    project_.CommonFiles.removeAt(selected);
    list->clearSelection();
    project_.ProjectSaved = false;
}

void MainView::MoveCommonFileFirst()
{
    QListWidget *list = ui_.ListGadget(CommonFileListView);
    const int selected = list->currentRow();
    if (selected < 0 || !list->item(selected)->isSelected())
        return;
    RememberListEdit();
    list->insertItem(0, list->takeItem(selected));
    project_.CommonFiles.move(selected, 0);
    list->setCurrentRow(0);
    project_.ProjectSaved = false;
}

void MainView::AcceptDrops()
{
    if (QListWidget *files = ui_.ListGadget(CommonFileListView))
        new FileDropTarget(files->viewport(), [this](const QStringList &paths) { DropFiles(paths); });
}

void MainView::DropFiles(const QStringList &paths)
{
    if (running_)
        return;
    for (const QString &path : paths) {
        if (QFileInfo(path).suffix().compare(QLatin1String("pbm"), Qt::CaseInsensitive) == 0) {
            commands_.OpenProjectFile(path);
            return;
        }
    }
    QStringList sources;
    for (const QString &path : paths) {
        if (IsSourceFile(path) && QFileInfo(path).isFile())
            sources << path;
    }
    AppendCommonFiles(sources);
    RefreshTitle(); // a drop comes from the widget, not through the event loop
}

// A file beside or below a named project's file is listed relative to it, as the project
// files written by hand are; anything else keeps its full path.
QString MainView::AsProjectPath(const QString &path) const
{
    return project_.ProjectNamed ? ProjectFilePath(project_.ProjectDirectory(), path) : path;
}

void MainView::RestoreWindowMemory()
{
    if (settings_.WindowGeometry.isEmpty())
        return;
    ToolkitWindow *window = ui_.Window(MainWindow);
    window->restoreGeometry(QByteArray::fromBase64(settings_.WindowGeometry.toLatin1()));
    KeepOnScreen(*window);
}

void MainView::StoreWindowMemory()
{
    if (ToolkitWindow *window = ui_.Window(MainWindow))
        settings_.WindowGeometry = QString::fromLatin1(window->saveGeometry().toBase64());
    if (splitter_)
        settings_.Divider = splitter_->sizes().value(0);
}

QString MainView::EditorCommand() const
{
    return settings_.EditorCommand.isEmpty() ? DefaultEditorCommand() : settings_.EditorCommand;
}

// The editor's command line, else the desktop's application for the file; when neither opens
// it the user learns why and where to set the editor.
void MainView::OpenInEditor(const QString &path, int line)
{
    const bool folder = QFileInfo(path).isDir();
    const QString command = folder ? QString() : EditorCommand();
    QStringList parts = EditorCommandLine(command, path, line);
    if (!parts.isEmpty() && QProcess::startDetached(parts.takeFirst(), parts))
        return;
    if (openUrl(QUrl::fromLocalFile(path)))
        return;
    const QString shown = QDir::toNativeSeparators(path);
    if (folder) {
        ask_.MessageOk(QStringLiteral("Quarvel"),
                       QStringLiteral("Cannot open %1.\n\nThe desktop has no application for folders.").arg(shown));
        return;
    }
    const QString why = command.isEmpty()
                            ? QStringLiteral("No editor is set and none of the known editors is installed, and the "
                                             "desktop has no application for this file.")
                            : QStringLiteral("The editor command \"%1\" could not be started, and the desktop has no "
                                             "application for this file.")
                                  .arg(command);
    ask_.MessageOk(QStringLiteral("Quarvel"), QStringLiteral("Cannot open %1.\n\n%2\nSet your editor's command in "
                                                             "File > Preferences > Editor.")
                                                  .arg(shown, why));
}

// The command shown is the one in force, the found editor's when none is set.
void MainView::ChooseEditorCommand()
{
    const QString chosen = ask_.InputText(
        QStringLiteral("Editor"),
        QStringLiteral("The command that opens a file in your editor; %f stands for the file, %l for the line:"),
        EditorCommand());
    if (!chosen.trimmed().isEmpty())
        settings_.EditorCommand = chosen.trimmed();
}

void MainView::OpenLogLineFile(int row)
{
    QListWidget *log = ui_.ListGadget(LogList);
    if (!log || row < 0 || row >= log->count())
        return;
    const QListWidgetItem &item = *log->item(row);
    const QString named = FileOf(item);
    if (named.isEmpty())
        return;
    const QString path = QFileInfo(named).isRelative() ? PathPart(project_.ProjectFile) + named : named;
    if (!QFileInfo(path).isFile()) {
        statusBar()->showMessage(QStringLiteral("File not found: ") + path, 5000);
        return;
    }
    openInEditor(path, LineOf(item));
}

void MainView::OpenProjectFolder()
{
    if (project_.ProjectNamed)
        openInEditor(QFileInfo(project_.ProjectFile).absolutePath(), 0);
}

void MainView::RunStarting()
{
    if (QListWidget *log = ui_.ListGadget(LogList)) {
        log_->BeginRun();
        firstRunLine_ = log->count();
    }
    summaryField_->setText(QStringLiteral("Running…"));
    ShowSummaryColour(std::nullopt);
}

void MainView::AppendLog(const LogEntry &entry)
{
    QListWidget *log = ui_.ListGadget(LogList);
    if (!log)
        return;
    log_->Append(entry);
    log->setCurrentRow(log->count() - 1); // brings the new line into view
    log->scrollToBottom();
    log->clearSelection();
}

void MainView::ClearLog()
{
    firstRunLine_ = 0;
    if (log_)
        log_->Clear();
    summaryField_->clear();
    ShowSummaryColour(std::nullopt);
}

void MainView::RunEnded(const std::optional<RunResult> &result)
{
    RefreshTitle();
    if (!result) {
        summaryField_->setText(QStringLiteral("Stopped"));
        return;
    }
    // With errors, warnings or findings the summary is a link to the first of them in the log,
    // in the summary's colour: a link's own colour would not follow it.
    const QString summary = RunSummaryText(*result);
    const bool notes = result->warnings || !result->findings.isEmpty();
    ShowSummaryColour(result->errors ? std::optional(ThemeRole::Error)
                      : notes        ? std::optional(ThemeRole::Warning)
                                     : std::nullopt);
    const QString colour = summaryField_->palette().color(QPalette::WindowText).name();
    summaryField_->setText(
        result->errors || notes
            ? QStringLiteral("<a href=\"#first\" style=\"color: %1\">%2</a>").arg(colour, summary.toHtmlEscaped())
            : summary);
}

// The summary's colour reads on the status bar's background, whatever the theme.
void MainView::ShowSummaryColour(std::optional<ThemeRole> role)
{
    QPalette own; // only the text colour is its own; the rest follows the theme
    if (role)
        own.setColor(QPalette::WindowText, ThemeColour(summaryField_->palette(), *role, QPalette::Window));
    summaryField_->setPalette(own);
    QFont font = summaryField_->font();
    font.setBold(role == ThemeRole::Error);
    summaryField_->setFont(font);
}

void MainView::ShowFirstFinding()
{
    QListWidget *log = ui_.ListGadget(LogList);
    for (int row = qMax(0, firstRunLine_); log && row < log->count(); ++row) {
        if (const LogKind kind = KindOf(*log->item(row));
            kind == LogKind::Error || kind == LogKind::Warning || kind == LogKind::Finding) {
            log->setCurrentRow(row);
            log->scrollToItem(log->item(row), QAbstractItemView::PositionAtCenter);
            return;
        }
    }
}

QStatusBar *MainView::statusBar() const
{
    ToolkitWindow *window = ui_.Window(MainWindow);
    return window ? window->statusBar() : nullptr;
}

QString MainView::StatusText() const
{
    return statusField_ ? statusField_->text() : QString();
}

QString MainView::SummaryText() const
{
    return summaryField_ ? summaryField_->text() : QString();
}

QStringList MainView::LogLines() const
{
    return log_ ? log_->Lines() : QStringList();
}

QStringList MainView::CommonFileItems() const
{
    return ItemTexts(ui_.ListGadget(CommonFileListView));
}

} // namespace quarvel
