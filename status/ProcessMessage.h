// The status-message thread: a user-interface thread to which the copy dialog forwards
// the device events as thread messages. WM_DESTROY ends it.
#pragma once

#include "framework/afxwin.h"

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

// The copy dialog's Custom Size handler, which a feeder event without an original runs
// on this thread. The copy dialog installs it before it starts the thread.
typedef void (*PFN_CUSTOM_SIZE_HANDLER)(CWnd* pCopyDlg);
void SetCustomSizeHandler(PFN_CUSTOM_SIZE_HANDLER pfnHandler);

// The copy dialog the thread may act on. The dialog names itself before it starts the
// thread and lets go while it closes: ReleaseEventTarget returns once no feeder event is
// being handled (answering the handler's sent messages meanwhile); events handled after
// it leave the dialog alone.
void SetEventTarget(CWnd* pCopyDlg);
void ReleaseEventTarget();
