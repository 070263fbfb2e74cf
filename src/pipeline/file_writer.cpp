#include "file_writer.h"

#include <QFileInfo>
#include <QSaveFile>

namespace quarvel {

bool FileWriter::Write(const QString &path, const QByteArray &bytes) const
{
    if (QFileInfo(path).isDir())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (beforeCommit && !beforeCommit(path)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace quarvel
