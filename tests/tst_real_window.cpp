// The desktop program as a user meets it: the real `quarvel` binary in an X server, driven
// from outside with xdotool. It generates the example project from the toolbar, binds a
// renamed gadget in the bind dialog, and leaves a picture of the main window after the run.
// Every wait has a deadline, so a program that never shows a window fails instead of hanging.
#include "support/test_project.h"
#include "ui/toolkit.h"

#include <QDeadlineTimer>
#include <QDir>
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

// The visible window titled exactly so, once it is there.
QString WaitForWindow(const QString &title, int patience = Patience)
{
    QDeadlineTimer deadline(patience);
    while (!deadline.hasExpired()) {
        const QString found = Xdotool({"search", "--onlyvisible", "--name",
                                       QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')});
        if (!found.isEmpty())
            return found.split(QLatin1Char('\n')).last();
        QThread::msleep(200);
    }
    return QString();
}

bool WaitUntilGone(const QString &title)
{
    QDeadlineTimer deadline(Patience);
    while (!deadline.hasExpired()) {
        if (Xdotool({"search", "--onlyvisible", "--name", QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')}).isEmpty())
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
        if (line.startsWith(QLatin1String("X="))) box.moveLeft(value);
        else if (line.startsWith(QLatin1String("Y="))) box.moveTop(value);
        else if (line.startsWith(QLatin1String("WIDTH="))) box.setWidth(value);
        else if (line.startsWith(QLatin1String("HEIGHT="))) box.setHeight(value);
    }
    return box;
}

void ClickIn(const QString &window, const QPoint &at)
{
    Xdotool({"mousemove", "--window", window, QString::number(at.x()), QString::number(at.y()), "click", "1"});
    QThread::msleep(300); // the program handles the click in its own time
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

        QFile form(path(QStringLiteral("demo/NotesWindow.pbf")));
        QVERIFY(form.open(QIODevice::ReadOnly));
        QByteArray text = form.readAll();
        form.close();
        QVERIFY(text.contains("#ButtonAdd"));
        text.replace("#ButtonAdd", "#ButtonInsert");
        QVERIFY(form.open(QIODevice::WriteOnly | QIODevice::Truncate));
        form.write(text);
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
        program_.setProcessEnvironment(Environment());
        program_.setProcessChannelMode(QProcess::ForwardedChannels);
        program_.start(QStringLiteral(QUARVEL_PROGRAM), {path(QStringLiteral("demo/Demo.pbm"))});
        QVERIFY(program_.waitForStarted(Patience));

        const QString main = WaitForWindow(QStringLiteral("Quarvel Version v5.17"));
        QVERIFY2(!main.isEmpty(), "the main window did not show");

        // The toolbar's Generate button, found by its icon.
        QFile iconFile(QStringLiteral(QUARVEL_SOURCE "/resources/icons/icon07.png"));
        QVERIFY(iconFile.open(QIODevice::ReadOnly));
        const QImage icon = DecodePng(iconFile.readAll());
        QVERIFY(!icon.isNull());
        QString options;
        for (int attempt = 0; attempt < 5 && options.isEmpty(); ++attempt) {
            QThread::msleep(500); // let the window paint
            const std::optional<QPoint> generate = FindIcon(GrabWindow(main), icon, 120);
            if (!generate)
                continue;
            ClickIn(main, *generate);
            options = WaitForWindow(QStringLiteral("Start Generate"), 5000);
        }
        QVERIFY2(!options.isEmpty(), "no Generate button found, or the options window did not open");
        ClickIn(options, QPoint(70, 175)); // Start

        const QString dialog = WaitForWindow(QStringLiteral("Search and Replace - Gadget"));
        QVERIFY2(!dialog.isEmpty(), "the bind dialog did not open");
        QThread::msleep(500);
        ClickIn(dialog, QPoint(60, 40));  // the old name, first in the Old Entry list
        ClickIn(dialog, QPoint(270, 40)); // the new name, first in the New Entry list
        ClickIn(dialog, QPoint(70, 375)); // Bind
        const QImage bound = GrabWindow(dialog);
        ClickIn(dialog, QPoint(700, 375)); // Continue
        QVERIFY2(WaitUntilGone(QStringLiteral("Search and Replace - Gadget")), "the bind dialog stayed open");

        // The end of the run saves the project with this run's names.
        QVERIFY2(WaitForFileText(path(QStringLiteral("demo/Demo.pbm")), "NotesWindow_ButtonInsert"),
                 "the run did not finish");
        const QByteArray events = ReadFile(path(QStringLiteral("demo/EventGadget.pb")));
        QVERIFY(events.contains("EventGadget_NotesWindow_ButtonInsert("));
        QVERIFY(!events.contains("ButtonAdd"));
        QVERIFY(QDir(path(QStringLiteral("demo/Backup"))).exists());

        QThread::msleep(1000); // the last log lines
        const QImage picture = GrabWindow(main);
        QVERIFY(!picture.isNull());
        const QString target = qEnvironmentVariable("QUARVEL_SCREENSHOT", QStringLiteral("screenshot.png"));
        QVERIFY2(picture.save(target), qPrintable(target));
        // The dialog as it stood before Continue, beside it.
        const QString dialogTarget = QFileInfo(target).absoluteDir().filePath(QStringLiteral("bind_dialog.png"));
        QVERIFY2(bound.save(dialogTarget), qPrintable(dialogTarget));
        qInfo("main window after the run: %s", qPrintable(QFileInfo(target).absoluteFilePath()));
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
