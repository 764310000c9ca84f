// All-or-nothing replacement of a settings file: the new bytes go to a fresh
// temporary file ("~" and hex digits) beside it, which then takes the old file's place
// by a rename, so a reader finds either the old file or the new one, whole.
#pragma once

#include <windows.h>

#include <string>

namespace replika {

// ERROR_SUCCESS once pszTarget holds exactly `bytes`; otherwise the system's
// error, and pszTarget is as it was.
DWORD ReplaceFileWhole(const char* pszTarget, const std::string& bytes);

// Deletes the temporary files that replacements killed midway left in the
// folder of pszTarget; the number deleted. Only for a holder of the save
// lock: no replacement of ours is under way then.
int RemoveLeftoverTempFiles(const char* pszTarget);

// A file being replaced may refuse an open or a rename for a moment.
inline bool IsTransientShareError(DWORD dwError)
{
    return dwError == ERROR_SHARING_VIOLATION || dwError == ERROR_ACCESS_DENIED || dwError == ERROR_LOCK_VIOLATION;
}

}  // namespace replika
