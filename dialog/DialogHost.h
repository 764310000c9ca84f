// What the copy dialog needs of the program around it. The application object
// implements it; without one (a dialog made by a test) the dialog does without.
#pragma once

#include "framework/afxwin.h"

namespace replika {

class IDialogHost
{
public:
    // The tooltip control whose events are relayed for messages to hDlg and its
    // children; NULL for either stops the relay.
    virtual void SetToolTipRelay(HWND hDlg, CToolTipCtrl* pToolTip) = 0;
    // " " + the device's friendly name, appended to the dialog's title.
    virtual CString TitleSuffix() const = 0;
    virtual void ShowAboutBox() = 0;

protected:
    ~IDialogHost() {}
};

// The running application's host, or null.
inline IDialogHost* DialogHost() { return dynamic_cast<IDialogHost*>(AfxGetApp()); }

}  // namespace replika
