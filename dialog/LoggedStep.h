// Binding to the device and submitting a job run as one step each; an exception the
// step lets out stops at the dialog and becomes a logged failure status.
#pragma once

#include <windows.h>
#include <comdef.h>

#include "framework/afxcore.h"
#include "log/RKLog.h"

namespace replika {

// How a caught exception is written: the COM error's status code in upper- or lower-case
// hex, and whether a framework exception gives E_FAIL and its own message or counts as unknown.
struct ExceptionRecords
{
    bool bUpperHexCode;
    bool bFrameworkMessage;
};

// Runs step(), which keeps hr up to date as it goes. An exception it lets out is logged under
// pszOperation: a COM error exception sets hr to its own status, a framework exception told
// apart sets E_FAIL, and any other exception keeps the status reached so far. Returns false
// when an exception was caught.
template <class Step>
bool RunLoggedStep(const char* pszOperation, const ExceptionRecords& records, HRESULT& hr, Step&& step)
{
    try {
        step();
        return true;
    } catch (const _com_error& e) {
        hr = e.Error();
        RKLogComError(pszOperation, hr, records.bUpperHexCode);
    } catch (CException* e) {
        char szText[256] = "";
        e->GetErrorMessage(szText, sizeof szText - 1);
        e->Delete();
        if (records.bFrameworkMessage) {
            hr = E_FAIL;
            g_pLog->LogError("%s", szText);
        } else {
            g_pLog->LogError("%s - unknown exception", pszOperation);
        }
    } catch (...) {
        g_pLog->LogError("%s - unknown exception", pszOperation);
    }
    return false;
}

}  // namespace replika
