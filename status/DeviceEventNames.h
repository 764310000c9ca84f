// Names of the four device-event messages: a fixed prefix followed by the context ID,
// so that copy dialogs of several devices on one desktop ignore each other's events.
// The copy dialog sets the context once at start; CProcessMessage registers the same names.
#pragma once

#include <windows.h>

extern char g_szPaperInADFMsg[MAX_PATH];
extern char g_szDeviceBusyMsg[MAX_PATH];
extern char g_szInkLowMsg[MAX_PATH];
extern char g_szDeviceDisconnectMsg[MAX_PATH];

// Writes prefix + context ID into each name (a context ID too long for a name is cut).
void SetDeviceEventContext(const char* pszCtxID);

// Registers one of the four names; the number is logged (detailed trace) with its label,
// and a name the system refuses (over 255 characters) gets an Error record naming it.
// Returns 0 for a refused name.
UINT RegisterDeviceEventMessage(const char* pszName, const char* pszLabel);
