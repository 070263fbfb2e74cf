#include "shell/desktop_start.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace quarvel {

namespace {

QtMessageHandler before = nullptr;
// Qt's warnings about the display, held until it is known whether one was reached.
struct Held {
    QtMsgType type;
    QByteArray category;
    QString message;
};
QList<Held> held;

bool AboutThePlatform(const QMessageLogContext &context)
{
    return context.category && QByteArrayView(context.category).startsWith("qt.qpa");
}

void WithoutDisplay(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fputs("quarvel: no display to open the window on (is DISPLAY or WAYLAND_DISPLAY set?).\n"
                   "The desktop program needs one. quarvel-gen generates without a window:\n"
                   "  quarvel-gen PROJECT.pbm\n",
                   stderr);
        std::fflush(stderr);
        std::_Exit(NoDisplayExit);
    }
    if (AboutThePlatform(context))
        held.append({type, QByteArray(context.category), message});
    else if (before)
        before(type, context, message);
}

} // namespace

void ExitPlainlyWithoutDisplay()
{
    before = qInstallMessageHandler(WithoutDisplay);
}

void InstallTranslations(QApplication &app)
{
    // The display was reached: Qt's own notes about it go out as usual.
    qInstallMessageHandler(before);
    for (const Held &note : std::as_const(held)) {
        const QMessageLogContext context(nullptr, 0, nullptr, note.category.constData());
        qt_message_output(note.type, context, note.message);
    }
    held.clear();

    auto *own = new QTranslator(&app);
    if (own->load(QLocale(), QStringLiteral("quarvel"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QApplication::installTranslator(own);
    auto *qt = new QTranslator(&app);
    if (qt->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qt);
}

void EndNow()
{
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace quarvel
