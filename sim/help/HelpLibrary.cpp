// Stand-in help library: its one export opens the user's guide (docs\guide.html beside the
// program) in the user's browser and records each call in help.log in the
// stand-ins' folder. help.ini, section [Help]: Browse=0 only records; HoldMs=n keeps the
// call busy for n milliseconds, as a help viewer that stays open would.
#include "sim/simcom.h"

#include <shellapi.h>
#include <stdlib.h>

namespace {

int HelpSetting(const char* pszKey, int nDefault)
{
    std::string value;
    return SimIniValue(SimIniPath("help.ini"), "Help", pszKey, &value) ? atoi(value.c_str()) : nDefault;
}

std::string HelpPagePath()
{
    char szPath[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(NULL, szPath, sizeof(szPath));
    char* pszSlash = n > 0 && n < sizeof(szPath) ? strrchr(szPath, '\\') : NULL;
    if (!pszSlash)
        return std::string();
    pszSlash[1] = '\0';
    return std::string(szPath) + "docs\\guide.html";
}


}  // namespace

// Exported as "_SprigHandleHelpButton@12" on every architecture (help.def.in).
extern "C" int WINAPI SprigHandleHelp(HWND hWnd, int nReserved, int nTopic)
{
    std::string page = HelpPagePath();
    bool bBrowse = HelpSetting("Browse", 1) != 0;
    char szLine[MAX_PATH + 128];
    snprintf(szLine, sizeof(szLine), "window %s reserved %d topic %d page %s browse %d",
             hWnd && IsWindow(hWnd) ? "valid" : "none", nReserved, nTopic, page.c_str(), bBrowse ? 1 : 0);
    SimAppendLine("help.log", szLine);
    if (bBrowse && !page.empty())
        ShellExecuteA(hWnd, "open", page.c_str(), NULL, NULL, SW_SHOWNORMAL);
    if (int nHoldMs = HelpSetting("HoldMs", 0))
        Sleep((DWORD)nHoldMs);
    return 1;
}
