// The framework: a thin layer of window, dialog and thread classes over Win32, narrow strings only.
//
// - Handlers in ON_COMMAND, ON_CONTROL, ON_BN_*, ON_EN_*, ON_CBN_*, ON_NOTIFY,
//   ON_MESSAGE, ON_REGISTERED_MESSAGE and ON_(REGISTERED_)THREAD_MESSAGE are
//   written as member pointers: ON_BN_CLICKED(IDC_X, &CMyDlg::OnX).
// - Bound windows live in one map for all threads: FromHandle gives the bound
//   object on any thread; other handles get temporary wrappers per thread.
// - A window bound by subclassing (DDX_Control, SubclassDlgItem) is released,
//   not destroyed, when its object dies first; windows made by CreateEx
//   are destroyed with their object.
// - The message-filter hook (ProcessMessageFilter) is installed while a modal
//   CDialog runs; keyboard and mouse input of the dialog reaches it with
//   MSGF_DIALOGBOX through the dialog manager.
// - A CWinThread object deletes itself, and closes m_hThread, when its thread
//   ends: duplicate the handle before asking the thread to end if you wait on it.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/afxcore.h"
#include "framework/afxstr.h"
#include "framework/afxtypes.h"
#include "framework/afxmsgmap.h"
#include "framework/afxgdi.h"
#include "framework/afxwnd.h"
#include "framework/afxctrls.h"
#include "framework/afxapp.h"
