#include "status/DeviceEventNames.h"

#include <stdio.h>

#include "log/RKLog.h"

char g_szPaperInADFMsg[MAX_PATH] = "Paper_In_ADF_";
char g_szDeviceBusyMsg[MAX_PATH] = "Device_s_Busy_";
char g_szInkLowMsg[MAX_PATH] = "Ink_Low_";
char g_szDeviceDisconnectMsg[MAX_PATH] = "Device_Disconnect_";

void SetDeviceEventContext(const char* pszCtxID)
{
    if (pszCtxID == NULL)
        pszCtxID = "";
    snprintf(g_szPaperInADFMsg, sizeof(g_szPaperInADFMsg), "Paper_In_ADF_%s", pszCtxID);
    snprintf(g_szDeviceBusyMsg, sizeof(g_szDeviceBusyMsg), "Device_s_Busy_%s", pszCtxID);
    snprintf(g_szInkLowMsg, sizeof(g_szInkLowMsg), "Ink_Low_%s", pszCtxID);
    snprintf(g_szDeviceDisconnectMsg, sizeof(g_szDeviceDisconnectMsg), "Device_Disconnect_%s", pszCtxID);
}

UINT RegisterDeviceEventMessage(const char* pszName, const char* pszLabel)
{
    UINT nMessage = ::RegisterWindowMessageA(pszName);
    g_pLog->LogDetailedTrace(pszLabel, static_cast<int>(nMessage));
    if (nMessage == 0)
        g_pLog->LogError("The device event message %s could not be registered (error %lu)", pszName,
                         ::GetLastError());
    return nMessage;
}
