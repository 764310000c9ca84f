// Files, folders and scope objects that put the environment back.
#include "testlib.h"

#include <stdio.h>

namespace qvtest {

std::string BinFolder()
{
    char szPath[MAX_PATH] = "";
    std::string path(szPath, GetModuleFileNameA(NULL, szPath, sizeof(szPath)));
    return path.substr(0, path.find_last_of('\\'));
}

std::string ReadBytes(const std::string& path)
{
    std::string bytes;
    if (FILE* pFile = fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof(buffer), pFile)) > 0;)
            bytes.append(buffer, n);
        fclose(pFile);
    }
    return bytes;
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    FILE* pFile = fopen(path.c_str(), "wb");
    bool bOk = pFile && fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
    if (pFile)
        bOk = fclose(pFile) == 0 && bOk;
    EXPECT_TRUE(bOk) << path;
    WritePrivateProfileStringA(NULL, NULL, NULL, path.c_str());  // profile readers see the new bytes
    return bOk;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string ResourceBytes(HMODULE hModule, int id, const char* pszType)
{
    HRSRC hInfo = FindResourceA(hModule, MAKEINTRESOURCEA(id), pszType);
    const char* pBytes = hInfo ? static_cast<const char*>(LockResource(LoadResource(hModule, hInfo))) : NULL;
    return pBytes ? std::string(pBytes, SizeofResource(hModule, hInfo)) : std::string();
}

std::string ResString(UINT nID)
{
    char sz[512] = "";
    LoadStringA(GetModuleHandleA(NULL), nID, sz, sizeof(sz));
    return sz;
}

namespace {
void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((folder + "\\*").c_str(), &data);
    for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = FindNextFileA(hFind, &data)) {
        std::string path = folder + "\\" + data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        } else if (lstrcmpA(data.cFileName, ".") && lstrcmpA(data.cFileName, "..")) {
            RemoveTree(path);
        }
    }
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
    RemoveDirectoryA(folder.c_str());
}
}  // namespace

TempFolder::TempFolder(const char* pszTag)
{
    static LONG s_nSerial = 0;
    char szTemp[MAX_PATH] = "";
    GetTempPathA(sizeof(szTemp), szTemp);
    m_path = std::string(szTemp) + pszTag + "_" + std::to_string(GetCurrentProcessId()) + "_" +
             std::to_string(InterlockedIncrement(&s_nSerial));
    RemoveTree(m_path);  // a leftover of a killed run
    EXPECT_TRUE(CreateDirectoryA(m_path.c_str(), NULL)) << m_path;
}

TempFolder::~TempFolder() { RemoveTree(m_path); }

std::vector<std::string> TempFolder::Files() const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((m_path + "\\*").c_str(), &data);
    for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = FindNextFileA(hFind, &data))
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(data.cFileName);
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
    return names;
}

SavedFile::SavedFile(const std::string& path)
    : m_path(path), m_bytes(ReadBytes(path)), m_bExisted(GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
{}

SavedFile::~SavedFile()
{
    if (m_bExisted)
        WriteBytes(m_path, m_bytes);
    else
        DeleteFileA(m_path.c_str());
    WritePrivateProfileStringA(NULL, NULL, NULL, m_path.c_str());
}

EnvVar::EnvVar(const char* pszName, const char* pszValue) : m_name(pszName)
{
    DWORD n = GetEnvironmentVariableA(pszName, NULL, 0);
    m_bHadOld = n > 0;
    if (m_bHadOld) {
        m_old.resize(n);
        m_old.resize(GetEnvironmentVariableA(pszName, &m_old[0], n));
    }
    SetEnvironmentVariableA(pszName, pszValue);
}

EnvVar::~EnvVar() { SetEnvironmentVariableA(m_name.c_str(), m_bHadOld ? m_old.c_str() : NULL); }

ClassObjectScope::ClassObjectScope(REFCLSID clsid, IUnknown* pFactory)
{
    if (FAILED(CoRegisterClassObject(clsid, pFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_dwCookie)))
        m_dwCookie = 0;
}

ClassObjectScope::~ClassObjectScope()
{
    if (m_dwCookie)
        CoRevokeClassObject(m_dwCookie);
}

void SimFolder::WriteIni(const char* pszFile, const std::string& section, const char* pszKey,
                         const char* pszValue) const
{
    EXPECT_TRUE(WritePrivateProfileStringA(section.c_str(), pszKey, pszValue, File(pszFile).c_str())) << pszFile;
}

std::string SimFolder::WaitForLaunchLog() const
{
    for (DWORD waited = 0; waited < kHangGuardMs && LaunchLog().find("\r\n") == std::string::npos; waited += 20)
        Sleep(20);
    return LaunchLog();
}

}  // namespace qvtest
