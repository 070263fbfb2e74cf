#include "base/write_plan.h"

#include <QFile>
#include <QFileInfo>

namespace quarvel {

namespace {

struct OnDisk {
    bool exists = false;
    QByteArray bytes;
};

OnDisk ReadOnDisk(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return {true, file.readAll()};
}

bool Holds(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.size() == bytes.size() && file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
}

} // namespace

bool WritePlan::Write(const QString &path, const QByteArray &bytes)
{
    if (QFileInfo(path).isDir()) {
        ++failed_;
        return false;
    }
    OnDisk old = ReadOnDisk(path);
    if (old.exists && old.bytes == bytes) {
        ++unchanged_;
        return true;
    }
    if (!dryRun && !writer_.Write(path, bytes)) {
        ++failed_;
        return false;
    }
    changes_.append({path, std::move(old.bytes), bytes, !old.exists});
    return true;
}

QList<bool> WritePlan::WriteAll(QList<FileWriter::PendingFile> files)
{
    QList<bool> results(files.size(), true);
    QList<FileWriter::PendingFile> changed;
    QList<qsizetype> at;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (Holds(files[i].path, files[i].bytes))
            continue;
        if (dryRun) {
            results[i] = !QFileInfo(files[i].path).isDir();
            continue;
        }
        changed.append(std::move(files[i]));
        at.append(i);
    }
    const QList<bool> written = writer_.WriteAll(changed);
    for (qsizetype j = 0; j < at.size(); ++j)
        results[at[j]] = written[j];
    return results;
}

} // namespace quarvel
