#include "sim/wia/SimScanners.h"

#include "sim/simcom.h"

#include <stdlib.h>
#include <wia.h>

namespace {
const char kIniFile[] = "wia.ini";
const char kLogFile[] = "wia.log";
constexpr LONG kLongestDelayMs = 60000;

WiaFault FaultOf(const std::string& text)
{
    static const struct
    {
        const char* pszName;
        WiaFault fault;
    } kFaults[] = {{"busy", WiaFault::Busy}, {"cover", WiaFault::Cover}, {"jam", WiaFault::Jam},
                   {"cancel", WiaFault::Cancel}};
    for (const auto& entry : kFaults)
        if (lstrcmpiA(text.c_str(), entry.pszName) == 0)
            return entry.fault;
    return WiaFault::None;
}

// A device's section, read in one go: a transfer reads it before every band.
class CSteeringSection
{
public:
    explicit CSteeringSection(const char* pszSection) : m_buffer(4096)
    {
        GetPrivateProfileSectionA(pszSection, m_buffer.data(), (DWORD)m_buffer.size(), SimIniPath(kIniFile).c_str());
    }
    std::string Text(const char* pszKey) const
    {
        size_t keyLength = strlen(pszKey);
        for (const char* p = m_buffer.data(); *p; p += strlen(p) + 1)
            if (_strnicmp(p, pszKey, keyLength) == 0 && p[keyLength] == '=')
                return p + keyLength + 1;
        return std::string();
    }
    LONG Long(const char* pszKey, LONG fallback) const
    {
        std::string text = Text(pszKey);
        return text.empty() ? fallback : strtol(text.c_str(), NULL, 10);
    }

private:
    std::vector<char> m_buffer;
};
}  // namespace

const std::vector<WiaScannerModel>& WiaScannerModels()
{
    static const std::vector<WiaScannerModel> s_models = {
        {"Flatbed", L"{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0000", L"QV Sim Flatbed Scanner", FLAT | FEED,
         {75, 150, 300, 600}, 8500, 11690},
        {"SheetFed", L"{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}\\0001", L"QV Sim Sheet-fed Scanner", FEED,
         {100, 200, 300}, 0, 0},
    };
    return s_models;
}

const WiaScannerModel* FindWiaScanner(const wchar_t* pszDeviceId)
{
    if (!pszDeviceId)
        return NULL;
    for (const auto& model : WiaScannerModels())
        if (lstrcmpiW(model.pszDeviceId, pszDeviceId) == 0)
            return &model;
    return NULL;
}

WiaSteering ReadWiaSteering(const WiaScannerModel& model)
{
    CSteeringSection section(model.pszKey);
    WiaSteering steering;
    steering.present = section.Long("Present", 1) != 0;
    steering.sheets = section.Long("Sheets", 0);
    LONG delayMs = section.Long("DelayMs", 0);
    steering.delayMs = delayMs <= 0 ? 0 : (DWORD)(delayMs < kLongestDelayMs ? delayMs : kLongestDelayMs);
    steering.fault = FaultOf(section.Text("Fail"));
    return steering;
}

bool TakeWiaSheet(const WiaScannerModel& model)
{
    LONG sheets = CSteeringSection(model.pszKey).Long("Sheets", 0);
    if (sheets <= 0)
        return false;
    char szRest[16];
    snprintf(szRest, sizeof(szRest), "%ld", (long)(sheets - 1));
    WritePrivateProfileStringA(model.pszKey, "Sheets", szRest, SimIniPath(kIniFile).c_str());
    return true;
}

LONG WiaHandlingStatus(const WiaScannerModel& model, const WiaSteering& steering)
{
    LONG status = 0;
    if (model.handlingCapabilities & FLAT)
        status |= FLAT_READY;
    if ((model.handlingCapabilities & FEED) && steering.sheets > 0)
        status |= FEED_READY;
    if (steering.fault == WiaFault::Cover)
        status |= FLAT_COVER_UP | PATH_COVER_UP;
    if (steering.fault == WiaFault::Jam)
        status |= PAPER_JAM;
    return status;
}

void LogWiaTransfer(const std::string& line) { SimAppendLine(kLogFile, line); }
