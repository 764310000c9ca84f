#include "copier/contextmgr/SetupContext.h"

#include <windows.h>

std::string UserLanguageAbbrev()
{
    char szAbbrev[16] = "";
    LCID lcid = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (GetLocaleInfoA(lcid, LOCALE_SABBREVLANGNAME, szAbbrev, sizeof(szAbbrev)) <= 1)
        return "enu";
    CharLowerA(szAbbrev);
    return szAbbrev;
}

bool SetupContextValue(const CopierSetup& setup, const std::string& key, std::string& value)
{
    struct Entry
    {
        const char* pszKey;
        std::string value;
    };
    const Entry entries[] = {
        {"FriendlyName", setup.name},
        {"ProdShortName", setup.name},
        {"DefLangAbbrev", UserLanguageAbbrev()},
        {"CopyMode", std::to_string(kSetupCopyMode)},
        {"ContextID", CopierContextID(setup)},
        {"Manufacturer", kCopierManufacturer},
        {"Product", kCopierProduct},
        {"DeviceID", setup.deviceId},
        {"Source", setup.source},
        {"Printer", setup.printer},
    };
    for (const Entry& entry : entries)
        if (key == entry.pszKey) {
            value = entry.value;
            return true;
        }
    return false;
}

bool ExpandSetupMacros(const CopierSetup& setup, const std::string& text, std::string& result)
{
    result.clear();
    size_t pos = 0;
    while (pos < text.size()) {
        size_t open = text.find('$', pos);
        if (open == std::string::npos) {
            result.append(text, pos, std::string::npos);
            break;
        }
        size_t close = text.find('$', open + 1);
        if (close == std::string::npos) {
            result.clear();
            return false;
        }
        result.append(text, pos, open - pos);
        std::string name = text.substr(open + 1, close - open - 1);
        std::string value = "$";
        if (!name.empty() && !SetupContextValue(setup, name, value)) {
            result.clear();
            return false;
        }
        result += value;
        pos = close + 1;
    }
    return true;
}
