// A settings file's bytes on their way into and out of the XML component.
#pragma once

#include <windows.h>

#include <string>

namespace replika {

// Settings files are a few kilobytes; anything over this is not one.
const DWORD kMaxSettingsFileBytes = 1024 * 1024;

// Reads the whole file and closes it at once, sharing it with a save that
// replaces it meanwhile. ERROR_FILE_TOO_LARGE beyond kMaxSettingsFileBytes.
DWORD ReadSettingsBytes(const char* pszPath, std::string& bytes);

// Whether the bytes declare a document type, in any of the encodings the
// component reads. Settings files never do; one that does can make the
// component expand entities without end or read other files.
bool CarriesDocumentType(const std::string& bytes);

// The bytes of the document's text in the encoding its XML declaration names.
// A declaration naming an encoding not written here, or one that cannot hold
// every character of the text, is changed to UTF-8 along with the bytes.
std::string EncodeDocumentText(const wchar_t* pwszXml, size_t nLen);

// XML 1.0 cannot hold a control character other than tab, LF and CR, not even
// as a character reference: a document holding one never loads again. A value
// keeps them in the document as the private-use characters U+E001 to U+E01F,
// which no narrow text of the program can hold, and gets them back on reading.
std::wstring ValueToDocumentText(const std::wstring& value);
std::wstring DocumentTextToValue(const std::wstring& text);

}  // namespace replika
