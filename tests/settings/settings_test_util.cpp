#include "settings_test_util.h"

#include "log/RKLog.h"
#include "settings/RKXML.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>

// The copy dialog forms these at start; the tests set them per case.
char g_szSettingsFolder[MAX_PATH];
char g_szDefaultFileName[MAX_PATH];
char g_szFactoryFileName[MAX_PATH];

namespace settings_test
{

std::vector<std::string> g_errorDumps;
const char kChildFile[] = "QV_SETTINGS_CHILD_FILE";

std::string ReadBytes(const std::string& path)
{
    std::string bytes;
    FILE* pFile = fopen(path.c_str(), "rb");
    if (!pFile)
        return bytes;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        bytes.append(buffer, n);
    fclose(pFile);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    FILE* pFile = fopen(path.c_str(), "wb");
    ASSERT_NE(pFile, nullptr) << path;
    fwrite(bytes.data(), 1, bytes.size(), pFile);
    fclose(pFile);
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string DefaultDocument()
{
    HRSRC hInfo = FindResourceA(NULL, MAKEINTRESOURCEA(152), "XML");
    if (!hInfo)
        return std::string();
    HGLOBAL hData = LoadResource(NULL, hInfo);
    const char* pBytes = static_cast<const char*>(LockResource(hData));
    return pBytes ? std::string(pBytes, SizeofResource(NULL, hInfo)) : std::string();
}

std::string DefaultDocumentWith(const std::string& from, const std::string& to)
{
    std::string document = DefaultDocument();
    size_t at = document.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        document.replace(at, from.size(), to);
    return document;
}

std::string ElementLine(const char* pszName, const std::string& value)
{
    return std::string("  <") + pszName + ">" + value + "</" + pszName + ">\r\n";
}

ScratchFolder::ScratchFolder()
{
    static int s_nCount = 0;
    char szTemp[MAX_PATH];
    GetTempPathA(sizeof(szTemp), szTemp);
    char szName[MAX_PATH];
    snprintf(szName, sizeof(szName), "%sqvsettings_%lu_%d", szTemp, GetCurrentProcessId(), ++s_nCount);
    m_path = szName;
    CreateDirectoryA(m_path.c_str(), NULL);
}

std::vector<std::string> ScratchFolder::Files() const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((m_path + "\\*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(data.cFileName);
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    return names;
}

ScratchFolder::~ScratchFolder()
{
    for (const std::string& name : Files())
    {
        SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(Path(name).c_str());
    }
    RemoveDirectoryA(m_path.c_str());
}

namespace
{
const char kLogPrefix[] = "qvsettingstest";

std::string LogFilePath()
{
    char szFolder[MAX_PATH];
    SHGetSpecialFolderPathA(NULL, szFolder, CSIDL_APPDATA, FALSE);
    return std::string(szFolder) + "\\" + kLogPrefix + "_UI.log";
}

void CaptureErrorDump(const char* pszText)
{
    g_errorDumps.push_back(pszText);
}

// A logger writing every level into a file of its own. Its configuration is
// read once, when it is made, so the shared configuration file is put back
// at once and other test programs never see the change.
class SettingsTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
        replika::CRKXML::SetErrorDumpHandler(CaptureErrorDump);
        if (GetEnvironmentVariableA(kChildFile, NULL, 0) > 0)
            return;   // a saving child logs nothing

        char szCommon[MAX_PATH];
        SHGetSpecialFolderPathA(NULL, szCommon, CSIDL_COMMON_APPDATA, FALSE);
        std::string folder = std::string(szCommon) + "\\QV";
        CreateDirectoryA(folder.c_str(), NULL);
        std::string config = folder + "\\RKLogConfig.ini";
        bool bHadConfig = FileExists(config);
        std::string saved = ReadBytes(config);

        WriteBytes(config, "[Signature]\r\nPROJECT=Replika\r\n[Modules]\r\nUI=15\r\n"
                           "[LogFileSize]\r\nFILESIZE=200000000\r\n");
        DeleteFileA(LogFilePath().c_str());
        m_pLog = new CRKLog("UI", kLogPrefix);
        g_pLog = m_pLog;

        if (bHadConfig)
            WriteBytes(config, saved);
        else
            DeleteFileA(config.c_str());
    }

    void TearDown() override
    {
        g_pLog = nullptr;
        delete m_pLog;
        m_pLog = nullptr;
        DeleteFileA(LogFilePath().c_str());
        CoUninitialize();
    }

private:
    CRKLog* m_pLog = nullptr;
};

::testing::Environment* const s_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new SettingsTestEnvironment);
} // namespace

LogWatch::LogWatch() : m_nStart(ReadBytes(LogFilePath()).size())
{
}

std::string LogWatch::Text() const
{
    std::string text = ReadBytes(LogFilePath());
    return m_nStart < text.size() ? text.substr(m_nStart) : std::string();
}

} // namespace settings_test
