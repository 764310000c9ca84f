#include "app/SingleInstance.h"

#include <stdio.h>
#include <string.h>

#include "log/SafeFileName.h"

namespace replika {

static const DWORD kProbeTimeoutMs = 200;
// Longest names the system takes: registered messages 255 characters, kernel objects MAX_PATH - 1.
static const int kMaxMessageName = 255;
static const int kMaxObjectName = MAX_PATH - 1;

static CString InstanceObjectName(const char* pszGuid, const CString& cstrCtxID, int nMaxLength)
{
    CString cstrName = CString(pszGuid) + cstrCtxID;
    if (cstrName.GetLength() <= nMaxLength && cstrCtxID.Find('\\') < 0)
        return cstrName;
    char szHash[16];
    snprintf(szHash, sizeof(szHash), "~%08x", RKTextHash(cstrCtxID));
    cstrName = cstrName.Left(nMaxLength - (int)strlen(szHash));
    cstrName.Replace('\\', '_');
    return cstrName + szHash;
}

CString InstanceMutexName(const CString& cstrCtxID)
{
    return InstanceObjectName("{5B1D3E70-2A44-4C19-8E6F-0D7A93C2B418}", cstrCtxID, kMaxObjectName);
}

CString InstanceProbeMessageName(const CString& cstrCtxID)
{
    return InstanceObjectName("{A7C24F19-3D58-4B07-9E21-6F4B0C8D5E93}", cstrCtxID, kMaxMessageName);
}

// Message 0 is no probe: every window answers it with 0. A hung window costs at most
// the time-out and is skipped.
BOOL CALLBACK FindRunningInstance(HWND hWnd, LPARAM lParam)
{
    if (g_uInstanceProbeMsg == 0)
        return FALSE;
    DWORD_PTR nResult = 0;
    if (!::SendMessageTimeoutA(hWnd, g_uInstanceProbeMsg, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, kProbeTimeoutMs,
                               &nResult))
        return TRUE;
    if (nResult != g_uInstanceProbeMsg)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

BOOL BringRunningInstanceForward()
{
    HWND hRunning = NULL;
    ::EnumWindows(FindRunningInstance, reinterpret_cast<LPARAM>(&hRunning));
    if (hRunning == NULL)
        return FALSE;
    HWND hPopup = ::GetLastActivePopup(hRunning);
    if (::IsIconic(hRunning))
        ::ShowWindow(hRunning, SW_RESTORE);
    ::SetForegroundWindow(hPopup);
    return TRUE;
}

}  // namespace replika
