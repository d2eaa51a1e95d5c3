#include "objectstore/store_lock.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

namespace brumalis {

namespace {

struct LockState {
    std::mutex mutex;
    std::condition_variable changed;
    int nReaders = 0;  // read holds of all threads
    int nWriteDepth = 0;
    std::thread::id writer;
    bool bLongAction = false;
    std::function<void(bool)> cursorHook;
};

LockState& State() {
    static LockState state;
    return state;
}

thread_local int t_readDepth = 0;

}  // namespace

void StartReadOperation() {
    LockState& s = State();
    std::unique_lock lock(s.mutex);
    s.changed.wait(lock, [&] { return s.nWriteDepth == 0 || s.writer == std::this_thread::get_id(); });
    ++s.nReaders;
    ++t_readDepth;
}

void EndReadOperation() {
    LockState& s = State();
    std::lock_guard lock(s.mutex);
    --s.nReaders;
    --t_readDepth;
    s.changed.notify_all();
}

void StartWriteOperation() {
    LockState& s = State();
    std::unique_lock lock(s.mutex);
    const auto me = std::this_thread::get_id();
    // Readers of this thread do not block it: a read may turn into a write.
    s.changed.wait(lock, [&] {
        return (s.nWriteDepth == 0 || s.writer == me) && s.nReaders == t_readDepth;
    });
    s.writer = me;
    ++s.nWriteDepth;
}

void EndWriteOperation() {
    LockState& s = State();
    std::lock_guard lock(s.mutex);
    if (--s.nWriteDepth == 0) s.writer = std::thread::id();
    s.changed.notify_all();
}

void StartLongAction() {
    {
        CTWriteLock write;
        State().bLongAction = true;
    }
    if (State().cursorHook) State().cursorHook(true);
    StartReadOperation();
}

void EndLongAction() {
    EndReadOperation();
    {
        CTWriteLock write;
        State().bLongAction = false;
    }
    if (State().cursorHook) State().cursorHook(false);
}

bool IsLongActionRunning() {
    CTReadLock read;
    return State().bLongAction;
}

void SetLongActionCursorHook(std::function<void(bool bBusy)> hook) { State().cursorHook = std::move(hook); }

}  // namespace brumalis
