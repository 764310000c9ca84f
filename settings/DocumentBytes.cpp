#include "settings/DocumentBytes.h"

#include "settings/FileReplace.h"

#include <cstring>
#include <cwchar>

namespace replika {

namespace {
const UINT kUtf16 = 1200;
const wchar_t kControlStandIns = 0xE000;

bool IsControlXmlCannotHold(wchar_t ch) { return ch < 0x20 && ch != L'\t' && ch != L'\n' && ch != L'\r'; }

struct Encoding
{
    const wchar_t* pwszName;
    UINT nCodePage;
};

const Encoding kEncodings[] = {
    {L"UTF-8", CP_UTF8}, {L"UTF-16", kUtf16}, {L"US-ASCII", 20127}, {L"ISO-8859-1", 28591}, {L"windows-1252", 1252}};

// Where the encoding name of the declaration stands, if the text has one.
bool FindDeclaredEncoding(const std::wstring& xml, size_t& nAt, size_t& nLen)
{
    if (xml.compare(0, 5, L"<?xml") != 0)
        return false;
    size_t nEnd = xml.find(L"?>");
    size_t nName = xml.find(L"encoding");
    if (nEnd == std::wstring::npos || nName == std::wstring::npos || nName > nEnd)
        return false;
    size_t nQuote = xml.find_first_of(L"\"'", nName);
    if (nQuote == std::wstring::npos || nQuote > nEnd)
        return false;
    size_t nClose = xml.find(xml[nQuote], nQuote + 1);
    if (nClose == std::wstring::npos || nClose > nEnd)
        return false;
    nAt = nQuote + 1;
    nLen = nClose - nAt;
    return true;
}

// No declared encoding means UTF-8; 0 for a name not written here.
UINT DeclaredCodePage(const std::wstring& xml, size_t& nAt, size_t& nLen)
{
    if (!FindDeclaredEncoding(xml, nAt, nLen))
        return CP_UTF8;
    for (const Encoding& encoding : kEncodings)
        if (wcslen(encoding.pwszName) == nLen && _wcsnicmp(xml.c_str() + nAt, encoding.pwszName, nLen) == 0)
            return encoding.nCodePage;
    return 0;
}

// False when a character has no place in the code page.
bool Encode(const std::wstring& xml, UINT nCodePage, std::string& bytes)
{
    if (nCodePage == kUtf16) {
        bytes.assign("\xff\xfe", 2);
        for (wchar_t ch : xml) {
            bytes += static_cast<char>(ch & 0xff);
            bytes += static_cast<char>((ch >> 8) & 0xff);
        }
        return true;
    }
    bytes.clear();
    if (xml.empty())
        return true;
    BOOL bLost = FALSE;
    DWORD dwFlags = nCodePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    LPBOOL pbLost = nCodePage == CP_UTF8 ? NULL : &bLost;
    int nSize = static_cast<int>(xml.size());
    int nBytes = WideCharToMultiByte(nCodePage, dwFlags, xml.data(), nSize, NULL, 0, NULL, pbLost);
    if (nBytes <= 0 || bLost)
        return false;
    bytes.resize(static_cast<size_t>(nBytes));
    WideCharToMultiByte(nCodePage, dwFlags, xml.data(), nSize, &bytes[0], nBytes, NULL, NULL);
    return true;
}
}  // namespace

DWORD ReadSettingsBytes(const char* pszPath, std::string& bytes)
{
    bytes.clear();
    HANDLE hFile = INVALID_HANDLE_VALUE;
    for (int nTry = 0; nTry < 100; ++nTry) {
        hFile = CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile != INVALID_HANDLE_VALUE || !IsTransientShareError(GetLastError()))
            break;
        Sleep(10);
    }
    if (hFile == INVALID_HANDLE_VALUE)
        return GetLastError();

    DWORD dwError = ERROR_SUCCESS;
    char buffer[8192];
    DWORD dwRead = 0;
    while (dwError == ERROR_SUCCESS) {
        if (!ReadFile(hFile, buffer, sizeof(buffer), &dwRead, NULL))
            dwError = GetLastError();
        else if (dwRead == 0)
            break;
        else if (bytes.size() + dwRead > kMaxSettingsFileBytes)
            dwError = ERROR_FILE_TOO_LARGE;
        else
            bytes.append(buffer, dwRead);
    }
    CloseHandle(hFile);
    return dwError;
}

// The component reads UTF-16 and UCS-4 as well as single-byte text: with the
// zero bytes taken out, any of them shows "<!DOCTYPE" as plain text.
bool CarriesDocumentType(const std::string& bytes)
{
    std::string narrow;
    narrow.reserve(bytes.size());
    for (char ch : bytes)
        if (ch != '\0')
            narrow += ch;
    return narrow.find("<!DOCTYPE") != std::string::npos;
}

std::string EncodeDocumentText(const wchar_t* pwszXml, size_t nLen)
{
    std::wstring xml(pwszXml, nLen);
    size_t nAt = 0, nNameLen = 0;
    UINT nCodePage = DeclaredCodePage(xml, nAt, nNameLen);
    std::string bytes;
    if (nCodePage != 0 && Encode(xml, nCodePage, bytes))
        return bytes;
    if (FindDeclaredEncoding(xml, nAt, nNameLen))
        xml.replace(nAt, nNameLen, L"UTF-8");
    Encode(xml, CP_UTF8, bytes);
    return bytes;
}

std::wstring ValueToDocumentText(const std::wstring& value)
{
    std::wstring text(value);
    for (wchar_t& ch : text)
        if (IsControlXmlCannotHold(ch))
            ch = static_cast<wchar_t>(kControlStandIns + ch);
    return text;
}

std::wstring DocumentTextToValue(const std::wstring& text)
{
    std::wstring value(text);
    for (wchar_t& ch : value)
        if (ch > kControlStandIns && IsControlXmlCannotHold(static_cast<wchar_t>(ch - kControlStandIns)) &&
            ch < kControlStandIns + 0x20)
            ch = static_cast<wchar_t>(ch - kControlStandIns);
    return value;
}

}  // namespace replika
