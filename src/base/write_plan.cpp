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
    if (!dryRun)
        return writer_.WriteAll(files);
    // A dry run writes nothing, and fails only where a folder stands in a file's place.
    QList<bool> results;
    results.reserve(files.size());
    for (const FileWriter::PendingFile &file : std::as_const(files))
        results.append(!QFileInfo(file.path).isDir());
    return results;
}

} // namespace quarvel
