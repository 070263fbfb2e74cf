#include "shell/main_view.h"

#include "base/version.h"
#include "model/requesters.h"
#include "project/project_commands.h"
#include "project/settings.h"
#include "shell/log_view.h"
#include "ui/window_placement.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
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
const std::initializer_list<std::initializer_list<Command>> ToolBarGroups = {
    {Command::ProjectNew, Command::ProjectLoad, Command::ProjectSave},
    {Command::CommonAdd, Command::CommonDelete, Command::CommonFirst},
    {Command::StartGenerate},
    {Command::Changes},
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

// The texts of the table that are the program's own are translated; the others stay as given.
QString TableText(const char *text, bool own)
{
    return own ? QCoreApplication::translate("quarvel::MainView", text) : QString::fromUtf8(text);
}

} // namespace

MainView::MainView(Requesters &ask, ProjectState &project, ProgramSettings &settings, ProjectCommands &commands,
                   const IconSet &icons)
    : ask_(ask),
      project_(project),
      settings_(settings),
      commands_(commands),
      icons_(icons)
{
    setObjectName(QStringLiteral("MainWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    openInEditor = [this](const QString &path, int line) { OpenInEditor(path, line); };
    openUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    setWindowTitle(VersionTitle());
    setWindowIcon(icons_[IconGenerate]);
    resize(800, 600);
    CreateMenus();
    CreateStatusFields();
    CreateMainGadgets();
    CreateToolBar();
    NameOverflowButtons();
    AcceptDrops();
}

// The buttons that a narrow window shows for the menus and toolbar buttons it has no room for.
void MainView::NameOverflowButtons()
{
    if (auto *more = menuBar()->findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button")))
        more->setAccessibleName(tr("More menus"));
    if (auto *more = toolBar_->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(tr("More toolbar buttons"));
}

void MainView::ShowWindow()
{
    action(Command::RegenerateOnSave)->setChecked(settings_.RegenerateOnSave);
    ShowCommonFiles();
    ShowProjectFile(project_.ProjectFile);
    RememberProject();
    RebuildRecentMenu();
    RefreshTitle();
    RestoreWindowMemory();
    show();
    const int divider = settings_.Divider > 0 ? settings_.Divider : 100;
    const QList<int> sizes = splitter_->sizes();
    splitter_->setSizes({divider, qMax(0, sizes.value(0) + sizes.value(1) - divider)});
}

void MainView::CreateStatusFields()
{
    statusField_ = new QLabel(this);
    statusField_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long project path must not set a minimum width for the whole window.
    statusField_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusField_->setMinimumWidth(1);
    statusBar()->addWidget(statusField_, 1);
    summaryField_ = new QLabel(this);
    summaryField_->setTextFormat(Qt::RichText);
    connect(summaryField_, &QLabel::linkActivated, this, [this] { ShowFirstFinding(); });
    statusBar()->addPermanentWidget(summaryField_);
}

void MainView::CreateMenus()
{
    for (const CommandEntry &entry : Commands()) {
        auto *item = new QAction(icons_[entry.icon], TableText(entry.text, entry.ownText), this);
        QList<QKeySequence> keys;
        for (const QKeyCombination key : entry.keys) {
            if (key.key() != Qt::Key_unknown)
                keys << QKeySequence(key);
        }
        item->setShortcuts(keys);
        item->setShortcutContext(Qt::WindowShortcut);
        if (entry.toolTip)
            item->setToolTip(TableText(entry.toolTip, entry.ownText));
        connect(item, &QAction::triggered, this, [this, command = entry.command] { RunCommand(command); });
        actions_.insert(entry.command, item);
    }
    // A checked entry shows its check mark, not a faint frame around its icon.
    action(Command::RegenerateOnSave)->setCheckable(true);
    action(Command::RegenerateOnSave)->setIconVisibleInMenu(false);
    QMenuBar *bar = menuBar();
    CreateFileMenu(bar->addMenu(QStringLiteral("&File")));
    AddMenuItem(bar->addMenu(tr("&Edit")), Command::Undo);
    CreateActionMenu(bar->addMenu(QStringLiteral("&Action")));
    QMenu *help = bar->addMenu(QStringLiteral("&?"));
    AddMenuItem(help, Command::Info);
    AddMenuItem(help, Command::Licence);
    CreateApplicationActions(help);
}

QAction *MainView::AddMenuItem(QMenu *menu, Command command)
{
    menu->addAction(action(command));
    return action(command);
}

void MainView::CreateFileMenu(QMenu *file)
{
    AddMenuItem(file, Command::ProjectNew);
    file->addSeparator();
    AddMenuItem(file, Command::ProjectLoad);
    AddMenuItem(file, Command::ProjectSave);
    AddMenuItem(file, Command::ProjectSaveAs);
    file->addSeparator();
    recentMenu_ = file->addMenu(icons_[IconLoad], tr("&Recent Projects"));
    AddMenuItem(file, Command::OpenProjectFolder);
    file->addSeparator();
    QMenu *preferences = file->addMenu(icons_[IconUserGadget], QStringLiteral("&Preferences"));
    AddMenuItem(preferences, Command::UserGadget);
    AddMenuItem(preferences, Command::Editor);
    file->addSeparator();
    AddMenuItem(file, Command::Exit);
}

void MainView::CreateActionMenu(QMenu *menu)
{
    AddMenuItem(menu, Command::CommonAdd);
    menu->addSeparator();
    AddMenuItem(menu, Command::CommonDelete);
    AddMenuItem(menu, Command::CommonFirst);
    menu->addSeparator();
    AddMenuItem(menu, Command::StartGenerate);
    AddMenuItem(menu, Command::RegenerateOnSave);
    AddMenuItem(menu, Command::Changes);
    AddMenuItem(menu, Command::ProjectView);
}

// The application menu's own entries, which run the commands they stand for. Only a platform
// with such a menu shows them.
void MainView::CreateApplicationActions(QMenu *help)
{
    for (const ApplicationMenuEntry &entry : ApplicationMenuEntries()) {
        auto *item = new QAction(TableText(entry.text, true), this);
        item->setMenuRole(QAction::MenuRole(entry.role));
        connect(item, &QAction::triggered, this, [this, runs = entry.runs] { RunCommand(runs); });
        applicationActions_ << item;
    }
#ifdef Q_OS_MACOS
    help->addActions(applicationActions_);
#else
    Q_UNUSED(help)
#endif
}

void MainView::CreateToolBar()
{
    toolBar_ = new QToolBar(tr("Toolbar"), this);
    toolBar_->setObjectName(QStringLiteral("MainToolBar"));
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, toolBar_);
    for (const auto &group : ToolBarGroups) {
        toolBar_->addSeparator();
        for (const Command command : group)
            toolBar_->addAction(action(command));
    }
}

void MainView::CreateMainGadgets()
{
    files_ = new QListWidget;
    files_->setObjectName(QStringLiteral("CommonFileListView"));
    logList_ = new QListView;
    logList_->setObjectName(QStringLiteral("LogList"));
    log_ = new LogView(*logList_);
    connect(log_, &LogView::openFileRequested, this, [this] { OpenLogLineFile(log_->CurrentRow()); });
    connect(log_, &LogView::clearRequested, this, [this] {
        if (!running_)
            ClearLog();
    });
    splitter_ = new DividedSplitter(Qt::Vertical);
    splitter_->setChildrenCollapsible(false);
    splitter_->setHandleWidth(6);
    splitter_->addWidget(
        Captioned(tr("Common files (drop window sources or a project file here)"), tr("Common files"), files_));
    splitter_->addWidget(Captioned(tr("Log (double-click a line that names a file to open it)"), tr("Log"), logList_));
    splitter_->setStretchFactor(0, 0); // a resize goes to the log, the divider stays put
    splitter_->setStretchFactor(1, 1);
    // The central widget: whatever the toolbar, the status bar and the docks leave, it fills.
    setCentralWidget(splitter_);
}

void MainView::RunCommand(Command command)
{
    if (covered_ || (running_ && EntryOf(command).touchesProject))
        return;
    Perform(command);
    // During a run the worker owns the project state; the title catches up when it ends.
    if (!running_)
        RefreshTitle();
    if (commands_.QuitRequested)
        emit quitRequested();
}

void MainView::Perform(Command command)
{
    switch (command) {
    case Command::ProjectNew: commands_.NewProject(); break;
    case Command::ProjectLoad: commands_.OpenProject(); break;
    case Command::ProjectSave: commands_.SaveProjectCommand(); break;
    case Command::ProjectSaveAs: commands_.SaveProjectAs(); break;
    case Command::UserGadget: emit userGadgetsRequested(); break;
    case Command::Exit: commands_.QuitCommand(); break;
    case Command::CommonAdd: AddCommonFiles(); break;
    case Command::CommonDelete: RemoveCommonFile(); break;
    case Command::CommonFirst: MoveCommonFileFirst(); break;
    case Command::Undo: UndoListEdit(); break;
    case Command::StartGenerate: emit optionsRequested(); break;
    case Command::Info: emit infoRequested(); break;
    case Command::Licence: emit licenceRequested(); break;
    case Command::Changes: emit changesRequested(); break;
    case Command::ProjectView: emit projectViewRequested(); break;
    case Command::RegenerateOnSave:
        // The setting leads: the menu's own check and a command from elsewhere agree.
        settings_.RegenerateOnSave = !settings_.RegenerateOnSave;
        action(Command::RegenerateOnSave)->setChecked(settings_.RegenerateOnSave);
        emit regenerateOnSaveChanged(settings_.RegenerateOnSave);
        break;
    case Command::OpenProjectFolder: OpenProjectFolder(); break;
    case Command::Editor: ChooseEditorCommand(); break;
    }
}

// Covered, the window's own parts take no input, while the windows over it stay usable.
void MainView::SetCovered(bool covered)
{
    covered_ = covered;
    for (QWidget *part : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!part->isWindow())
            part->setEnabled(!covered);
    }
}

// The close box runs Exit with its save question; the program ends only when that says so.
void MainView::closeEvent(QCloseEvent *event)
{
    event->ignore();
    if (covered_)
        return;
    if (running_) {
        ask_.MessageOk(QStringLiteral("Quarvel"), tr("A generation is running. Quit when it has ended."));
        return;
    }
    RunCommand(Command::Exit);
}

void MainView::SetRunning(bool running)
{
    running_ = running;
    for (const CommandEntry &entry : Commands()) {
        if (entry.touchesProject)
            action(entry.command)->setEnabled(!running);
    }
    log_->SetRunning(running);
    RebuildRecentMenu();
}

void MainView::RestoreWindowMemory()
{
    if (settings_.WindowGeometry.isEmpty())
        return;
    restoreGeometry(QByteArray::fromBase64(settings_.WindowGeometry.toLatin1()));
    KeepOnScreen(*this);
}

void MainView::StoreWindowMemory()
{
    settings_.WindowGeometry = QString::fromLatin1(saveGeometry().toBase64());
    settings_.Divider = splitter_->sizes().value(0);
}

QString MainView::StatusText() const
{
    return statusField_->text();
}

QString MainView::SummaryText() const
{
    return summaryField_->text();
}

} // namespace quarvel
