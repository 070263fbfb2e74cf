#include "base/line_diff.h"
#include "project/editor_command.h"
#include "shell/command_table.h"
#include "shell/log_view.h"
#include "shell/project_view.h"
#include "shell/theme_colours.h"
#include "shell/window_preview.h"
#include "support/desktop_fixture.h"
#include "support/test_project.h"
#include "ui/png_image.h"
#include "ui/qt_requesters.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSemaphore>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>

#include <atomic>
#include <thread>

using namespace quarvel;

namespace {

const QString InfoMessage = QStringLiteral(
    "Message Info: Quarvel Version v5.17\nRev. 388451\n\n(c) 2019-2026 by the Quarvel developers");

// Runs the event loop until the generation has ended.
void FinishRun(Shell &shell)
{
    QVERIFY(TurnUntil(shell, [&] { return !shell.GenerationRunning(); }));
    Settle(shell);
}

QStringList DemoRunLog(const QString &dir)
{
    return {
        QStringLiteral("Generate Code Step 1 ..."),
        QStringLiteral("- Check Main.pb"),
        QStringLiteral(" -> UTF-8 BOM found."),
        QStringLiteral("- Load Files..."),
        QStringLiteral("- Interpret code..."),
        QStringLiteral("Generate Code Step 2 ..."),
        QStringLiteral("- Check Constants..."),
        QStringLiteral("Generate Code Step 3 ..."),
        QStringLiteral("- Make Backup..."),
        QStringLiteral("- Update Prefix"),
        QStringLiteral("- Update Procedure"),
        QStringLiteral("- Update Constants"),
        QStringLiteral("- Update Open Window"),
        QStringLiteral("- Update IncludeFiles"),
        QStringLiteral("Generate Code Step 4 ..."),
        QStringLiteral("- Create new code..."),
        QStringLiteral(" -> Count Window: 1"),
        QStringLiteral(" -> Count MenuBar: 0"),
        QStringLiteral(" -> Count MenuItem: 0"),
        QStringLiteral(" -> Count StatusBar: 0"),
        QStringLiteral(" -> Count ToolBar: 0"),
        QStringLiteral(" -> Count Gadget: 1"),
        QStringLiteral(" -> Count Image: 0"),
        QStringLiteral("- Write Files..."),
        QStringLiteral(" -> Write File ") + dir + QStringLiteral("Main.pb"),
        QStringLiteral(" -> Write File ") + dir + QStringLiteral("CommonFile.pb"),
        QStringLiteral(" -> Write File ") + dir + QStringLiteral("EventMain.pb"),
        QStringLiteral(" -> Write File ") + dir + QStringLiteral("EventMenu.pb"),
        QStringLiteral(" -> Write File ") + dir + QStringLiteral("EventGadget.pb"),
        QStringLiteral(" -> Write File ") + dir + QStringLiteral("EventWindow.pb"),
        QStringLiteral("Ready."),
        QString(),
        QStringLiteral("Report: 6 files written, 1 unchanged."),
        QString(),
    };
}

// The menu items that run commands, the submenus' included (the recent projects left out).
QList<QAction *> MenuItems(Shell &shell)
{
    QList<QAction *> items;
    std::function<void(QMenu *)> walk = [&](QMenu *menu) {
        for (QAction *action : menu->actions()) {
            if (action->menu() && action->menu() != shell.mainView().recentMenu())
                walk(action->menu());
            else if (!action->isSeparator() && !action->menu())
                items << action;
        }
    };
    for (QAction *top : shell.mainView().menuBar()->actions())
        walk(top->menu());
    return items;
}

// Adds the letter a menu text marks with "&" to those of its menu; false when it has none or
// another entry of the menu has it already.
bool AddLetter(const QString &text, QStringList &letters)
{
    const qsizetype mark = text.indexOf(QLatin1Char('&'));
    const QString letter = mark < 0 ? QString() : text.mid(mark + 1, 1).toLower();
    if (letter.isEmpty() || letters.contains(letter))
        return false;
    letters << letter;
    return true;
}

QAction *GenerateButton(Shell &shell)
{
    QAction *generate = shell.mainView().action(Command::StartGenerate);
    return shell.mainView().toolBar()->actions().contains(generate) ? generate : nullptr;
}

// Start in the options window, and the worker's requests carried out until the window is
// gone, without a turn of the event loop: the run counts as going on until the loop has heard
// that the worker ended, so it surely is in progress afterwards.
void StartRunWithoutTurning(Shell &shell)
{
    Find<QPushButton>(StartButton)->click();
    QDeadlineTimer patience(20000);
    while (Find(OptionsWindow) && !patience.hasExpired()) {
        shell.requests().DeliverAll();
        QThread::msleep(1);
    }
}

// A log row's data.
QVariant LogData(Shell &shell, int row, int role)
{
    const LogModel &model = shell.mainView().logView().model();
    return model.data(model.index(row), role);
}

// The rows of the log whose text is the given text (or holds it, when not exactly).
QList<int> LogRows(Shell &shell, const QString &text, bool exactly = true)
{
    QList<int> rows;
    const LogModel &model = shell.mainView().logView().model();
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString shown = model.data(model.index(row), Qt::DisplayRole).toString();
        if (exactly ? shown == text : shown.contains(text))
            rows << row;
    }
    return rows;
}

QColor LogColour(Shell &shell, int row)
{
    return LogData(shell, row, Qt::ForegroundRole).value<QColor>();
}

// A started desktop program, optionally with a project loaded through "Project Load".
struct Desktop : DesktopFixture {
    explicit Desktop(const QString &project = QString())
    {
        if (!project.isEmpty())
            load(project);
    }
    QMainWindow *window() { return &shell.mainView(); }
    QWidget *window(const QString &name) { return Find(name); }
    QCheckBox *box(const QString &name) { return Find<QCheckBox>(name); }
};

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir_;

private slots:
    void initTestCase();
    void startUpOpensTheMainWindow();
    void menuCommandsShowIconsLettersAndShortcuts();
    void toolbarButtonsSendMenuCommands();
    void iconsAreDecodedWithAlpha();
    void resizeKeepsSplitterBetweenToolbarAndStatusBar();
    void rememberedGeometryIsFittedToTheScreen();
    void controlLLoadsAndControlSSaves();
    void infoFromMenuAndApplicationMenu_data();
    void infoFromMenuAndApplicationMenu();
    void optionsWindowShowsTheSwitches();
    void imageSwitchesExcludeEachOther();
    void otherSwitchBoxesMarkTheProjectChanged();
    void startGenerateOnUnsavedProjectAsksForAFileFirst();
    void closingOptionsWindowStartsNoRun();
    void commonFileCommands();
    void firstFileWithoutSelectionChangesNothing();
    void undoTakesBackListEdits();
    void everyControlHasAName();
    void wholeGenerationFromTheOptionsWindow();
    void runWithoutCommonFilesStops();
    void projectCommandsWaitWhileARunGoes();
    void messageBoxDoesNotHoldUpARun();
    void licenceWindow();
    void licenceWindowStillAnswersARun();
    void exitWithUnsavedChanges_data();
    void exitWithUnsavedChanges();
    void requestsTravelThroughTheQueueInOrder();
    void nameFiltersForTheFileDialogs_data();
    void nameFiltersForTheFileDialogs();
    void differenceOfTwoTexts();
    void runWithAMissingFileShowsTheErrorAndWhatChanged();
    void doubleClickOnALogLineOpensItsFile();
    void logLinesAreCopiedWholeAndRunsParted();
    void coloursReadOnLightAndDarkThemes_data();
    void editorCommandFromPreferences();
    void coloursReadOnLightAndDarkThemes();
    void titleMarkRecentProjectsAndDrops();
    void badProjectFilesAreNamed_data();
    void badProjectFilesAreNamed();
    void projectViewAndWindowPreview();
    void regenerateOnSave();
};

void TestDesktop::initTestCase()
{
    QVERIFY(settingsDir_.isValid());
    qputenv("QUARVEL_CONFIG_DIR", settingsDir_.path().toUtf8());
}

void TestDesktop::startUpOpensTheMainWindow()
{
    Desktop d;
    QCOMPARE(d.window()->windowTitle(), QStringLiteral("Quarvel Version v5.17 - Unbekannt.pbm[*]"));
    QVERIFY(!d.window()->isWindowModified());
    QCOMPARE(d.window()->size(), QSize(800, 600));
    QCOMPARE(d.shell.mainView().StatusText(), QStringLiteral("Unbekannt.pbm"));
    QCOMPARE(d.window()->centralWidget(), d.shell.mainView().splitter()); // laid out, not placed
    QVERIFY(d.shell.mainView().splitter()->widget(0)->isAncestorOf(Find(CommonFileListView)));
    QVERIFY(d.shell.mainView().splitter()->widget(1)->isAncestorOf(Find(LogList)));
    QCOMPARE(d.shell.mainView().splitter()->sizes().first(), 100);
    QVERIFY(d.mainEnabled());
}

// Every command of the menus shows an icon and a letter that reaches it within its menu, and
// every shortcut a menu text names sends that item's command.
void TestDesktop::menuCommandsShowIconsLettersAndShortcuts()
{
    Desktop d;
    QMenu *recent = d.shell.mainView().recentMenu();
    std::function<void(const QList<QAction *> &, bool)> checkMenu = [&](const QList<QAction *> &actions,
                                                                        bool withIcons) {
        QStringList letters;
        for (QAction *action : actions) {
            if (action->isSeparator())
                continue;
            QVERIFY2(AddLetter(action->text(), letters), qPrintable(action->text()));
            QVERIFY2(!withIcons || !action->icon().isNull(), qPrintable(action->text()));
            if (action->menu() && action->menu() != recent)
                checkMenu(action->menu()->actions(), true);
        }
    };
    checkMenu(d.window()->menuBar()->actions(), false);
    const QList<QAction *> items = MenuItems(d.shell);
    for (const CommandEntry &entry : Commands())
        QVERIFY2(items.count(d.shell.mainView().action(entry.command)) == 1, entry.text);

    // A menu text names the first of its item's shortcuts; no key runs two commands.
    QList<QKeySequence> taken;
    for (const CommandEntry &entry : Commands()) {
        QString hint = QString::fromUtf8(entry.text).section(QLatin1Char('\t'), 1);
        const QKeyCombination first = entry.keys[0];
        QCOMPARE(hint.replace(QLatin1Char('-'), QLatin1Char('+')),
                 first.key() == Qt::Key_unknown ? QString() : QKeySequence(first).toString());
        const QList<QKeySequence> keys = d.shell.mainView().action(entry.command)->shortcuts();
        for (const QKeySequence &key : keys) {
            QVERIFY2(!taken.contains(key), entry.text);
            taken << key;
        }
    }
    QCOMPARE(d.shell.mainView().action(Command::ProjectLoad)->shortcuts(),
             (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::CTRL | Qt::Key_O)}));
    QCOMPARE(d.shell.mainView().action(Command::Exit)->shortcuts(),
             QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Q)});
    QCOMPARE(d.shell.mainView().action(Command::CommonDelete)->shortcuts(),
             QList<QKeySequence>{QKeySequence(Qt::Key_Delete)});

    // The keys reach their command in the window.
    d.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d.window()));
    QTest::keySequence(d.window(), QKeySequence(Qt::CTRL | Qt::Key_O));
    Settle(d.shell);
    QCOMPARE(d.ask.calls.value(0).section(QLatin1Char(':'), 0, 0), QStringLiteral("Open Load project"));
}

// Each button sends the command of a menu item and shows that item's icon.
void TestDesktop::toolbarButtonsSendMenuCommands()
{
    Desktop d;
    const QList<QAction *> items = MenuItems(d.shell);
    QStringList toolTips;
    for (QAction *button : d.shell.mainView().toolBar()->actions()) {
        if (button->isSeparator())
            continue;
        QVERIFY2(!button->toolTip().isEmpty() && !toolTips.contains(button->toolTip()), qPrintable(button->toolTip()));
        toolTips << button->toolTip();
        QVERIFY2(items.contains(button), qPrintable(button->toolTip())); // the menu item's own action
    }
    QVERIFY(toolTips.contains(QStringLiteral("Generate")));
    QCOMPARE(d.shell.mainView().toolBar()->iconSize(), QSize(16, 16));
    QCOMPARE(d.shell.mainView().toolBar()->toolButtonStyle(), Qt::ToolButtonIconOnly);
}

void TestDesktop::iconsAreDecodedWithAlpha()
{
    Desktop d;
    for (const QIcon &icon : d.shell.icons()) {
        const QImage image = icon.pixmap(16, 16).toImage();
        QCOMPARE(image.size(), QSize(16, 16));
        QVERIFY(image.hasAlphaChannel());
    }
    // A plus and a minus sign leave their corners see-through.
    QCOMPARE(qAlpha(d.shell.icons()[IconAdd].pixmap(16, 16).toImage().pixel(0, 0)), 0);
    QVERIFY(qAlpha(d.shell.icons()[IconAdd].pixmap(16, 16).toImage().pixel(8, 8)) == 255);
    QVERIFY(DecodePng(QByteArrayLiteral("\x89PNG\r\n\x1a\n broken")).isNull());
    QVERIFY(DecodePng(QByteArray()).isNull());
}

// The lists fill what the toolbar, the status bar and the Project view leave; without the
// Project view they take its room back.
void TestDesktop::resizeKeepsSplitterBetweenToolbarAndStatusBar()
{
    Desktop d;
    d.window()->resize(500, 400);
    Settle(d.shell);
    const QRect split = d.shell.mainView().splitter()->geometry();
    QCOMPARE(split.top(), d.shell.mainView().toolBar()->geometry().bottom() + 1);
    QCOMPARE(split.bottom(), d.window()->statusBar()->geometry().top() - 1);
    QWidget *dock = d.shell.projectView().dock();
    QVERIFY(dock->isVisible() && split.right() < dock->geometry().left());
    QVERIFY(dock->width() > 100);
    // The Project view grows with the window, keeping its share.
    const double share = double(dock->width()) / d.window()->width();
    d.window()->resize(1000, 400);
    Settle(d.shell);
    QVERIFY2(qAbs(double(dock->width()) / d.window()->width() - share) < 0.03,
             qPrintable(QString::number(dock->width())));
    QCOMPARE(d.shell.mainView().splitter()->sizes().first(), 100);

    dock->close();
    Settle(d.shell);
    QCOMPARE(d.shell.mainView().splitter()->width(), d.window()->width());
    Menu(d.shell, Command::ProjectView);
    QVERIFY(dock->isVisible());
    QVERIFY(d.shell.mainView().splitter()->width() < d.window()->width() - 100);
}

// A window remembered larger than the screen and partly left of and above it opens inside
// the screen, its title bar within reach.
void TestDesktop::rememberedGeometryIsFittedToTheScreen()
{
    QMainWindow away;
    away.setGeometry(-50, -40, 3000, 2000);
    ProgramSettings remembered;
    LocateSettingsFiles(remembered);
    LoadDesktopMemory(remembered);
    const QString before = remembered.WindowGeometry;
    remembered.WindowGeometry = QString::fromLatin1(away.saveGeometry().toBase64());
    SaveDesktopMemory(remembered);
    Desktop d;
    remembered.WindowGeometry = before;
    SaveDesktopMemory(remembered);

    const QRect available = d.window()->screen()->availableGeometry();
    QVERIFY(available.contains(d.window()->frameGeometry().topLeft()));
    QVERIFY(d.window()->width() <= available.width() && d.window()->height() <= available.height());
}

void TestDesktop::controlLLoadsAndControlSSaves()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    Desktop d;
    d.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d.window()));
    d.ask.openAnswers << QStringList{dir.path(QStringLiteral("Demo.pbm"))};
    QTest::keyClick(d.window(), Qt::Key_L, Qt::ControlModifier);
    Settle(d.shell);
    QCOMPARE(d.shell.mainView().StatusText(), dir.path(QStringLiteral("Demo.pbm")));
    QCOMPARE(d.shell.project().CommonFiles, QStringList{QStringLiteral("Form.pbf")});

    d.ask.calls.clear();
    d.shell.project().switches.Utf8 = 0;
    d.shell.project().ProjectSaved = false;
    QTest::keyClick(d.window(), Qt::Key_S, Qt::ControlModifier);
    Settle(d.shell);
    QVERIFY(d.shell.project().ProjectSaved);
    QVERIFY(dir.read(QStringLiteral("Demo.pbm")).contains("Utf8=0\n"));
    QVERIFY(d.ask.calls.isEmpty());
}

void TestDesktop::infoFromMenuAndApplicationMenu_data()
{
    QTest::addColumn<bool>("applicationMenu");
    QTest::newRow("&Info") << false;
    QTest::newRow("application menu About") << true;
}

void TestDesktop::infoFromMenuAndApplicationMenu()
{
    QFETCH(bool, applicationMenu);
    Desktop d;
    if (applicationMenu)
        d.shell.mainView().applicationActions().at(0)->trigger();
    else
        d.shell.mainView().action(Command::Info)->trigger();
    Settle(d.shell);
    QCOMPARE(d.ask.calls, QStringList{InfoMessage});
}

void TestDesktop::optionsWindowShowsTheSwitches()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    Desktop d(dir.path(QStringLiteral("Demo.pbm")));
    d.shell.project().switches = {0, 1, 1, 1, 0, 0, 1};
    Menu(d.shell, Command::StartGenerate);
    QWidget *options = d.window(OptionsWindow);
    QVERIFY(options && options->isVisible());
    QCOMPARE(options->windowTitle(), QStringLiteral("Start Generate"));
    QCOMPARE(options->parentWidget(), d.window()); // transient for the main window, on top of it
    QVERIFY(options->isModal());
    QVERIFY(options->width() >= 600 && options->height() >= 200);
    QCOMPARE(options->minimumSize(), options->maximumSize()); // not resizable
    QVERIFY(!d.mainEnabled());
    const std::pair<QString, bool> expected[] = {
        {ParendBox, false},    {PBIgnoreBox, true},     {MultilangBox, true}, {ImageIncludeBox, true},
        {ImageNullBox, false}, {UseCallFastBox, false}, {Utf8Box, true}};
    for (const auto &[box, on] : expected)
        QCOMPARE(Checked(box), on);
    QCOMPARE(d.box(ImageNullBox)->text(), QStringLiteral("ImageGadget set Zero"));
    // Every text shows whole, the right column beside the left one, inside the window.
    const QCheckBox *pbIgnore = d.box(PBIgnoreBox);
    QVERIFY(pbIgnore->width() >= pbIgnore->sizeHint().width());
    QVERIFY(d.box(UseCallFastBox)->x() > pbIgnore->geometry().right());
    QCOMPARE(d.box(Utf8Box)->x(), d.box(UseCallFastBox)->x());
    QVERIFY(d.box(UseCallFastBox)->geometry().right() < options->width());
    // The disabled main window takes no commands.
    QTest::keyClick(d.window(), Qt::Key_N, Qt::ControlModifier);
    Settle(d.shell);
    QCOMPARE(d.shell.project().CommonFiles, QStringList{QStringLiteral("Form.pbf")});
}

void TestDesktop::imageSwitchesExcludeEachOther()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    Desktop d(dir.path(QStringLiteral("Demo.pbm")));
    Menu(d.shell, Command::StartGenerate);
    Click(d.shell, ImageIncludeBox);
    QCOMPARE(d.shell.project().switches.Image_Include, 1);
    QVERIFY(!d.shell.project().ProjectSaved);

    Click(d.shell, ImageNullBox);
    QCOMPARE(d.shell.project().switches.Image_Null, 1);
    QCOMPARE(d.shell.project().switches.Image_Include, 0);
    QVERIFY(!d.box(ImageIncludeBox)->isChecked());

    Click(d.shell, ImageIncludeBox);
    QCOMPARE(d.shell.project().switches.Image_Include, 1);
    QCOMPARE(d.shell.project().switches.Image_Null, 0);
    QVERIFY(!d.box(ImageNullBox)->isChecked());

    Click(d.shell, ImageIncludeBox); // unchecking one leaves the other alone
    QCOMPARE(d.shell.project().switches.Image_Include, 0);
    QCOMPARE(d.shell.project().switches.Image_Null, 0);
}

void TestDesktop::otherSwitchBoxesMarkTheProjectChanged()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    Desktop d(dir.path(QStringLiteral("Demo.pbm")));
    Menu(d.shell, Command::StartGenerate);
    const Switches before = d.shell.project().switches;
    for (const QString &gadget : {ParendBox, PBIgnoreBox, MultilangBox, UseCallFastBox, Utf8Box}) {
        d.shell.project().ProjectSaved = true;
        d.shell.mainView().RefreshTitle();
        Click(d.shell, gadget);
        QVERIFY(!d.shell.project().ProjectSaved);
        QVERIFY(d.window()->isWindowModified()); // the title shows it at once
    }
    const Switches &after = d.shell.project().switches;
    QCOMPARE(after.Parend, 1 - before.Parend);
    QCOMPARE(after.PB_Ignore, 1 - before.PB_Ignore);
    QCOMPARE(after.Multilang, 1 - before.Multilang);
    QCOMPARE(after.UseCallFast, 1 - before.UseCallFast);
    QCOMPARE(after.Utf8, 1 - before.Utf8);
}

void TestDesktop::startGenerateOnUnsavedProjectAsksForAFileFirst()
{
    Desktop d;
    Menu(d.shell, Command::StartGenerate);
    QCOMPARE(d.ask.calls, QStringList{QStringLiteral("Save Save project: Unbekannt.pbm [Project (*.pbm)|*.pbm]")});
    QVERIFY(!Find(OptionsWindow));
    QVERIFY(d.mainEnabled());
    QVERIFY(!d.shell.GenerationRunning());
}

void TestDesktop::closingOptionsWindowStartsNoRun()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    Desktop d(dir.path(QStringLiteral("Demo.pbm")));
    Menu(d.shell, Command::StartGenerate);
    d.window(OptionsWindow)->close(); // the close box
    Settle(d.shell);
    QVERIFY(!Find(OptionsWindow));
    QVERIFY(d.mainEnabled());
    QVERIFY(!d.shell.GenerationRunning());
    QVERIFY(d.shell.mainView().LogLines().isEmpty());
    QVERIFY(!dir.exists(QStringLiteral("CommonFile.pb")));

    // Escape takes back a clicked switch, and the unsaved mark it made.
    const Switches before = d.shell.project().switches;
    Menu(d.shell, Command::StartGenerate);
    d.window(OptionsWindow)->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d.window(OptionsWindow)));
    Click(d.shell, ParendBox);
    QVERIFY(!d.shell.project().ProjectSaved);
    QTest::keyClick(d.window(OptionsWindow), Qt::Key_Escape);
    Settle(d.shell);
    QVERIFY(!Find(OptionsWindow));
    QCOMPARE(d.shell.project().switches.Parend, before.Parend);
    QVERIFY(d.shell.project().ProjectSaved);
    QVERIFY(!d.window()->isWindowModified());
    QVERIFY(d.mainEnabled());
}

void TestDesktop::commonFileCommands()
{
    Desktop d;
    d.ask.openAnswers << QStringList{QStringLiteral("/p/forms/A.pbf"), QStringLiteral("/p/B.pb"),
                                     QStringLiteral("/p/B.pb")};
    Menu(d.shell, Command::CommonAdd);
    QCOMPARE(d.ask.calls, QStringList{QStringLiteral("Open Commonfile:  [Common|*.pb*|Alle Dateien|*.*] multiple")});
    const QStringList added = {"/p/forms/A.pbf", "/p/B.pb"}; // a file chosen twice is listed once
    QCOMPARE(d.shell.mainView().CommonFileItems(), added);
    QCOMPARE(d.shell.project().CommonFiles, added);
    QCOMPARE(d.shell.project().LastPath, QStringLiteral("/p/forms/"));
    QVERIFY(!d.shell.project().ProjectSaved);

    QListWidget *list = d.shell.mainView().commonFileList();
    list->setCurrentRow(1);
    Menu(d.shell, Command::CommonFirst);
    const QStringList moved = {"/p/B.pb", "/p/forms/A.pbf"};
    QCOMPARE(d.shell.mainView().CommonFileItems(), moved);
    QCOMPARE(d.shell.project().CommonFiles, moved);

    list->setCurrentRow(1);
    Menu(d.shell, Command::CommonDelete);
    const QStringList left = {"/p/B.pb"};
    QCOMPARE(d.shell.mainView().CommonFileItems(), left);
    QCOMPARE(d.shell.project().CommonFiles, left);

    Menu(d.shell, Command::CommonDelete); // nothing selected any more
    QCOMPARE(d.shell.project().CommonFiles, left);

    d.ask.calls.clear();
    Menu(d.shell, Command::CommonAdd); // cancelled
    QCOMPARE(d.shell.project().CommonFiles, left);
    QCOMPARE(d.shell.project().LastPath, QStringLiteral("/p/forms/"));
    QCOMPARE(d.ask.calls,
             QStringList{QStringLiteral("Open Commonfile: /p/forms/ [Common|*.pb*|Alle Dateien|*.*] multiple")});

    // A file listed already is not added again, and the project stays unchanged.
    d.shell.project().ProjectSaved = true;
    d.ask.openAnswers << QStringList{QStringLiteral("/p/B.pb")};
    Menu(d.shell, Command::CommonAdd);
    QCOMPARE(d.shell.mainView().CommonFileItems(), left);
    QCOMPARE(d.shell.project().CommonFiles, left);
    QVERIFY(d.shell.project().ProjectSaved);
}

void TestDesktop::firstFileWithoutSelectionChangesNothing()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    Desktop d(dir.path(QStringLiteral("Demo.pbm")));
    Menu(d.shell, Command::CommonFirst);
    Menu(d.shell, Command::CommonDelete);
    QCOMPARE(d.shell.project().CommonFiles, QStringList{QStringLiteral("Form.pbf")});
    QVERIFY(d.shell.project().ProjectSaved);
}

void TestDesktop::undoTakesBackListEdits()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    Desktop d(dir.path(QStringLiteral("Demo.pbm")));
    d.ask.openAnswers << QStringList{QStringLiteral("/p/A.pb")} << QStringList{QStringLiteral("/p/B.pb")};
    Menu(d.shell, Command::CommonAdd);
    Menu(d.shell, Command::CommonAdd);
    d.shell.mainView().commonFileList()->setCurrentRow(1);
    Menu(d.shell, Command::CommonDelete);
    QCOMPARE(d.shell.project().CommonFiles, (QStringList{"Form.pbf", "/p/B.pb"}));

    d.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d.window()));
    QTest::keyClick(d.window(), Qt::Key_Z, Qt::ControlModifier);
    Settle(d.shell);
    QCOMPARE(d.shell.project().CommonFiles, (QStringList{"Form.pbf", "/p/A.pb", "/p/B.pb"}));
    QCOMPARE(d.shell.mainView().CommonFileItems(), d.shell.project().CommonFiles);
    Menu(d.shell, Command::Undo);
    QCOMPARE(d.shell.mainView().CommonFileItems(), (QStringList{"Form.pbf", "/p/A.pb"}));
    QVERIFY(d.window()->isWindowModified());
    Menu(d.shell, Command::Undo);
    QCOMPARE(d.shell.project().CommonFiles, QStringList{QStringLiteral("Form.pbf")});
    QVERIFY(!d.window()->isWindowModified()); // as loaded
    Menu(d.shell, Command::Undo);             // nothing left to undo
    QCOMPARE(d.shell.mainView().CommonFileItems(), QStringList{QStringLiteral("Form.pbf")});

    // Undoing an edit made before a save leaves the project unsaved; a load forgets the edits.
    d.ask.openAnswers << QStringList{QStringLiteral("/p/A.pb")};
    Menu(d.shell, Command::CommonAdd);
    Menu(d.shell, Command::ProjectSave);
    Menu(d.shell, Command::Undo);
    QCOMPARE(d.shell.project().CommonFiles, QStringList{QStringLiteral("Form.pbf")});
    QVERIFY(d.window()->isWindowModified());
    d.ask.answers << Answer::No;
    d.load(dir.path(QStringLiteral("Demo.pbm")));
    Menu(d.shell, Command::Undo);
    QCOMPARE(d.shell.project().CommonFiles, (QStringList{"Form.pbf", "/p/A.pb"}));
}

namespace {

// A list, button or text field that assistive tools could not name: the windows' own controls.
QStringList UnnamedControls(QWidget *window)
{
    QList<QWidget *> labelled;
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (label->buddy() && !label->text().isEmpty() && label->isVisibleTo(window))
            labelled << label->buddy();
    }
    QStringList unnamed;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!qobject_cast<QAbstractItemView *>(widget) && !qobject_cast<QAbstractButton *>(widget)
            && !qobject_cast<QLineEdit *>(widget))
            continue;
        const QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
        if ((!face || face->text(QAccessible::Name).isEmpty()) && !labelled.contains(widget))
            unnamed << QLatin1String(widget->metaObject()->className()) + QLatin1Char(' ') + widget->objectName();
    }
    return unnamed;
}

} // namespace

void TestDesktop::everyControlHasAName()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    Desktop d(dir.path(QStringLiteral("Demo.pbm")));
    QCOMPARE(UnnamedControls(d.window()), QStringList());
    QCOMPARE(Find(LogList)->accessibleName(), QStringLiteral("Log"));
    Menu(d.shell, Command::StartGenerate);
    QCOMPARE(UnnamedControls(d.window(OptionsWindow)), QStringList());
    d.shell.optionsView().CloseBox();
    Menu(d.shell, Command::UserGadget);
    QCOMPARE(UnnamedControls(d.window(UserGadgetWindow)), QStringList());
}

void TestDesktop::wholeGenerationFromTheOptionsWindow()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    Desktop d(dir.path(QStringLiteral("Demo.pbm")));
    QCOMPARE(d.shell.mainView().StatusText(), dir.path(QStringLiteral("Demo.pbm")));
    QCOMPARE(d.shell.mainView().CommonFileItems(), QStringList{QStringLiteral("Form.pbf")});

    GenerateButton(d.shell)->trigger(); // the Generate button
    Settle(d.shell);
    QVERIFY(Find(OptionsWindow));
    Click(d.shell, StartButton);
    FinishRun(d.shell);

    QCOMPARE(d.shell.mainView().LogLines(), DemoRunLog(dir.dir()));
    QVERIFY(!Find(OptionsWindow));
    QVERIFY(d.mainEnabled());
    QVERIFY(GenerateButton(d.shell)->isEnabled());
    QVERIFY(dir.exists(QStringLiteral("EventMain.pb")));
    QVERIFY(d.ask.calls.isEmpty());

    // A second run, started with Return, appends to the log.
    Menu(d.shell, Command::StartGenerate);
    d.window(OptionsWindow)->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d.window(OptionsWindow)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(d.shell.GenerationRunning());
    FinishRun(d.shell);
    QCOMPARE(d.shell.mainView().LogLines().size(), 2 * DemoRunLog(dir.dir()).size());
}

void TestDesktop::runWithoutCommonFilesStops()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/empty"));
    Desktop d(dir.path(QStringLiteral("Empty.pbm")));
    Menu(d.shell, Command::StartGenerate);
    Click(d.shell, StartButton);
    FinishRun(d.shell);
    const QStringList expected = {"Generate Code Step 1 ...",
                                  "- Check Main.pb",
                                  " -> Main.pb not found.",
                                  "- Load Files...",
                                  "None Files to Generate.",
                                  "Cancel.",
                                  ""};
    QCOMPARE(d.shell.mainView().LogLines(), expected);
    QVERIFY(d.mainEnabled());
    QVERIFY(!dir.exists(QStringLiteral("Main.pb")));
    QVERIFY(!dir.exists(QStringLiteral("CommonFile.pb")));
}

void TestDesktop::projectCommandsWaitWhileARunGoes()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    Desktop d(dir.path(QStringLiteral("Demo.pbm")));
    Menu(d.shell, Command::StartGenerate);
    StartRunWithoutTurning(d.shell);
    QVERIFY(d.shell.GenerationRunning());
    QVERIFY(!GenerateButton(d.shell)->isEnabled());
    d.shell.mainView().RunCommand(Command::ProjectNew);
    d.shell.mainView().RunCommand(Command::StartGenerate);
    d.window()->close();
    d.shell.mainView().RunCommand(Command::Info); // not a project command
    FinishRun(d.shell);

    QCOMPARE(d.shell.project().CommonFiles, QStringList{QStringLiteral("Form.pbf")});
    QCOMPARE(d.shell.mainView().LogLines(), DemoRunLog(dir.dir()));
    QVERIFY(!d.shell.commands().QuitRequested);
    QCOMPARE(d.ask.calls,
             (QStringList{QStringLiteral("Message Quarvel: A generation is running. Quit when it has ended."),
                          InfoMessage}));
    QVERIFY(GenerateButton(d.shell)->isEnabled());
}

void TestDesktop::messageBoxDoesNotHoldUpARun()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    Desktop d(dir.path(QStringLiteral("Demo.pbm")));
    Menu(d.shell, Command::StartGenerate);
    StartRunWithoutTurning(d.shell);
    // The Info box stays open, with only its own loop running, until the run has ended.
    QStringList logSeenInsideBox;
    d.ask.onMessage = [&] {
        QVERIFY(QTest::qWaitFor([&] { return d.shell.mainView().LogLines().size() >= DemoRunLog(dir.dir()).size(); },
                                20000));
        logSeenInsideBox = d.shell.mainView().LogLines();
    };
    d.shell.mainView().RunCommand(Command::Info);
    QCOMPARE(logSeenInsideBox, DemoRunLog(dir.dir()));
    FinishRun(d.shell);
}

void TestDesktop::licenceWindow()
{
    Desktop d;
    Menu(d.shell, Command::Licence);
    QWidget *licence = d.window(LicenceWindow);
    QVERIFY(licence && licence->isVisible());
    QCOMPARE(licence->windowTitle(), QStringLiteral("Licence"));
    QCOMPARE(licence->windowModality(), Qt::ApplicationModal);
    QCOMPARE(licence->parentWidget(), d.window()); // transient for the main window
    QVERIFY(!d.mainEnabled());

    auto *list = Find<QListWidget>(LicenceList);
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    QCOMPARE(items.first(), QStringLiteral("Lizenzvereinbarung"));
    QVERIFY(items.contains(QStringLiteral("Licence agreement")));
    QVERIFY(items.indexOf(QStringLiteral("Lizenzvereinbarung")) < items.indexOf(QStringLiteral("Licence agreement")));
    QCOMPARE(items.at(2), QString());                      // empty lines stay as empty items
    QVERIFY(items.last().endsWith(QStringLiteral("   "))); // trailing blanks kept
    QVERIFY(!items.join(QString()).contains(QLatin1Char('\r')));
    QVERIFY(items.size() >= 28 && items.size() <= 40);

    licence->resize(800, 700); // the list grows with the window
    Settle(d.shell);
    QCOMPARE(list->geometry(), QRect(0, 0, 800, 700));

    licence->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(licence));
    QTest::keyClick(licence, Qt::Key_Escape);
    Settle(d.shell);
    QVERIFY(!Find(LicenceWindow));
    QVERIFY(d.mainEnabled());
}

void TestDesktop::licenceWindowStillAnswersARun()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    Desktop d(dir.path(QStringLiteral("Demo.pbm")));
    Menu(d.shell, Command::StartGenerate);
    StartRunWithoutTurning(d.shell);
    d.shell.mainView().RunCommand(Command::Licence);
    QVERIFY(Find(LicenceWindow));
    FinishRun(d.shell);
    QCOMPARE(d.shell.mainView().LogLines(), DemoRunLog(dir.dir()));
    QVERIFY(Find(LicenceWindow));
}

void TestDesktop::exitWithUnsavedChanges_data()
{
    QTest::addColumn<int>("way"); // -1 close box, 0 Exit, 1 the application menu's Quit
    QTest::addColumn<bool>("named");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("quits");
    QTest::addColumn<bool>("written");
    QTest::newRow("Exit, No") << 0 << true << int(Answer::No) << true << false;
    QTest::newRow("Exit, Yes") << 0 << true << int(Answer::Yes) << true << true;
    QTest::newRow("Exit, Yes, unnamed, cancelled") << 0 << false << int(Answer::Yes) << false << false;
    QTest::newRow("Exit, Cancel") << 0 << true << int(Answer::Cancel) << false << false;
    QTest::newRow("close box, Cancel") << -1 << true << int(Answer::Cancel) << false << false;
    QTest::newRow("close box, No") << -1 << true << int(Answer::No) << true << false;
    QTest::newRow("close box, Yes") << -1 << true << int(Answer::Yes) << true << true;
    QTest::newRow("application Quit, No") << 1 << true << int(Answer::No) << true << false;
    QTest::newRow("application Quit, Yes, unnamed, cancelled") << 1 << false << int(Answer::Yes) << false << false;
}

void TestDesktop::exitWithUnsavedChanges()
{
    QFETCH(int, way);
    QFETCH(bool, named);
    QFETCH(int, answer);
    QFETCH(bool, quits);
    QFETCH(bool, written);
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    QFile::remove(dir.path(QStringLiteral("Demo.pbm")));
    Desktop d;
    d.shell.project().CommonFiles << QStringLiteral("Form.pbf");
    d.shell.project().ProjectSaved = false;
    if (named) {
        d.shell.project().ProjectNamed = true;
        d.shell.project().ProjectFile = dir.path(QStringLiteral("Demo.pbm"));
    }
    d.ask.answers << Answer(answer);
    if (way < 0)
        d.window()->close();
    else if (way == 0)
        d.shell.mainView().action(Command::Exit)->trigger();
    else
        d.shell.mainView().applicationActions().at(2)->trigger();
    Settle(d.shell);
    QCOMPARE(d.ask.calls.first(), QStringLiteral("Question Frage: Aktuelles Projekt speichern?"));
    QCOMPARE(d.shell.commands().QuitRequested, quits);
    QCOMPARE(dir.exists(QStringLiteral("Demo.pbm")), written);
    QVERIFY(d.window()->isVisible());
}

// The worker's side for real: it goes on past its log lines without waiting, waits only for
// the bind dialog's answer, and this thread carries every request out in the order made,
// consecutive lines as one batch.
void TestDesktop::requestsTravelThroughTheQueueInOrder()
{
    QStringList performed;
    std::shared_ptr<BindAnswer> pending;
    RequestQueue queue([&](DesktopRequest &request) {
        if (auto *lines = std::get_if<requests::AppendLogLines>(&request)) {
            performed << QStringLiteral("%1 lines, last %2:%3")
                             .arg(lines->entries.size())
                             .arg(lines->entries.last().text)
                             .arg(lines->entries.last().line);
        } else if (auto *open = std::get_if<requests::OpenBindDialog>(&request)) {
            performed << QStringLiteral("bind ") + open->request.unboundOld.join(QLatin1Char(','));
            pending = open->answer;
        } else if (auto *finished = std::get_if<requests::RunFinished>(&request)) {
            performed << QStringLiteral("finished, %1 warnings").arg(finished->result.warnings);
        } else {
            performed << QString::number(request.index());
        }
    });
    DesktopFrontEnd frontEnd(queue);
    RunResult result;
    result.warnings = 3;
    QSemaphore linesPosted;
    BindDialogAnswer answered;
    std::thread worker([&] {
        frontEnd.RunStarted();
        for (int i = 0; i < 50; ++i)
            frontEnd.AppendLogLine({QStringLiteral("line %1").arg(i), LogKind::Warning, QStringLiteral("F.pb"), i});
        linesPosted.release();
        answered = frontEnd.OpenBindDialog({ObjectKind::Gadget, {"Old"}, {"New"}});
        frontEnd.CloseBindDialog();
        frontEnd.AppendLogLine({QStringLiteral("after"), LogKind::Plain});
        frontEnd.RunFinished(result);
    });
    // The worker passes its log lines while this thread does not turn its loop at all.
    QVERIFY(linesPosted.tryAcquire(1, 10000));
    QVERIFY(performed.isEmpty());
    QVERIFY(QTest::qWaitFor([&] { return pending != nullptr; }, 10000));
    QCOMPARE(performed, (QStringList{"0", "50 lines, last line 49:49", "bind Old"}));
    pending->Give({BindDialogEnd::Continue, {{"Old", "New"}}});
    QVERIFY(QTest::qWaitFor([&] { return performed.size() == 6; }, 10000));
    worker.join();
    QCOMPARE(performed.mid(3), (QStringList{"2", "1 lines, last after:0", "finished, 3 warnings"}));
    QCOMPARE(answered.bindings, (QList<NamePair>{{"Old", "New"}}));

    // On this thread a request is carried out before the call returns, after those before it.
    frontEnd.ClearLog();
    QCOMPARE(performed.last(), QString::number(DesktopRequest(requests::ClearLog{}).index()));
}

void TestDesktop::nameFiltersForTheFileDialogs_data()
{
    QTest::addColumn<QString>("patterns");
    QTest::addColumn<QString>("filters");
    // clang-format off
    QTest::newRow("common files") << "Common|*.pb*|Alle Dateien|*.*" << "Common (*.pb*);;Alle Dateien (*.*)";
    QTest::newRow("label shows its pattern") << "Project (*.pbm)|*.pbm" << "Project (*.pbm)";
    QTest::newRow("several patterns") << "Source|*.pb;*.pbi" << "Source (*.pb *.pbi)";
    // clang-format on
}

void TestDesktop::nameFiltersForTheFileDialogs()
{
    QFETCH(QString, patterns);
    QFETCH(QString, filters);
    QCOMPARE(QtNameFilters(patterns), filters);
}

void TestDesktop::differenceOfTwoTexts()
{
    const QStringList before = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"};
    QStringList after = before;
    after[1] = QStringLiteral("B");
    after.insert(8, QStringLiteral("new"));
    QStringList shown;
    for (const DiffLine &line : UnifiedDiff(before, after, 1))
        shown << QString::number(line.kind) + line.text;
    const QStringList expected = {"3@@ -1,3 +1,3 @@", "0a", "1b", "2B", "0c", "3@@ -8,2 +8,3 @@", "0h", "2new", "0i"};
    QCOMPARE(shown, expected);
    QVERIFY(UnifiedDiff(before, before).isEmpty());
    // Every line of both texts comes back, in order.
    QStringList kept, added;
    for (const DiffLine &line : DiffLines({"x", "y", "z"}, {"z", "y", "x", "w"})) {
        if (line.kind != DiffLine::Added)
            kept << line.text;
        if (line.kind != DiffLine::Removed)
            added << line.text;
    }
    QCOMPARE(kept, (QStringList{"x", "y", "z"}));
    QCOMPARE(added, (QStringList{"z", "y", "x", "w"}));

    // Many scattered changes among repeated lines: still every line back, and each changed line
    // marked once removed and once added, not the whole text.
    QStringList big, changed;
    for (int i = 0; i < 6000; ++i)
        big << (i % 3 == 2 ? QStringLiteral("EndProcedure") : QStringLiteral("Procedure P%1()").arg(i));
    changed = big;
    for (int i = 0; i < 6000; i += 3)
        changed[i] += QLatin1Char('x');
    QStringList back[2];
    int edits = 0;
    for (const DiffLine &line : DiffLines(big, changed)) {
        if (line.kind != DiffLine::Added)
            back[0] << line.text;
        if (line.kind != DiffLine::Removed)
            back[1] << line.text;
        edits += line.kind != DiffLine::Same;
    }
    QCOMPARE(back[0], big);
    QCOMPARE(back[1], changed);
    QCOMPARE(edits, 2 * 2000);
}

// An include that is gone: the run still ends "Ready.", and the user sees why at a glance.
void TestDesktop::runWithAMissingFileShowsTheErrorAndWhatChanged()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    dir.write(QStringLiteral("Main.pb"), dir.read(QStringLiteral("Main.pb")) + "XIncludeFile \"Gone.pbi\"\n");
    dir.write(QStringLiteral("Helpers.pb"), "; no window here\n");
    Desktop d(dir.path(QStringLiteral("Demo.pbm")));
    d.ask.openAnswers << QStringList{dir.path(QStringLiteral("Helpers.pb"))};
    Menu(d.shell, Command::CommonAdd);
    QCOMPARE(d.shell.project().CommonFiles, (QStringList{"Form.pbf", "Helpers.pb"})); // beside the project
    Menu(d.shell, Command::ProjectSave);
    for (int run = 0; run < 2; ++run) { // the second run has the first one's files in Backup/
        Menu(d.shell, Command::StartGenerate);
        Click(d.shell, StartButton);
        FinishRun(d.shell);
        if (run == 0) // the user cleared an event file: the second run appends its skeletons again
            dir.write(QStringLiteral("EventGadget.pb"), "; mine\n");
    }
    const QList<int> errors = LogRows(d.shell,
                                      " -> Error OpenFile " + dir.path(QStringLiteral("Gone.pbi")) + " / Errorcode: 1");
    QCOMPARE(errors.size(), 2);
    QCOMPARE(LogColour(d.shell, errors.last()), QColor(0xc0, 0x10, 0x10));
    QVERIFY(!LogData(d.shell, errors.last(), Qt::DecorationRole).value<QIcon>().isNull());
    QVERIFY(LogData(d.shell, 0, Qt::DecorationRole).isNull());
    QVERIFY2(d.shell.mainView().SummaryText().contains(QStringLiteral(">Ready — 1 error, 0 warnings, 1 finding<")),
             qPrintable(d.shell.mainView().SummaryText()));
    // The report's finding about the missing include is marked as a warning is.
    const QList<int> findings = LogRows(d.shell, QStringLiteral("Gone.pbi"), false);
    QVERIFY(std::any_of(findings.cbegin(), findings.cend(), [&d](int row) {
        return LogData(d.shell, row, LogModel::KindRole).toInt() == int(LogKind::Finding)
               && LogColour(d.shell, row) == QColor(0xa8, 0x60, 0x00)
               && !LogData(d.shell, row, Qt::DecorationRole).value<QIcon>().isNull();
    }));
    d.shell.mainView().ShowFirstFinding(); // the summary's link: the second run's error line
    QCOMPARE(d.shell.mainView().logView().CurrentRow(), errors.last());

    Menu(d.shell, Command::Changes);
    ChangesView *view = &d.shell.changesView();
    QVERIFY(view && Find(ChangesWindow));
    QCOMPARE(d.window(ChangesWindow)->parentWidget(), d.window()); // transient for it, on top of it
    QVERIFY(!d.window(ChangesWindow)->isModal());
    QCOMPARE(view->FileCount(), 1); // the second run changed only the event file the user cleared
    QTRY_VERIFY(view->Loaded());    // read away from the GUI thread
    const QList<QListWidgetItem *> gadget = view->fileList()->findItems(QStringLiteral("EventGadget.pb"),
                                                                        Qt::MatchExactly);
    QCOMPARE(gadget.size(), 1);
    view->fileList()->setCurrentItem(gadget.first());
    QVERIFY2(view->ShownText().contains(QStringLiteral("\n+Procedure EventGadget_")), qPrintable(view->ShownText()));
    // Under a dark style sheet an added line's band is dark too, and its text reads on it.
    const auto addedBand = [view] {
        const DifferenceModel &lines = view->difference();
        for (int row = 0; row < lines.rowCount(); ++row) {
            if (lines.data(lines.index(row), Qt::DisplayRole).toString().startsWith(QLatin1Char('+')))
                return lines.data(lines.index(row), Qt::BackgroundRole).value<QColor>();
        }
        return QColor();
    };
    QVERIFY(addedBand().lightness() > 128);
    qApp->setStyleSheet(QStringLiteral("QWidget { background-color: #202020; color: #e0e0e0; }"));
    Settle(d.shell);
    QVERIFY2(addedBand().lightness() < 128, qPrintable(addedBand().name()));
    QVERIFY(ContrastRatio(QColor(0xe0, 0xe0, 0xe0), addedBand()) >= MinimumContrast);
    qApp->setStyleSheet(QString());
    QCOMPARE(view->renameList()->item(0)->text(), QStringLiteral("none"));
    // Every rename reads whole in its list.
    const QListWidget *renames = view->renameList();
    QVERIFY(renames->visualItemRect(renames->item(0)).right() < renames->viewport()->width());
    view->Close();
    Settle(d.shell);
    QVERIFY(!Find(ChangesWindow));

    // A new project starts clean: neither the summary nor the changes of the old one's run stay,
    // also in a Changes view left open.
    Menu(d.shell, Command::Changes);
    Menu(d.shell, Command::ProjectNew);
    QCOMPARE(d.shell.project().ProjectFile, UnnamedProjectFile);
    QCOMPARE(d.shell.mainView().SummaryText(), QString());
    QCOMPARE(view->FileCount(), 0);
    Menu(d.shell, Command::Changes);
    QCOMPARE(view->FileCount(), 0);
}

// A written file, a report finding and a warning about a window source each open at their
// line; an error line names a file that is not there.
void TestDesktop::doubleClickOnALogLineOpensItsFile()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    dir.write(QStringLiteral("Main.pb"), dir.read(QStringLiteral("Main.pb")) + "XIncludeFile \"Gone.pbi\"\n");
    dir.write(QStringLiteral("Helpers.pb"), "; helpers\nDebug 1\nProcedure Helper()\nEndProcedure\n");
    dir.write(QStringLiteral("EventGadget.pb"), "Procedure EventGadget_Gone(EventType)\nEndProcedure\n");
    Desktop d(dir.path(QStringLiteral("Demo.pbm")));
    d.shell.project().CommonFiles << QStringLiteral("Helpers.pb");
    QStringList opened;
    d.shell.mainView().openInEditor = [&opened](const QString &path, int line) {
        opened << path + QLatin1Char(':') + QString::number(line);
    };
    Menu(d.shell, Command::StartGenerate);
    Click(d.shell, StartButton);
    FinishRun(d.shell);
    const QStringList lines = d.shell.mainView().LogLines();
    const QStringList finding = lines.filter(
        QRegularExpression(QStringLiteral("^ -> EventGadget.pb:1: EventGadget_Gone ")));
    QCOMPARE(finding.size(), 1);
    for (const QString &line :
         {QStringLiteral(" -> Write File ") + dir.path(QStringLiteral("Main.pb")), finding.first(),
          QStringLiteral(" -> Warning: top-level code left out (Helpers.pb:2); move what the program"
                         " needs into a procedure.")}) {
        QVERIFY2(lines.contains(line), qPrintable(line));
        d.shell.mainView().OpenLogLineFile(int(lines.indexOf(line)));
    }
    d.shell.mainView().OpenLogLineFile(0); // names no file
    QCOMPARE(opened, (QStringList{dir.path(QStringLiteral("Main.pb:0")), dir.path(QStringLiteral("EventGadget.pb:1")),
                                  dir.path(QStringLiteral("Helpers.pb:2"))}));
    d.shell.mainView().OpenLogLineFile(
        int(lines.indexOf(" -> Error OpenFile " + dir.path(QStringLiteral("Gone.pbi")) + " / Errorcode: 1")));
    QCOMPARE(d.shell.mainView().statusBar()->currentMessage(),
             QStringLiteral("File not found: ") + dir.path(QStringLiteral("Gone.pbi")));
    QCOMPARE(opened.size(), 3);

    // Return opens the current line's file, as a double-click does.
    auto *log = Find<QListView>(LogList);
    d.shell.mainView().logView().ShowRow(int(lines.indexOf(finding.first())));
    QTest::keyClick(log, Qt::Key_Return);
    Settle(d.shell);
    QCOMPARE(opened.value(3), dir.path(QStringLiteral("EventGadget.pb:1")));
    Menu(d.shell, Command::OpenProjectFolder);
    QCOMPARE(opened.last(), dir.path(QString()).chopped(1) + QStringLiteral(":0"));
}

// Two runs parted by a row that is no log line; the lines copied as they are; a long line
// scrolled to, not cut; every row as high as an icon.
void TestDesktop::logLinesAreCopiedWholeAndRunsParted()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    Desktop d(dir.path(QStringLiteral("Demo.pbm")));
    QStringList opened;
    d.shell.mainView().openInEditor = [&opened](const QString &path, int line) {
        opened << path + QLatin1Char(':') + QString::number(line);
    };
    for (int run = 0; run < 2; ++run) {
        Menu(d.shell, Command::StartGenerate);
        Click(d.shell, StartButton);
        FinishRun(d.shell);
    }
    const QStringList oneRun = DemoRunLog(dir.dir());
    const QStringList lines = d.shell.mainView().LogLines();
    QCOMPARE(lines.size(), 2 * oneRun.size());
    QCOMPARE(lines.mid(0, oneRun.size()), oneRun);
    auto *log = Find<QListView>(LogList);
    LogView &view = d.shell.mainView().logView();
    QCOMPARE(view.RowCount(), 2 * oneRun.size() + 1);
    QCOMPARE(view.model().flags(view.model().index(int(oneRun.size()))), Qt::NoItemFlags);

    d.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d.window()));
    log->setFocus();
    QTest::keyClick(log, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(log, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));

    // Open File is there for a line that names a file, and opens it as a double-click does.
    QCOMPARE(log->actions(), (QList<QAction *>{view.copyAction(), view.openFileAction(), view.clearAction()}));
    view.ShowRow(0);
    QVERIFY(!view.openFileAction()->isEnabled());
    view.ShowRow(int(oneRun.indexOf(" -> Write File " + dir.path(QStringLiteral("Main.pb")))));
    QVERIFY(view.openFileAction()->isEnabled());
    view.openFileAction()->trigger();
    Settle(d.shell);
    QCOMPARE(opened, QStringList{dir.path(QStringLiteral("Main.pb:0"))});

    const QString longLine = QStringLiteral(" -> Warning: ") + QString(400, QLatin1Char('x')) + QStringLiteral(" end");
    d.shell.mainView().AppendLog({{longLine, LogKind::Warning}});
    log->doItemsLayout();
    const QModelIndex last = view.model().index(view.RowCount() - 1);
    QCOMPARE(last.data(Qt::ToolTipRole).toString(), longLine);
    QCOMPARE(log->textElideMode(), Qt::ElideNone);
    QVERIFY(log->horizontalScrollBar()->maximum() > 0);
    QVERIFY(log->visualRect(last).width() > log->fontMetrics().horizontalAdvance(longLine));
    const int icon = log->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, log);
    QCOMPARE(log->iconSize(), QSize(icon, icon));
    QVERIFY(log->visualRect(last).height() >= icon);

    view.clearAction()->trigger();
    QVERIFY(d.shell.mainView().LogLines().isEmpty());
    QCOMPARE(d.shell.mainView().SummaryText(), QString());
}

void TestDesktop::coloursReadOnLightAndDarkThemes_data()
{
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QColor>("base");
    QTest::addColumn<QColor>("text");
    QTest::newRow("light") << QColor(0xef, 0xef, 0xef) << QColor(Qt::white) << QColor(Qt::black);
    QTest::newRow("dark") << QColor(0x35, 0x35, 0x35) << QColor(0x2a, 0x2a, 0x2a) << QColor(0xee, 0xee, 0xee);
    QTest::newRow("mid grey") << QColor(0x80, 0x80, 0x80) << QColor(0x77, 0x77, 0x77) << QColor(Qt::black);
}

// Every marked line and the run summary keep a readable contrast with the theme's background.
void TestDesktop::coloursReadOnLightAndDarkThemes()
{
    QFETCH(QColor, window);
    QFETCH(QColor, base);
    QFETCH(QColor, text);
    QCOMPARE(qRound(ContrastRatio(Qt::black, Qt::white) * 10), 210);
    QCOMPARE(ContrastRatio(base, base), 1.0);
    QPalette theme(text, window, window.lighter(), window.darker(), window.darker(120), text, Qt::white, base, window);
    for (const ThemeRole role : {ThemeRole::Error, ThemeRole::Warning, ThemeRole::Finding, ThemeRole::Success}) {
        QVERIFY(ContrastRatio(ThemeColour(theme, role), base) >= MinimumContrast);
        QVERIFY(ContrastRatio(ThemeColour(theme, role, QPalette::Window), window) >= MinimumContrast);
    }

    const QPalette before = QApplication::palette();
    QApplication::setPalette(theme);
    Desktop d;
    auto *log = Find<QListView>(LogList);
    for (const LogKind kind : {LogKind::Error, LogKind::Warning, LogKind::Finding})
        d.shell.mainView().AppendLog({{QStringLiteral(" -> marked"), kind}});
    for (int row = 0; row < d.shell.mainView().logView().RowCount(); ++row)
        QVERIFY(ContrastRatio(LogColour(d.shell, row), base) >= MinimumContrast);
    RunResult result;
    result.outcome = RunOutcome::Ready;
    for (const int errors : {1, 0}) {
        result.errors = errors;
        result.warnings = 1;
        d.shell.mainView().RunEnded(result);
        const QPalette shown = d.shell.mainView().summaryField()->palette();
        const QColor colour = shown.color(QPalette::WindowText);
        QVERIFY(ContrastRatio(colour, window) >= MinimumContrast);
        QCOMPARE(shown.color(QPalette::Window), window);
        // The link is drawn in that colour (its underline at least), not in a colour of its own.
        const QImage drawn = d.shell.mainView().summaryField()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        bool inColour = false;
        for (int y = 0; y < drawn.height() && !inColour; ++y) {
            for (int x = 0; x < drawn.width() && !inColour; ++x)
                inColour = drawn.pixel(x, y) == colour.rgb();
        }
        QVERIFY2(inColour, qPrintable(colour.name()));
    }
    // A change of theme recolours the lines already shown.
    QPalette inverted = theme;
    inverted.setColor(QPalette::Base, QColor(0xff - base.red(), 0xff - base.green(), 0xff - base.blue()));
    QApplication::setPalette(inverted);
    QCoreApplication::processEvents(); // the widgets learn of it through the event loop
    QCOMPARE(log->palette().color(QPalette::Base), inverted.color(QPalette::Base));
    QCOMPARE(LogColour(d.shell, 0), ThemeColour(inverted, ThemeRole::Error));
    QVERIFY(LogColour(d.shell, 0) != ThemeColour(theme, ThemeRole::Error));
    QApplication::setPalette(before);
}

// The editor is the first known one installed until the user sets one; when nothing opens a
// file the user is told why and where to set the editor.
void TestDesktop::editorCommandFromPreferences()
{
    QTemporaryDir bin;
    const auto install = [&bin](const char *program) {
        QFile script(bin.filePath(QLatin1String(program)));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n");
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    };
    QCOMPARE(DefaultEditorCommand({bin.path()}), QString());
    install("xed");
    QCOMPARE(DefaultEditorCommand({bin.path()}), QStringLiteral("xed +%l %f"));
    install("gedit");
    QCOMPARE(DefaultEditorCommand({bin.path()}), QStringLiteral("gedit +%l %f"));
    QCOMPARE(EditorCommandLine(QStringLiteral("code -g \"%f:%l\""), QStringLiteral("/p/a %l.pb"), 0),
             (QStringList{"code", "-g", "/p/a %l.pb:1"}));

    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8());
    Desktop d;
    d.shell.settings().EditorCommand.clear();
    d.ask.inputs << QStringLiteral(" kate -l %l %f ");
    Menu(d.shell, Command::Editor);
    QCOMPARE(d.ask.calls, QStringList{QStringLiteral("Input Editor: gedit +%l %f")});
    QCOMPARE(d.shell.settings().EditorCommand, QStringLiteral("kate -l %l %f"));
    d.ask.calls.clear();
    Menu(d.shell, Command::Editor); // cancelled: the command stays
    QCOMPARE(d.ask.calls, QStringList{QStringLiteral("Input Editor: kate -l %l %f")});
    QCOMPARE(d.shell.settings().EditorCommand, QStringLiteral("kate -l %l %f"));

    QStringList urls;
    d.shell.mainView().openUrl = [&urls](const QUrl &url) {
        urls << url.toLocalFile();
        return false;
    };
    d.ask.calls.clear();
    d.shell.mainView().openInEditor(QStringLiteral("/p/Form.pbf"), 3); // kate is not installed
    QFile::remove(bin.filePath(QStringLiteral("xed")));
    QFile::remove(bin.filePath(QStringLiteral("gedit")));
    d.shell.settings().EditorCommand.clear();
    d.shell.mainView().openInEditor(QStringLiteral("/p/Form.pbf"), 3);
    d.shell.settings().EditorCommand = QStringLiteral("kate -l %l %f");
    d.shell.mainView().openInEditor(bin.path(), 0); // a folder goes to the desktop only
    qputenv("PATH", path);
    QCOMPARE(urls, (QStringList{"/p/Form.pbf", "/p/Form.pbf", bin.path()}));
    const QString where = QStringLiteral("\nSet your editor's command in File > Preferences > Editor.");
    QCOMPARE(d.ask.calls,
             (QStringList{"Message Quarvel: Cannot open /p/Form.pbf.\n\nThe editor command \"kate -l %l %f\" could not "
                          "be started, and the desktop has no application for this file."
                              + where,
                          "Message Quarvel: Cannot open /p/Form.pbf.\n\nNo editor is set and none of the known editors "
                          "is installed, and the desktop has no application for this file."
                              + where,
                          "Message Quarvel: Cannot open " + bin.path()
                              + ".\n\nThe desktop has no application for folders."}));
}

void TestDesktop::titleMarkRecentProjectsAndDrops()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    const QString project = dir.path(QStringLiteral("Demo.pbm"));
    Desktop d(project);
    QCOMPARE(d.window()->windowTitle(), QStringLiteral("Quarvel Version v5.17 - Demo.pbm[*]"));
    QVERIFY(!d.window()->isWindowModified());
    QCOMPARE(d.shell.settings().RecentProjects.value(0), project);
    QCOMPARE(d.shell.mainView().recentMenu()->actions().value(0)->text(), QStringLiteral("&1 ") + project);

    // A drag of files the program cannot use is refused while it hovers; one with a source is not.
    dir.write(QStringLiteral("Other.pb"), "; other\n");
    dir.write(QStringLiteral("notes.txt"), "notes\n");
    QWidget *dropZone = d.shell.mainView().commonFileList()->viewport();
    for (const auto &[name, usable] : {std::pair{"notes.txt", false}, std::pair{"Other.pb", true}}) {
        QMimeData dragged;
        dragged.setUrls({QUrl::fromLocalFile(dir.path(QLatin1String(name)))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(dropZone, &enter);
        QCOMPARE(enter.isAccepted(), usable);
    }

    // Dropped sources are added (beside the project: relative) once, anything else is passed over.
    d.shell.mainView().DropFiles({dir.path(QStringLiteral("Other.pb")), dir.path(QStringLiteral("notes.txt"))});
    d.shell.mainView().DropFiles({dir.path(QStringLiteral("Form.pbf")), dir.path(QStringLiteral("Other.pb"))});
    Settle(d.shell);
    QCOMPARE(d.shell.project().CommonFiles, (QStringList{"Form.pbf", "Other.pb"}));
    QCOMPARE(d.shell.mainView().CommonFileItems(), (QStringList{"Form.pbf", "Other.pb"}));
    QVERIFY(d.window()->isWindowModified());

    // Add and Load open their dialogs in the project's folder, whichever folder was used last.
    d.shell.project().LastPath = QStringLiteral("/elsewhere/");
    d.ask.calls.clear();
    Menu(d.shell, Command::CommonAdd);
    d.ask.answers << Answer::Cancel;
    Menu(d.shell, Command::ProjectLoad); // asks about the drop first; Cancel keeps it
    d.ask.answers << Answer::No;         // discards, but no file is chosen
    Menu(d.shell, Command::ProjectLoad);
    const QStringList dialogs = d.ask.calls.filter(QStringLiteral("Open "));
    QCOMPARE(dialogs, (QStringList{"Open Commonfile: " + dir.dir() + " [Common|*.pb*|Alle Dateien|*.*] multiple",
                                   "Open Load project: " + dir.dir() + " [Project (*.pbm)|*.pbm]"}));
    QCOMPARE(d.shell.project().CommonFiles, (QStringList{"Form.pbf", "Other.pb"}));

    // Loading it again from the recent list asks first; Cancel keeps the edit.
    const auto recent = [&d] {
        d.shell.mainView().recentMenu()->actions().value(0)->trigger();
        Settle(d.shell);
    };
    d.ask.answers << Answer::Cancel;
    recent();
    QCOMPARE(d.shell.project().CommonFiles, (QStringList{"Form.pbf", "Other.pb"}));
    d.ask.answers << Answer::No;
    recent();
    QCOMPARE(d.shell.project().CommonFiles, QStringList{QStringLiteral("Form.pbf")});
    QVERIFY(!d.window()->isWindowModified());

    // The list outlives the program, as new keys of QL4.INI.
    SaveDesktopMemory(d.shell.settings());
    ProgramSettings reread = d.shell.settings();
    reread.RecentProjects.clear();
    LoadDesktopMemory(reread);
    QCOMPARE(reread.RecentProjects, QStringList{project});
}

// A project named on the command line that cannot be one is named with the reason, and the
// program opens without it; so is a dropped one, and the project in hand stays.
void TestDesktop::badProjectFilesAreNamed_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // "dir" makes a folder of that name
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "Gone.pbm" << QByteArray() << "there is no such file";
    QTest::newRow("a folder") << "Folder.pbm" << QByteArray("dir") << "Is a directory";
    QTest::newRow("empty") << "Empty.pbm" << QByteArray("") << "the file is empty";
    QTest::newRow("no project file") << "Garbage.pbm" << QByteArray("\x89PNG\r\n\x1a\n\0\0 not text")
                                     << "it is no project file: it has neither a [FILES] nor a [SWITCH] section";
}

void TestDesktop::badProjectFilesAreNamed()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    if (content == "dir")
        QVERIFY(QDir(dir.dir()).mkdir(name));
    else if (name != QLatin1String("Gone.pbm"))
        dir.write(name, content);
    const QString message =
        QStringLiteral("Message Quarvel: Cannot open the project %1:\n%2.").arg(dir.path(name), reason);

    DesktopFixture started({dir.path(name)});
    QCOMPARE(started.ask.calls, QStringList{message});
    QVERIFY(started.shell.project().ProjectFile != dir.path(name));
    QVERIFY(!started.shell.mainView().windowTitle().contains(name));

    const QString demo = dir.path(QStringLiteral("Demo.pbm"));
    started.load(demo);
    started.shell.mainView().DropFiles({dir.path(name)});
    QCOMPARE(started.ask.calls, QStringList{message});
    QCOMPARE(started.shell.project().ProjectFile, demo);
    QCOMPARE(started.shell.project().CommonFiles, QStringList{QStringLiteral("Form.pbf")});
}

QTEST_MAIN(TestDesktop)

// The Project view is right before the first run (a dry run on load) and after each run; the
// filter finds an object, the preview draws the window and leads to the code.
void TestDesktop::projectViewAndWindowPreview()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    dir.write(QStringLiteral("Form.pbf"), "Procedure OpenWindow_0(x = 0, y = 0, width = 300, height = 200)\n"
                                          "  OpenWindow(#Window_0, x, y, width, height, \"Demo\")\n"
                                          "  PanelGadget(#Panel_0, 5, 5, 290, 150)\n"
                                          "  AddGadgetItem(#Panel_0, -1, \"First\")\n"
                                          "  ButtonGadget(#Button_0, 10, 10, 80, 24, \"OK\")\n"
                                          "  AddGadgetItem(#Panel_0, -1, \"Second\")\n"
                                          "  TextGadget(#Text_0, 10, 10, 80, 24, \"Hidden\")\n"
                                          "  CloseGadgetList()\n"
                                          "  StringGadget(#String_0, #Margin, 160, 100, 20, \"\")\n"
                                          "EndProcedure\n");
    Desktop d(dir.path(QStringLiteral("Demo.pbm")));
    QStringList opened;
    d.shell.mainView().openInEditor = [&opened](const QString &path, int line) {
        opened << QFileInfo(path).fileName() + QLatin1Char(':') + QString::number(line);
    };
    ProjectView &view = d.shell.projectView();
    QTRY_COMPARE(view.model().rowCount(), 1); // one window, before any run
    const QList<ObjectFact> &facts = view.model().Facts();
    const auto factNamed = [&facts](const QString &name) {
        for (qsizetype i = 0; i < facts.size(); ++i) {
            if (facts[i].name.endsWith(name))
                return i;
        }
        return qsizetype(-1);
    };
    const qsizetype button = factNamed(QStringLiteral("Button_0"));
    QVERIFY(button >= 0);

    // The preview of the window selected first, as large as its procedure's defaults say: the
    // panel's first tab with its button, the second tab's text left out, the string without a
    // number for its x marked under it.
    const PreviewPicture &picture = view.preview()->picture();
    QCOMPARE(picture.size, QSize(300, 200));
    QStringList drawn;
    for (const PreviewGadget &gadget : picture.gadgets)
        drawn << gadget.command + (gadget.placed ? QString() : QStringLiteral(" ?"));
    QCOMPARE(drawn, (QStringList{"PanelGadget", "ButtonGadget", "StringGadget ?"}));
    QCOMPARE(picture.gadgets[0].tabs, (QStringList{"First", "Second"}));
    QCOMPARE(picture.gadgets[1].box.size(), QSize(80, 24));
    QVERIFY(picture.gadgets[1].box.top() > 5 + 10); // inside the panel, under its tabs

    // A click on the button selects it; a double-click leads to its code: before any run the
    // line that creates it, afterwards its event procedure.
    view.preview()->resize(400, 300);
    const QPoint onButton = view.preview()->BoxOf(button).center();
    QTest::mouseClick(view.preview(), Qt::LeftButton, {}, onButton);
    QCOMPARE(view.SelectedFact(), button);
    QTest::mouseDClick(view.preview(), Qt::LeftButton, {}, onButton);
    QCOMPARE(opened, QStringList{"Form.pbf:5"});
    QCOMPARE(
        view.model().data(view.model().IndexOf(button).siblingAtColumn(ProjectTreeModel::StateColumn), Qt::DisplayRole),
        QVariant(QStringLiteral("not generated yet")));

    // The window the user opened in the tree stays open through a run; every column but the
    // last is as wide as what it shows.
    QTreeView *tree = view.tree();
    tree->collapseAll();
    tree->expand(tree->model()->index(0, 0));
    Menu(d.shell, Command::StartGenerate);
    Click(d.shell, StartButton);
    FinishRun(d.shell);
    QVERIFY(tree->isExpanded(tree->model()->index(0, 0)));
    const QModelIndex window = tree->model()->index(0, 0);
    for (int row = 0; row < tree->model()->rowCount(window); ++row) {
        for (int column = 1; column < ProjectTreeModel::StateColumn; ++column) {
            const QString text = tree->model()->index(row, column, window).data().toString();
            QVERIFY2(tree->columnWidth(column) > tree->fontMetrics().horizontalAdvance(text), qPrintable(text));
        }
    }
    const qsizetype after = factNamed(QStringLiteral("Button_0"));
    QCOMPARE(view.SelectedFact(), after); // the selection stays on the object
    QCOMPARE(
        view.model().data(view.model().IndexOf(after).siblingAtColumn(ProjectTreeModel::StateColumn), Qt::DisplayRole),
        QVariant(QStringLiteral("appended by the last run")));
    view.OpenFact(after);
    QVERIFY2(opened.last().startsWith(QStringLiteral("EventGadget.pb:"))
                 && !opened.last().endsWith(QStringLiteral(":0")),
             qPrintable(opened.last()));

    view.SetFilter(QStringLiteral("string_0"));
    QCOMPARE(view.tree()->model()->rowCount(), 1);
    QCOMPARE(view.tree()->model()->rowCount(view.tree()->model()->index(0, 0)), 1);
    view.SetFilter(QStringLiteral("nothing like it"));
    QCOMPARE(view.tree()->model()->rowCount(), 0);

    view.SetFilter(QString());
    QVERIFY(tree->isExpanded(tree->model()->index(0, 0)));

    view.dock()->close(); // closed from its title bar, back through the Action menu
    Menu(d.shell, Command::ProjectView);
    QVERIFY(view.dock()->isVisible());

    // A dropped window source shows its window without a run.
    dir.write(QStringLiteral("Second.pbf"), "Procedure OpenWindow_1()\n"
                                            "  OpenWindow(#Window_1, 0, 0, 200, 100, \"Two\")\n"
                                            "EndProcedure\n");
    d.shell.mainView().DropFiles({dir.path(QStringLiteral("Second.pbf"))});
    QTRY_COMPARE(view.model().rowCount(), 2);
    Menu(d.shell, Command::ProjectSave);

    // The dock's width and the open windows outlive the program.
    d.window()->resizeDocks({view.dock()}, {333}, Qt::Horizontal);
    Settle(d.shell);
    const int width = view.dock()->width();
    d.shell.SaveAtExit();
    {
        Desktop again;
        ProjectView &restored = again.shell.projectView();
        QTRY_COMPARE(restored.model().rowCount(), 2);
        QVERIFY(restored.tree()->isExpanded(restored.tree()->model()->index(0, 0)));
        QVERIFY(!restored.tree()->isExpanded(restored.tree()->model()->index(1, 0)));
        QVERIFY2(qAbs(restored.dock()->width() - width) <= 2, qPrintable(QString::number(restored.dock()->width())));
    }

    Menu(d.shell, Command::ProjectNew);
    QCOMPARE(view.model().rowCount(), 0);
}

// With Regenerate on Save, a saved window source starts one run; the files the run writes
// start none, and once it is off a save starts nothing.
void TestDesktop::regenerateOnSave()
{
    TestProject dir;
    dir.copyFrom(QStringLiteral("desktop/demo"));
    Desktop d(dir.path(QStringLiteral("Demo.pbm")));
    const auto runs = [&d] { return d.shell.mainView().LogLines().count(QStringLiteral("Generate Code Step 1 ...")); };
    const auto addButton = [&dir](int number) {
        dir.write(QStringLiteral("Form.pbf"),
                  dir.read(QStringLiteral("Form.pbf"))
                      .replace("EndProcedure", QStringLiteral("  ButtonGadget(#Button_%1, 100, 10, 80, 24, \"More\")\n"
                                                              "EndProcedure")
                                                   .arg(number)
                                                   .toUtf8()));
    };
    Menu(d.shell, Command::RegenerateOnSave);
    QVERIFY(d.shell.settings().RegenerateOnSave);
    QAction *regenerate = d.shell.mainView().action(Command::RegenerateOnSave);
    QVERIFY(regenerate->isChecked() && !regenerate->isIconVisibleInMenu()); // a check mark, not a frame
    QStringList messages;
    QObject listening;
    QObject::connect(d.shell.mainView().statusBar(), &QStatusBar::messageChanged, &listening,
                     [&messages](const QString &message) { messages << message; });
    addButton(1);
    QVERIFY(TurnUntil(d.shell, [&] { return runs() == 1 && !d.shell.GenerationRunning(); }));
    // The run's message goes with the run.
    QCOMPARE(messages, (QStringList{"Regenerating: Form.pbf saved", ""}));
    QVERIFY(dir.read(QStringLiteral("CommonFile.pb")).contains("Button_1"));
    QDeadlineTimer settle(3 * SourceWatch::SettleMilliseconds);
    TurnUntil(d.shell, [&] { return settle.hasExpired(); });
    QCOMPARE(runs(), 1);

    Menu(d.shell, Command::RegenerateOnSave);
    QVERIFY(!d.shell.settings().RegenerateOnSave);
    addButton(2);
    settle.setRemainingTime(3 * SourceWatch::SettleMilliseconds);
    TurnUntil(d.shell, [&] { return settle.hasExpired(); });
    QCOMPARE(runs(), 1);
}

#include "tst_desktop.moc"
