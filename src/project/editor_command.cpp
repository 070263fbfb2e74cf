#include "project/editor_command.h"

#include <QProcess>
#include <QStandardPaths>

namespace quarvel {

namespace {

struct KnownEditor {
    const char *program;
    const char *command;
};

const KnownEditor KnownEditors[] = {
    {"kate", "kate -l %l %f"},
    {"gedit", "gedit +%l %f"},
    {"code", "code -g %f:%l"},
    {"xed", "xed +%l %f"},
    {"mousepad", "mousepad --line %l %f"},
};

} // namespace

QString DefaultEditorCommand(const QStringList &searchPaths)
{
    for (const KnownEditor &editor : KnownEditors) {
        if (!QStandardPaths::findExecutable(QLatin1String(editor.program), searchPaths).isEmpty())
            return QLatin1String(editor.command);
    }
    return QString();
}

QStringList EditorCommandLine(const QString &command, const QString &file, int line)
{
    QStringList parts = QProcess::splitCommand(command);
    // The line first, so that a "%l" in the file's name stays as it is.
    for (QString &part : parts)
        part.replace(QLatin1String("%l"), QString::number(qMax(1, line))).replace(QLatin1String("%f"), file);
    return parts;
}

} // namespace quarvel
