#include "DialogDriver.h"

#include <shlobj.h>

#include <algorithm>

#include "res/resource.h"

namespace dlgtest {

namespace {
std::string ShellFolder(int nFolder)
{
    char szPath[MAX_PATH] = "";
    SHGetSpecialFolderPathA(NULL, szPath, nFolder, FALSE);
    return szPath;
}

std::string LogConfigPath() { return ShellFolder(CSIDL_COMMON_APPDATA) + "\\QV\\RKLogConfig.ini"; }

std::string WithoutHashes(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '#'), text.end());
    return text;
}

struct Search
{
    DWORD dwProcessId;
    int nItemID;
    HWND hFound;
};

BOOL CALLBACK FindWindowWithItem(HWND hWnd, LPARAM lParam)
{
    Search* pSearch = reinterpret_cast<Search*>(lParam);
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    HWND hItem = ::GetDlgItem(hWnd, pSearch->nItemID);
    if (dwPid == pSearch->dwProcessId && IsWindowVisible(hWnd) && hItem && IsWindowVisible(hItem))
        pSearch->hFound = hWnd;
    return pSearch->hFound == NULL;
}

const DWORD kSendTimeoutMs = 5000;
}  // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD dwMs)
{
    for (DWORD dwStart = GetTickCount(); !done(); Sleep(10))
        if (GetTickCount() - dwStart > dwMs)
            return false;
    return true;
}

std::string AppDataFolder() { return ShellFolder(CSIDL_APPDATA); }
std::string SettingsFolder() { return AppDataFolder() + "\\QV\\Imagora"; }

std::string ResString(UINT nID)
{
    char sz[512] = "";
    LoadStringA(GetModuleHandleA(NULL), nID, sz, sizeof(sz));
    return sz;
}

Device::Device(const std::string& deviceID, const std::string& profile)
    : m_deviceID(deviceID),
      m_ctxID("#QV#Jet#" + deviceID),
      m_logPath(AppDataFolder() + "\\" + WithoutHashes(m_ctxID) + "_UI.log"),
      m_logConfig(LogConfigPath())
{
    CreateDirectoryA((ShellFolder(CSIDL_COMMON_APPDATA) + "\\QV").c_str(), NULL);
    qvtest::WriteBytes(LogConfigPath(), "[Signature]\r\nPROJECT=Replika\r\nMANUFACTURER=QV\r\n[Modules]\r\nUI=15\r\n"
                                        "[LogFileSize]\r\nFILESIZE=200000000\r\n");
    RemoveFiles();
    qvtest::WriteBytes(m_sim.File("device-" + m_deviceID + ".ini"), "[Device]\r\nBusyTime=0\r\n" + profile);
}

void Device::RemoveFiles() const
{
    for (const std::string& path :
         {DefaultFile(), FactoryFile(), DefaultFile() + ".bad", FactoryFile() + ".bad", m_logPath})
        DeleteFileA(path.c_str());
}

DWORD Device::Control(const std::string& command) const
{
    return qvtest::Run("\"" + qvtest::BesideExe("qvsimctl.exe") + "\" \"" + m_ctxID + "\" " + command).exitCode;
}

CopyProgram::CopyProgram(const std::string& ctxID, const char* pszProgram)
    : m_process(pszProgram ? "\"" + std::string(pszProgram) + "\" -CtxID \"" + ctxID + "\""
                           : qvtest::ProgramCommand("-CtxID \"" + ctxID + "\""))
{}

HWND CopyProgram::WaitForWindowWith(int nItemID)
{
    Search search = {m_process.Id(), nItemID, NULL};
    WaitUntil([&] {
        EnumWindows(FindWindowWithItem, reinterpret_cast<LPARAM>(&search));
        return search.hFound != NULL || !m_process.Running();
    });
    return search.hFound;
}

void CopyProgram::Click(int nID) const
{
    SendMessageTimeoutA(Item(nID), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, NULL);
}

void CopyProgram::PressKey(int nFocusID, UINT nVirtualKey) const
{
    HWND hFocus = Item(nFocusID);
    SendMessageTimeoutA(m_hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hFocus), TRUE, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                        NULL);
    PostMessageA(hFocus, WM_KEYDOWN, nVirtualKey, 1);
    PostMessageA(hFocus, WM_KEYUP, nVirtualKey, 0xC0000001);
}

void CopyProgram::Settle() const
{
    for (int i = 0; i < 3; ++i) {
        SendMessageTimeoutA(m_hDlg, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, NULL);
        Sleep(30);
    }
}

void CopyProgram::SendDeviceEvent(const std::string& name, const std::string& ctxText, WPARAM wParam) const
{
    HANDLE hProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, m_process.Id());
    ASSERT_NE(nullptr, hProcess);
    void* pRemote = VirtualAllocEx(hProcess, NULL, ctxText.size() + 1, MEM_COMMIT, PAGE_READWRITE);
    ASSERT_NE(nullptr, pRemote);
    WriteProcessMemory(hProcess, pRemote, ctxText.c_str(), ctxText.size() + 1, NULL);
    CloseHandle(hProcess);
    SendMessageTimeoutA(m_hDlg, RegisterWindowMessageA(name.c_str()), wParam, reinterpret_cast<LPARAM>(pRemote),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, NULL);
}

bool CopyProgram::Close(DWORD* pdwExitCode)
{
    PostMessageA(m_hDlg, WM_CLOSE, 0, 0);
    bool bEnded = m_process.WaitForExit();
    if (pdwExitCode)
        *pdwExitCode = m_process.ExitCode();
    return bEnded;
}

}  // namespace dlgtest
