// What a failed call of the XML component tells, and how the wrapper reports
// it: records in the log, and the error dump of a failed load.
#pragma once

#include <windows.h>

#include <cstddef>

namespace replika {

// Its status, the system's text for it, and the source and description the
// component may have left in the thread's error object.
struct ComFailure
{
    HRESULT hr;
    char szMessage[256];
    char szSource[128];
    char szDescription[256];

    explicit ComFailure(HRESULT hrFailed);
};

// "%s - _com_error exception (hr: 0x%x = %s)"
void LogFailureWithCode(const char* pszOperation, const ComFailure& failure);
// "%s - _com_error exception (%s)"
void LogFailure(const char* pszOperation, const ComFailure& failure);

typedef void (*ErrorDumpHandler)(const char* pszText);
// Shown in a message box unless a handler takes it.
void ShowErrorDump(const ComFailure& failure);
void SetErrorDumpHandlerOf(ErrorDumpHandler pfnHandler);

// The thread's narrow code page; cut to cch - 1 characters. NULL gives "".
void WideToAnsi(const wchar_t* pwsz, char* psz, size_t cch);

}  // namespace replika
