#include "settings_test_util.h"

#include "log/RKLog.h"
#include "settings/RKXML.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include <fstream>
#include <iterator>

namespace settings_test {

std::vector<std::string> g_errorDumps;
const char kChildMarker[] = "QV_SETTINGS_CHILD";

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    EXPECT_TRUE(out.write(bytes.data(), bytes.size())) << path;
}

std::string DefaultDocument()
{
    HRSRC hInfo = FindResourceA(NULL, MAKEINTRESOURCEA(152), "XML");
    const char* pBytes = hInfo ? static_cast<const char*>(LockResource(LoadResource(NULL, hInfo))) : NULL;
    return pBytes ? std::string(pBytes, SizeofResource(NULL, hInfo)) : std::string();
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string ElementLine(const char* pszName, const std::string& value)
{
    return std::string("  <") + pszName + ">" + value + "</" + pszName + ">\r\n";
}

std::string Utf16(const std::string& latin1)
{
    std::string bytes("\xff\xfe", 2);
    for (char ch : latin1)
        bytes += std::string(1, ch) + '\0';
    return bytes;
}

ScratchFolder::ScratchFolder()
{
    static int s_nCount = 0;
    char szTemp[MAX_PATH];
    GetTempPathA(sizeof(szTemp), szTemp);
    m_path =
        std::string(szTemp) + "qvsettings_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++s_nCount);
    CreateDirectoryA(m_path.c_str(), NULL);
}

ScratchFolder::~ScratchFolder()
{
    for (const std::string& name : Files()) {
        SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(Path(name).c_str());
    }
    RemoveDirectoryA(m_path.c_str());
}

std::vector<std::string> ScratchFolder::Files() const
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

namespace {
std::string LogFilePath()
{
    char szFolder[MAX_PATH];
    SHGetSpecialFolderPathA(NULL, szFolder, CSIDL_APPDATA, FALSE);
    return std::string(szFolder) + "\\qvsettingstest_UI.log";
}

// A logger writing every level into a file of its own. It reads its
// configuration once, when made, so the shared configuration file is put
// back at once and other test programs never see the change.
class SettingsTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
        replika::CRKXML::SetErrorDumpHandler([](const char* pszText) { g_errorDumps.push_back(pszText); });
        if (GetEnvironmentVariableA(kChildMarker, NULL, 0) > 0)
            return;

        char szCommon[MAX_PATH];
        SHGetSpecialFolderPathA(NULL, szCommon, CSIDL_COMMON_APPDATA, FALSE);
        std::string folder = std::string(szCommon) + "\\QV", config = folder + "\\RKLogConfig.ini";
        CreateDirectoryA(folder.c_str(), NULL);
        bool bHadConfig = GetFileAttributesA(config.c_str()) != INVALID_FILE_ATTRIBUTES;
        std::string saved = ReadBytes(config);
        WriteBytes(config, "[Signature]\r\nPROJECT=Replika\r\n[Modules]\r\nUI=15\r\n"
                           "[LogFileSize]\r\nFILESIZE=200000000\r\n");
        DeleteFileA(LogFilePath().c_str());
        g_pLog = m_pLog = new CRKLog("UI", "qvsettingstest");
        if (bHadConfig)
            WriteBytes(config, saved);
        else
            DeleteFileA(config.c_str());
    }

    void TearDown() override
    {
        g_pLog = nullptr;
        delete m_pLog;
        DeleteFileA(LogFilePath().c_str());
        CoUninitialize();
    }

private:
    CRKLog* m_pLog = nullptr;
};

::testing::Environment* const s_pEnvironment = ::testing::AddGlobalTestEnvironment(new SettingsTestEnvironment);
}  // namespace

LogWatch::LogWatch() : m_nStart(ReadBytes(LogFilePath()).size()) {}

bool LogWatch::Contains(const std::string& text) const
{
    std::string log = ReadBytes(LogFilePath());
    return m_nStart < log.size() && log.find(text, m_nStart) != std::string::npos;
}

}  // namespace settings_test
