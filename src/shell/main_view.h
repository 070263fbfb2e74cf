// The main window (window 0): the menus, the toolbar, the common-file list above the log, and
// the status bar with the project file and the last run's summary. It carries out the commands
// that edit the project on screen and asks for the other windows through its signals.
#pragma once

#include "model/log_entry.h"
#include "model/run_result.h"
#include "shell/dialogs/window_events.h"
#include "shell/icons.h"
#include "shell/theme_colours.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QStatusBar;
class QToolBar;
class QUrl;

namespace quarvel {

class LogView;
class ProjectCommands;
class Requesters;
class Toolkit;
struct ProgramSettings;
struct ProjectState;

class MainView : public QObject, public WindowEvents {
    Q_OBJECT
public:
    MainView(Toolkit &ui, Requesters &ask, ProjectState &project, ProgramSettings &settings, ProjectCommands &commands,
             const IconSet &icons);

    // Builds the window with its menus, toolbar, lists, status bar and shortcuts, hidden; false
    // when it could not be opened.
    bool Open();
    // Shows it where the settings remember it, the divider in its place.
    void Show();
    // Remembers the window's place and the divider in the settings.
    void StoreWindowMemory();

    // A menu or toolbar command, or its keyboard shortcut. One that touches the project waits
    // while a generation runs.
    void MenuCommand(int command);
    // A double-click (or Return) on a log line opens the file it names.
    void GadgetEvent(int gadget, int type) override;
    // The splitter fills the room between the toolbar and the status bar.
    void Resized() override;
    // Quits, asking about unsaved changes; not while a generation runs.
    void CloseBox() override;

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
    // Opens the file a log line names in the user's editor.
    void OpenLogLineFile(int row);
    // The run summary's link: brings the last run's first error, warning or finding line into
    // view.
    void ShowFirstFinding();

    QSplitter *splitter() const { return splitter_; }
    QToolBar *toolBar() const { return toolBar_; }
    QStatusBar *statusBar() const;
    QMenu *recentMenu() const { return recentMenu_; }
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
    void AppendLog(const quarvel::LogEntry &entry);
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

private:
    void CreateMenus();
    QAction *AddMenuItem(QMenu *menu, int command);
    void CreateFileMenu(QMenu *file);
    void CreateActionMenu(QMenu *action);
    void AddApplicationMenuEntries(QMenu *help);
    void CreateToolBar();
    void NameOverflowButtons();
    void AddShortcuts();
    void CreateMainGadgets();
    void CreateStatusFields();
    void RebuildRecentMenu();
    void RestoreWindowMemory();
    void AppendCommonFiles(const QStringList &paths);
    void ListCommonFiles();
    void RememberListEdit();
    void AcceptDrops();
    void OpenInEditor(const QString &path, int line);
    QString EditorCommand() const;
    void ChooseEditorCommand();
    void ShowSummaryColour(std::optional<ThemeRole> role);
    QString AsProjectPath(const QString &path) const;

    Toolkit &ui_;
    Requesters &ask_;
    ProjectState &project_;
    ProgramSettings &settings_;
    ProjectCommands &commands_;
    const IconSet &icons_;

    bool running_ = false;
    QSplitter *splitter_ = nullptr;
    QToolBar *toolBar_ = nullptr;
    QLabel *statusField_ = nullptr;
    QLabel *summaryField_ = nullptr;
    QMenu *recentMenu_ = nullptr;
    QAction *regenerateOnSave_ = nullptr;
    LogView *log_ = nullptr;
    QList<QAction *> projectActions_; // disabled while a run is in progress
    int firstRunLine_ = 0;            // the log row where the last run began
    // The common-file list before each of its last edits, and whether it was saved then.
    struct ListEdit {
        QStringList files;
        bool saved = false;
    };
    static constexpr qsizetype MaxListEdits = 20;
    QList<ListEdit> listEdits_;
};

} // namespace quarvel
