// The set-up file: plain lines of tab-separated fields, so that any name, path or
// printer without a tab or a line break survives unchanged.
//
//   next<TAB><number>                                  the next device number to give out
//   setup<TAB><name><TAB><device ID><TAB><source><TAB><printer>
//
// Lines of other kinds (comments, later additions) are skipped on reading.
#include "copier/common/CopierSetup.h"

#include <windows.h>
#include <shlobj.h>
#include <stdlib.h>
#include <string.h>

const char kCopierManufacturer[] = "QV";
const char kCopierProduct[] = "Copier";

namespace {
const char kDevicePrefix[] = "copier-";
const char kHeader[] = "# QV copier set-ups: setup<TAB>name<TAB>device ID<TAB>source<TAB>printer\r\n";

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

// The number of "copier-<n>", or 0 for any other device ID.
unsigned long DeviceNumber(const std::string& deviceId)
{
    size_t prefix = sizeof(kDevicePrefix) - 1;
    if (deviceId.compare(0, prefix, kDevicePrefix) != 0 || deviceId.size() == prefix)
        return 0;
    char* end = NULL;
    unsigned long n = strtoul(deviceId.c_str() + prefix, &end, 10);
    return *end == '\0' ? n : 0;
}

bool ReadWholeFile(const std::string& path, std::string& text, std::string& error)
{
    text.clear();
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        DWORD err = GetLastError();
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND)
            return true;
        error = "cannot read " + path + " (error " + std::to_string(err) + ")";
        return false;
    }
    char buf[4096];
    DWORD n = 0;
    bool ok = true;
    while ((ok = ReadFile(hFile, buf, sizeof(buf), &n, NULL) != FALSE) && n > 0)
        text.append(buf, n);
    CloseHandle(hFile);
    if (!ok)
        error = "cannot read " + path;
    return ok;
}

// The set-ups and the next device number of the file's text.
void ParseSetups(const std::string& text, std::vector<CopierSetup>& setups, unsigned long& next)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t eol = text.find('\n', start);
        std::string line = text.substr(start, eol == std::string::npos ? std::string::npos : eol - start);
        start = eol == std::string::npos ? text.size() : eol + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> fields = SplitTabs(line);
        if (fields[0] == "next" && fields.size() == 2)
            next = strtoul(fields[1].c_str(), NULL, 10);
        else if (fields[0] == "setup" && fields.size() == 5)
            setups.push_back(CopierSetup{fields[1], fields[2], fields[3], fields[4]});
    }
}

bool ReadSetupFile(std::vector<CopierSetup>& setups, unsigned long& next, std::string& error)
{
    std::string text;
    if (!ReadWholeFile(CopierSetupsPath(), text, error))
        return false;
    setups.clear();
    next = 1;
    ParseSetups(text, setups, next);
    return true;
}

unsigned long NextNumber(const std::vector<CopierSetup>& setups, unsigned long fileNext)
{
    unsigned long next = fileNext < 1 ? 1 : fileNext;
    for (const CopierSetup& setup : setups)
        if (DeviceNumber(setup.deviceId) >= next)
            next = DeviceNumber(setup.deviceId) + 1;
    return next;
}

void CreateFolderOf(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos && slash > 0)
        SHCreateDirectoryExA(NULL, path.substr(0, slash).c_str(), NULL);
}

// Written beside the old file and moved over it, so a failed write loses nothing.
bool WriteWholeFile(const std::string& path, const std::string& text, std::string& error)
{
    CreateFolderOf(path);
    std::string temp = path + ".new";
    HANDLE hFile = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        error = "cannot write " + temp + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(hFile, text.data(), (DWORD)text.size(), &written, NULL) && written == text.size();
    CloseHandle(hFile);
    if (ok && MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temp.c_str());
    error = "cannot write " + path;
    return false;
}

// The fields of "#a#b#c": runs of "#" separate, leading and trailing ones are ignored.
std::vector<std::string> ContextFields(const std::string& contextId)
{
    std::vector<std::string> fields;
    size_t pos = 0;
    while (pos < contextId.size()) {
        size_t start = contextId.find_first_not_of('#', pos);
        if (start == std::string::npos)
            break;
        size_t end = contextId.find('#', start);
        fields.push_back(contextId.substr(start, end == std::string::npos ? std::string::npos : end - start));
        pos = end == std::string::npos ? contextId.size() : end;
    }
    return fields;
}
}  // namespace

std::string CopierContextID(const CopierSetup& setup)
{
    return std::string("#") + kCopierManufacturer + "#" + kCopierProduct + "#" + setup.deviceId;
}

std::string CopierSetupsPath()
{
    char szPath[MAX_PATH] = "";
    DWORD n = GetEnvironmentVariableA("QVCOPIER_SETUPS", szPath, sizeof(szPath));
    if (n > 0 && n < sizeof(szPath))
        return szPath;
    if (!SHGetSpecialFolderPathA(NULL, szPath, CSIDL_APPDATA, FALSE))
        lstrcpynA(szPath, ".", sizeof(szPath));
    return std::string(szPath) + "\\QV\\Copier\\setups.txt";
}

std::string NewCopierDeviceId(const std::vector<CopierSetup>& setups)
{
    std::vector<CopierSetup> inFile;
    unsigned long fileNext = 1;
    std::string error;
    ReadSetupFile(inFile, fileNext, error);
    return kDevicePrefix + std::to_string(NextNumber(setups, NextNumber(inFile, fileNext)));
}

bool LoadCopierSetups(std::vector<CopierSetup>& setups, std::string& error)
{
    unsigned long next = 1;
    return ReadSetupFile(setups, next, error);
}

bool SaveCopierSetups(const std::vector<CopierSetup>& setups, std::string& error)
{
    std::vector<CopierSetup> inFile;
    unsigned long fileNext = 1;
    if (!ReadSetupFile(inFile, fileNext, error))
        return false;
    std::string text = kHeader;
    text += "next\t" + std::to_string(NextNumber(setups, NextNumber(inFile, fileNext))) + "\r\n";
    for (const CopierSetup& s : setups)
        text += "setup\t" + s.name + "\t" + s.deviceId + "\t" + s.source + "\t" + s.printer + "\r\n";
    return WriteWholeFile(CopierSetupsPath(), text, error);
}

bool FindCopierSetup(const std::string& contextId, CopierSetup& setup)
{
    std::vector<std::string> fields = ContextFields(contextId);
    if (fields.size() < 3 || fields[0] != kCopierManufacturer || fields[1] != kCopierProduct)
        return false;
    std::vector<CopierSetup> setups;
    std::string error;
    if (!LoadCopierSetups(setups, error))
        return false;
    for (const CopierSetup& candidate : setups)
        if (candidate.deviceId == fields[2]) {
            setup = candidate;
            return true;
        }
    return false;
}
