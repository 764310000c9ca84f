// Drives the real copy program from outside: starts it for a context against the simulated
// device, finds the copy dialog and its controls, clicks, selects, presses keys, reads
// states and texts, raises device events, and always ends the program with the scope.
// The files a scenario makes (settings files, journal, log) are removed with its scope.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "common/testlib.h"

namespace dlgtest {

using qvtest::kHangGuardMs;

// Polls until `done` holds; false when the time ran out.
bool WaitUntil(const std::function<bool()>& done, DWORD dwMs = kHangGuardMs);
// The user's application-data folder and the program's settings folder in it.
std::string AppDataFolder();
std::string SettingsFolder();
std::string ResString(UINT nID);

// One device of the simulated kind, with logging on for the program at every level.
// Its settings files, journal and log are removed before and after the scenario.
class Device
{
public:
    explicit Device(const std::string& deviceID, const std::string& profile = "");
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    const std::string& CtxID() const { return m_ctxID; }
    std::string DefaultFile() const { return SettingsFolder() + "\\D" + m_deviceID + ".xml"; }
    std::string FactoryFile() const { return SettingsFolder() + "\\F" + m_deviceID + ".xml"; }
    std::string Journal() const { return qvtest::ReadBytes(m_sim.File("journal-" + m_deviceID + ".txt")); }
    std::string Log() const { return qvtest::ReadBytes(m_logPath); }
    void WriteProfile(const std::string& profile) const;
    // Tells the running device what happens (qvsimctl); its exit code.
    DWORD Control(const std::string& command) const;

private:
    void RemoveFiles() const;

    std::string m_deviceID, m_ctxID, m_logPath;
    qvtest::SimFolder m_sim;
    qvtest::SavedFile m_logConfig;
};

// The program for one context, started at construction and killed by the destructor
// unless it has ended.
class CopyProgram
{
public:
    // pszProgram: another installation of the program (default: the one beside the tests).
    explicit CopyProgram(const std::string& ctxID, const char* pszProgram = nullptr);

    // A visible window of the program holding the control; NULL when none came.
    HWND WaitForWindowWith(int nItemID);
    // The copy dialog (it holds Color Copy), remembered for the calls below.
    HWND WaitForDialog();
    HWND Dialog() const { return m_hDlg; }
    HWND Item(int nID) const { return ::GetDlgItem(m_hDlg, nID); }

    // Synchronous: returns once the dialog has handled it.
    void Click(int nID) const;
    // Posted: for a click that opens a modal window.
    void ClickLater(int nID) const { ::PostMessageA(Item(nID), BM_CLICK, 0, 0); }
    bool Checked(int nID) const { return ::SendMessageA(Item(nID), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int nID) const { return ::IsWindowEnabled(Item(nID)) != FALSE; }
    bool Visible(int nID) const { return ::IsWindowVisible(Item(nID)) != FALSE; }
    std::string Text(int nID) const { return qvtest::WindowText(Item(nID)); }
    int ListCount(int nID) const { return (int)::SendMessageA(Item(nID), CB_GETCOUNT, 0, 0); }
    // A key that goes through the dialog's message loop while the control has the focus.
    void PressKey(int nFocusID, UINT nVirtualKey) const;
    // Waits until the dialog has handled everything posted to it so far.
    void Settle() const;
    // Sends a registered device event whose context text lives in the program's memory.
    void SendDeviceEvent(const std::string& name, const std::string& ctxText, WPARAM wParam) const;

    // Asks the dialog to close; true when the program then ended, with its exit code.
    bool Close(DWORD* pdwExitCode = nullptr);
    qvtest::ChildProcess& Process() { return m_process; }

private:
    qvtest::ChildProcess m_process;
    HWND m_hDlg = NULL;
};

}  // namespace dlgtest
