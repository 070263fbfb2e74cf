// One run per project at a time: an exclusive lock on the project directory, held as long as
// the object lives or until Release. The system drops it when the process ends, however it
// ends, so a killed run never leaves a stale lock behind.
#pragma once

#include <QString>

namespace quarvel {

class DirectoryLock {
public:
    enum class Result {
        Held,     // this object holds the lock
        Busy,     // another holder kept it for the whole wait
        NoFolder, // there is no such directory: nothing can be written there either
        Refused,  // the directory exists but cannot be opened to lock it; Reason() says why
    };

    DirectoryLock() = default;
    DirectoryLock(const DirectoryLock &) = delete;
    DirectoryLock &operator=(const DirectoryLock &) = delete;
    ~DirectoryLock() { Release(); }

    // Waits up to waitMilliseconds for the lock of directory.
    Result Acquire(const QString &directory, int waitMilliseconds);
    void Release();

    // Why the last Acquire gave Refused, as "Permission denied".
    QString Reason() const { return reason_; }

private:
    int fd_ = -1;
    QString reason_;
};

} // namespace quarvel
