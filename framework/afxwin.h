// The framework: an MFC-compatible subset over Win32, narrow strings only.
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
