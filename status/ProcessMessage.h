// The status-message thread: a user-interface thread to which the copy dialog forwards
// the device events as thread messages. WM_DESTROY ends it.
#pragma once

#include "framework/afxwin.h"
#include "framework/afxcom.h"

#include <memory>
#include <mutex>

#include "device/ICopyAPI.h"

class CProcessMessage : public CWinThread
{
    DECLARE_DYNCREATE(CProcessMessage)

public:
    CProcessMessage();

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // Event numbers as this thread registered them (equal to the dialog's).
    static UINT s_uPaperInADFMsg;
    static UINT s_uDeviceBusyMsg;
    static UINT s_uInkLowMsg;
    static UINT s_uDeviceDisconnectMsg;

protected:
    // wParam: the feeder's state; lParam: the copy dialog (CWnd*), or null.
    afx_msg void OnPaperInADF(WPARAM wParam, LPARAM lParam);
    afx_msg void OnIgnoredEvent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnEndThread(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Posted by the thread to the copy dialog for a feeder event: wParam the feeder's state,
// lParam what the device answered to GetDocInADF (kFeederNotAsked when it was not asked).
// The dialog changes its image-size buttons and settings on its own thread, so the thread
// never touches the dialog's controls or records, and the dialog never waits for it.
const UINT WM_FEEDER_OUTCOME = WM_APP + 0x51;
const LPARAM kFeederNotAsked = -1;

// The copy dialog as the thread sees it: its window, named only by handle, and the device
// copy interface. Both sides hold it by shared pointer, so a thread abandoned in the middle
// of a device call still owns everything it can touch; after LetGo nothing reaches the dialog.
class CFeederEventTarget
{
public:
    CFeederEventTarget(HWND hDlg, const CWnd* pDlg) : m_hDlg(hDlg), m_pDlg(pDlg) {}
    void SetDevice(const CComPtr<ICopyAPI>& pDevice);
    bool IsFor(const CWnd* pDlg) const { return pDlg != NULL && pDlg == m_pDlg; }
    CComPtr<ICopyAPI> Device() const;
    bool PostOutcome(WPARAM nFeederState, LPARAM nDocInADF) const;
    void LetGo();

private:
    mutable std::mutex m_lock;
    HWND m_hDlg;
    const CWnd* m_pDlg;  // compared with the events' lParam, never followed
    CComPtr<ICopyAPI> m_pDevice;
};

// The dialog the thread acts for; null when none. The dialog names itself before it starts
// the thread and lets go (ReleaseEventTarget) when it closes.
void SetEventTarget(std::shared_ptr<CFeederEventTarget> pTarget);
// From here no event reaches the dialog; the holder is emptied. Never waits for the thread.
void ReleaseEventTarget(std::shared_ptr<CFeederEventTarget>& pTarget);
// Tells the thread to end and waits for it at most dwWaitMs; a thread still busy then is
// abandoned. True when it ended in time.
bool EndStatusThread(DWORD dwThreadID, HANDLE hThread, DWORD dwWaitMs);

// The dialog's side of a feeder event: the image-size buttons of hDlg. Returns true when
// Custom Size was checked and its handler is to run.
bool ApplyFeederState(HWND hDlg, WPARAM nFeederState);
