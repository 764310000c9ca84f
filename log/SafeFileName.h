// File names made from outside text (a context ID, a device ID) stay inside their folder:
// path separators, characters a file name may not hold and reserved device names are
// replaced, and a name too long for its buffer is cut and carries a hash of the whole text.
#pragma once

#include <stddef.h>

// Writes into pszOut (cchOut bytes, always NUL-terminated) a file-name part made from
// pszText: every character outside the safe set becomes '_', a leading dot or a reserved
// device name (CON, NUL, COM1, ...) is prefixed with '_', and an empty text gives "_".
// When the result would not fit, it keeps what fits and ends with "~" and eight hex
// digits of a hash of the whole text, so that two long texts still give two names.
void RKSafeFileNamePart(const char* pszText, char* pszOut, size_t cchOut);

// Whether pszName can be used as it is as one file name: no path separator or other
// character a file name may not hold (':' among them, as it would name a stream of the
// file), no control character, not "." or "..", no trailing dot or space, no reserved
// device name as its stem, at most 255 characters.
bool RKIsValidFileName(const char* pszName);

// A 32-bit FNV-1a hash of a text, for names that must stay short.
unsigned RKTextHash(const char* pszText);
