// Measures, for each of two command lines, the time from CreateProcess until the new
// process is ready: a visible top-level window and, when a list control is named for A,
// that list filled. Then it closes the window and waits for the process to end. The two
// programs take turns, so drift hits both alike.
//   bench_startup_timer.exe <runs> "<command line A>" "<command line B>" [<list ID of A>]
// Prints the median (and the fastest) of each, in milliseconds, and the ratio A / B.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include <vector>

namespace {

const DWORD WINDOW_TIMEOUT_MS = 30000;
const DWORD EXIT_TIMEOUT_MS = 10000;

struct WindowSearch
{
    DWORD dwProcessId;
    HWND hFound;
};

BOOL CALLBACK FindVisibleWindow(HWND hWnd, LPARAM lParam)
{
    WindowSearch* pSearch = reinterpret_cast<WindowSearch*>(lParam);
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    if (dwPid != pSearch->dwProcessId || !IsWindowVisible(hWnd))
        return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}

// Whether the window's list control has entries; a busy program counts as not ready.
bool ListFilled(HWND hWnd, int nListID)
{
    DWORD_PTR nCount = 0;
    return SendMessageTimeoutA(GetDlgItem(hWnd, nListID), CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &nCount) &&
           (LRESULT)nCount > 0;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    return (double)(to.QuadPart - from.QuadPart) * 1000.0 / (double)freq.QuadPart;
}

// One start; returns the time to the visible window, or a negative value on failure.
double TimeOneStart(const char* pszCmdLine, int nListID)
{
    char szCmd[4096];
    lstrcpynA(szCmd, pszCmdLine, sizeof(szCmd));
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(NULL, szCmd, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        fprintf(stderr, "cannot start: %s (error %lu)\n", pszCmdLine, GetLastError());
        return -1.0;
    }
    WindowSearch search = {pi.dwProcessId, NULL};
    double elapsed = -1.0;
    for (;;) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&shown);
        if (search.hFound != NULL && nListID != 0 && !ListFilled(search.hFound, nListID))
            search.hFound = NULL;  // visible, not ready yet
        if (search.hFound != NULL) {
            elapsed = Milliseconds(start, shown);
            break;
        }
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) {
            fprintf(stderr, "ended without a window: %s\n", pszCmdLine);
            break;
        }
        if (Milliseconds(start, shown) > WINDOW_TIMEOUT_MS) {
            fprintf(stderr, "no window in time: %s\n", pszCmdLine);
            break;
        }
        Sleep(1);
    }
    if (search.hFound != NULL)
        PostMessageA(search.hFound, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, EXIT_TIMEOUT_MS) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return elapsed;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4 && argc != 5) {
        fprintf(stderr, "usage: %s <runs> \"<command line A>\" \"<command line B>\" [<list ID of A>]\n", argv[0]);
        return 2;
    }
    int nListA = argc == 5 ? atoi(argv[4]) : 0;
    int nRuns = atoi(argv[1]);
    if (nRuns < 1)
        nRuns = 1;
    // One warm-up start each: the first start pays for loading Wine's DLLs.
    TimeOneStart(argv[2], nListA);
    TimeOneStart(argv[3], 0);
    std::vector<double> a, b;
    for (int i = 0; i < nRuns; ++i) {
        double ta = TimeOneStart(argv[2], nListA);
        double tb = TimeOneStart(argv[3], 0);
        if (ta < 0 || tb < 0)
            return 1;
        a.push_back(ta);
        b.push_back(tb);
    }
    // The median is the figure; the fastest start shows the cost without other load.
    double ma = Median(a), mb = Median(b);
    double fa = *std::min_element(a.begin(), a.end()), fb = *std::min_element(b.begin(), b.end());
    printf("A median %.1f ms, fastest %.1f ms over %d starts: %s\n", ma, fa, nRuns, argv[2]);
    printf("B median %.1f ms, fastest %.1f ms over %d starts: %s\n", mb, fb, nRuns, argv[3]);
    printf("ratio A/B %.2f (fastest %.2f)\n", ma / mb, fa / fb);
    return 0;
}
