#include "copier/common/ComText.h"

#include <string.h>

std::string NarrowOf(BSTR bstr)
{
    if (!bstr || !bstr[0])
        return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, bstr, -1, NULL, 0, NULL, NULL);
    if (n <= 0)
        return std::string();
    std::string text(n, '\0');
    WideCharToMultiByte(CP_ACP, 0, bstr, -1, &text[0], n, NULL, NULL);
    text.resize(strlen(text.c_str()));
    return text;
}

BSTR BstrOf(const std::string& text)
{
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, NULL, 0);
    BSTR bstr = SysAllocStringLen(NULL, n > 0 ? n - 1 : 0);
    if (bstr && n > 0)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, bstr, n);
    return bstr;
}
