#include "app/BstrText.h"

namespace replika {

BSTR AllocBstr(const char* pszText)
{
    int cch = ::MultiByteToWideChar(CP_THREAD_ACP, 0, pszText, -1, NULL, 0);
    BSTR bstr = ::SysAllocStringLen(NULL, cch > 0 ? cch - 1 : 0);
    if (bstr == NULL)
        AfxThrowMemoryException();
    if (cch > 0)
        ::MultiByteToWideChar(CP_THREAD_ACP, 0, pszText, -1, bstr, cch);
    else
        bstr[0] = L'\0';
    return bstr;
}

CString BstrToText(BSTR bstr)
{
    CString cstrText;
    if (bstr == NULL || bstr[0] == L'\0')
        return cstrText;
    int cch = ::WideCharToMultiByte(CP_THREAD_ACP, 0, bstr, -1, NULL, 0, NULL, NULL);
    if (cch <= 1)
        return cstrText;
    char* pszText = cstrText.GetBuffer(cch);
    ::WideCharToMultiByte(CP_THREAD_ACP, 0, bstr, -1, pszText, cch, NULL, NULL);
    cstrText.ReleaseBuffer(cch - 1);
    return cstrText;
}

} // namespace replika
