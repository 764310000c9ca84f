// Measures how a run of busy/idle device events delays the user's Close.
//   bench_device_events.exe "<command line of the copy program>" "<context ID>" <N>...
// For each N (0 first, as the baseline): starts the program, waits until its dialog is ready,
// posts N busy/idle events to the dialog as the device does (the registered message of the
// context, lParam the address of the context ID in the program's memory), busy and idle
// taking turns and ending on idle, then posts the Close, and prints the time from the first
// event until the process has ended, and the cost of one event against the baseline.
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "bench/Measure.h"

namespace {

const int kColorCopyID = 1012;
const int kPaperSizeListID = 1004;
const DWORD kStartTimeoutMs = 30000;
const DWORD kEndTimeoutMs = 120000;
const DWORD kSettleMs = 500;

// The context ID written into the program's memory, where the device's text would be.
void* PlaceContextText(HANDLE hProcess, const std::string& ctxID)
{
    void* pRemote = VirtualAllocEx(hProcess, NULL, ctxID.size() + 1, MEM_COMMIT, PAGE_READWRITE);
    if (pRemote && !WriteProcessMemory(hProcess, pRemote, ctxID.c_str(), ctxID.size() + 1, NULL))
        return NULL;
    return pRemote;
}

// Milliseconds from the first event until the process ended; negative on failure.
double EventsThenClose(const char* pszCommand, const std::string& ctxID, int nEvents)
{
    PROCESS_INFORMATION pi;
    if (!StartProgram(pszCommand, pi))
        return -1;
    HWND hDlg = NULL;
    for (double start = NowMs(); NowMs() - start < kStartTimeoutMs; Sleep(5)) {
        hDlg = VisibleWindowOf(pi.dwProcessId, kColorCopyID);
        if (hDlg && ListFilled(hDlg, kPaperSizeListID))
            break;
    }
    double elapsed = -1;
    void* pCtx = hDlg ? PlaceContextText(pi.hProcess, ctxID) : NULL;
    if (pCtx) {
        Sleep(kSettleMs);  // the first paint and the device's start are over
        UINT uBusy = RegisterWindowMessageA(("Device_s_Busy_" + ctxID).c_str());
        double start = NowMs();
        for (int i = 0; i < nEvents; ++i)
            PostMessageA(hDlg, uBusy, (nEvents - i) % 2, reinterpret_cast<LPARAM>(pCtx));
        PostMessageA(hDlg, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi.hProcess, kEndTimeoutMs) == WAIT_OBJECT_0)
            elapsed = NowMs() - start;
    } else {
        fprintf(stderr, "the dialog did not come up\n");
    }
    if (elapsed < 0)
        TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return elapsed;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: %s \"<command line>\" \"<context ID>\" <N>...\n", argv[0]);
        return 2;
    }
    double baseline = EventsThenClose(argv[1], argv[2], 0);
    if (baseline < 0)
        return 1;
    printf("no events, then Close: %.0f ms until the process ended\n", baseline);
    for (int i = 3; i < argc; ++i) {
        int nEvents = std::max(1, atoi(argv[i]));
        double elapsed = EventsThenClose(argv[1], argv[2], nEvents);
        if (elapsed < 0)
            return 1;
        printf("%d busy/idle events, then Close: %.0f ms until the process ended, %.2f ms per event\n", nEvents,
               elapsed, (elapsed - baseline) / nEvents);
    }
    return 0;
}
