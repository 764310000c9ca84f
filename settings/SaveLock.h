// The lock around each save of a settings file, between all processes of the
// program and any other program that shares it: the named semaphore of count 1.
//
// A semaphore does not tell when its holder dies, so a saver killed while
// holding it would make every later save wait in vain. Our savers therefore
// hold a named mutex as well, taken before the semaphore and given back after
// it. The system hands a mutex on as "abandoned" when its holder dies: the
// next saver then knows that the semaphore unit still taken is the dead one's
// and carries on as its holder instead of waiting for it.
#pragma once

#include <windows.h>

namespace replika {

// The process-wide handles, made (or opened, when another process made them)
// by the first user and closed when the last one goes. False when there is no
// semaphore.
bool OpenSaveLock();
void CloseSaveLock();
// The semaphore, or NULL.
HANDLE SaveSemaphore();

// Holds the lock for its scope, once it was obtained within the time given.
class CSaveLock
{
public:
    explicit CSaveLock(DWORD dwTimeoutMs);
    ~CSaveLock();
    bool Obtained() const { return m_bSemaphore; }
    // Whether the last holder died holding the lock (and may have left a temporary file).
    bool TakenOverFromTheDead() const { return m_bTakenOver; }
    CSaveLock(const CSaveLock&) = delete;
    CSaveLock& operator=(const CSaveLock&) = delete;

private:
    bool m_bMutex;
    bool m_bSemaphore;
    bool m_bTakenOver;
};

}  // namespace replika
