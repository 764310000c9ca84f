// Runs qvkcopy2.exe as a child process against the stand-ins, with a data folder of its own.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

const DWORD HANG_GUARD_MS = 20000;  // a healthy run takes a fraction of it

inline std::string BinFolder()
{
    char szPath[MAX_PATH] = "";
    GetModuleFileNameA(NULL, szPath, sizeof(szPath));
    *strrchr(szPath, '\\') = '\0';
    return szPath;
}

inline std::string ProgramPath() { return BinFolder() + "\\qvkcopy2.exe"; }

inline std::string WindowText(HWND hWnd)
{
    char sz[512] = "";
    SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof(sz), (LPARAM)sz, SMTO_ABORTIFHUNG, 5000, NULL);
    return sz;
}

// A fresh folder for the stand-ins' INI files and launched.log; every child inherits QVSIM_DIR.
class SimFolder
{
public:
    SimFolder()
    {
        static int s_nSerial = 0;
        char szTemp[MAX_PATH], szDir[MAX_PATH];
        GetTempPathA(sizeof(szTemp), szTemp);
        snprintf(szDir, sizeof(szDir), "%sqvsim_app_%lu_%d", szTemp, GetCurrentProcessId(), ++s_nSerial);
        m_path = szDir;
        CreateDirectoryA(szDir, NULL);
        SetEnvironmentVariableA("QVSIM_DIR", szDir);
    }
    ~SimFolder()
    {
        SetEnvironmentVariableA("QVSIM_DIR", NULL);
        for (const char* pszFile : {"contexts.ini", "devices.ini", "launched.log", "copyapp.exe"})
            DeleteFileA(File(pszFile).c_str());
        RemoveDirectoryA(m_path.c_str());
    }
    std::string File(const char* pszName) const { return m_path + "\\" + pszName; }
    void WriteIni(const char* pszFile, const std::string& section, const char* pszKey, const char* pszValue) const
    {
        WritePrivateProfileStringA(section.c_str(), pszKey, pszValue, File(pszFile).c_str());
    }
    std::string LaunchLog() const
    {
        std::ifstream log(File("launched.log"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>());
    }
    // Waits until a sibling program has written its line.
    std::string WaitForLaunchLog() const
    {
        for (DWORD waited = 0; waited < HANG_GUARD_MS && LaunchLog().find("\r\n") == std::string::npos; waited += 20)
            Sleep(20);
        return LaunchLog();
    }

private:
    std::string m_path;
};

class ChildApp
{
public:
    // pszApplication names the program when the command line need not.
    explicit ChildApp(const std::string& cmdLine, const char* pszApplication = NULL)
    {
        std::vector<char> buf(cmdLine.c_str(), cmdLine.c_str() + cmdLine.size() + 1);
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        if (!CreateProcessA(pszApplication, buf.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi))
            m_pi = PROCESS_INFORMATION();
    }
    ~ChildApp()
    {
        if (Running() && TerminateProcess(m_pi.hProcess, 1))
            WaitForSingleObject(m_pi.hProcess, HANG_GUARD_MS);
        if (m_pi.hProcess) {
            CloseHandle(m_pi.hThread);
            CloseHandle(m_pi.hProcess);
        }
    }
    ChildApp(const ChildApp&) = delete;
    ChildApp& operator=(const ChildApp&) = delete;

    bool WaitForExit() const
    {
        return m_pi.hProcess && WaitForSingleObject(m_pi.hProcess, HANG_GUARD_MS) == WAIT_OBJECT_0;
    }
    bool Running() const { return m_pi.hProcess && WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT; }
    // The first visible top-level window of the process; NULL once the process has ended without one.
    HWND WaitForWindow() const
    {
        for (DWORD waited = 0; m_pi.hProcess && waited < HANG_GUARD_MS; waited += 20) {
            std::pair<DWORD, HWND> search(m_pi.dwProcessId, NULL);
            EnumWindows(FindVisible, (LPARAM)&search);
            if (search.second || WaitForSingleObject(m_pi.hProcess, 20) == WAIT_OBJECT_0)
                return search.second;
        }
        return NULL;
    }

private:
    static BOOL CALLBACK FindVisible(HWND hWnd, LPARAM lParam)
    {
        auto* pSearch = reinterpret_cast<std::pair<DWORD, HWND>*>(lParam);
        DWORD pid = 0;
        GetWindowThreadProcessId(hWnd, &pid);
        if (pid == pSearch->first && IsWindowVisible(hWnd))
            pSearch->second = hWnd;
        return pSearch->second == NULL;
    }
    PROCESS_INFORMATION m_pi = {};
};
