// Hand-over of a device to a sibling program instead of showing the copy dialog.
#pragma once

#include "framework/afxwin.h"

namespace replika {

// Scanner-only device: start "qvfcCopy.exe" with this process's command line, its part
// before the first "-n" lower-cased and "qvkcopy2.exe" replaced. Failures show message 306.
void LaunchScannerCopy(const CString& cstrRawCmdLine);

// The sibling's command line; FALSE when the left part names no "qvkcopy2.exe".
BOOL BuildScannerCopyCmdLine(const CString& cstrRawCmdLine, CString& cstrSiblingCmdLine);

// Copy mode 3: open the Hublet launcher for the context. TRUE when the launcher has
// taken over (even if it could not be started), so this process must end.
BOOL LaunchHublet(const char* pszHubletPath, const CString& cstrCtxID);

// The Hublet launcher's parameters; FALSE when they would exceed 259 characters.
BOOL BuildHubletParameters(const CString& cstrCtxID, char* pszParams, size_t cchParams);

}  // namespace replika
