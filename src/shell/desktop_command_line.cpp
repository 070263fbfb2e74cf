#include "shell/desktop_command_line.h"

#include "base/version.h"

namespace quarvel {

QByteArray DesktopOptionAnswer(const QStringList &arguments)
{
    // Only the options before a project name count, so a project called "--help.pbm" opens.
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--version"))
            return QByteArray("quarvel ") + ProgramVersion + '\n';
        if (argument == QLatin1String("--help"))
            return QByteArrayLiteral("Usage: quarvel [PROJECT.pbm]\n"
                                     "       quarvel --help | --version\n"
                                     "\n"
                                     "Opens the desktop program with PROJECT.pbm, or else with the last project.\n"
                                     "quarvel-gen runs a generation without a window.\n");
        if (!argument.startsWith(QLatin1String("--")))
            break;
    }
    return QByteArray();
}

QStringList DesktopArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace quarvel
