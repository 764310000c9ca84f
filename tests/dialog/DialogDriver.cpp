#include "DialogDriver.h"

#include <shlobj.h>

namespace dlgtest {

namespace {
const DWORD kSendTimeoutMs = 5000;
}  // namespace

int Count(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

std::string AppDataFolder() { return qvtest::ShellFolder(CSIDL_APPDATA); }
std::string SettingsFolder() { return AppDataFolder() + "\\QV\\Imagora"; }

Device::Device(const std::string& deviceID, const std::string& profile)
    : m_deviceID(deviceID),
      m_ctxID("#QV#Jet#" + deviceID),
      m_logPath(AppDataFolder() + "\\QVJet" + deviceID + "_UI.log"),
      m_logConfig(qvtest::LogConfigPath())
{
    qvtest::WriteFullLogConfig();
    RemoveFiles();
    qvtest::WriteBytes(m_sim.File("device-" + m_deviceID + ".ini"), "[Device]\r\nBusyTime=0\r\n" + profile);
}

void Device::RemoveFiles() const
{
    for (const std::string& path :
         {DefaultFile(), FactoryFile(), DefaultFile() + ".bad", FactoryFile() + ".bad", m_logPath})
        DeleteFileA(path.c_str());
}

qvtest::RunResult Device::Command(const std::string& command) const
{
    return qvtest::Run("\"" + qvtest::BesideExe("qvsimctl.exe") + "\" \"" + m_ctxID + "\" " + command);
}

CopyProgram::CopyProgram(const std::string& ctxID, const char* pszProgram)
    : m_process(pszProgram ? "\"" + std::string(pszProgram) + "\" -CtxID \"" + ctxID + "\""
                           : qvtest::ProgramCommand("-CtxID \"" + ctxID + "\""))
{}

HWND CopyProgram::WaitForWindowWith(int nItemID)
{
    HWND hFound = NULL;
    WaitUntil([&] {
        hFound = qvtest::FindVisibleWindow(m_process.Id(), nItemID);
        return hFound != NULL || !m_process.Running();
    });
    return hFound;
}

void CopyProgram::Click(int nID) const
{
    SendMessageTimeoutA(Item(nID), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, NULL);
}

RECT CopyProgram::Place(int nID) const
{
    RECT rc = {};
    GetWindowRect(Item(nID), &rc);
    MapWindowPoints(NULL, m_hDlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

HWND CopyProgram::Focus() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(m_hDlg, NULL), &info) ? info.hwndFocus : NULL;
}

void CopyProgram::FocusOn(int nID) const
{
    SendMessageTimeoutA(m_hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(nID)), TRUE, SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, NULL);
}

void CopyProgram::PressKey(int nFocusID, UINT nVirtualKey) const
{
    HWND hFocus = Item(nFocusID);
    FocusOn(nFocusID);
    PostMessageA(hFocus, WM_KEYDOWN, nVirtualKey, 1);
    PostMessageA(hFocus, WM_KEYUP, nVirtualKey, 0xC0000001);
}

void CopyProgram::Settle() const
{
    for (int i = 0; i < 3; ++i, Sleep(30))
        SendMessageTimeoutA(m_hDlg, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, NULL);
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

}  // namespace dlgtest
