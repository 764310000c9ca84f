// Text across the COM boundary, in the narrow code page.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

std::string NarrowOf(BSTR bstr);
BSTR BstrOf(const std::string& text);   // NULL when out of memory
