#include "settings/SaveLock.h"

#include "log/RKLog.h"

namespace replika {

namespace {
const char kSemaphoreName[] = "6E0B41D7-93A2-4F5C-B8E4-2C17D9A0F365_XMLFile_Replika";
const char kHolderMutexName[] = "6E0B41D7-93A2-4F5C-B8E4-2C17D9A0F365_XMLFile_Replika_Holder";

HANDLE s_hSemaphore = NULL;
HANDLE s_hHolderMutex = NULL;
int s_nUsers = 0;

// Every process of every user may open them: a security descriptor without an access list.
bool MakeOpenToAll(SECURITY_DESCRIPTOR& sd)
{
    return InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION) &&
           SetSecurityDescriptorDacl(&sd, TRUE, NULL, FALSE);
}

DWORD TimeLeft(DWORD dwStart, DWORD dwTimeoutMs)
{
    DWORD dwSpent = GetTickCount() - dwStart;
    return dwSpent < dwTimeoutMs ? dwTimeoutMs - dwSpent : 0;
}
}  // namespace

bool OpenSaveLock()
{
    if (s_hSemaphore == NULL) {
        SECURITY_DESCRIPTOR sd;
        if (!MakeOpenToAll(sd))
            return false;
        SECURITY_ATTRIBUTES sa = {sizeof(sa), &sd, FALSE};
        s_hSemaphore = CreateSemaphoreA(&sa, 1, 1, kSemaphoreName);
        if (s_hSemaphore == NULL)
            return false;
        // Without the mutex the semaphore still serialises saves; only a dead holder is not noticed.
        s_hHolderMutex = CreateMutexA(&sa, FALSE, kHolderMutexName);
    }
    ++s_nUsers;
    return true;
}

void CloseSaveLock()
{
    if (s_nUsers == 0 || --s_nUsers > 0)
        return;
    CloseHandle(s_hSemaphore);
    if (s_hHolderMutex)
        CloseHandle(s_hHolderMutex);
    s_hSemaphore = s_hHolderMutex = NULL;
}

HANDLE SaveSemaphore() { return s_hSemaphore; }

CSaveLock::CSaveLock(DWORD dwTimeoutMs) : m_bMutex(false), m_bSemaphore(false), m_bTakenOver(false)
{
    if (!s_hSemaphore)
        return;
    DWORD dwStart = GetTickCount();
    if (s_hHolderMutex) {
        DWORD dwWait = WaitForSingleObject(s_hHolderMutex, dwTimeoutMs);
        m_bMutex = (dwWait == WAIT_OBJECT_0 || dwWait == WAIT_ABANDONED);
        if (!m_bMutex)
            return;
        if (dwWait == WAIT_ABANDONED) {
            // The dead holder either held the semaphore, whose unit is now
            // ours, or had not taken it yet or had given it back: then it is free.
            g_pLog->LogWarning("The last holder of the settings save lock died; taking the lock over");
            WaitForSingleObject(s_hSemaphore, 0);
            m_bSemaphore = m_bTakenOver = true;
            return;
        }
    }
    m_bSemaphore = WaitForSingleObject(s_hSemaphore, TimeLeft(dwStart, dwTimeoutMs)) == WAIT_OBJECT_0;
}

CSaveLock::~CSaveLock()
{
    if (m_bSemaphore)
        ReleaseSemaphore(s_hSemaphore, 1, NULL);
    if (m_bMutex)
        ReleaseMutex(s_hHolderMutex);
}

}  // namespace replika
