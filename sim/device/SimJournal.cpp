#include "sim/device/SimJournal.h"

#include <windows.h>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "sim/device/SimProfile.h"

namespace {

struct JobField
{
    const char* name;
    int32_t CopyJobParams::*field;
};

const JobField kJobFields[] = {
    {"nTraySelection", &CopyJobParams::nTraySelection},
    {"bPrintDuplexerPresent", &CopyJobParams::bPrintDuplexerPresent},
    {"bTwoSidedOutChecked", &CopyJobParams::bTwoSidedOutChecked},
    {"nSpecialFeatureMode", &CopyJobParams::nSpecialFeatureMode},
    {"nNbrCopies", &CopyJobParams::nNbrCopies},
    {"bEnhanceLightClr", &CopyJobParams::bEnhanceLightClr},
    {"bTextMode", &CopyJobParams::bTextMode},
    {"bColorCopyRequested", &CopyJobParams::bColorCopyRequested},
    {"nQuality", &CopyJobParams::nQuality},
    {"nReduceEnlarge", &CopyJobParams::nReduceEnlarge},
    {"nPaperType", &CopyJobParams::nPaperType},
    {"nPaperSize", &CopyJobParams::nPaperSize},
    {"nPhotoSize", &CopyJobParams::nPhotoSize},
    {"nBrightness", &CopyJobParams::nBrightness},
    {"nPosterWidth", &CopyJobParams::nPosterWidth},
    {"nCCHowMany", &CopyJobParams::nCCHowMany},
    {"bMultipleCopiesPerPage", &CopyJobParams::bMultipleCopiesPerPage},
    {"nReserved", &CopyJobParams::nReserved},
    {"nBorderlessSupport", &CopyJobParams::nBorderlessSupport},
};

// Appends to text at *used, never past cap.
void Append(char* text, size_t cap, size_t* used, const char* format, ...)
{
    if (*used >= cap)
        return;
    va_list args;
    va_start(args, format);
    int n = vsnprintf(text + *used, cap - *used, format, args);
    va_end(args);
    if (n > 0)
        *used = (static_cast<size_t>(n) < cap - *used) ? *used + n : cap - 1;
}

}  // namespace

size_t SimJournalFormat(const char* ctxID, const CopyJobParams& job, char* text, size_t cap)
{
    if (cap == 0)
        return 0;
    text[0] = '\0';
    size_t used = 0;
    SYSTEMTIME now;
    GetLocalTime(&now);
    Append(text, cap, &used, "[Job]\r\nTime=%04u-%02u-%02u %02u:%02u:%02u.%03u\r\nContext=%s\r\n", now.wYear,
           now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds, ctxID);
    for (const JobField& f : kJobFields)
        Append(text, cap, &used, "%s=%d\r\n", f.name, static_cast<int>(job.*f.field));
    Append(text, cap, &used, "bEnableXDL=");
    for (int i = 0; i < 21; ++i)
        Append(text, cap, &used, i ? ",%d" : "%d", static_cast<int>(job.bEnableXDL[i]));
    Append(text, cap, &used, "\r\n\r\n");
    return used;
}

bool SimJournalAppend(const char* deviceID, const char* ctxID, const CopyJobParams& job)
{
    char folder[MAX_PATH];
    SimFolder(folder, sizeof(folder));
    CreateDirectoryA(folder, nullptr);
    char path[MAX_PATH];
    SimDeviceFilePath("journal-", deviceID, ".txt", path, sizeof(path));

    char block[2048];
    size_t len = SimJournalFormat(ctxID, job, block, sizeof(block));
    // One write with append access, so blocks of two processes never interleave.
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, block, static_cast<DWORD>(len), &written, nullptr) && written == len;
    CloseHandle(file);
    return ok;
}
