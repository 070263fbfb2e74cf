// The desktop program's big case: a project of many windows of many gadgets, generated once,
// then regenerated after every tenth gadget was renamed, with the bind dialog's suggestions
// taken and the Changes view opened. Its first window's menu names every item twice, so each
// run logs a thousand warnings on the way to the bind dialog. The times the user waits are measured, and the longest
// time the event loop was held, by a timer that should tick every 10 ms. The suite checks the
// longest hold; bench/ prints the times.
#pragma once

#include "shell/window_preview.h"
#include "support/desktop_fixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QStringList>
#include <QTimer>

#include <algorithm>

namespace quarvel {

// The warnings "Find duplicate MenuItemID" of each run.
inline constexpr int DuplicateMenuItems = 1000;

// Form files of `gadgets` buttons each; with `renamedEvery` > 0 every such gadget is
// "#Button_<i>Renamed" instead of "#Button_<i>". The project file is written the first time.
inline void WriteButtonProject(const QString &dir, int windows, int gadgets, int renamedEvery)
{
    QStringList files;
    for (int w = 0; w < windows; ++w) {
        QString text = QStringLiteral("Procedure OpenW%1()\n  OpenWindow(#W%1, 0, 0, 640, 480, \"W%1\")\n").arg(w);
        if (w == 0) {
            text += QStringLiteral("  CreateMenu(#Menu_W0, WindowID(#W0))\n  MenuTitle(\"Items\")\n");
            for (int i = 0; i < 2 * DuplicateMenuItems; ++i)
                text += QStringLiteral("  MenuItem(#Item_%1, \"Item %1\")\n").arg(i % DuplicateMenuItems);
        }
        for (int i = 0; i < gadgets; ++i) {
            const bool renamed = renamedEvery > 0 && i % renamedEvery == renamedEvery - 1;
            text += QStringLiteral("  ButtonGadget(#Button_%1%2, %3, %4, 80, 24, \"Button %1\")\n")
                        .arg(i)
                        .arg(renamed ? QStringLiteral("Renamed") : QString())
                        .arg(10 + i % 10 * 60)
                        .arg(10 + i / 10 * 30);
        }
        files << QStringLiteral("W%1.pbf").arg(w);
        QFile file(dir + files.last());
        if (file.open(QIODevice::WriteOnly))
            file.write((text + QStringLiteral("EndProcedure\n")).toUtf8());
    }
    QFile project(dir + QStringLiteral("Big.pbm"));
    if (!project.exists() && project.open(QIODevice::WriteOnly)) {
        project.write((QStringLiteral("[FILES]\n") + files.join(QLatin1Char('\n'))
                       + QStringLiteral("\n\n[SWITCH]\nParend=1\nPB_Ignore=1\nMultilang=0\nImage_Include=0\n"
                                        "Image_Null=0\nUseCallFast=1\nUtf8=1\n"))
                          .toUtf8());
    }
}

struct BigRenameTimes {
    qint64 firstRun = 0;      // ms, the first generation, from Start to its end
    qint64 dialogShown = 0;   // ms, from Start to the bind dialog on the screen
    qint64 bindSuggested = 0; // ms, the click on "Bind suggested"
    int suggested = 0;        // pairs it bound
    qint64 changesShown = 0;  // ms, from the command to the Changes view on the screen
    qint64 changesFilled = 0; // ms, from the command to every file read and compared
    qint64 largestShown = 0;  // ms, selecting the file with the longest difference
    qint64 previewShown = 0;  // ms, selecting the last gadget in the Project view, its window drawn
    qint64 longestHold = 0;   // ms, the longest the event loop did not turn meanwhile
    qint64 runHold = 0;       // ms, the same while a run went on, the user's own clicks left out
    int warnings = 0;         // "Find duplicate MenuItemID" lines in the log after both runs
    int userSteps = 0;        // clicks so far: a hold that spans one is the click's, not the run's
};

// One whole run from the options window; every bind dialog on the way takes its suggestions.
inline bool GenerateTakingSuggestions(DesktopFixture &d, BigRenameTimes &times, QElapsedTimer &clock)
{
    Menu(d.shell, Command::StartGenerate);
    Click(d.shell, StartButton);
    ++times.userSteps;
    while (d.shell.GenerationRunning()) {
        if (!TurnUntil(d.shell, [&] {
                const BindDialogWindow *open = d.shell.bindDialog();
                return (open && open->isVisible() && !open->Answered()) || !d.shell.GenerationRunning();
            }))
            return false;
        BindDialogWindow *dialog = d.shell.bindDialog();
        if (!dialog)
            continue;
        if (times.dialogShown == 0)
            times.dialogShown = clock.elapsed();
        const qint64 before = clock.elapsed();
        const qsizetype todo = dialog->model().Bindings().size();
        Click(d.shell, BindSuggestedButton);
        ++times.userSteps;
        times.bindSuggested = qMax(times.bindSuggested, clock.elapsed() - before);
        times.suggested += int(dialog->model().Bindings().size() - todo);
        d.ask.answers << Answer::Yes; // names left unbound: go on
        Click(d.shell, ContinueButton);
        ++times.userSteps;
    }
    return true;
}

inline BigRenameTimes DriveBigRename(DesktopFixture &d, const QString &dir, int windows, int gadgets)
{
    BigRenameTimes times;
    WriteButtonProject(dir, windows, gadgets, 0);
    d.load(dir + QStringLiteral("Big.pbm"));

    QElapsedTimer clock, sinceTick;
    clock.start();
    sinceTick.start();
    QTimer ticks;
    int stepsSeen = 0;
    QObject::connect(&ticks, &QTimer::timeout, &ticks, [&] {
        const qint64 hold = sinceTick.restart();
        times.longestHold = qMax(times.longestHold, hold);
        if (d.shell.GenerationRunning() && times.userSteps == stepsSeen)
            times.runHold = qMax(times.runHold, hold);
        stepsSeen = times.userSteps;
    });
    ticks.start(10);

    if (!GenerateTakingSuggestions(d, times, clock))
        return times;
    times.firstRun = clock.elapsed();
    WriteButtonProject(dir, windows, gadgets, 10);
    clock.restart();
    sinceTick.restart(); // the user renamed the gadgets meanwhile, not the program
    if (!GenerateTakingSuggestions(d, times, clock))
        return times;

    clock.restart();
    const QStringList log = d.shell.mainView().LogLines();
    times.warnings = int(std::count_if(log.cbegin(), log.cend(), [](const QString &line) {
        return line.startsWith(QLatin1String(" -> Warning: Find duplicate MenuItemID"));
    }));
    Menu(d.shell, Command::Changes);
    ChangesView &view = d.shell.changesView();
    times.changesShown = clock.elapsed();
    TurnUntil(d.shell, [&] { return view.Loaded(); });
    times.changesFilled = clock.elapsed();
    int largest = 0;
    const QList<QList<DiffLine>> &differences = view.loaded().differences;
    for (int row = 0; row < int(differences.size()); ++row) {
        if (differences[row].size() > differences[largest].size())
            largest = row;
    }
    clock.restart();
    view.fileList()->setCurrentRow(largest);
    Settle(d.shell);
    times.largestShown = clock.elapsed();

    clock.restart();
    ProjectView &project = d.shell.projectView();
    project.SelectFact(project.model().Facts().size() - 1);
    project.preview()->repaint();
    Settle(d.shell);
    times.previewShown = clock.elapsed();
    return times;
}

} // namespace quarvel
