// Drives the real copy program from outside against a simulated device; the program ends, and
// the files a scenario makes (settings files, log) go, with the scopes.
#pragma once

#include "common/testlib.h"

namespace dlgtest {

inline bool WaitUntil(const std::function<bool()>& done, DWORD dwMs = qvtest::kHangGuardMs)
{
    return qvtest::PumpUntil(done, dwMs);
}
inline bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
int Count(const std::string& text, const std::string& part);
std::string AppDataFolder();
std::string SettingsFolder();  // where the program keeps the settings files
using qvtest::ResString;

// A simulated device "#QV#Jet#<ID>" with its profile; the program logs at every level.
class Device
{
public:
    explicit Device(const std::string& deviceID, const std::string& profile = "");
    ~Device() { RemoveFiles(); }
    const std::string& CtxID() const { return m_ctxID; }
    std::string DefaultFile() const { return SettingsFolder() + "\\D" + m_deviceID + ".xml"; }
    std::string FactoryFile() const { return SettingsFolder() + "\\F" + m_deviceID + ".xml"; }
    std::string Log() const { return qvtest::ReadBytes(m_logPath); }
    std::string Journal() const { return qvtest::ReadBytes(m_sim.File("journal-" + m_deviceID + ".txt")); }
    DWORD Control(const std::string& command) const { return Command(command).exitCode; }
    std::string Status() const { return Command("status").output; }  // qvsimctl's line on the device

private:
    qvtest::RunResult Command(const std::string& command) const;
    void RemoveFiles() const;
    std::string m_deviceID, m_ctxID, m_logPath;
    qvtest::SimFolder m_sim;
    qvtest::SavedFile m_logConfig;
};

// The program for one context; killed with the scope unless it has ended.
class CopyProgram
{
public:
    // pszProgram: another installation of the program (default: the one beside the tests).
    explicit CopyProgram(const std::string& ctxID, const char* pszProgram = nullptr);
    HWND WaitForWindowWith(int nItemID);  // a visible window of the program holding that control
    HWND WaitForDialog() { return m_hDlg = WaitForWindowWith(1012); }  // the copy dialog holds Color Copy
    HWND Dialog() const { return m_hDlg; }
    HWND Item(int nID) const { return ::GetDlgItem(m_hDlg, nID); }
    void Click(int nID) const;  // returns once handled
    // For a click that opens a modal window.
    void ClickLater(int nID) const { ::PostMessageA(Item(nID), BM_CLICK, 0, 0); }
    bool Enabled(int nID) const { return ::IsWindowEnabled(Item(nID)) != FALSE; }
    bool Visible(int nID) const { return ::IsWindowVisible(Item(nID)) != FALSE; }
    bool Checked(int nID) const { return ::SendMessageA(Item(nID), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    int Selected(int nID) const { return static_cast<int>(::SendMessageA(Item(nID), CB_GETCURSEL, 0, 0)); }
    std::string Text(int nID) const { return qvtest::WindowText(Item(nID)); }
    RECT Place(int nID) const;  // the control's rectangle in the dialog's client area
    HWND Focus() const;         // the control with the keyboard focus in the program
    void FocusOn(int nID) const;
    // A key through the dialog's message loop while the control has the focus.
    void PressKey(int nFocusID, UINT nVirtualKey) const;
    void Settle() const;  // the dialog has handled what was sent and posted so far
    // A registered device event whose context text is written into the program's memory.
    void SendDeviceEvent(const std::string& name, const std::string& ctxText, WPARAM wParam) const;
    bool Close()  // true when the program ended
    {
        ::PostMessageA(m_hDlg, WM_CLOSE, 0, 0);
        return m_process.WaitForExit();
    }
    qvtest::ChildProcess& Process() { return m_process; }

private:
    qvtest::ChildProcess m_process;
    HWND m_hDlg = NULL;
};

}  // namespace dlgtest
