#include "child_app.h"

#include <stdio.h>
#include <vector>

namespace {

// Hang guards only: a healthy run takes a fraction of these.
const DWORD HANG_GUARD_MS = 20000;
const DWORD POLL_MS = 20;

std::string ReadFile(const std::string& path)
{
    std::string content;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return content;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), f)) > 0)
        content.append(buf, n);
    fclose(f);
    return content;
}

void DeleteTree(const std::string& dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name != "." && name != "..")
                DeleteFileA((dir + "\\" + name).c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

struct WindowSearch {
    DWORD pid;
    HWND hFound;
};

BOOL CALLBACK FindVisible(HWND hWnd, LPARAM lParam)
{
    WindowSearch* pSearch = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid == pSearch->pid && IsWindowVisible(hWnd)) {
        pSearch->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

SimFolder::SimFolder()
{
    char szTemp[MAX_PATH];
    GetTempPathA(sizeof(szTemp), szTemp);
    static int s_nSerial = 0;
    char szDir[MAX_PATH];
    snprintf(szDir, sizeof(szDir), "%sqvsim_app_%lu_%d", szTemp, GetCurrentProcessId(), ++s_nSerial);
    m_path = szDir;
    DeleteTree(m_path);
    CreateDirectoryA(m_path.c_str(), NULL);
    SetEnvironmentVariableA("QVSIM_DIR", m_path.c_str());
}

SimFolder::~SimFolder()
{
    SetEnvironmentVariableA("QVSIM_DIR", NULL);
    DeleteTree(m_path);
}

void SimFolder::WriteIni(const char* pszFile, const std::string& section, const char* pszKey, const char* pszValue) const
{
    WritePrivateProfileStringA(section.c_str(), pszKey, pszValue, (m_path + "\\" + pszFile).c_str());
}

std::string SimFolder::LaunchLog() const
{
    return ReadFile(m_path + "\\launched.log");
}

std::string SimFolder::WaitForLaunchLog() const
{
    for (DWORD waited = 0; waited < HANG_GUARD_MS; waited += POLL_MS) {
        std::string log = LaunchLog();
        if (log.find("\r\n") != std::string::npos)
            return log;
        Sleep(POLL_MS);
    }
    return LaunchLog();
}

std::string BinFolder()
{
    char szPath[MAX_PATH];
    GetModuleFileNameA(NULL, szPath, sizeof(szPath));
    char* pszSlash = strrchr(szPath, '\\');
    if (pszSlash)
        *pszSlash = '\0';
    return szPath;
}

std::string LoadResString(UINT nID)
{
    char sz[512] = "";
    LoadStringA(GetModuleHandleA(NULL), nID, sz, sizeof(sz));
    return sz;
}

std::string WindowText(HWND hWnd)
{
    char sz[512] = "";
    SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof(sz), (LPARAM)sz, SMTO_ABORTIFHUNG, 5000, NULL);
    return sz;
}

HWND VisibleWindowOf(DWORD pid)
{
    WindowSearch search = {pid, NULL};
    EnumWindows(FindVisible, (LPARAM)&search);
    return search.hFound;
}

ChildApp::ChildApp(const std::string& arguments)
{
    ZeroMemory(&m_pi, sizeof(m_pi));
    Start("\"" + BinFolder() + "\\qvkcopy2.exe\" " + arguments);
}

ChildApp ChildApp::WithCommandLine(const std::string& cmdLine)
{
    ChildApp app;
    app.Start(cmdLine);
    return app;
}

ChildApp::ChildApp(ChildApp&& other) : m_pi(other.m_pi)
{
    ZeroMemory(&other.m_pi, sizeof(other.m_pi));
}

ChildApp ChildApp::WithForeignCommandLine(const std::string& cmdLine)
{
    ChildApp app;
    std::string program = BinFolder() + "\\qvkcopy2.exe";
    app.Start(cmdLine, program.c_str());
    return app;
}

void ChildApp::Start(const std::string& cmdLine, const char* pszApplication)
{
    std::vector<char> buf(cmdLine.begin(), cmdLine.end());
    buf.push_back('\0');
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    if (!CreateProcessA(pszApplication, buf.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi))
        ZeroMemory(&m_pi, sizeof(m_pi));
}

ChildApp::~ChildApp()
{
    if (!Started())
        return;
    Close();
    CloseHandle(m_pi.hThread);
    CloseHandle(m_pi.hProcess);
}

HWND ChildApp::WaitForWindow() const
{
    for (DWORD waited = 0; Started() && waited < HANG_GUARD_MS; waited += POLL_MS) {
        HWND hWnd = VisibleWindowOf(m_pi.dwProcessId);
        if (hWnd)
            return hWnd;
        if (WaitForSingleObject(m_pi.hProcess, POLL_MS) == WAIT_OBJECT_0)
            return VisibleWindowOf(m_pi.dwProcessId);
    }
    return NULL;
}

bool ChildApp::WaitForExit() const
{
    return Started() && WaitForSingleObject(m_pi.hProcess, HANG_GUARD_MS) == WAIT_OBJECT_0;
}

bool ChildApp::Running() const
{
    return Started() && WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

// Closes every visible window of the process until it ends; kills it as a last resort.
void ChildApp::Close()
{
    for (int round = 0; round < 5 && Running(); ++round) {
        HWND hWnd = VisibleWindowOf(m_pi.dwProcessId);
        if (hWnd)
            PostMessageA(hWnd, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_pi.hProcess, 3000) == WAIT_OBJECT_0)
            return;
    }
    if (Running()) {
        TerminateProcess(m_pi.hProcess, 1);
        WaitForSingleObject(m_pi.hProcess, 5000);
    }
}
