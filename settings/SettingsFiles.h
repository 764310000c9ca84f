// Where the settings of the device in use live: the folder, and the names of
// its default file ("D" + device ID + ".xml") and factory file ("F" + device
// ID + ".xml"). The copy dialog forms them once, at start.
#pragma once

#include <windows.h>

extern char g_szSettingsFolder[MAX_PATH];
extern char g_szDefaultFileName[MAX_PATH];
extern char g_szFactoryFileName[MAX_PATH];
