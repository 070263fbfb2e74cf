#include "project/user_gadget_list.h"

#include "base/basic_strings.h"
#include "base/file_writer.h"
#include "base/text_encoding.h"
#include "project/settings.h"

#include <QFile>
#include <QFileInfo>

namespace quarvel {

namespace {

const QString UserGadgetHeader = QStringLiteral("[USERGADGET]");

QString UserGadgetFileText(const QStringList &names)
{
    QString text = UserGadgetHeader + QLatin1Char('\n');
    for (const QString &name : names)
        text += name + QLatin1Char('\n');
    return text;
}

// UTF-8 unless the file's own byte-order mark says otherwise.
QStringList DecodeUserGadgetFile(const QByteArray &bytes)
{
    const ByteOrderMark mark = DetectByteOrderMark(bytes);
    const TextFormat format = mark.format == TextFormat::Latin1 ? TextFormat::Utf8 : mark.format;
    return SplitLines(DecodeText(QByteArrayView(bytes).sliced(mark.length), format));
}

} // namespace

QStringList ReadUserGadgetText(const QStringList &lines)
{
    QStringList names;
    QString section;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char('['))) {
            section = line;
        } else if (line.isEmpty()) {
            section.clear();
        } else if (section == UserGadgetHeader) {
            // An empty name would make every "(#" after a blank look like a gadget creation.
            const QString name = Trim(line);
            if (!name.isEmpty())
                names.append(name);
        }
    }
    return names;
}

FileResult LoadUserGadgets(ProgramSettings &settings)
{
    if (settings.UserListFile.isEmpty())
        LocateSettingsFiles(settings);
    settings.UserGadgetList.clear();

    const QString &path = settings.UserListFile;
    const QFileInfo info(path);
    const QString role = QStringLiteral("UserGadgetList");
    if (!info.isDir() && (!info.exists() || info.size() == 0))
        return FileWriter().Write(path, UserGadgetFileText({}).toUtf8()).Titled(role);
    const FileBytes file = ReadRegularFile(path);
    if (file)
        settings.UserGadgetList = ReadUserGadgetText(DecodeUserGadgetFile(file.bytes));
    return file.Titled(role);
}

FileResult SaveUserGadgets(ProgramSettings &settings, const QStringList &names)
{
    settings.UserGadgetList = names;
    if (settings.UserListFile.isEmpty())
        LocateSettingsFiles(settings);
    return FileWriter()
        .Write(settings.UserListFile, UserGadgetFileText(names).toUtf8())
        .Titled(QStringLiteral("Save UserGadget"));
}

} // namespace quarvel
