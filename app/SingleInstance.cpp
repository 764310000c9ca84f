#include "app/SingleInstance.h"

namespace replika {

static const DWORD PROBE_TIMEOUT_MS = 200;

CString InstanceMutexName(const CString& cstrCtxID)
{
    return CString("{5B1D3E70-2A44-4C19-8E6F-0D7A93C2B418}") + cstrCtxID;
}

CString InstanceProbeMessageName(const CString& cstrCtxID)
{
    return CString("{A7C24F19-3D58-4B07-9E21-6F4B0C8D5E93}") + cstrCtxID;
}

// A hung window costs at most the time-out and is skipped.
BOOL CALLBACK FindRunningInstance(HWND hWnd, LPARAM lParam)
{
    DWORD_PTR nResult = 0;
    if (!::SendMessageTimeoutA(hWnd, g_uInstanceProbeMsg, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, PROBE_TIMEOUT_MS,
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
