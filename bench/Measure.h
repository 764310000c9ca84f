// What the measuring programs share: a millisecond clock, the median, and the window of
// a started program (visible, and ready once its list has entries).
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

// Milliseconds on the performance counter.
inline double NowMs()
{
    LARGE_INTEGER freq, now;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)freq.QuadPart;
}

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

// A visible top-level window of the process, holding the item nItemID when it is not 0.
inline HWND VisibleWindowOf(DWORD dwProcessId, int nItemID = 0)
{
    for (HWND h = FindWindowExA(NULL, NULL, NULL, NULL); h; h = FindWindowExA(NULL, h, NULL, NULL)) {
        DWORD dwPid = 0;
        GetWindowThreadProcessId(h, &dwPid);
        if (dwPid == dwProcessId && IsWindowVisible(h) && (nItemID == 0 || GetDlgItem(h, nItemID)))
            return h;
    }
    return NULL;
}

// Whether the window's list control has entries; a busy program counts as not ready.
inline bool ListFilled(HWND hWnd, int nListID)
{
    DWORD_PTR nCount = 0;
    return SendMessageTimeoutA(GetDlgItem(hWnd, nListID), CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &nCount) &&
           (LRESULT)nCount > 0;
}

// Starts a program from its command line; false, with a line on stderr, when it cannot.
inline bool StartProgram(const char* pszCommand, PROCESS_INFORMATION& pi)
{
    std::vector<char> cmd(pszCommand, pszCommand + strlen(pszCommand) + 1);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    if (CreateProcessA(NULL, cmd.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return true;
    fprintf(stderr, "cannot start: %s\n", pszCommand);
    return false;
}
