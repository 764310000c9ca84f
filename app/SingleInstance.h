// One copy dialog per context ID: a named mutex claims the context, and a registered
// message lets a second start find the running dialog and bring it forward.
#pragma once

#include "framework/afxwin.h"

#include "records/AppGlobals.h"

namespace replika {

// The GUID followed by the context ID. An ID too long for the name, or one holding a
// backslash (a namespace separator in kernel object names), keeps what fits with '\' made
// '_' and ends with "~" and a hash of the whole ID, so one ID always gives one name.
CString InstanceMutexName(const CString& cstrCtxID);
CString InstanceProbeMessageName(const CString& cstrCtxID);

// EnumWindows callback; lParam points at an HWND that starts null and receives the
// window that answered the probe message with its own number. Message 0 finds nothing.
BOOL CALLBACK FindRunningInstance(HWND hWnd, LPARAM lParam);

// Restores the running dialog and brings its last active pop-up to the foreground.
// FALSE when no running dialog answered.
BOOL BringRunningInstanceForward();

}  // namespace replika
