#include "settings/XmlFailure.h"

#include "framework/afxcore.h"  // before afxcom.h, which needs AFXAPI
#include "framework/afxcom.h"
#include "log/RKLog.h"

#include <cstdio>

namespace replika {

namespace {
const size_t kErrorDumpSize = 256;
ErrorDumpHandler s_pfnErrorDump = NULL;

// Each piece is appended to the text built so far, within 255 characters.
void AppendDump(char* pszDump, const char* pszFormat, const char* pszValue)
{
    char szSoFar[kErrorDumpSize];
    lstrcpynA(szSoFar, pszDump, sizeof(szSoFar));
    snprintf(pszDump, kErrorDumpSize, pszFormat, szSoFar, pszValue);
}
}  // namespace

void WideToAnsi(const wchar_t* pwsz, char* psz, size_t cch)
{
    if (cch > 0)
        lstrcpynA(psz, pwsz ? CString(pwsz) : CString(), static_cast<int>(cch));
}

ComFailure::ComFailure(HRESULT hrFailed) : hr(hrFailed)
{
    szSource[0] = szDescription[0] = '\0';
    RKSystemMessageText(hr, szMessage, sizeof(szMessage));

    CComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, &info) != S_OK || !info)
        return;
    CBstr text;
    if (SUCCEEDED(info->GetSource(&text)))
        WideToAnsi(text, szSource, sizeof(szSource));
    if (SUCCEEDED(info->GetDescription(&text)))
        WideToAnsi(text, szDescription, sizeof(szDescription));
}

void LogFailureWithCode(const char* pszOperation, const ComFailure& failure)
{
    g_pLog->LogError("%s - _com_error exception (hr: 0x%x = %s)", pszOperation, static_cast<unsigned>(failure.hr),
                     failure.szMessage);
}

void LogFailure(const char* pszOperation, const ComFailure& failure)
{
    g_pLog->LogError("%s - _com_error exception (%s)", pszOperation, failure.szMessage);
}

void ShowErrorDump(const ComFailure& failure)
{
    char szDump[kErrorDumpSize];
    char szCode[16];
    snprintf(szDump, sizeof(szDump), "Error\n");
    snprintf(szCode, sizeof(szCode), "%08lx", static_cast<unsigned long>(failure.hr));
    AppendDump(szDump, "%s\tCode = %s\n", szCode);
    AppendDump(szDump, "%s\tCode meaning = %s", failure.szMessage);
    AppendDump(szDump, "%s\n\tSource = %s\n", failure.szSource);
    AppendDump(szDump, "%s\tDescription = %s\n", failure.szDescription);

    if (s_pfnErrorDump)
        s_pfnErrorDump(szDump);
    else
        MessageBoxA(NULL, szDump, NULL, MB_OK);
}

void SetErrorDumpHandlerOf(ErrorDumpHandler pfnHandler) { s_pfnErrorDump = pfnHandler; }

}  // namespace replika
