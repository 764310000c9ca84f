// The settings file of one device: CRKCopyState read from and written into an
// existing State document, element by element, through CRKXML.
#include "records/RKCopyState.h"

#include "log/RKLog.h"
#include "settings/FileReplace.h"
#include "settings/RKXML.h"
#include "settings/SaveLock.h"
#include "settings/SettingsFiles.h"
#include "settings/StateElements.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

using replika::CRKXML;
using namespace replika::state_file;

namespace {
const char kGetSettings[] = "CRKCopyState::GetSettings";
const char kSaveSettings[] = "CRKCopyState::SaveSettings";
const char kEnableXDLPath[] = "bEnableXDL/boolean";
// Numbers and booleans travel in buffers of 10: at most nine characters.
const size_t kNumberTextSize = 10;

// Only "false", in any case, is false.
int32_t ReadBoolean(const char* pszText) { return lstrcmpiA(pszText, "false") == 0 ? 0 : 1; }

const char* BooleanText(int32_t bValue) { return bValue ? "TRUE" : "FALSE"; }

// Exactly one matching element, or the setting is skipped.
bool SelectSingle(CRKXML& xml, const char* pszPath) { return xml.Select(pszPath) == 1; }

bool ReadSingle(CRKXML& xml, const char* pszPath, char* pszText, size_t cchText)
{
    return SelectSingle(xml, pszPath) && xml.GetCurrentNodeValue(pszText, cchText);
}

void ReadText(CRKXML& xml, const TextElement& element, CRKCopyState& state)
{
    char szText[STATE_TEXT_LEN];
    if (!ReadSingle(xml, element.pszName, szText, sizeof(szText)))
        return;
    lstrcpynA(state.*element.pField, szText, STATE_TEXT_LEN);
    g_pLog->LogDetailedTrace("%s:%s", element.pszLabel, szText);
}

// A number text longer than nine characters is refused rather than cut, so a
// damaged file never turns into a different value.
void ReadInteger(CRKXML& xml, const char* pszPath, int32_t& nField)
{
    char szText[STATE_TEXT_LEN];
    if (!ReadSingle(xml, pszPath, szText, sizeof(szText)))
        return;
    if (strlen(szText) >= kNumberTextSize) {
        g_pLog->LogError("%s: number too long, ignored", pszPath);
        return;
    }
    nField = static_cast<int32_t>(strtol(szText, NULL, 10));
    g_pLog->LogDetailedTrace("%s:%s", pszPath, szText);
}

void ReadBooleanElement(CRKXML& xml, const NumberElement& element, CRKCopyState& state)
{
    char szText[kNumberTextSize];
    if (!ReadSingle(xml, element.pszName, szText, sizeof(szText)))
        return;
    state.*element.pField = ReadBoolean(szText);
    g_pLog->LogDetailedTrace("%s:%s", element.pszName, szText);
}

void ReadEnableFlags(CRKXML& xml, CRKCopyState& state)
{
    int nEntries = xml.Select(kEnableXDLPath);
    for (int i = 0; i < nEntries && i < STATE_ENABLE_FLAGS; ++i) {
        if (!xml.SelectByIndex(i))
            break;
        char szText[kNumberTextSize];
        if (!xml.GetCurrentNodeValue(szText))
            break;
        state.pbEnableXDL[i] = ReadBoolean(szText);
        g_pLog->LogDetailedTrace("bEnableXDL:%s", szText);
    }
}

void WriteValue(CRKXML& xml, const char* pszLabel, const char* pszText)
{
    xml.UpdateValue(pszText);
    g_pLog->LogDetailedTrace("%s:%s", pszLabel, pszText);
}

void WriteInteger(CRKXML& xml, const char* pszPath, int32_t nValue)
{
    if (!SelectSingle(xml, pszPath))
        return;
    char szText[kNumberTextSize];
    int nLen = snprintf(szText, sizeof(szText), "%d", static_cast<int>(nValue));
    if (nLen < 0 || static_cast<size_t>(nLen) >= sizeof(szText)) {
        g_pLog->LogError("%s: %d does not fit the settings file, not written", pszPath, static_cast<int>(nValue));
        return;
    }
    WriteValue(xml, pszPath, szText);
}

void WriteStartLocation(CRKXML& xml, const CRKCopyState& state)
{
    WriteInteger(xml, "pStartLoc/X", static_cast<int32_t>(state.pStartLoc.x));
    WriteInteger(xml, "pStartLoc/Y", static_cast<int32_t>(state.pStartLoc.y));
}

void WriteEnableFlags(CRKXML& xml, const CRKCopyState& state)
{
    int nEntries = xml.Select(kEnableXDLPath);
    for (int i = 0; i < nEntries && i < STATE_ENABLE_FLAGS; ++i) {
        if (!xml.SelectByIndex(i))
            break;
        WriteValue(xml, "bEnableXDL", BooleanText(state.pbEnableXDL[i]));
    }
}

void WriteBoolean(CRKXML& xml, const NumberElement& element, const CRKCopyState& state)
{
    if (SelectSingle(xml, element.pszName))
        WriteValue(xml, element.pszName, BooleanText(state.*element.pField));
}

void WriteText(CRKXML& xml, const TextElement& element, const CRKCopyState& state)
{
    if (SelectSingle(xml, element.pszName))
        WriteValue(xml, element.pszLabel, state.*element.pField);
}

// The state takes the new text only when the file has its element.
void WriteNewText(CRKXML& xml, const TextElement& element, CRKCopyState& state, const char* pszText)
{
    if (!SelectSingle(xml, element.pszName))
        return;
    lstrcpynA(state.*element.pField, pszText, STATE_TEXT_LEN);
    WriteValue(xml, element.pszLabel, state.*element.pField);
}

// The file name stored is the bare default or factory name, whichever the
// saved path is: a path naming the default file is the default file.
void WriteFileName(CRKXML& xml, const char* pszPath, CRKCopyState& state)
{
    const char* pszName = strstr(pszPath, g_szDefaultFileName) ? g_szDefaultFileName : g_szFactoryFileName;
    WriteNewText(xml, kTexts[0], state, pszName);
}

void WriteDateTime(CRKXML& xml, CRKCopyState& state)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    char szNow[STATE_TEXT_LEN];
    FormatStateDateTime(st, szNow, sizeof(szNow));
    WriteNewText(xml, kTexts[1], state, szNow);
}

void WriteAllSettings(CRKXML& xml, const char* pszPath, CRKCopyState& state)
{
    WriteFileName(xml, pszPath, state);
    WriteDateTime(xml, state);
    WriteText(xml, kTexts[2], state);
    WriteText(xml, kTexts[3], state);
    WriteStartLocation(xml, state);
    for (const NumberElement& element : kBooleans)
        WriteBoolean(xml, element, state);
    for (const NumberElement& element : kIntegers)
        WriteInteger(xml, element.pszName, state.*element.pField);
    WriteEnableFlags(xml, state);
}

// Saving is all or nothing on disk (CRKXML::SaveFile replaces the file whole),
// so a save that waited 30 s in vain goes ahead without the lock: the worst
// case is the same as with it, the last save wins. Leftovers of killed saves
// are removed only under the lock, when no save of ours can be writing one:
// at the first save of the process and after a holder died.
bool SaveUnderSemaphore(CRKXML& xml, const char* pszPath)
{
    if (!CRKXML::GetSaveSemaphore()) {
        g_pLog->LogError("XML data save failure");
        return false;
    }
    replika::CSaveLock lock(30000);
    static bool s_bLookedForLeftovers = false;
    if (lock.Obtained() && (!s_bLookedForLeftovers || lock.TakenOverFromTheDead())) {
        replika::RemoveLeftoverTempFiles(pszPath);
        s_bLookedForLeftovers = true;
    }
    if (!lock.Obtained())
        g_pLog->LogError("Settings file semaphore not obtained, saving %s without it", pszPath);
    return xml.SaveFile() == 1;
}

bool LoadSettingsFile(CRKXML& xml, LPCSTR pszPath)
{
    if (xml.Load(pszPath, 0))
        return true;
    g_pLog->LogError("Failed to load %s", pszPath ? pszPath : "");
    return false;
}

// Loads the file, lets write change the document and saves it back.
template <typename Write>
int RewriteSettingsFile(LPCSTR pszPath, Write write)
{
    CRKTraceScope trace(kSaveSettings);
    CRKXML xml;
    if (!LoadSettingsFile(xml, pszPath))
        return 0;
    write(xml);
    SaveUnderSemaphore(xml, pszPath);
    xml.Unload();
    return 1;
}
}  // namespace

int CRKCopyState::GetSettings(LPCSTR pszPath)
{
    CRKTraceScope trace(kGetSettings);
    CRKXML xml;
    if (!LoadSettingsFile(xml, pszPath))
        return 0;
    for (const TextElement& element : kTexts)
        ReadText(xml, element, *this);
    int32_t nX = static_cast<int32_t>(pStartLoc.x);
    int32_t nY = static_cast<int32_t>(pStartLoc.y);
    ReadInteger(xml, "pStartLoc/X", nX);
    ReadInteger(xml, "pStartLoc/Y", nY);
    pStartLoc.x = nX;
    pStartLoc.y = nY;
    for (const NumberElement& element : kBooleans)
        ReadBooleanElement(xml, element, *this);
    for (const NumberElement& element : kIntegers)
        ReadInteger(xml, element.pszName, this->*element.pField);
    ReadEnableFlags(xml, *this);
    xml.Unload();
    return 1;
}

int CRKCopyState::SaveSettings(LPCSTR pszPath)
{
    return RewriteSettingsFile(pszPath, [&](CRKXML& xml) { WriteAllSettings(xml, pszPath, *this); });
}

int CRKCopyState::SaveStartLocation(LPCSTR pszPath)
{
    return RewriteSettingsFile(pszPath, [&](CRKXML& xml) { WriteStartLocation(xml, *this); });
}

bool replika::CreateSettingsFile(CRKCopyState& state, const char* pszPath, const std::string& document)
{
    CRKTraceScope trace(kSaveSettings);
    CRKXML xml;
    if (!xml.LoadDocument(document, pszPath))
        return false;
    WriteAllSettings(xml, pszPath, state);
    bool bSaved = SaveUnderSemaphore(xml, pszPath);
    xml.Unload();
    return bSaved;
}
