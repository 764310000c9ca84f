// Measures the time from a click on Color Copy until the printed PDF is complete on disk,
// for a copy program bound to a copier set-up, and the program's peak working set above
// its idle working set while it copies.
//   bench_click_to_pdf.exe <runs> "<command line>" "<PDF folder>" "<name pattern>" [<button to click first>]
// Starts the program, waits until its dialog is ready, clicks the optional button (a
// quality), then clicks Color Copy <runs> times, each time once the previous job is
// idle, and prints the median and fastest time in milliseconds.
#include <windows.h>
#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "bench/Measure.h"

namespace {

const int kColorCopyID = 1012;
const int kPaperSizeListID = 1004;
const DWORD kTimeoutMs = 120000;

// Complete PDFs (ending in %%EOF) matching the pattern, deleted once counted.
int TakeCompletePdfs(const std::string& folder, const std::string& pattern)
{
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        std::string path = folder + "\\" + found.cFileName;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  NULL, OPEN_EXISTING, 0, NULL);
        if (file == INVALID_HANDLE_VALUE)
            continue;
        char tail[16] = "";
        DWORD got = 0;
        bool done = GetFileSize(file, NULL) > 16 && SetFilePointer(file, -16, NULL, FILE_END) != INVALID_SET_FILE_POINTER &&
                    ReadFile(file, tail, sizeof(tail), &got, NULL) &&
                    std::string(tail, got).find("%%EOF") != std::string::npos;
        CloseHandle(file);
        if (done && DeleteFileA(path.c_str()))
            ++count;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

template <class Done>
bool WaitFor(Done done, DWORD dwTimeoutMs = kTimeoutMs)
{
    for (double start = NowMs(); !done(); Sleep(2))
        if (NowMs() - start > dwTimeoutMs)
            return false;
    return true;
}

PROCESS_MEMORY_COUNTERS Memory(HANDLE hProcess)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(hProcess, &counters, sizeof(counters));
    return counters;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5 && argc != 6) {
        fprintf(stderr, "usage: %s <runs> \"<command line>\" \"<PDF folder>\" \"<name pattern>\" [<button>]\n", argv[0]);
        return 2;
    }
    int nRuns = std::max(1, atoi(argv[1]));
    std::string folder = argv[3], pattern = argv[4];
    TakeCompletePdfs(folder, pattern);
    PROCESS_INFORMATION pi;
    if (!StartProgram(argv[2], pi))
        return 1;
    HWND hDlg = NULL;
    WaitFor([&] { return (hDlg = VisibleWindowOf(pi.dwProcessId, kColorCopyID)) != NULL; }, 30000);
    std::vector<double> times;
    SIZE_T idle = 0;
    if (hDlg && WaitFor([&] { return ListFilled(hDlg, kPaperSizeListID); })) {
        if (argc == 6)
            SendMessageA(GetDlgItem(hDlg, atoi(argv[5])), BM_CLICK, 0, 0);
        HWND hColor = GetDlgItem(hDlg, kColorCopyID);
        Sleep(500);
        idle = Memory(pi.hProcess).WorkingSetSize;
        for (int i = 0; i < nRuns; ++i) {
            if (!WaitFor([&] { return IsWindowEnabled(hColor) != FALSE; }))
                break;
            double start = NowMs();
            PostMessageA(hColor, BM_CLICK, 0, 0);
            if (!WaitFor([&] { return TakeCompletePdfs(folder, pattern) > 0; }))
                break;
            times.push_back(NowMs() - start);
        }
    }
    SIZE_T peak = Memory(pi.hProcess).PeakWorkingSetSize;
    if (hDlg)
        PostMessageA(hDlg, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if ((int)times.size() != nRuns) {
        fprintf(stderr, "only %d of %d copies reached a PDF\n", (int)times.size(), nRuns);
        return 1;
    }
    printf("click to PDF: median %.0f ms, fastest %.0f ms over %d; peak working set %.1f MiB above idle\n",
           Median(times), *std::min_element(times.begin(), times.end()), nRuns,
           (double)(peak - idle) / (1024.0 * 1024.0));
    return 0;
}
