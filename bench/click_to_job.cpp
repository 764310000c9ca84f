// Measures the time from a click on Color Copy until the job is in the device's journal.
//   bench_click_to_job.exe <runs> "<command line of the copy program>" "<journal file>"
// Starts the program, waits until its dialog is ready (paper sizes listed), then clicks
// Color Copy <runs> times, each time once the device's busy spell after the previous job
// is over (the button disabled, then enabled again), and prints the
// median and the fastest time in milliseconds.
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "bench/Measure.h"

namespace {

const int kColorCopyID = 1012;
const int kPaperSizeListID = 1004;
const DWORD kTimeoutMs = 30000;
const DWORD kBusyShowsWithinMs = 2000;

// Number of jobs in the journal (one "[Job]" line each).
int JobsIn(const char* pszJournal)
{
    HANDLE hFile = CreateFileA(pszJournal, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                               OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return 0;
    std::string text;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(hFile, buffer, sizeof(buffer), &n, NULL) && n > 0)
        text.append(buffer, n);
    CloseHandle(hFile);
    int nJobs = 0;
    for (size_t at = text.find("[Job]"); at != std::string::npos; at = text.find("[Job]", at + 1))
        ++nJobs;
    return nJobs;
}

bool WaitFor(bool (*pfnDone)(HWND, const void*), HWND hWnd, const void* pContext, DWORD dwTimeoutMs = kTimeoutMs)
{
    for (double start = NowMs(); !pfnDone(hWnd, pContext); Sleep(1))
        if (NowMs() - start > dwTimeoutMs)
            return false;
    return true;
}

bool ListReady(HWND hDlg, const void*) { return ListFilled(hDlg, kPaperSizeListID); }

bool ColorEnabled(HWND hDlg, const void*) { return IsWindowEnabled(GetDlgItem(hDlg, kColorCopyID)) != FALSE; }
bool ColorDisabled(HWND hDlg, const void*) { return !ColorEnabled(hDlg, NULL); }

struct JobWait
{
    const char* pszJournal;
    int nJobs;
};

bool JobArrived(HWND, const void* pContext)
{
    const JobWait* pWait = static_cast<const JobWait*>(pContext);
    return JobsIn(pWait->pszJournal) > pWait->nJobs;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: %s <runs> \"<command line>\" \"<journal file>\"\n", argv[0]);
        return 2;
    }
    int nRuns = std::max(1, atoi(argv[1]));
    PROCESS_INFORMATION pi;
    if (!StartProgram(argv[2], pi))
        return 1;
    HWND hDlg = NULL;
    for (double start = NowMs(); hDlg == NULL && NowMs() - start < kTimeoutMs; Sleep(5))
        hDlg = VisibleWindowOf(pi.dwProcessId, kColorCopyID);
    int nStatus = 1;
    std::vector<double> times;
    if (hDlg && WaitFor(ListReady, hDlg, NULL)) {
        HWND hColor = GetDlgItem(hDlg, kColorCopyID);
        for (int i = 0; i < nRuns; ++i) {
            if (!WaitFor(ColorEnabled, hDlg, NULL))
                break;
            JobWait wait = {argv[3], JobsIn(argv[3])};
            double start = NowMs();
            PostMessageA(hColor, BM_CLICK, 0, 0);
            if (!WaitFor(JobArrived, NULL, &wait))
                break;
            times.push_back(NowMs() - start);
            // The job makes the device busy, then idle: the next click waits for both, so
            // that it measures the click and not the end of the previous job.
            WaitFor(ColorDisabled, hDlg, NULL, kBusyShowsWithinMs);
        }
        nStatus = (int)times.size() == nRuns ? 0 : 1;
    }
    if (hDlg)
        PostMessageA(hDlg, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (nStatus != 0) {
        fprintf(stderr, "only %d of %d jobs reached the journal\n", (int)times.size(), nRuns);
        return nStatus;
    }
    printf("click to job: median %.1f ms, fastest %.1f ms over %d jobs\n", Median(times),
           *std::min_element(times.begin(), times.end()), nRuns);
    return 0;
}
