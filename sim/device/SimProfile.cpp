// Device profile: "device-<deviceID>.ini" in the simulator's folder.
//
// INI text; section and key names are not case-sensitive; lines starting with
// ';' or '#' are comments (a comment cannot follow a value on the same line).
// Numbers are decimal (may be negative) or hexadecimal with 0x. A key the file
// does not give keeps the built-in default (kDefaultProfile below).
//
// [Device]
//   ADFPresent=0|1           the device has a document feeder (capability bADFPresent)
//   FeederOnly=0|1           copies only from the feeder: adds bit 10 (0x400) to the mask
//   OriginalInFeeder=0|1     feeder state when bound; a later change in the file is taken
//                            at the next call, as are "placed"/"removed" from qvsimctl
//   BorderlessCapable=0|1    answers 2 (can print borderless) or 1 in nBorderlessSupport
//   LowerTray=0|1, RearTray=0|1
//   ConstraintMask=n         bits 0..15 select the dialog's rules AA..AP
//   SupportedSettings=f0,...,f20   21 flags, 1 = setting supported
//   BusyTime=ms              a submitted job keeps the device busy this long
// [Limits]    MinCopies, MaxCopies, ScaleLow, ScaleHigh, AllowedQualities, Collation
// [Defaults]  Copies, Brightness, Quality, PaperSize, DefaultPaperSize, PaperType,
//             ReduceEnlarge, SpecialFeatureMode, PhotoSize, PhotoSizeIndex, PosterWidth,
//             TextMode, EnhanceLightColor
// [MediaTypes]  TypeN=ID,borderless,name   N = slot 0..19
// [MediaSizes]  SizeN=ID,borderless,name   N = slot 0..49
//   A file that has one of these sections replaces the whole default list.
// [Failures]  InitProtocol, GetCapabilities, GetDocInADF, SubmitCopy = the HRESULT
//             the call returns (0 = succeed), e.g. SubmitCopy=0x8004F9E6
//             (ink cartridge empty) or 0x80004005 (device lost).
#include "sim/device/SimProfile.h"

#include <shlobj.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kDefaultProfile[] = "[Device]\n"
                               "ADFPresent=1\n"
                               "FeederOnly=0\n"
                               "OriginalInFeeder=0\n"
                               "BorderlessCapable=1\n"
                               "LowerTray=0\n"
                               "RearTray=1\n"
                               // rules AB, AE, AF (the dialog's own 50), AG, AI, AL, AO
                               "ConstraintMask=0x4972\n"
                               "SupportedSettings=1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,0,1,1,1,1,0\n"
                               "BusyTime=3000\n"
                               "[Limits]\n"
                               "MinCopies=1\n"
                               "MaxCopies=99\n"
                               "ScaleLow=25\n"
                               "ScaleHigh=400\n"
                               "AllowedQualities=7\n"
                               "Collation=0\n"
                               "[Defaults]\n"
                               "Copies=1\n"
                               "Brightness=50\n"
                               "Quality=2\n"
                               "PaperSize=2\n"
                               "DefaultPaperSize=2\n"
                               "PaperType=1\n"
                               "ReduceEnlarge=100\n"
                               "SpecialFeatureMode=1\n"
                               "PhotoSize=0\n"
                               "PhotoSizeIndex=0\n"
                               "PosterWidth=2\n"
                               "TextMode=1\n"
                               "EnhanceLightColor=0\n"
                               "[MediaTypes]\n"
                               "Type0=1,0,Plain Paper\n"
                               "Type1=5,0,Premium Inkjet Paper\n"
                               "Type2=7,0,Brochure Paper\n"
                               "Type3=3,1,Premium Photo Paper, Glossy\n"
                               "Type4=10,1,Photo Paper, Matte\n"
                               "Type5=11,1,Everyday Photo Paper\n"
                               "Type6=12,1,Advanced Photo Paper\n"
                               "Type7=15,0,Transparency Film\n"
                               "[MediaSizes]\n"
                               "Size0=2,0,Letter (8.5 x 11 in.)\n"
                               "Size1=3,0,Legal (8.5 x 14 in.)\n"
                               "Size2=9,0,A4 (210 x 297 mm)\n"
                               "Size3=11,0,A5 (148 x 210 mm)\n"
                               "Size4=12,0,A6 (105 x 148 mm)\n"
                               "Size5=76,1,Photo (4 x 6 in.)\n"
                               "Size6=118,1,Photo (5 x 7 in.)\n"
                               "Size7=121,1,Photo (10 x 15 cm)\n"
                               "Size8=71,1,Panorama (4 x 10 in.)\n"
                               "[Failures]\n"
                               "InitProtocol=0\n"
                               "GetCapabilities=0\n"
                               "GetDocInADF=0\n"
                               "SubmitCopy=0\n";

struct IntKey
{
    const char* section;
    const char* key;
    int SimProfile::*field;
};

const IntKey kIntKeys[] = {
    {"Device", "ADFPresent", &SimProfile::nADFPresent},
    {"Device", "FeederOnly", &SimProfile::nFeederOnly},
    {"Device", "OriginalInFeeder", &SimProfile::nOriginalInFeeder},
    {"Device", "BorderlessCapable", &SimProfile::nBorderlessCapable},
    {"Device", "LowerTray", &SimProfile::nLowerTray},
    {"Device", "RearTray", &SimProfile::nRearTray},
    {"Device", "ConstraintMask", &SimProfile::nConstraintMask},
    {"Device", "BusyTime", &SimProfile::nBusyTimeMs},
    {"Limits", "MinCopies", &SimProfile::nMinCopies},
    {"Limits", "MaxCopies", &SimProfile::nMaxCopies},
    {"Limits", "ScaleLow", &SimProfile::nScaleLow},
    {"Limits", "ScaleHigh", &SimProfile::nScaleHigh},
    {"Limits", "AllowedQualities", &SimProfile::nAllowedQualities},
    {"Limits", "Collation", &SimProfile::nCollation},
    {"Defaults", "Copies", &SimProfile::nCopies},
    {"Defaults", "Brightness", &SimProfile::nBrightness},
    {"Defaults", "Quality", &SimProfile::nQuality},
    {"Defaults", "PaperSize", &SimProfile::nPaperSize},
    {"Defaults", "DefaultPaperSize", &SimProfile::nDefaultPaperSize},
    {"Defaults", "PaperType", &SimProfile::nPaperType},
    {"Defaults", "ReduceEnlarge", &SimProfile::nReduceEnlarge},
    {"Defaults", "SpecialFeatureMode", &SimProfile::nSpecialFeatureMode},
    {"Defaults", "PhotoSize", &SimProfile::nPhotoSize},
    {"Defaults", "PhotoSizeIndex", &SimProfile::nPhotoSizeIndex},
    {"Defaults", "PosterWidth", &SimProfile::nPosterWidth},
    {"Defaults", "TextMode", &SimProfile::nTextMode},
    {"Defaults", "EnhanceLightColor", &SimProfile::nEnhanceLightColor},
    {"Failures", "InitProtocol", &SimProfile::hrInitProtocol},
    {"Failures", "GetCapabilities", &SimProfile::hrGetCapabilities},
    {"Failures", "GetDocInADF", &SimProfile::hrGetDocInADF},
    {"Failures", "SubmitCopy", &SimProfile::hrSubmitCopy},
};

char* Trim(char* s)
{
    while (*s == ' ' || *s == '\t')
        ++s;
    size_t n = strlen(s);
    while (n > 0 && (s[n - 1] == ' ' || s[n - 1] == '\t' || s[n - 1] == '\r'))
        s[--n] = '\0';
    return s;
}

// Reads one number at s; HRESULTs are written in hex, so 0x values may use all 32 bits.
bool ParseNumber(const char* s, int& value, const char** end)
{
    while (*s == ' ' || *s == '\t')
        ++s;
    char* stop = nullptr;
    long long v;
    if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        v = static_cast<long long>(strtoull(s + 2, &stop, 16));
        if (stop == s + 2 || v > 0xFFFFFFFFLL)
            return false;
    } else {
        v = strtoll(s, &stop, 10);
        if (stop == s || v < INT32_MIN || v > INT32_MAX)
            return false;
    }
    value = static_cast<int>(static_cast<uint32_t>(v));
    while (*stop == ' ' || *stop == '\t')
        ++stop;
    *end = stop;
    return true;
}

bool ParseWholeNumber(const char* s, int& value)
{
    const char* end = nullptr;
    int v = 0;
    if (!ParseNumber(s, v, &end) || *end != '\0')
        return false;
    value = v;
    return true;
}

bool ParseFlagList(const char* s, int (&flags)[COPIER_SETTING_FLAGS])
{
    int parsed[COPIER_SETTING_FLAGS] = {};
    for (int i = 0; i < COPIER_SETTING_FLAGS; ++i) {
        const char* end = nullptr;
        if (!ParseNumber(s, parsed[i], &end))
            return false;
        bool last = (i == COPIER_SETTING_FLAGS - 1);
        if (last ? *end != '\0' : *end != ',')
            return false;
        s = end + 1;
    }
    memcpy(flags, parsed, sizeof(flags));
    return true;
}

// "ID,borderless,name"; the name may itself hold commas.
bool ParseMedia(const char* s, SimMedia& media)
{
    SimMedia parsed = {};
    const char* end = nullptr;
    if (!ParseNumber(s, parsed.nID, &end) || *end != ',')
        return false;
    if (!ParseNumber(end + 1, parsed.bBorderless, &end) || *end != ',')
        return false;
    lstrcpynA(parsed.szName, end + 1, sizeof(parsed.szName));
    char* name = Trim(parsed.szName);
    if (*name == '\0')
        return false;
    memmove(parsed.szName, name, strlen(name) + 1);
    media = parsed;
    return true;
}

// "Type7" in [MediaTypes] → slot 7.
bool ParseSlot(const char* key, const char* prefix, int slots, int& slot)
{
    size_t n = strlen(prefix);
    if (_strnicmp(key, prefix, n) != 0)
        return false;
    int v = -1;
    if (!ParseWholeNumber(key + n, v) || v < 0 || v >= slots)
        return false;
    slot = v;
    return true;
}

bool ApplyKey(const char* section, const char* key, const char* value, SimProfile& profile)
{
    if (_stricmp(section, "MediaTypes") == 0) {
        int slot = -1;
        return ParseSlot(key, "Type", COPIER_MAX_MEDIA_TYPES, slot) && ParseMedia(value, profile.types[slot]);
    }
    if (_stricmp(section, "MediaSizes") == 0) {
        int slot = -1;
        return ParseSlot(key, "Size", COPIER_MAX_MEDIA_SIZES, slot) && ParseMedia(value, profile.sizes[slot]);
    }
    if (_stricmp(section, "Device") == 0 && _stricmp(key, "SupportedSettings") == 0)
        return ParseFlagList(value, profile.nSupported);
    for (const IntKey& k : kIntKeys)
        if (_stricmp(section, k.section) == 0 && _stricmp(key, k.key) == 0)
            return ParseWholeNumber(value, profile.*k.field);
    return false;
}

void NoteProblem(int lineNo, const char* line, int& problems, char* problem, size_t cap)
{
    if (problems++ == 0 && problem && cap > 0)
        snprintf(problem, cap, "line %d not understood: %.80s", lineNo, line);
}

}  // namespace

int SimProfileParse(const char* text, SimProfile& profile, char* problem, size_t problemCap)
{
    if (problem && problemCap > 0)
        problem[0] = '\0';
    int problems = 0;
    int lineNo = 0;
    char section[64] = "";
    const char* p = text ? text : "";
    while (*p) {
        const char* eol = strchr(p, '\n');
        size_t len = eol ? static_cast<size_t>(eol - p) : strlen(p);
        char buf[600];
        lstrcpynA(buf, p, static_cast<int>(len + 1 < sizeof(buf) ? len + 1 : sizeof(buf)));
        p += len + (eol ? 1 : 0);
        ++lineNo;

        char* line = Trim(buf);
        if (*line == '\0' || *line == ';' || *line == '#')
            continue;
        if (*line == '[') {
            char* close = strchr(line, ']');
            if (!close) {
                NoteProblem(lineNo, line, problems, problem, problemCap);
                section[0] = '\0';
                continue;
            }
            *close = '\0';
            lstrcpynA(section, Trim(line + 1), sizeof(section));
            if (_stricmp(section, "MediaTypes") == 0)
                memset(profile.types, 0, sizeof(profile.types));
            else if (_stricmp(section, "MediaSizes") == 0)
                memset(profile.sizes, 0, sizeof(profile.sizes));
            continue;
        }
        char* eq = strchr(line, '=');
        if (!eq) {
            NoteProblem(lineNo, line, problems, problem, problemCap);
            continue;
        }
        *eq = '\0';
        if (!ApplyKey(section, Trim(line), Trim(eq + 1), profile)) {
            *eq = '=';
            NoteProblem(lineNo, line, problems, problem, problemCap);
        }
    }
    return problems;
}

void SimProfileSetDefault(SimProfile& profile)
{
    // Parsed once; every reload starts from a copy.
    static const SimProfile s_default = [] {
        SimProfile parsed;
        memset(&parsed, 0, sizeof(parsed));
        SimProfileParse(kDefaultProfile, parsed, nullptr, 0);
        return parsed;
    }();
    profile = s_default;
}

void SimFolder(char* folder, size_t cap)
{
    DWORD n = GetEnvironmentVariableA("QVSIM_DIR", folder, static_cast<DWORD>(cap));
    if (n > 0 && n < cap)
        return;
    // The all-users folder does not move while the process runs, and the shell is slow to
    // name it: %ProgramData% names it at no cost, the shell only when that is unset.
    struct CommonFolder
    {
        char path[MAX_PATH] = "";
        CommonFolder()
        {
            DWORD n = GetEnvironmentVariableA("ProgramData", path, sizeof(path));
            if (n > 0 && n < sizeof(path))
                return;
            if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_COMMON_APPDATA, FALSE))
                lstrcpynA(path, "C:\\ProgramData", sizeof(path));
        }
    };
    static const CommonFolder s_common;
    snprintf(folder, cap, "%s\\QVSim", s_common.path);
}

SimFileStamp SimFileStampOf(const char* path)
{
    SimFileStamp stamp = {};
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path, GetFileExInfoStandard, &data)) {
        stamp.bExists = true;
        stamp.nSize = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        stamp.nWritten = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                         data.ftLastWriteTime.dwLowDateTime;
    }
    return stamp;
}

void SimDeviceFilePath(const char* prefix, const char* deviceID, const char* suffix, char* path, size_t cap)
{
    char name[MAX_PATH];
    lstrcpynA(name, deviceID ? deviceID : "", sizeof(name));
    for (char* c = name; *c; ++c)
        if (strchr("\\/:*?\"<>|", *c) || static_cast<unsigned char>(*c) < 32)
            *c = '_';
    char folder[MAX_PATH];
    SimFolder(folder, sizeof(folder));
    snprintf(path, cap, "%s\\%s%s%s", folder, prefix, name, suffix);
}

int SimProfileLoad(const char* deviceID, SimProfile& profile, char* path, size_t pathCap, char* problem,
                   size_t problemCap)
{
    SimProfileSetDefault(profile);
    if (problem && problemCap > 0)
        problem[0] = '\0';
    SimDeviceFilePath("device-", deviceID, ".ini", path, pathCap);

    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    const DWORD kMaxProfile = 256 * 1024;
    DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE || size > kMaxProfile) {
        CloseHandle(file);
        if (problem && problemCap > 0)
            snprintf(problem, problemCap, "profile too large or unreadable, built-in default used");
        return 0;
    }
    char* text = static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size + 1));
    DWORD got = 0;
    bool ok = text && ReadFile(file, text, size, &got, nullptr);
    CloseHandle(file);
    if (ok) {
        text[got] = '\0';
        SimProfileParse(text, profile, problem, problemCap);
    }
    if (text)
        HeapFree(GetProcessHeap(), 0, text);
    return ok ? 1 : 0;
}

void SimProfileFillCapabilities(const SimProfile& profile, CopierFunctional& caps)
{
    for (int i = 0; i < COPIER_MAX_MEDIA_TYPES; ++i) {
        caps.nMediaTypeID[i] = profile.types[i].nID;
        lstrcpynA(caps.szMediaTypeName[i], profile.types[i].szName, COPIER_MEDIA_NAME_LEN);
        caps.bMediaTypeBorderless[i] = profile.types[i].bBorderless;
    }
    for (int i = 0; i < COPIER_MAX_MEDIA_SIZES; ++i) {
        caps.nMediaSizeID[i] = profile.sizes[i].nID;
        lstrcpynA(caps.szMediaSizeName[i], profile.sizes[i].szName, COPIER_MEDIA_NAME_LEN);
        caps.bMediaSizeBorderless[i] = profile.sizes[i].bBorderless;
    }
    caps.nScaleRangeHigh = profile.nScaleHigh;
    caps.nScaleRangeLow = profile.nScaleLow;
    caps.nAllowedCopyQualities = profile.nAllowedQualities;
    caps.nNbrCopies = profile.nCopies;
    caps.nBrightness = profile.nBrightness;
    caps.nSpecialFeatureMode = profile.nSpecialFeatureMode;
    caps.nMaxCopies = profile.nMaxCopies;
    caps.nMinCopies = profile.nMinCopies;
    caps.bEnhanceLightClr = profile.nEnhanceLightColor;
    caps.bTextMode = profile.nTextMode;
    caps.bADFPresent = profile.nADFPresent;
    caps.bCollationSupported = profile.nCollation;
    caps.bLowerInputTrayPresent = profile.nLowerTray;
    caps.bRearInputTrayPresent = profile.nRearTray;
    caps.nConstraintMask = (profile.nConstraintMask & 0xFFFF) | (profile.nFeederOnly ? 0x400 : 0);
    caps.nDefaultMediaSize = profile.nDefaultPaperSize;
    caps.nPaperSize = profile.nPaperSize;
    caps.nPaperType = profile.nPaperType;
    caps.nQuality = profile.nQuality;
    caps.nPhotoSize = profile.nPhotoSize;
    caps.nPhotoSizeIndex = profile.nPhotoSizeIndex;
    caps.nReduceEnlarge = profile.nReduceEnlarge;
    caps.nPosterWidth = profile.nPosterWidth;
    caps.nBorderlessSupport = profile.nBorderlessCapable ? 2 : 1;
    for (int i = 0; i < COPIER_SETTING_FLAGS; ++i)
        caps.bSettingSupported[i] = profile.nSupported[i];
}
