// The desktop program started over scripted requesters and driven as its event loop would
// drive it; header only, as only the desktop suites link the shell.
#pragma once

#include "shell/command_numbers.h"
#include "shell/dialogs/window_numbers.h"
#include "shell/shell.h"
#include "support/scripted_requesters.h"

#include <QCoreApplication>
#include <QTest>

namespace quarvel {

// Handles every event that is already waiting, as the event loop would.
inline void Settle(Shell &shell)
{
    QCoreApplication::processEvents();
    while (shell.HandleNextEvent(0)) {}
}

// Runs the event loop until the condition holds (about 60 s at most).
template <typename Condition>
bool TurnUntil(Shell &shell, Condition condition)
{
    for (int turn = 0; turn < 6000; ++turn) {
        if (condition())
            return true;
        shell.HandleNextEvent(10);
    }
    return condition();
}

inline void Click(Shell &shell, int gadget)
{
    QWidget *widget = shell.toolkit().Gadget(gadget);
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, widget->height() / 2));
    Settle(shell);
}

inline void Menu(Shell &shell, int command)
{
    shell.queue().PostMenu(MainWindow, command);
    Settle(shell);
}

struct DesktopFixture {
    ScriptedRequesters ask;
    Shell shell{&ask};

    DesktopFixture()
    {
        if (!shell.StartUp(QStringList()))
            qFatal("main window not opened");
        Settle(shell);
    }
    bool mainEnabled() { return !shell.toolkit().IsWindowDisabled(MainWindow); }

    // The project loaded through "Project Load", its requester answered.
    void load(const QString &project)
    {
        ask.openAnswers << QStringList{project};
        Menu(shell, CommandProjectLoad);
        ask.calls.clear();
    }
};

} // namespace quarvel
