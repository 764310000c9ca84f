// Narrow texts to and from BSTRs for the COM calls of start-up.
#pragma once

#include "framework/afxwin.h"

#include <oleauto.h>

namespace replika {

// A new BSTR the caller frees; out of memory raises the framework's memory exception.
BSTR AllocBstr(const char* pszText);
CString BstrToText(BSTR bstr);

} // namespace replika
