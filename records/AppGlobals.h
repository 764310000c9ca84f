// Process-wide values that start-up sets and the dialogs read.
#pragma once

#include <windows.h>

// 1 when the device's default language is written right to left ("heb" or "ara");
// the dialogs mirror their layout and pictures by it.
extern BOOL g_bRTLLayout;

// The registered message by which a second start finds the running copy dialog;
// the copy dialog answers it with the message number itself.
extern UINT g_uInstanceProbeMsg;
