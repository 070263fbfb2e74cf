// One run per project at a time: an exclusive lock on the project directory, held as long as
// the object lives or until Release. The system drops it when the process ends, however it
// ends, so a killed run never leaves a stale lock behind.
#pragma once

#include <QString>

namespace quarvel {

class DirectoryLock {
public:
    enum class Result {
        Held,        // this object holds the lock
        Busy,        // another holder kept it for the whole wait
        Unavailable, // the directory cannot be opened: nothing can be written there either
    };

    DirectoryLock() = default;
    DirectoryLock(const DirectoryLock &) = delete;
    DirectoryLock &operator=(const DirectoryLock &) = delete;
    ~DirectoryLock() { Release(); }

    // Waits up to waitMilliseconds for the lock of directory.
    Result Acquire(const QString &directory, int waitMilliseconds);
    void Release();

private:
    int fd_ = -1;
};

} // namespace quarvel
