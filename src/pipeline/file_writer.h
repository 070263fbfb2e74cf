// Every file Quarvel writes goes through here: into a temporary file beside the target, then
// renamed over it, so a failure never leaves a truncated file and the old one stays intact.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace quarvel {

class FileWriter {
public:
    // Writes bytes to path. False when the file cannot be created, written or put in place.
    bool Write(const QString &path, const QByteArray &bytes) const;

    // Fault injection for tests: called with the target path once the bytes are in the
    // temporary file; returning false abandons the write as a crash at that moment would.
    std::function<bool(const QString &path)> beforeCommit;
};

} // namespace quarvel
