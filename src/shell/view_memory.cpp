#include "shell/view_memory.h"

#include <QSettings>

namespace quarvel {

namespace {

QString FileIn(const QString &directory)
{
    return directory + QStringLiteral("Views.INI");
}

} // namespace

ViewMemory LoadViewMemory(const QString &directory)
{
    const QSettings file(FileIn(directory), QSettings::IniFormat);
    return {file.value(QStringLiteral("Main/State")).toByteArray(),
            file.value(QStringLiteral("ProjectView/Split")).toByteArray(),
            file.value(QStringLiteral("ProjectView/Expanded")).toStringList()};
}

void SaveViewMemory(const QString &directory, const ViewMemory &memory)
{
    QSettings file(FileIn(directory), QSettings::IniFormat);
    file.setValue(QStringLiteral("Main/State"), memory.mainWindowState);
    file.setValue(QStringLiteral("ProjectView/Split"), memory.projectSplit);
    file.setValue(QStringLiteral("ProjectView/Expanded"), memory.expanded);
}

} // namespace quarvel
