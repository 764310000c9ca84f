// Runs qvkcopy2.exe as a child process against the stand-ins, with a data folder of
// its own, and finds and drives its windows from outside.
#pragma once

#include <windows.h>
#include <string>

// A fresh folder for the stand-ins' INI files and launched.log; QVSIM_DIR points at it
// (inherited by every child) while the object lives.
class SimFolder
{
public:
    SimFolder();
    ~SimFolder();
    const std::string& Path() const { return m_path; }
    void WriteIni(const char* pszFile, const std::string& section, const char* pszKey, const char* pszValue) const;
    std::string LaunchLog() const;   // content of launched.log, empty when missing
    // Waits (bounded) until launched.log holds a line; returns its content.
    std::string WaitForLaunchLog() const;

private:
    std::string m_path;
};

std::string BinFolder();             // where the test and the program live
std::string LoadResString(UINT nID);

class ChildApp
{
public:
    // Starts "<bin>\qvkcopy2.exe <arguments>" (or the whole command line as given).
    explicit ChildApp(const std::string& arguments);
    static ChildApp WithCommandLine(const std::string& cmdLine);
    // Starts qvkcopy2.exe with a command line that need not name it.
    static ChildApp WithForeignCommandLine(const std::string& cmdLine);
    ChildApp(ChildApp&& other);
    ~ChildApp();   // ends the process: WM_CLOSE, then TerminateProcess

    bool Started() const { return m_pi.hProcess != NULL; }
    DWORD Pid() const { return m_pi.dwProcessId; }
    // The first visible top-level window of the process, or NULL when the process
    // ended (or nothing appeared within the hang guard).
    HWND WaitForWindow() const;
    bool WaitForExit() const;
    bool Running() const;
    void Close();

private:
    ChildApp() { ZeroMemory(&m_pi, sizeof(m_pi)); }
    void Start(const std::string& cmdLine, const char* pszApplication = NULL);
    PROCESS_INFORMATION m_pi;
};

std::string WindowText(HWND hWnd);
HWND VisibleWindowOf(DWORD pid);
