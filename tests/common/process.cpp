// Child processes that always end, and windows found and driven from outside.
#include "testlib.h"

namespace qvtest {

ChildProcess::ChildProcess(const std::string& cmdLine, bool bCaptureOutput, const char* pszApplication)
{
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    HANDLE hWrite = NULL;
    if (bCaptureOutput) {
        SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, TRUE};
        if (!CreatePipe(&m_hOutput, &hWrite, &sa, 0))
            return;
        SetHandleInformation(m_hOutput, HANDLE_FLAG_INHERIT, 0);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = si.hStdError = hWrite;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    }
    // The job takes the children the process starts, so ending it ends them all.
    m_hJob = CreateJobObjectA(NULL, NULL);
    std::vector<char> line(cmdLine.c_str(), cmdLine.c_str() + cmdLine.size() + 1);
    if (!CreateProcessA(pszApplication, line.data(), NULL, NULL, bCaptureOutput, CREATE_SUSPENDED, NULL, NULL, &si,
                        &m_pi)) {
        m_dwStartError = GetLastError();
        m_pi = PROCESS_INFORMATION();
    }
    if (m_pi.hProcess && m_hJob && !AssignProcessToJobObject(m_hJob, m_pi.hProcess)) {
        CloseHandle(m_hJob);
        m_hJob = NULL;
    }
    if (m_pi.hThread)
        ResumeThread(m_pi.hThread);
    if (hWrite)
        CloseHandle(hWrite);
    if (m_hOutput)
        m_reader = std::thread([this] {
            char buffer[512];
            DWORD n = 0;
            while (ReadFile(m_hOutput, buffer, sizeof(buffer), &n, NULL) && n > 0)
                m_output.append(buffer, n);
        });
}

ChildProcess::~ChildProcess()
{
    // The next start must not meet this process half-ended: wait until it is gone.
    if (Running() && !(m_hJob && TerminateJobObject(m_hJob, 1)))
        TerminateProcess(m_pi.hProcess, 1);
    if (m_pi.hProcess)
        WaitForSingleObject(m_pi.hProcess, kHangGuardMs);
    if (m_reader.joinable())
        m_reader.join();
    for (HANDLE h : {m_pi.hThread, m_pi.hProcess, m_hJob, m_hOutput})
        if (h)
            CloseHandle(h);
}

bool ChildProcess::Running() const { return m_pi.hProcess && WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT; }

std::string ChildProcess::State() const
{
    if (!m_pi.hProcess)
        return "not started (error " + std::to_string(m_dwStartError) + ")";
    if (Running())
        return "running";
    return "ended with code " + std::to_string(ExitCode());
}

bool ChildProcess::WaitForExit(DWORD dwMs) const
{
    return m_pi.hProcess && WaitForSingleObject(m_pi.hProcess, dwMs) == WAIT_OBJECT_0;
}

DWORD ChildProcess::ExitCode() const
{
    DWORD dwCode = STILL_ACTIVE;
    if (!m_pi.hProcess || !GetExitCodeProcess(m_pi.hProcess, &dwCode))
        return ~0u;
    return dwCode;
}

std::string ChildProcess::Output()
{
    if (!WaitForExit() && m_hJob)
        TerminateJobObject(m_hJob, 1);
    if (m_reader.joinable())
        m_reader.join();
    return m_output;
}

HWND ChildProcess::WaitForWindow(DWORD dwMs) const
{
    for (DWORD waited = 0; m_pi.hProcess && waited < dwMs; waited += 20) {
        HWND hWnd = FindVisibleWindow(m_pi.dwProcessId);
        if (hWnd || WaitForSingleObject(m_pi.hProcess, 20) == WAIT_OBJECT_0)
            return hWnd;
    }
    return NULL;
}

RunResult Run(const std::string& cmdLine)
{
    ChildProcess child(cmdLine, true);
    EXPECT_TRUE(child.Started()) << cmdLine;
    EXPECT_TRUE(child.WaitForExit()) << "hangs: " << cmdLine;
    std::string output = child.Output();
    return RunResult{child.ExitCode(), output};
}

HWND FindVisibleWindow(DWORD dwProcessId, int nItemID)
{
    for (HWND h = FindWindowExA(NULL, NULL, NULL, NULL); h; h = FindWindowExA(NULL, h, NULL, NULL)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid != dwProcessId || !IsWindowVisible(h))
            continue;
        HWND hItem = nItemID ? GetDlgItem(h, nItemID) : h;
        if (hItem && IsWindowVisible(hItem))
            return h;
    }
    return NULL;
}

std::string WindowText(HWND hWnd)
{
    char sz[1024] = "";
    SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof(sz), (LPARAM)sz, SMTO_ABORTIFHUNG, 5000, NULL);
    return sz;
}

bool PumpUntil(const std::function<bool()>& done, DWORD dwMs)
{
    for (DWORD dwStart = GetTickCount(); !done();) {
        if (GetTickCount() - dwStart > dwMs)
            return false;
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

}  // namespace qvtest
