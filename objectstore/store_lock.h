// The process-wide multi-reader / single-writer lock around all object-store
// work. It is re-entrant: the thread that writes may also read and write
// again, as engine work calls back into record operations.
#pragma once

#include <functional>

namespace brumalis {

void StartReadOperation();
void EndReadOperation();
void StartWriteOperation();
void EndWriteOperation();

// A long action holds the read lock until EndLongAction, with the
// long-action flag set (under the write lock) so that others can see it.
void StartLongAction();
void EndLongAction();
bool IsLongActionRunning();
// The user interface shows and restores the busy cursor through this.
void SetLongActionCursorHook(std::function<void(bool bBusy)> hook);

class CTReadLock {
public:
    CTReadLock() { StartReadOperation(); }
    ~CTReadLock() { EndReadOperation(); }
    CTReadLock(const CTReadLock&) = delete;
    CTReadLock& operator=(const CTReadLock&) = delete;
};

class CTWriteLock {
public:
    CTWriteLock() { StartWriteOperation(); }
    ~CTWriteLock() { EndWriteOperation(); }
    CTWriteLock(const CTWriteLock&) = delete;
    CTWriteLock& operator=(const CTWriteLock&) = delete;
};

}  // namespace brumalis
