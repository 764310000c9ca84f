// Measures, for each of two command lines, the time from CreateProcess until the new
// process is ready: a visible top-level window and, when a list control is named for A,
// that list filled. Then it closes the window and waits for the process to end. The two
// programs take turns, so drift hits both alike.
//   bench_startup_timer.exe <runs> "<command line A>" "<command line B>" [<list ID of A>]
// Prints the median (and the fastest) of each, in milliseconds, and the ratio A / B.
#include <stdio.h>
#include <stdlib.h>

#include <vector>

#include "bench/Measure.h"

namespace {

const DWORD WINDOW_TIMEOUT_MS = 30000;
const DWORD EXIT_TIMEOUT_MS = 10000;

// One start; returns the time to the visible window, or a negative value on failure.
double TimeOneStart(const char* pszCmdLine, int nListID)
{
    char szCmd[4096];
    lstrcpynA(szCmd, pszCmdLine, sizeof(szCmd));
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    double start = NowMs();
    if (!CreateProcessA(NULL, szCmd, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        fprintf(stderr, "cannot start: %s (error %lu)\n", pszCmdLine, GetLastError());
        return -1.0;
    }
    HWND hFound = NULL;
    double elapsed = -1.0;
    for (;;) {
        hFound = VisibleWindowOf(pi.dwProcessId);
        double shown = NowMs();
        if (hFound != NULL && nListID != 0 && !ListFilled(hFound, nListID))
            hFound = NULL;  // visible, not ready yet
        if (hFound != NULL) {
            elapsed = shown - start;
            break;
        }
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) {
            fprintf(stderr, "ended without a window: %s\n", pszCmdLine);
            break;
        }
        if (shown - start > WINDOW_TIMEOUT_MS) {
            fprintf(stderr, "no window in time: %s\n", pszCmdLine);
            break;
        }
        Sleep(1);
    }
    if (hFound != NULL)
        PostMessageA(hFound, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, EXIT_TIMEOUT_MS) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return elapsed;
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
