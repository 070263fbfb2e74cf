// The main window: the menus, the toolbar, the common-file list above the log, and the status
// bar with the project file and the last run's summary. It carries out the commands that edit
// the project on screen and asks for the other windows through its signals. While a window
// that stands over it is open it is covered: it takes no command and ignores its close box.
#pragma once

#include "model/log_entry.h"
#include "model/run_result.h"
#include "shell/command_table.h"
#include "shell/icons.h"
#include "shell/theme_colours.h"

#include <QList>
#include <QMainWindow>
#include <QMap>

#include <functional>
#include <optional>

class QAction;
class QLabel;
class QListView;
class QListWidget;
class QMenu;
class QSplitter;
class QToolBar;
class QUrl;

namespace quarvel {

class LogView;
class ProjectCommands;
class Requesters;
struct ProgramSettings;
struct ProjectState;

class MainView : public QMainWindow {
    Q_OBJECT
public:
    MainView(Requesters &ask, ProjectState &project, ProgramSettings &settings, ProjectCommands &commands,
             const IconSet &icons);

    // Shows it where the settings remember it, the divider in its place.
    void ShowWindow();
    // Remembers the window's place and the divider in the settings.
    void StoreWindowMemory();

    // A menu or toolbar command, or its keyboard shortcut. One that touches the project waits
    // while a generation runs; none runs while the window is covered.
    void RunCommand(Command command);
    QAction *action(Command command) const { return actions_.value(command); }
    // The platform's application menu entries (About, Preferences, Quit).
    const QList<QAction *> &applicationActions() const { return applicationActions_; }
    void SetCovered(bool covered);
    bool Covered() const { return covered_; }

    void ShowProjectFile(const QString &projectFile);
    void ShowCommonFiles();
    void RememberProject();
    // The program title first, then the project's file name with the unsaved-changes mark.
    void RefreshTitle();

    void AddCommonFiles();
    void RemoveCommonFile();
    void MoveCommonFileFirst();
    // Ctrl+Z: takes back the last add, removal, drop or move of the common-file list.
    void UndoListEdit();
    void OpenProjectFolder();
    // Files dropped on the common-file list: sources are added, a project file is loaded.
    void DropFiles(const QStringList &paths);
    // Loads a project file named without the file requester (recent list, drop), unless it
    // cannot be one: then a message names the file and why, and the project stays.
    void LoadProjectFile(const QString &path);
    // Opens the file a log line names in the user's editor.
    void OpenLogLineFile(int row);
    // The run summary's link: brings the last run's first error, warning or finding line into
    // view.
    void ShowFirstFinding();

    QSplitter *splitter() const { return splitter_; }
    QToolBar *toolBar() const { return toolBar_; }
    QMenu *recentMenu() const { return recentMenu_; }
    QListWidget *commonFileList() const { return files_; }
    QString StatusText() const;
    // The outcome of the last run with its error, warning and finding counts (a link when
    // there are any); empty before any run.
    QString SummaryText() const;
    QLabel *summaryField() const { return summaryField_; }
    // The log's lines, without the rows that part one run from the next.
    QStringList LogLines() const;
    LogView &logView() const { return *log_; }
    QStringList CommonFileItems() const;

    // Opens a file at a line (0: none) for the user: with the editor command of the settings,
    // else the first known editor installed, else the desktop's application for the file; a
    // message says why when none opens it. Tests replace it.
    std::function<void(const QString &path, int line)> openInEditor;
    // Opens a URL with the desktop's application for it; false when none did. Tests replace it.
    std::function<bool(const QUrl &url)> openUrl;

public slots:
    // While a generation runs the commands that touch the project are disabled.
    void SetRunning(bool running);
    void RunStarting();
    void AppendLog(const QList<quarvel::LogEntry> &entries);
    void ClearLog();
    void RunEnded(const std::optional<quarvel::RunResult> &result);

signals:
    void optionsRequested();
    void infoRequested();
    void licenceRequested();
    void userGadgetsRequested();
    void changesRequested();
    void projectViewRequested();
    void regenerateOnSaveChanged(bool on);
    // The common-file list changed: the Project view reads the project again.
    void commonFilesChanged();
    // Exit, the close box or Quit went through the save question: the program ends.
    void quitRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateMenus();
    QAction *AddMenuItem(QMenu *menu, Command command);
    void CreateFileMenu(QMenu *file);
    void CreateActionMenu(QMenu *menu);
    void CreateApplicationActions(QMenu *help);
    void CreateToolBar();
    void NameOverflowButtons();
    void CreateMainGadgets();
    void CreateStatusFields();
    void RebuildRecentMenu();
    void RestoreWindowMemory();
    void Perform(Command command);
    void AppendCommonFiles(const QStringList &paths);
    void ListCommonFiles();
    void RememberListEdit();
    void ListEdited();
    void AcceptDrops();
    void OpenInEditor(const QString &path, int line);
    QString EditorCommand() const;
    void ChooseEditorCommand();
    void ShowSummaryColour(std::optional<ThemeRole> role);
    QString AsProjectPath(const QString &path) const;

    Requesters &ask_;
    ProjectState &project_;
    ProgramSettings &settings_;
    ProjectCommands &commands_;
    const IconSet &icons_;

    bool running_ = false;
    bool covered_ = false;
    QMap<Command, QAction *> actions_;
    QList<QAction *> applicationActions_;
    QSplitter *splitter_ = nullptr;
    QToolBar *toolBar_ = nullptr;
    QLabel *statusField_ = nullptr;
    QLabel *summaryField_ = nullptr;
    QMenu *recentMenu_ = nullptr;
    QListWidget *files_ = nullptr;
    QListView *logList_ = nullptr;
    LogView *log_ = nullptr;
    int firstRunLine_ = 0; // the log row where the last run began
    // The common-file list before each of its last edits, and whether it was saved then.
    struct ListEdit {
        QStringList files;
        bool saved = false;
    };
    static constexpr qsizetype MaxListEdits = 20;
    QList<ListEdit> listEdits_;
};

} // namespace quarvel
