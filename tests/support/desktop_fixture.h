// The desktop program started over scripted requesters and driven as a user would, its
// windows and controls found by their object names; header only, as only the desktop suites
// link the shell.
#pragma once

#include "shell/command_table.h"
#include "shell/shell.h"
#include "support/scripted_requesters.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QTest>

namespace quarvel {

// The object names of the windows and controls the tests reach.
inline const QString MainWindow = QStringLiteral("MainWindow");
inline const QString OptionsWindow = QStringLiteral("OptionsWindow");
inline const QString BindWindow = QStringLiteral("BindWindow");
inline const QString UserGadgetWindow = QStringLiteral("UserGadgetWindow");
inline const QString LicenceWindow = QStringLiteral("LicenceWindow");
inline const QString ChangesWindow = QStringLiteral("ChangesWindow");
inline const QString CommonFileListView = QStringLiteral("CommonFileListView");
inline const QString LogList = QStringLiteral("LogList");
inline const QString ParendBox = QStringLiteral("ParendBox");
inline const QString PBIgnoreBox = QStringLiteral("PBIgnoreBox");
inline const QString MultilangBox = QStringLiteral("MultilangBox");
inline const QString ImageIncludeBox = QStringLiteral("ImageIncludeBox");
inline const QString ImageNullBox = QStringLiteral("ImageNullBox");
inline const QString UseCallFastBox = QStringLiteral("UseCallFastBox");
inline const QString Utf8Box = QStringLiteral("Utf8Box");
inline const QString StartButton = QStringLiteral("StartButton");
inline const QString OldEntryLabel = QStringLiteral("OldEntryLabel");
inline const QString NewEntryLabel = QStringLiteral("NewEntryLabel");
inline const QString TodoListLabel = QStringLiteral("TodoListLabel");
inline const QString OldEntryList = QStringLiteral("OldEntryList");
inline const QString NewEntryList = QStringLiteral("NewEntryList");
inline const QString TodoList = QStringLiteral("TodoList");
inline const QString BindButton = QStringLiteral("BindButton");
inline const QString ReleaseButton = QStringLiteral("ReleaseButton");
inline const QString ContinueButton = QStringLiteral("ContinueButton");
inline const QString BindSuggestedButton = QStringLiteral("BindSuggestedButton");
inline const QString UserGadgetList = QStringLiteral("UserGadgetList");
inline const QString UserGadgetAdd = QStringLiteral("UserGadgetAdd");
inline const QString UserGadgetDel = QStringLiteral("UserGadgetDel");
inline const QString UserGadgetOk = QStringLiteral("UserGadgetOk");
inline const QString LicenceList = QStringLiteral("LicenceList");

// The shown window or control of that name; nullptr when there is none. A closed window
// may live on hidden for a moment, as a child of the main window.
template <typename T = QWidget>
T *Find(const QString &name)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        if (window->objectName() == name)
            return qobject_cast<T *>(window);
        for (T *found : window->findChildren<T *>(name)) {
            if (found->isVisible())
                return found;
        }
    }
    return nullptr;
}

// Handles every event that is already waiting, and every request of the worker, as the event
// loop would.
inline void Settle(Shell &shell)
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    shell.requests().DeliverAll();
    QCoreApplication::processEvents();
}

// Runs the event loop until the condition holds (about 60 s at most).
template <typename Condition>
bool TurnUntil(Shell &, Condition condition)
{
    return QTest::qWaitFor(condition, 60000);
}

inline void Click(Shell &shell, const QString &name)
{
    QWidget *widget = Find(name);
    QVERIFY2(widget, qPrintable(name));
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, widget->height() / 2));
    Settle(shell);
}

inline void Menu(Shell &shell, Command command)
{
    shell.mainView().action(command)->trigger();
    Settle(shell);
}

inline bool Checked(const QString &box)
{
    const auto *check = Find<QCheckBox>(box);
    return check && check->isChecked();
}

struct DesktopFixture {
    ScriptedRequesters ask;
    Shell shell{&ask};

    explicit DesktopFixture(const QStringList &arguments = {})
    {
        shell.StartUp(arguments);
        Settle(shell);
    }
    bool mainEnabled() { return !shell.mainView().Covered(); }

    // The project loaded through "Project Load", its requester answered.
    void load(const QString &project)
    {
        ask.openAnswers << QStringList{project};
        Menu(shell, Command::ProjectLoad);
        ask.calls.clear();
    }
};

} // namespace quarvel
