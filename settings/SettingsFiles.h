// Where the settings of the device in use live: the folder, and the names of
// its default file ("D" + device ID + ".xml") and factory file ("F" + device
// ID + ".xml"). The copy dialog forms them once, at start.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

class CRKCopyState;

extern char g_szSettingsFolder[MAX_PATH];
extern char g_szDefaultFileName[MAX_PATH];
extern char g_szFactoryFileName[MAX_PATH];

namespace replika {

// "D" + device ID + ".xml" and "F" + device ID + ".xml" into the two buffers of
// MAX_PATH. A device ID that would not give a valid file name, or whose path
// would not fit in MAX_PATH, is made safe and cut to fit. False, with both
// names empty, when not even "D.xml" fits after the folder.
bool FormSettingsFileNames(const char* pszFolder, const char* pszDeviceID, char* pszDefaultName,
                           char* pszFactoryName);

// Whether the file loads as a settings document.
bool IsReadableSettingsFile(const char* pszPath);

// A settings file that is there but does not load is kept beside it as
// "<name>.bad" (one copy; ".bad" takes the place of ".xml" where the longer
// path would not fit) before it is replaced. False when it had to be kept and
// could not be.
bool KeepUnreadableSettingsFile(const char* pszPath);

// Puts a complete settings file at pszPath, or leaves it as it was: the
// document (the embedded default one) with the record's values, replacing
// the file in one step. As SaveSettings, stores the file's name and the time
// in the record.
bool CreateSettingsFile(CRKCopyState& state, const char* pszPath, const std::string& document);

}  // namespace replika
