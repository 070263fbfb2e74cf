#include "base/write_plan.h"

#include "base/file_reader.h"

#include <QFileInfo>

namespace quarvel {

namespace {

struct OnDisk {
    bool exists = false;
    QByteArray bytes;
};

// Read through the safe reader, so that a FIFO or a device where a file should be can neither
// hang the comparison nor pass for unchanged.
OnDisk ReadOnDisk(const QString &path)
{
    FileBytes file = ReadRegularFile(path);
    if (file.status != FileBytes::Read)
        return {};
    return {true, std::move(file.bytes)};
}

} // namespace

bool WritePlan::Holds(const QString &path, const QByteArray &bytes)
{
    if (QFileInfo(path).size() != bytes.size())
        return false;
    const OnDisk existing = ReadOnDisk(path);
    return existing.exists && existing.bytes == bytes;
}

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
