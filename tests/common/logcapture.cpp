#include "log/RKLog.h"
#include "testlib.h"

#include <shlobj.h>

namespace qvtest {

std::string ShellFolder(int nFolder)
{
    char szPath[MAX_PATH] = "";
    SHGetSpecialFolderPathA(NULL, szPath, nFolder, FALSE);
    return szPath;
}

std::string LogConfigPath() { return ShellFolder(CSIDL_COMMON_APPDATA) + "\\QV\\RKLogConfig.ini"; }

void WriteFullLogConfig()
{
    CreateDirectoryA((ShellFolder(CSIDL_COMMON_APPDATA) + "\\QV").c_str(), NULL);
    WriteBytes(LogConfigPath(), "[Signature]\r\nPROJECT=Replika\r\nMANUFACTURER=QV\r\n[Modules]\r\nUI=15\r\n"
                                "[LogFileSize]\r\nFILESIZE=200000000\r\n");
}

LogCapture::LogCapture(const char* pszPrefix) : m_path(ShellFolder(CSIDL_APPDATA) + "\\" + pszPrefix + "_UI.log")
{
    // The logger reads its configuration once, when made.
    {
        SavedFile config(LogConfigPath());
        WriteFullLogConfig();
        DeleteFileA(m_path.c_str());
        m_pLog = new CRKLog("UI", pszPrefix);
    }
    g_pLog = m_pLog;
}

LogCapture::~LogCapture()
{
    g_pLog = nullptr;
    delete m_pLog;
    DeleteFileA(m_path.c_str());
}

bool LogCapture::Contains(const std::string& text) const
{
    std::string log = ReadBytes(m_path);
    return m_nMark < log.size() && log.find(text, m_nMark) != std::string::npos;
}

}  // namespace qvtest
