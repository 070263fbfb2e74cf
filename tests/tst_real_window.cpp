// The desktop program as a user meets it: the real `quarvel` binary in an X server, driven
// from outside with xdotool and looked at with xprop. It generates the example project from
// the toolbar, binds a renamed gadget in the bind dialog, and leaves pictures of the main
// window after the run, in the default look and under a dark style sheet. Every wait has a
// deadline, so a program that never shows a window fails instead of hanging.
#include "support/test_project.h"
#include "ui/png_image.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QThread>

#include <optional>

using namespace quarvel;

namespace {

constexpr int Patience = 20000; // milliseconds for any one window or file to show up

QString Xdotool(const QStringList &arguments)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    if (!xdotool.waitForFinished(5000)) {
        xdotool.kill();
        xdotool.waitForFinished();
        return QString();
    }
    return QString::fromUtf8(xdotool.readAllStandardOutput()).trimmed();
}

QString Exactly(const QString &title)
{
    return QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$');
}

// The visible window whose title matches the pattern, once it is there.
QString WaitForTitle(const QString &pattern, int patience = Patience)
{
    QDeadlineTimer deadline(patience);
    while (!deadline.hasExpired()) {
        const QString found = Xdotool({"search", "--onlyvisible", "--name", pattern});
        if (!found.isEmpty())
            return found.split(QLatin1Char('\n')).last();
        QThread::msleep(200);
    }
    return QString();
}

// The visible window titled exactly so, once it is there.
QString WaitForWindow(const QString &title, int patience = Patience)
{
    return WaitForTitle(Exactly(title), patience);
}

// Keys typed into the window, which gets the keyboard focus first.
void TypeKeys(const QString &window, const QStringList &keys)
{
    Xdotool({"windowfocus", "--sync", window});
    for (const QString &key : keys) {
        Xdotool({"key", "--clearmodifiers", key});
        QThread::msleep(250);
    }
}

// Whether the picture has a pixel near the colour (the red and green the program draws with).
bool HasColour(const QImage &picture, QRgb colour)
{
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            if (qAbs(qRed(p) - qRed(colour)) <= 24 && qAbs(qGreen(p) - qGreen(colour)) <= 24
                && qAbs(qBlue(p) - qBlue(colour)) <= 24)
                return true;
        }
    return false;
}

const QString MainTitle = QStringLiteral("Quarvel Version v5.17 - Demo.pbm");

bool WaitUntilGone(const QString &title)
{
    QDeadlineTimer deadline(Patience);
    while (!deadline.hasExpired()) {
        if (Xdotool({"search", "--onlyvisible", "--name",
                     QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')})
                .isEmpty())
            return true;
        QThread::msleep(200);
    }
    return false;
}

QRect WindowGeometry(const QString &window)
{
    QRect box;
    const QString shell = Xdotool({"getwindowgeometry", "--shell", window});
    for (const QString &line : shell.split(QLatin1Char('\n'))) {
        const int value = line.section(QLatin1Char('='), 1).toInt();
        if (line.startsWith(QLatin1String("X=")))
            box.moveLeft(value);
        else if (line.startsWith(QLatin1String("Y=")))
            box.moveTop(value);
        else if (line.startsWith(QLatin1String("WIDTH=")))
            box.setWidth(value);
        else if (line.startsWith(QLatin1String("HEIGHT=")))
            box.setHeight(value);
    }
    return box;
}

void ClickIn(const QString &window, const QPoint &at)
{
    Xdotool({"mousemove", "--window", window, QString::number(at.x()), QString::number(at.y()), "click", "1"});
    QThread::msleep(300); // the program handles the click in its own time
}

// The window a window is transient for, as the window manager reads it; empty for none.
QString TransientFor(const QString &window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {"-id", window, "WM_TRANSIENT_FOR"});
    if (!xprop.waitForFinished(5000))
        return QString();
    const QString said = QString::fromUtf8(xprop.readAllStandardOutput());
    const qsizetype hash = said.indexOf(QLatin1String("# "));
    bool ok = false;
    const qulonglong id = hash < 0 ? 0 : said.mid(hash + 2).trimmed().toULongLong(&ok, 16);
    return ok ? QString::number(id) : QString();
}

void Resize(const QString &window, const QSize &size)
{
    Xdotool({"windowsize", "--sync", window, QString::number(size.width()), QString::number(size.height())});
    QThread::msleep(500);
}

QImage GrabWindow(const QString &window)
{
    const QRect box = WindowGeometry(window);
    return QGuiApplication::primaryScreen()->grabWindow(0, box.x(), box.y(), box.width(), box.height()).toImage();
}

// Where the icon is drawn in the picture: compared at the icon's opaque pixels only, since the
// rest is blended with the toolbar's background.
std::optional<QPoint> FindIcon(const QImage &picture, const QImage &icon, int searchHeight)
{
    QList<QPoint> opaque;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            if (qAlpha(icon.pixel(x, y)) == 255)
                opaque << QPoint(x, y);
    const auto close = [](QRgb a, QRgb b) {
        return qAbs(qRed(a) - qRed(b)) <= 8 && qAbs(qGreen(a) - qGreen(b)) <= 8 && qAbs(qBlue(a) - qBlue(b)) <= 8;
    };
    const int bottom = qMin(searchHeight, picture.height()) - icon.height();
    for (int y = 0; y <= bottom; ++y) {
        for (int x = 0; x + icon.width() <= picture.width(); ++x) {
            const bool match = std::all_of(opaque.cbegin(), opaque.cend(), [&](const QPoint &p) {
                return close(picture.pixel(x + p.x(), y + p.y()), icon.pixel(p.x(), p.y()));
            });
            if (match && !opaque.isEmpty())
                return QPoint(x + icon.width() / 2, y + icon.height() / 2);
        }
    }
    return std::nullopt;
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WaitForFileText(const QString &path, const QByteArray &text)
{
    QDeadlineTimer deadline(Patience);
    while (!deadline.hasExpired()) {
        if (ReadFile(path).contains(text))
            return true;
        QThread::msleep(200);
    }
    return false;
}

} // namespace

class TestRealWindow : public QObject {
    Q_OBJECT

    QTemporaryDir scratch_{QDir::tempPath() + QStringLiteral("/Projects-XXXXXX")};
    QProcess program_;

    QString path(const QString &name) const { return scratch_.path() + QLatin1Char('/') + name; }

    QProcessEnvironment Environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUARVEL_CONFIG_DIR"), path(QStringLiteral("config")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        return environment;
    }

    // The example as a user has it after a first generation, then with a button renamed in
    // the form: the next run has a name to bind.
    void PrepareProject()
    {
        QVERIFY(QDir().mkpath(path(QStringLiteral("demo"))));
        const QDir example(QStringLiteral(QUARVEL_EXAMPLE));
        for (const QString &name : example.entryList(QDir::Files))
            QVERIFY(QFile::copy(example.filePath(name), path(QStringLiteral("demo/") + name)));
        QProcess first;
        first.setProcessEnvironment(Environment());
        first.start(QStringLiteral(QUARVEL_GEN), {path(QStringLiteral("demo/Demo.pbm"))});
        QVERIFY(first.waitForFinished(Patience));
        QCOMPARE(first.exitCode(), 0);
        QVERIFY(ReadFile(path(QStringLiteral("demo/EventGadget.pb"))).contains("EventGadget_NotesWindow_ButtonAdd("));

        // An include of Main.pb that is gone since.
        QFile main(path(QStringLiteral("demo/Main.pb")));
        QVERIFY(main.open(QIODevice::Append));
        main.write("XIncludeFile \"GoneHelpers.pbi\"\n");
        main.close();

        QFile form(path(QStringLiteral("demo/NotesWindow.pbf")));
        QVERIFY(form.open(QIODevice::ReadOnly));
        QByteArray text = form.readAll();
        form.close();
        QVERIFY(text.contains("#ButtonAdd"));
        text.replace("#ButtonAdd", "#ButtonInsert");
        QVERIFY(form.open(QIODevice::WriteOnly | QIODevice::Truncate));
        form.write(text);
    }

    // The toolbar's Generate button, found by its icon, opens the options window.
    QString OpenOptions(const QString &main)
    {
        QFile iconFile(QStringLiteral(QUARVEL_SOURCE "/resources/icons/icon07.png"));
        if (!iconFile.open(QIODevice::ReadOnly))
            return QString();
        const QImage icon = DecodePng(iconFile.readAll());
        QString options;
        for (int attempt = 0; attempt < 5 && options.isEmpty(); ++attempt) {
            QThread::msleep(500); // let the window paint
            const std::optional<QPoint> generate = FindIcon(GrabWindow(main), icon, 120);
            if (!generate)
                continue;
            ClickIn(main, *generate);
            options = WaitForWindow(QStringLiteral("Start Generate"), 5000);
        }
        return options;
    }

    // The style sheet of the dark picture: a dark background and light text, nothing else.
    QString DarkStyleSheet() const
    {
        const QString sheet = path(QStringLiteral("dark.qss"));
        QFile file(sheet);
        if (file.open(QIODevice::WriteOnly))
            file.write(
                "QWidget { background-color: #25282c; color: #e4e4e4; }\n"
                "QAbstractItemView, QLineEdit { background-color: #1c1e21; selection-background-color: #3b6ea5; }\n"
                "QMenuBar::item:selected, QMenu::item:selected { background-color: #3b6ea5; }\n");
        return sheet;
    }

    void StartProgram(const QStringList &arguments)
    {
        program_.setProcessEnvironment(Environment());
        program_.setProcessChannelMode(QProcess::ForwardedChannels);
        program_.start(QStringLiteral(QUARVEL_PROGRAM), arguments);
        QVERIFY(program_.waitForStarted(Patience));
    }

    QString target(const QString &name) const
    {
        const QString screenshot = qEnvironmentVariable("QUARVEL_SCREENSHOT", QStringLiteral("screenshot.png"));
        return QFileInfo(screenshot).absoluteDir().filePath(name);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(scratch_.isValid());
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (run under xvfb-run)");
    }

    void generateAndBindThroughTheWindows()
    {
        PrepareProject();
        if (QTest::currentTestFailed())
            return;
        StartProgram({path(QStringLiteral("demo/Demo.pbm"))});
        const QString main = WaitForWindow(MainTitle);
        QVERIFY2(!main.isEmpty(), "the main window did not show");

        // Escape takes back a clicked switch, and with it the unsaved mark.
        QString options = OpenOptions(main);
        QVERIFY2(!options.isEmpty(), "no Generate button found, or the options window did not open");
        ClickIn(options, QPoint(18, 20)); // First Window as Parend Window
        QVERIFY2(!WaitForWindow(MainTitle + QLatin1Char('*')).isEmpty(), "no unsaved mark in the title");
        TypeKeys(options, {"Escape"});
        QVERIFY2(WaitUntilGone(QStringLiteral("Start Generate")), "Escape did not close the options window");
        QVERIFY2(!WaitForWindow(MainTitle).isEmpty(), "Escape left the unsaved mark");

        // The selected common file moved first is an unsaved change: Escape on the save question
        // goes back with the project and its change kept.
        TypeKeys(main, {"Down", "alt+a", "f"}); // Common First File
        QVERIFY2(!WaitForWindow(MainTitle + QLatin1Char('*')).isEmpty(), "no unsaved mark in the title");
        TypeKeys(main, {"ctrl+n"});
        const QString question = WaitForWindow(QStringLiteral("Frage"));
        QVERIFY2(!question.isEmpty(), "New did not ask about the unsaved project");
        TypeKeys(question, {"Escape"});
        QVERIFY(WaitUntilGone(QStringLiteral("Frage")));
        QThread::msleep(500);
        QVERIFY2(!WaitForWindow(MainTitle + QLatin1Char('*'), 2000).isEmpty(), "Escape discarded the project");

        // The options window belongs to the main window: transient for it, as the bind dialog.
        options = OpenOptions(main);
        QVERIFY(!options.isEmpty());
        QCOMPARE(TransientFor(options), main);
        TypeKeys(options, {"Return"}); // Start is the default button

        // The renamed button is suggested and selected: one click on Bind takes it.
        const QString dialog = WaitForWindow(QStringLiteral("Search and Replace - Gadget"));
        QVERIFY2(!dialog.isEmpty(), "the bind dialog did not open");
        QCOMPARE(TransientFor(dialog), main);
        QThread::msleep(500);
        const QImage suggested = GrabWindow(dialog);
        const QSize box = WindowGeometry(dialog).size();              // the buttons lie along its bottom edge
        ClickIn(dialog, QPoint(70, box.height() - 26));               // Bind
        ClickIn(dialog, QPoint(box.width() - 70, box.height() - 26)); // Continue
        QVERIFY2(WaitUntilGone(QStringLiteral("Search and Replace - Gadget")), "the bind dialog stayed open");

        // The end of the run saves the project with this run's names.
        QVERIFY2(WaitForFileText(path(QStringLiteral("demo/Demo.pbm")), "NotesWindow_ButtonInsert"),
                 "the run did not finish");
        const QByteArray events = ReadFile(path(QStringLiteral("demo/EventGadget.pb")));
        QVERIFY(events.contains("EventGadget_NotesWindow_ButtonInsert("));
        QVERIFY(!events.contains("ButtonAdd"));
        QVERIFY(QDir(path(QStringLiteral("demo/Backup"))).exists());
        QVERIFY2(!WaitForWindow(MainTitle).isEmpty(), "the saved project still shows the unsaved mark");

        // The missing include: a red error line and the red summary in the status bar, in a
        // window wide enough for the Project view to show its columns.
        Resize(main, QSize(1200, 720));
        QThread::msleep(1000); // the last log lines
        const QRect shown = WindowGeometry(main);
        ClickIn(main, QPoint(shown.width() - 120, shown.height() - 11)); // the summary's link
        QThread::msleep(500);
        const QImage picture = GrabWindow(main);
        QVERIFY(!picture.isNull());
        QVERIFY2(HasColour(picture, qRgb(0xc0, 0x10, 0x10)), "no error shown in red");

        // The Changes view, on EventGadget.pb: removed and added lines.
        TypeKeys(main, {"ctrl+d"});
        const QString changes = WaitForWindow(QStringLiteral("Changes"));
        QVERIFY2(!changes.isEmpty(), "the Changes view did not open");
        QCOMPARE(TransientFor(changes), main);
        ClickIn(changes, QPoint(60, 36));                    // the first file
        TypeKeys(changes, {"Down", "Down", "Down", "Down"}); // the fifth: EventGadget.pb
        QThread::msleep(500);
        const QImage difference = GrabWindow(changes);
        QVERIFY2(HasColour(difference, qRgb(0xdf, 0xf5, 0xdf)) && HasColour(difference, qRgb(0xfb, 0xe0, 0xe0)),
                 "no coloured difference in the Changes view");
        TypeKeys(changes, {"Escape"});
        QVERIFY(WaitUntilGone(QStringLiteral("Changes")));

        // File > Preferences > UserGadget belongs to the main window too.
        TypeKeys(main, {"alt+f", "p", "g"});
        const QString userGadget = WaitForWindow(QStringLiteral("UserGadget"));
        QVERIFY2(!userGadget.isEmpty(), "the UserGadget window did not open");
        QCOMPARE(TransientFor(userGadget), main);
        TypeKeys(userGadget, {"Escape"});
        QVERIFY(WaitUntilGone(QStringLiteral("UserGadget")));

        const QString screenshot = qEnvironmentVariable("QUARVEL_SCREENSHOT", QStringLiteral("screenshot.png"));
        QVERIFY2(picture.save(screenshot), qPrintable(screenshot));
        QVERIFY(suggested.save(target(QStringLiteral("bind_dialog.png"))));
        QVERIFY(difference.save(target(QStringLiteral("changes.png"))));
        qInfo("main window after the run: %s", qPrintable(QFileInfo(screenshot).absoluteFilePath()));

        // File > Exit, then a new start under a dark style sheet: the project is the last one,
        // the Project view as wide as it was left.
        TypeKeys(main, {"alt+f", "x"});
        QVERIFY2(program_.waitForFinished(Patience), "Exit did not end the program");
        StartProgram({QStringLiteral("-stylesheet"), DarkStyleSheet()});
        const QString again = WaitForWindow(MainTitle);
        QVERIFY2(!again.isEmpty(), "the last project was not loaded again");
        const QString darkOptions = OpenOptions(again);
        QVERIFY(!darkOptions.isEmpty());
        TypeKeys(darkOptions, {"Return"});
        QVERIFY(WaitUntilGone(QStringLiteral("Start Generate")));
        QThread::msleep(1500); // the run and its log
        const QImage dark = GrabWindow(again);
        QVERIFY(dark.save(target(QStringLiteral("screenshot-dark.png"))));
        QVERIFY2(dark.pixelColor(dark.width() / 2, dark.height() / 2).lightness() < 100, "not dark");

        TypeKeys(again, {"ctrl+n"});
        QVERIFY(!WaitForWindow(QStringLiteral("Quarvel Version v5.17 - Unbekannt.pbm")).isEmpty());
        TypeKeys(again, {"alt+f", "r", "1"});
        QVERIFY2(!WaitForWindow(MainTitle).isEmpty(), "Recent Projects did not load the project");

        // Ctrl+Q ends the process, not only the window.
        QElapsedTimer quitting;
        quitting.start();
        TypeKeys(again, {"ctrl+q"});
        QVERIFY2(program_.waitForFinished(Patience), "Ctrl+Q did not end the program");
        qInfo("Ctrl+Q to the end of the process: %lld ms (the keys' own pause included)", quitting.elapsed());
    }

    void cleanupTestCase()
    {
        if (program_.state() != QProcess::NotRunning) {
            program_.terminate();
            if (!program_.waitForFinished(5000)) {
                program_.kill();
                program_.waitForFinished(5000);
            }
        }
    }
};

QTEST_MAIN(TestRealWindow)
#include "tst_real_window.moc"
