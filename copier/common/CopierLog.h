// The copier's own log: one line per call, appended to %QVCOPIER_LOG% when set,
// else %LOCALAPPDATA%\QV\Copier\copier.log, and written to the debugger output.
#pragma once

#include <string>

// printf-style; the line is cut at about 1000 characters.
void CopierLog(const char* pszFormat, ...) __attribute__((format(printf, 1, 2)));

std::string CopierLogPath();
