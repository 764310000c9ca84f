#include "log/SafeFileName.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

namespace {

bool IsSafeChar(unsigned char ch)
{
    if (ch < 0x20 || ch == 0x7F)
        return false;
    return strchr("<>:\"/\\|?*", ch) == nullptr;
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9, alone or before an extension.
bool IsReservedName(const char* psz)
{
    static const char* const kNames[] = {"CON", "PRN", "AUX", "NUL"};
    size_t n = strcspn(psz, ".");
    for (const char* pszName : kNames)
        if (n == 3 && _strnicmp(psz, pszName, 3) == 0)
            return true;
    return n == 4 && (_strnicmp(psz, "COM", 3) == 0 || _strnicmp(psz, "LPT", 3) == 0) && psz[3] >= '1' && psz[3] <= '9';
}

}  // namespace

bool RKIsValidFileName(const char* pszName)
{
    size_t nLen = pszName ? strlen(pszName) : 0;
    if (nLen == 0 || nLen > 255 || strcmp(pszName, ".") == 0 || strcmp(pszName, "..") == 0)
        return false;
    for (size_t i = 0; i < nLen; ++i)
        if (!IsSafeChar(static_cast<unsigned char>(pszName[i])))
            return false;
    return pszName[nLen - 1] != '.' && pszName[nLen - 1] != ' ' && !IsReservedName(pszName);
}

unsigned RKTextHash(const char* pszText)
{
    unsigned h = 2166136261u;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(pszText); p && *p; ++p)
        h = (h ^ *p) * 16777619u;
    return h;
}

void RKSafeFileNamePart(const char* pszText, char* pszOut, size_t cchOut)
{
    if (cchOut == 0)
        return;
    pszOut[0] = '\0';
    const char* pszSource = pszText ? pszText : "";
    const size_t kHashLen = 9;  // "~" and eight hex digits
    size_t nPrefix = (pszSource[0] == '.' || pszSource[0] == '\0' || IsReservedName(pszSource)) ? 1 : 0;
    size_t nSource = strlen(pszSource);
    bool bCut = nPrefix + nSource + 1 > cchOut;
    if (bCut && cchOut < kHashLen + 2)
        return;  // no room for a safe name at all
    size_t nKeep = bCut ? cchOut - 1 - kHashLen - nPrefix : nSource;

    size_t o = 0;
    if (nPrefix)
        pszOut[o++] = '_';
    for (size_t i = 0; i < nKeep; ++i)
        pszOut[o++] = IsSafeChar(static_cast<unsigned char>(pszSource[i])) ? pszSource[i] : '_';
    // A trailing dot or space is dropped by the file system: the name would change.
    if (o > 0 && (pszOut[o - 1] == '.' || pszOut[o - 1] == ' '))
        pszOut[o - 1] = '_';
    pszOut[o] = '\0';
    if (bCut)
        snprintf(pszOut + o, cchOut - o, "~%08x", RKTextHash(pszSource));
}
