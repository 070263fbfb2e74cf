// Building the main window and the options window, and the layout rule.
#include "base/version.h"
#include "model/project_file.h"
#include "shell/command_numbers.h"
#include "shell/dialogs/window_numbers.h"
#include "shell/shell.h"

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QProcess>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QKeyEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

namespace quarvel {

namespace {

struct CommandEntry {
    int command;
    const char *text;
    int icon;
};

const CommandEntry Commands[] = {
    {CommandProjectNew, "Project &New\tCtrl-N", 0},
    {CommandProjectLoad, "Project &Load\tCtrl-L", 1},
    {CommandProjectSave, "Project &Save\tCtrl-S", 2},
    {CommandProjectSaveAs, "Project Save &As", 3},
    {CommandUserGadget, "User&Gadget", 9},
    {CommandExit, "E&xit", 8},
    {CommandCommonAdd, "Common &Add", 4},
    {CommandCommonDelete, "Common &Delete", 5},
    {CommandCommonFirst, "Common &First File", 6},
    {CommandStartGenerate, "&Start Generate", 7},
    {CommandInfo, "&Info", 10},
    {CommandLicence, "&Licence", 11},
    {CommandChanges, "Show &Changes\tCtrl-D", 12},
    {CommandOpenProjectFolder, "Open Project &Folder", 1},
};

const CommandEntry &Entry(int command)
{
    return Commands[command];
}

// A list under a one-line caption, as one part of the splitter.
QWidget *Captioned(const QString &caption, QWidget *list)
{
    auto *part = new QWidget;
    auto *layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);
    auto *label = new QLabel(caption, part);
    label->setContentsMargins(4, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(list);
    return part;
}

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

} // namespace

// Each icon comes in 16, 32 and 48 pixels, so it stays sharp on a scaled screen.
void Shell::LoadIcons()
{
    for (size_t number = 0; number < icons_.size(); ++number) {
        for (const char *suffix : {"", "@32", "@48"}) {
            QFile file(QStringLiteral(":/icons/icon%1%2.png").arg(number, 2, 10, QLatin1Char('0')).arg(QLatin1String(suffix)));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QImage image = DecodePng(file.readAll());
            if (!image.isNull())
                icons_[number].addPixmap(QPixmap::fromImage(image));
        }
    }
}

bool Shell::OpenMainWindow()
{
    ToolkitWindow *window = ui_.OpenWindow(MainWindow, 800, 600, VersionTitle(),
                                           WindowSystemMenu | WindowMinimize | WindowMaximize | WindowSizeable);
    if (!window)
        return false;
    window->setWindowIcon(icon(7));
    auto *command = ui_.ButtonGadget(CommandButton, MainWindow, QRect(0, 0, 0, 0), QStringLiteral("CMD"));
    command->setEnabled(false);
    command->hide();
    CreateMenus();
    statusField_ = new QLabel(window);
    statusField_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long project path must not set a minimum width for the whole window.
    statusField_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusField_->setMinimumWidth(1);
    window->statusBar()->addWidget(statusField_, 1);
    summaryField_ = new QLabel(window);
    summaryField_->setTextFormat(Qt::RichText);
    QObject::connect(summaryField_, &QLabel::linkActivated, summaryField_, [this] { ShowFirstFinding(); });
    window->statusBar()->addPermanentWidget(summaryField_);
    CreateMainGadgets();
    CreateToolBar();
    return true;
}

void Shell::CreateMenus()
{
    QMenuBar *bar = ui_.Window(MainWindow)->menuBar();
    CreateFileMenu(bar->addMenu(QStringLiteral("&File")));
    CreateActionMenu(bar->addMenu(QStringLiteral("&Action")));
    QMenu *help = bar->addMenu(QStringLiteral("&?"));
    AddMenuItem(help, CommandInfo);
    AddMenuItem(help, CommandLicence);
#ifdef Q_OS_MACOS
    AddApplicationMenuEntries(help);
#endif
}

QAction *Shell::AddMenuItem(QMenu *menu, int command)
{
    const CommandEntry &entry = Entry(command);
    QAction *action = ui_.MenuItem(menu, MainWindow, command, QString::fromUtf8(entry.text), icon(entry.icon));
    if (TouchesProject(command))
        projectActions_ << action;
    return action;
}

void Shell::CreateFileMenu(QMenu *file)
{
    AddMenuItem(file, CommandProjectNew);
    file->addSeparator();
    AddMenuItem(file, CommandProjectLoad);
    AddMenuItem(file, CommandProjectSave);
    AddMenuItem(file, CommandProjectSaveAs);
    file->addSeparator();
    recentMenu_ = file->addMenu(icon(1), QStringLiteral("&Recent Projects"));
    AddMenuItem(file, CommandOpenProjectFolder);
    file->addSeparator();
    QMenu *preferences = file->addMenu(icon(9), QStringLiteral("&Preferences"));
    AddMenuItem(preferences, CommandUserGadget);
    file->addSeparator();
    AddMenuItem(file, CommandExit);
}

void Shell::CreateActionMenu(QMenu *action)
{
    AddMenuItem(action, CommandCommonAdd);
    action->addSeparator();
    AddMenuItem(action, CommandCommonDelete);
    AddMenuItem(action, CommandCommonFirst);
    action->addSeparator();
    AddMenuItem(action, CommandStartGenerate);
    AddMenuItem(action, CommandChanges);
}

// Recent projects are loaded like Project Load, so they wait while a run goes on.
void Shell::RebuildRecentMenu()
{
    if (!recentMenu_)
        return;
    recentMenu_->clear();
    for (int slot = 0; slot < settings_.RecentProjects.size(); ++slot) {
        const QString &path = settings_.RecentProjects[slot];
        QAction *action = ui_.MenuItem(recentMenu_, MainWindow, CommandRecentProject + slot,
                                       QStringLiteral("&%1 %2").arg(slot + 1).arg(path), QIcon());
        action->setEnabled(!GenerationRunning());
    }
    recentMenu_->setEnabled(!settings_.RecentProjects.isEmpty());
}

void Shell::RememberProject()
{
    if (!project_.ProjectNamed)
        return;
    RememberRecentProject(settings_, project_.ProjectFile);
    RebuildRecentMenu();
}

// The program title first, then the project's file name with the unsaved-changes mark.
void Shell::RefreshTitle()
{
    ToolkitWindow *window = ui_.Window(MainWindow);
    if (!window)
        return;
    const QString name = QFileInfo(project_.ProjectFile).fileName();
    window->setWindowTitle(VersionTitle() + QStringLiteral(" - ") + name + QStringLiteral("[*]"));
    window->setWindowModified(!project_.ProjectSaved);
}

// The application menu's own entries; the loop turns them into commands 10, 4 and 5.
void Shell::AddApplicationMenuEntries(QMenu *help)
{
    const struct { int command; QAction::MenuRole role; const char *text; } appEntries[] = {
        {CommandAppAbout, QAction::AboutRole, "About Quarvel"},
        {CommandAppPreferences, QAction::PreferencesRole, "Preferences..."},
        {CommandAppQuit, QAction::QuitRole, "Quit"},
    };
    for (const auto &entry : appEntries)
        ui_.MenuItem(help, MainWindow, entry.command, QLatin1String(entry.text), QIcon())->setMenuRole(entry.role);
}

void Shell::CreateToolBar()
{
    toolBar_ = new QToolBar(QStringLiteral("Toolbar"), ui_.Window(MainWindow));
    toolBar_->setObjectName(QStringLiteral("MainToolBar"));
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ui_.Window(MainWindow)->addToolBar(Qt::TopToolBarArea, toolBar_);

    auto button = [this](int command, const char *toolTip) {
        projectActions_ << ui_.ToolBarImageButton(toolBar_, MainWindow, command, icon(Entry(command).icon),
                                                  QString::fromUtf8(toolTip));
    };
    toolBar_->addSeparator();
    button(CommandProjectNew, "Project New");
    button(CommandProjectLoad, "Project Load");
    button(CommandProjectSave, "Project Save");
    toolBar_->addSeparator();
    button(CommandCommonAdd, "Add Commonfile");
    button(CommandCommonDelete, "Remove Commonfile");
    button(CommandCommonFirst, "Selected Commonfile as first");
    toolBar_->addSeparator();
    button(CommandStartGenerate, "Generate");
    toolBar_->addSeparator();
    ui_.ToolBarImageButton(toolBar_, MainWindow, CommandChanges, icon(Entry(CommandChanges).icon),
                           QStringLiteral("Show Changes"));
    // Hiding the toolbar from its context menu gives its height to the splitter.
    QObject::connect(toolBar_, &QToolBar::visibilityChanged, toolBar_,
                     [this] { queue_.Post({EventKind::SizeWindow, MainWindow}); });
}

void Shell::CreateMainGadgets()
{
    QListWidget *files = ui_.ListViewGadget(CommonFileListView, MainWindow, QRect(0, 0, 800, 280));
    QListWidget *log = ui_.ListViewGadget(LogList, MainWindow, QRect(0, 280, 800, 280));
    log->setUniformItemSizes(true); // long logs stay quick to append to
    splitter_ = new QSplitter(Qt::Vertical, ui_.Window(MainWindow)->centralWidget());
    splitter_->setGeometry(0, 0, 800, 600);
    splitter_->setChildrenCollapsible(false);
    splitter_->setHandleWidth(6);
    splitter_->addWidget(Captioned(QStringLiteral("Common files (drop window sources or a project file here)"), files));
    splitter_->addWidget(Captioned(QStringLiteral("Log (double-click a line that names a file to open it)"), log));
    // Return on a log line opens its file, as a double-click does.
    new ReturnKeyFilter(log, [this] { queue_.PostGadget(MainWindow, LogList, EventLeftDoubleClick); });
    splitter_->setStretchFactor(0, 0); // a resize goes to the log, the divider stays put
    splitter_->setStretchFactor(1, 1);
    splitter_->setStyleSheet(QStringLiteral(
        "QSplitter::handle { border-top: 1px solid palette(mid); margin: 2px 0; }"));
}

void Shell::LayoutMainWindow()
{
    ToolkitWindow *window = ui_.Window(MainWindow);
    if (!window || !splitter_)
        return;
    const int height = window->height() - window->menuBar()->height() - window->statusBar()->height()
                       - (toolBar_ && toolBar_->isVisible() ? toolBar_->height() : 0);
    splitter_->setGeometry(0, 0, window->width(), qMax(0, height));
}

void Shell::CreateOptionsWindow()
{
    ui_.OpenWindow(OptionsWindow, 600, 200, QStringLiteral("Start Generate"), WindowSystemMenu, MainWindow);
    const struct { int gadget; int x; int y; const char *text; } boxes[] = {
        {ParendBox, 10, 10, "First Window as Parend Window"},
        {PBIgnoreBox, 10, 40, "Windowposition Auto (PB_Ignore)"},
        {MultilangBox, 10, 70, "Multi Language"},
        {ImageIncludeBox, 10, 100, "Images Include"},
        {ImageNullBox, 10, 130, "ImageGadget set Zero"},
        {UseCallFastBox, 230, 10, "Call Event Fast"},
        {Utf8Box, 230, 40, "Fileformat UTF8"},
    };
    // The texts keep their places, unless a wider font needs more room: then the right
    // column moves over, so no text is cut.
    QList<QCheckBox *> checks;
    int leftWidth = 200;
    for (const auto &box : boxes) {
        checks << ui_.CheckBoxGadget(box.gadget, OptionsWindow, QRect(box.x, box.y, 200, 20), QString::fromUtf8(box.text));
        if (box.x == 10)
            leftWidth = qMax(leftWidth, checks.last()->sizeHint().width());
    }
    const int rightX = qMax(230, 10 + leftWidth + 10);
    for (QCheckBox *check : std::as_const(checks)) {
        const bool left = check->x() == 10;
        check->setGeometry(left ? 10 : rightX, check->y(), qMax(200, left ? leftWidth : check->sizeHint().width()), 20);
    }
    QPushButton *start = ui_.ButtonGadget(StartButton, OptionsWindow, QRect(10, 160, 120, 30), QStringLiteral("Start"));
    start->setDefault(true);
    start->setIcon(icon(7));
    ui_.CloseOnEscape(OptionsWindow);
}

QStatusBar *Shell::statusBar() const
{
    ToolkitWindow *window = ui_.Window(MainWindow);
    return window ? window->statusBar() : nullptr;
}

void Shell::ShowProjectFile(const QString &projectFile)
{
    if (statusField_) {
        statusField_->setText(projectFile);
        statusField_->setToolTip(projectFile);
    }
}

void Shell::ShowCommonFiles()
{
    QListWidget *list = ui_.ListGadget(CommonFileListView);
    if (!list)
        return;
    list->clear();
    list->addItems(project_.CommonFiles);
}

void Shell::AppendLog(const LogEntry &entry)
{
    QListWidget *log = ui_.ListGadget(LogList);
    if (!log)
        return;
    log->addItem(NewLogItem(entry, *log->style()));
    log->setCurrentRow(log->count() - 1); // brings the new line into view
    log->scrollToBottom();
    log->clearSelection();
}

QStringList Shell::LogLines() const
{
    QStringList lines;
    if (QListWidget *log = ui_.ListGadget(LogList)) {
        for (int i = 0; i < log->count(); ++i)
            lines << log->item(i)->text();
    }
    return lines;
}

QStringList Shell::CommonFileItems() const
{
    QStringList items;
    if (QListWidget *list = ui_.ListGadget(CommonFileListView)) {
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
    }
    return items;
}

namespace {

// Hands the local files dropped on a widget to the shell.
class FileDropTarget : public QObject {
public:
    FileDropTarget(QWidget *target, std::function<void(const QStringList &)> dropped)
        : QObject(target), dropped_(std::move(dropped))
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

} // namespace

void Shell::AcceptDrops()
{
    if (QListWidget *files = ui_.ListGadget(CommonFileListView))
        new FileDropTarget(files->viewport(), [this](const QStringList &paths) { DropFiles(paths); });
}

void Shell::DropFiles(const QStringList &paths)
{
    if (GenerationRunning())
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
            sources << AsProjectPath(path);
    }
    if (sources.isEmpty())
        return;
    ProjectEdited();
    project_.CommonFiles << sources;
    ui_.ListGadget(CommonFileListView)->addItems(sources);
    RefreshTitle(); // a drop comes from the widget, not through the event loop
}

// A file beside or below a named project's file is listed relative to it, as the project
// files written by hand are; anything else keeps its full path.
QString Shell::AsProjectPath(const QString &path) const
{
    return project_.ProjectNamed ? ProjectFilePath(project_.ProjectDirectory(), path) : path;
}

void Shell::RestoreWindowMemory()
{
    if (!settings_.WindowGeometry.isEmpty())
        ui_.Window(MainWindow)->restoreGeometry(QByteArray::fromBase64(settings_.WindowGeometry.toLatin1()));
}

void Shell::StoreWindowMemory()
{
    if (ToolkitWindow *window = ui_.Window(MainWindow))
        settings_.WindowGeometry = QString::fromLatin1(window->saveGeometry().toBase64());
    if (splitter_)
        settings_.Divider = splitter_->sizes().value(0);
}

void Shell::OpenInEditor(const QString &path, int line)
{
    QStringList command = QProcess::splitCommand(settings_.EditorCommand);
    if (command.isEmpty() || QFileInfo(path).isDir()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        return;
    }
    for (QString &part : command)
        part.replace(QLatin1String("%f"), path).replace(QLatin1String("%l"), QString::number(qMax(1, line)));
    QProcess::startDetached(command.takeFirst(), command);
}

void Shell::OpenLogLineFile(int row)
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

void Shell::OpenProjectFolder()
{
    if (project_.ProjectNamed)
        openInEditor(QFileInfo(project_.ProjectFile).absolutePath(), 0);
}

void Shell::OpenChangesWindow()
{
    changesView_.reset();
    changesView_ = std::make_unique<ChangesView>(ui_, changes_);
}

QString Shell::SummaryText() const
{
    return summaryField_ ? summaryField_->text() : QString();
}

} // namespace quarvel
