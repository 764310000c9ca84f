#include "settings/RKXML.h"

#include "framework/afxwin.h"
#include "log/RKLog.h"

#include <cstdio>
#include <cstring>
#include <string>

// libuuid declares these but does not define them.
extern "C" const CLSID CLSID_DOMDocument40 = {
    0x88d969c0, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
extern "C" const IID IID_IXMLDOMDocument2 = {
    0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

namespace replika {

namespace {
const char kSemaphoreName[] = "6E0B41D7-93A2-4F5C-B8E4-2C17D9A0F365_XMLFile_Replika";
const char kXslNamespaces[] = "xmlns:xsl='http://www.w3.org/1999/XSL/Transform'";
const size_t kErrorDumpSize = 256;

HANDLE s_hSemaphore = NULL;
int s_nSemaphoreUsers = 0;
CRKXML::ErrorDumpHandler s_pfnErrorDump = NULL;

template <typename T>
void SafeRelease(T*& p)
{
    if (p)
        p->Release();
    p = NULL;
}

// What a failed COM call tells: its status, the system's text for it, and the
// source and description the component may have left in the error object.
struct ComFailure
{
    HRESULT hr;
    char szMessage[256];
    char szSource[128];
    char szDescription[256];

    explicit ComFailure(HRESULT hrFailed);
};

void WideToAnsi(const wchar_t* pwsz, char* psz, size_t cch)
{
    if (cch > 0)
        lstrcpynA(psz, CString(pwsz), static_cast<int>(cch));
}

ComFailure::ComFailure(HRESULT hrFailed) : hr(hrFailed)
{
    szSource[0] = szDescription[0] = '\0';
    RKSystemMessageText(hr, szMessage, sizeof(szMessage));

    IErrorInfo* pInfo = NULL;
    if (GetErrorInfo(0, &pInfo) == S_OK && pInfo) {
        BSTR bstr = NULL;
        if (SUCCEEDED(pInfo->GetSource(&bstr)))
            WideToAnsi(bstr, szSource, sizeof(szSource));
        SysFreeString(bstr);
        bstr = NULL;
        if (SUCCEEDED(pInfo->GetDescription(&bstr)))
            WideToAnsi(bstr, szDescription, sizeof(szDescription));
        SysFreeString(bstr);
        pInfo->Release();
    }
}

void LogFailureWithCode(const char* pszOperation, const ComFailure& failure)
{
    g_pLog->LogError("%s - _com_error exception (hr: 0x%x = %s)", pszOperation, static_cast<unsigned>(failure.hr),
                     failure.szMessage);
}

void LogFailure(const char* pszOperation, const ComFailure& failure)
{
    g_pLog->LogError("%s - _com_error exception (%s)", pszOperation, failure.szMessage);
}

// Each piece is appended to the text built so far, within 255 characters.
void AppendDump(char* pszDump, const char* pszFormat, const char* pszValue)
{
    char szSoFar[kErrorDumpSize];
    lstrcpynA(szSoFar, pszDump, sizeof(szSoFar));
    snprintf(pszDump, kErrorDumpSize, pszFormat, szSoFar, pszValue);
}

void ShowErrorDump(const ComFailure& failure)
{
    char szDump[kErrorDumpSize];
    char szSoFar[kErrorDumpSize];
    snprintf(szDump, sizeof(szDump), "Error\n");
    lstrcpynA(szSoFar, szDump, sizeof(szSoFar));
    snprintf(szDump, sizeof(szDump), "%s\tCode = %08lx\n", szSoFar, static_cast<unsigned long>(failure.hr));
    AppendDump(szDump, "%s\tCode meaning = %s", failure.szMessage);
    AppendDump(szDump, "%s\n\tSource = %s\n", failure.szSource);
    AppendDump(szDump, "%s\tDescription = %s\n", failure.szDescription);

    if (s_pfnErrorDump)
        s_pfnErrorDump(szDump);
    else
        MessageBoxA(NULL, szDump, NULL, MB_OK);
}

class CBstr
{
public:
    explicit CBstr(const char* psz) : m_bstr(psz ? AfxAllocBstr(psz) : NULL) {}
    ~CBstr() { SysFreeString(m_bstr); }
    operator BSTR() const { return m_bstr; }
    bool Valid() const { return m_bstr != NULL; }
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;

private:
    BSTR m_bstr;
};

// A VARIANT holding a BSTR made from a narrow text.
class CBstrVariant
{
public:
    explicit CBstrVariant(const char* psz)
    {
        VariantInit(&m_var);
        if (psz) {
            m_var.vt = VT_BSTR;
            m_var.bstrVal = AfxAllocBstr(psz);
        }
    }
    ~CBstrVariant() { VariantClear(&m_var); }
    operator const VARIANT&() const { return m_var; }
    bool Valid() const { return m_var.vt == VT_BSTR && m_var.bstrVal; }
    CBstrVariant(const CBstrVariant&) = delete;
    CBstrVariant& operator=(const CBstrVariant&) = delete;

private:
    VARIANT m_var;
};

// A text node takes the value as its node value: the component's text setter
// escapes "&", "<" and non-ASCII characters a second time on text nodes.
HRESULT SetNodeText(IXMLDOMNode* pNode, const char* pszValue)
{
    CBstrVariant value(pszValue);
    if (!value.Valid())
        return E_OUTOFMEMORY;
    DOMNodeType nType = NODE_INVALID;
    HRESULT hr = pNode->get_nodeType(&nType);
    if (FAILED(hr))
        return hr;
    if (nType == NODE_TEXT || nType == NODE_CDATA_SECTION)
        return pNode->put_nodeValue(value);
    return pNode->put_text(static_cast<const VARIANT&>(value).bstrVal);
}

// The code page that writes the document as its declaration says it is
// encoded: UTF-8 without a declared encoding, 0 for one this code cannot write.
UINT CodePageOfDocument(const wchar_t* pwszXml)
{
    if (wcsncmp(pwszXml, L"<?xml", 5) != 0)
        return CP_UTF8;
    const wchar_t* pwszEnd = wcsstr(pwszXml, L"?>");
    const wchar_t* pwszEncoding = wcsstr(pwszXml, L"encoding");
    if (!pwszEnd || !pwszEncoding || pwszEncoding > pwszEnd)
        return CP_UTF8;
    const wchar_t* pwszQuote = wcspbrk(pwszEncoding, L"\"'");
    if (!pwszQuote || pwszQuote > pwszEnd)
        return 0;
    static const struct
    {
        const wchar_t* pwszName;
        UINT nCodePage;
    } kEncodings[] = {{L"UTF-8", CP_UTF8}, {L"US-ASCII", 20127}, {L"ISO-8859-1", 28591}, {L"windows-1252", 1252}};
    for (const auto& encoding : kEncodings) {
        size_t nNameLen = wcslen(encoding.pwszName);
        if (_wcsnicmp(pwszQuote + 1, encoding.pwszName, nNameLen) == 0 && pwszQuote[nNameLen + 1] == pwszQuote[0])
            return encoding.nCodePage;
    }
    return 0;
}

bool WriteWholeFile(const char* pszPath, const std::string& bytes)
{
    HANDLE hFile = CreateFileA(pszPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD dwWritten = 0;
    bool bOk =
        WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &dwWritten, NULL) && dwWritten == bytes.size();
    bOk = FlushFileBuffers(hFile) && bOk;
    bOk = CloseHandle(hFile) && bOk;
    return bOk;
}

bool IsTransientShareError(DWORD dwError)
{
    return dwError == ERROR_SHARING_VIOLATION || dwError == ERROR_ACCESS_DENIED || dwError == ERROR_LOCK_VIOLATION;
}

// The file is read whole and closed at once, sharing everything, so that a
// save in another process can replace it meanwhile; a replacement under way
// may refuse the open for a moment.
HRESULT OpenFileStream(const char* pszPath, IStream** ppStream)
{
    *ppStream = NULL;
    HANDLE hFile = INVALID_HANDLE_VALUE;
    for (int nTry = 0; nTry < 100; ++nTry) {
        hFile = CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile != INVALID_HANDLE_VALUE || !IsTransientShareError(GetLastError()))
            break;
        Sleep(10);
    }
    if (hFile == INVALID_HANDLE_VALUE)
        return HRESULT_FROM_WIN32(GetLastError());

    std::string bytes;
    char buffer[8192];
    DWORD dwRead = 0;
    bool bOk = true;
    while ((bOk = ReadFile(hFile, buffer, sizeof(buffer), &dwRead, NULL) != FALSE) && dwRead > 0)
        bytes.append(buffer, dwRead);
    DWORD dwError = GetLastError();
    CloseHandle(hFile);
    if (!bOk)
        return HRESULT_FROM_WIN32(dwError);

    IStream* pStream = NULL;
    HRESULT hr = CreateStreamOnHGlobal(NULL, TRUE, &pStream);
    if (SUCCEEDED(hr) && !bytes.empty())
        hr = pStream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), NULL);
    LARGE_INTEGER start = {};
    if (SUCCEEDED(hr))
        hr = pStream->Seek(start, STREAM_SEEK_SET, NULL);
    if (FAILED(hr)) {
        SafeRelease(pStream);
        return hr;
    }
    *ppStream = pStream;
    return S_OK;
}

// A fresh, empty file in the folder of pszTarget, so that the final move is a rename.
bool MakeTempFileBeside(const char* pszTarget, char* pszTemp)
{
    char szFolder[MAX_PATH];
    lstrcpynA(szFolder, pszTarget, sizeof(szFolder));
    char* pszSlash = strrchr(szFolder, '\\');
    char* pszForward = strrchr(szFolder, '/');
    if (pszForward && (!pszSlash || pszForward > pszSlash))
        pszSlash = pszForward;
    if (pszSlash)
        *pszSlash = '\0';
    else
        lstrcpynA(szFolder, ".", sizeof(szFolder));
    if (szFolder[0] == '\0')
        lstrcpynA(szFolder, "\\", sizeof(szFolder));
    return GetTempFileNameA(szFolder, "~rk", 0, pszTemp) != 0;
}

// Another process may have the old file open for a moment (it loads it
// outside the semaphore), so a refused rename is tried again for a while.
bool ReplaceWithTemp(const char* pszTemp, const char* pszTarget)
{
    DWORD dwAttributes = GetFileAttributesA(pszTarget);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    for (int nTry = 0; nTry < 200; ++nTry) {
        if (MoveFileExA(pszTemp, pszTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        if (!IsTransientShareError(GetLastError()))
            return false;
        Sleep(10);
    }
    return false;
}
}  // namespace

CRKXML::CRKXML()
    : m_pDocument(NULL),
      m_pSelection(NULL),
      m_pCurrentNode(NULL),
      m_bReadOnly(0),
      m_bComInitialized(false),
      m_bHoldsSemaphore(false)
{
    RKTraceEnter("CRKXML::CRKXML");
    m_szFileName[0] = '\0';

    m_bComInitialized = SUCCEEDED(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED));
    IUnknown* pUnknown = NULL;
    HRESULT hr =
        CoCreateInstance(CLSID_DOMDocument40, NULL, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&pUnknown));
    if (SUCCEEDED(hr))
        hr = OleRun(pUnknown);
    if (SUCCEEDED(hr))
        hr = pUnknown->QueryInterface(IID_IXMLDOMDocument2, reinterpret_cast<void**>(&m_pDocument));
    SafeRelease(pUnknown);
    if (FAILED(hr) || !m_pDocument) {
        SafeRelease(m_pDocument);
        g_pLog->LogError("%s", ComFailure(FAILED(hr) ? hr : E_NOINTERFACE).szMessage);
        return;
    }
    g_pLog->LogDetailedTrace("Created DOMDocument40 object");
    CreateSaveSemaphore();
}

void CRKXML::CreateSaveSemaphore()
{
    if (s_hSemaphore == NULL) {
        SECURITY_DESCRIPTOR sd;
        if (!InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION) ||
            !SetSecurityDescriptorDacl(&sd, TRUE, NULL, FALSE))
            return;
        SECURITY_ATTRIBUTES sa = {sizeof(sa), &sd, FALSE};
        s_hSemaphore = CreateSemaphoreA(&sa, 1, 1, kSemaphoreName);
        if (s_hSemaphore == NULL)
            return;
    }
    ++s_nSemaphoreUsers;
    m_bHoldsSemaphore = true;
    g_pLog->LogDetailedTrace("Created semaphore for XML class");
}

CRKXML::~CRKXML()
{
    if (m_bHoldsSemaphore && --s_nSemaphoreUsers == 0) {
        CloseHandle(s_hSemaphore);
        s_hSemaphore = NULL;
    }
    ReleaseReferences();
    if (m_bComInitialized)
        CoUninitialize();
}

void CRKXML::ReleaseReferences()
{
    SafeRelease(m_pCurrentNode);
    SafeRelease(m_pSelection);
    SafeRelease(m_pDocument);
}

HANDLE CRKXML::GetSaveSemaphore() { return s_hSemaphore; }

void CRKXML::SetErrorDumpHandler(ErrorDumpHandler pfnHandler) { s_pfnErrorDump = pfnHandler; }

int CRKXML::Load(const char* pszPath, int nMode)
{
    CRKTraceScope trace("CRKXML::Load");
    lstrcpynA(m_szFileName, pszPath ? pszPath : "", sizeof(m_szFileName));

    HRESULT hr = E_POINTER;
    if (m_pDocument) {
        hr = m_pDocument->put_async(VARIANT_FALSE);
        // Whitespace is kept so that a saved file keeps the layout it was loaded with.
        if (SUCCEEDED(hr))
            hr = m_pDocument->put_preserveWhiteSpace(VARIANT_TRUE);
    }
    if (FAILED(hr)) {
        ComFailure failure(hr);
        ShowErrorDump(failure);
        LogFailureWithCode("CRKXML::Load", failure);
        return 0;
    }
    if (!LoadFileContent()) {
        g_pLog->LogError("Could not load %s", m_szFileName);
        return 0;
    }

    g_pLog->LogDetailedTrace("Successfully loaded %s", m_szFileName);
    m_bReadOnly = (nMode == 1) ? 1 : 0;
    CBstr language("SelectionLanguage");
    CBstrVariant xpath("XPath");
    CBstr namespaces("SelectionNamespaces");
    CBstrVariant xsl(kXslNamespaces);
    hr = m_pDocument->setProperty(language, xpath);
    if (SUCCEEDED(hr))
        hr = m_pDocument->setProperty(namespaces, xsl);
    if (FAILED(hr)) {
        ComFailure failure(hr);
        ShowErrorDump(failure);
        LogFailureWithCode("CRKXML::Load", failure);
        return 0;
    }
    return 1;
}

int CRKXML::Select(const char* pszXPath)
{
    CRKTraceScope trace("CRKXML::Select");
    SafeRelease(m_pSelection);

    IXMLDOMElement* pRoot = NULL;
    HRESULT hr = m_pDocument ? m_pDocument->get_documentElement(&pRoot) : E_POINTER;
    if (SUCCEEDED(hr) && !pRoot)
        hr = E_POINTER;
    CBstr xpath(pszXPath ? pszXPath : "");
    if (SUCCEEDED(hr))
        hr = xpath.Valid() ? pRoot->selectNodes(xpath, &m_pSelection) : E_OUTOFMEMORY;
    SafeRelease(pRoot);

    long nCount = 0;
    if (SUCCEEDED(hr) && m_pSelection)
        hr = m_pSelection->get_length(&nCount);
    if (FAILED(hr)) {
        SafeRelease(m_pSelection);
        SafeRelease(m_pCurrentNode);
        LogFailure("CRKXML::Select", ComFailure(hr));
        return -1;
    }
    if (nCount < 1) {
        SafeRelease(m_pSelection);
        SafeRelease(m_pCurrentNode);
        return -1;
    }
    SafeRelease(m_pCurrentNode);
    hr = m_pSelection->get_item(0, &m_pCurrentNode);
    if (FAILED(hr)) {
        LogFailure("CRKXML::Select", ComFailure(hr));
        return -1;
    }
    return static_cast<int>(nCount);
}

int CRKXML::SelectByIndex(int nIndex)
{
    CRKTraceScope trace("CRKXML::SelectByIndex");
    long nCount = 0;
    HRESULT hr = m_pSelection ? m_pSelection->get_length(&nCount) : S_OK;
    if (SUCCEEDED(hr) && (nIndex < 0 || nIndex >= nCount)) {
        g_pLog->LogError("Index out of bounds");
        return 0;
    }
    IXMLDOMNode* pNode = NULL;
    if (SUCCEEDED(hr))
        hr = m_pSelection->get_item(nIndex, &pNode);
    if (FAILED(hr)) {
        LogFailureWithCode("CRKXML::SelectByIndex", ComFailure(hr));
        return 0;
    }
    if (!pNode)
        return 0;
    SafeRelease(m_pCurrentNode);
    m_pCurrentNode = pNode;
    return 1;
}

// The file's bytes go to the document as a stream; a file that cannot be
// read or parsed is a bad file, whatever status the parser gives for it.
bool CRKXML::LoadFileContent()
{
    IStream* pStream = NULL;
    HRESULT hr = OpenFileStream(m_szFileName, &pStream);
    if (FAILED(hr)) {
        g_pLog->LogDetailedTrace("%s", ComFailure(hr).szMessage);
        return false;
    }
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_UNKNOWN;
    source.punkVal = pStream;
    VARIANT_BOOL bLoaded = VARIANT_FALSE;
    hr = m_pDocument->load(source, &bLoaded);
    pStream->Release();
    if (SUCCEEDED(hr) && bLoaded == VARIANT_TRUE)
        return true;

    IXMLDOMParseError* pError = NULL;
    if (SUCCEEDED(m_pDocument->get_parseError(&pError)) && pError) {
        BSTR bstrReason = NULL;
        long nLine = 0;
        pError->get_line(&nLine);
        if (SUCCEEDED(pError->get_reason(&bstrReason)) && bstrReason) {
            char szReason[256];
            WideToAnsi(bstrReason, szReason, sizeof(szReason));
            g_pLog->LogDetailedTrace("Line %ld: %s", nLine, szReason);
        }
        SysFreeString(bstrReason);
        pError->Release();
    }
    if (FAILED(hr))
        g_pLog->LogDetailedTrace("%s", ComFailure(hr).szMessage);
    return false;
}

HRESULT CRKXML::FetchFirstSelected()
{
    if (m_pCurrentNode)
        return S_OK;
    if (!m_pSelection)
        return E_POINTER;
    HRESULT hr = m_pSelection->get_item(0, &m_pCurrentNode);
    if (SUCCEEDED(hr) && !m_pCurrentNode)
        hr = E_POINTER;
    return hr;
}

int CRKXML::GetCurrentNodeValue(char* pszValue, size_t cchValue)
{
    CRKTraceScope trace("CRKXML::GetCurrentNodeValue");
    if (!pszValue || cchValue == 0)
        return 0;
    pszValue[0] = '\0';
    HRESULT hr = FetchFirstSelected();
    BSTR bstrText = NULL;
    if (SUCCEEDED(hr))
        hr = m_pCurrentNode->get_text(&bstrText);
    if (FAILED(hr)) {
        LogFailureWithCode("CRKXML::GetCurrentNodeValue", ComFailure(hr));
        return 0;
    }
    WideToAnsi(bstrText, pszValue, cchValue);
    SysFreeString(bstrText);
    return 1;
}

int CRKXML::UpdateValue(const char* pszValue)
{
    CRKTraceScope trace("CRKXML::UpdateValue");
    if (m_bReadOnly) {
        g_pLog->LogError("File is readonly");
        return 0;
    }
    if (!m_pCurrentNode) {
        HRESULT hr = FetchFirstSelected();
        if (FAILED(hr)) {
            LogFailureWithCode("CRKXML::UpdateValue", ComFailure(hr));
            return 0;
        }
        g_pLog->LogDetailedTrace("Successfully updated the node");
    }
    IXMLDOMNode* pChild = NULL;
    HRESULT hr = m_pCurrentNode->get_firstChild(&pChild);
    if (SUCCEEDED(hr) && !pChild)
        hr = E_POINTER;  // an empty element has no text node to take the value
    if (SUCCEEDED(hr))
        hr = SetNodeText(pChild, pszValue ? pszValue : "");
    SafeRelease(pChild);
    if (FAILED(hr)) {
        LogFailure("CRKXML::UpdateValue", ComFailure(hr));
        return 0;
    }
    return 1;
}

// The bytes are the document's own text, so the layout it was loaded with
// (indentation, CR LF) stays. Only a document declaring an encoding that is
// not written here is left to the component's own encoder.
HRESULT CRKXML::WriteDocumentTo(const char* pszTempPath)
{
    BSTR bstrXml = NULL;
    HRESULT hr = m_pDocument->get_xml(&bstrXml);
    if (FAILED(hr))
        return hr;
    UINT nLen = SysStringLen(bstrXml);
    // The component ends the text with a line end the file never had.
    while (nLen > 0 && (bstrXml[nLen - 1] == L'\n' || bstrXml[nLen - 1] == L'\r'))
        --nLen;
    UINT nCodePage = nLen > 0 ? CodePageOfDocument(bstrXml) : 0;
    if (nCodePage == 0) {
        SysFreeString(bstrXml);
        CBstrVariant path(pszTempPath);
        return path.Valid() ? m_pDocument->save(path) : E_OUTOFMEMORY;
    }

    std::string bytes;
    int nBytes = WideCharToMultiByte(nCodePage, 0, bstrXml, static_cast<int>(nLen), NULL, 0, NULL, NULL);
    if (nBytes > 0) {
        bytes.resize(static_cast<size_t>(nBytes));
        WideCharToMultiByte(nCodePage, 0, bstrXml, static_cast<int>(nLen), &bytes[0], nBytes, NULL, NULL);
    }
    SysFreeString(bstrXml);
    if (bytes.empty())
        return E_UNEXPECTED;
    if (!WriteWholeFile(pszTempPath, bytes))
        return HRESULT_FROM_WIN32(GetLastError());
    return S_OK;
}

int CRKXML::SaveFile()
{
    CRKTraceScope trace("CRKXML::SaveFile");
    if (!m_pDocument) {
        LogFailureWithCode("CRKXML::SaveFile", ComFailure(E_POINTER));
        return 0;
    }
    char szTemp[MAX_PATH];
    if (m_szFileName[0] == '\0' || !MakeTempFileBeside(m_szFileName, szTemp)) {
        g_pLog->LogError("Error saving %s", m_szFileName);
        return 0;
    }
    HRESULT hr = WriteDocumentTo(szTemp);
    if (FAILED(hr)) {
        DeleteFileA(szTemp);
        g_pLog->LogError("Error saving %s", m_szFileName);
        LogFailureWithCode("CRKXML::SaveFile", ComFailure(hr));
        return 0;
    }
    if (!ReplaceWithTemp(szTemp, m_szFileName)) {
        DWORD dwError = GetLastError();
        DeleteFileA(szTemp);
        g_pLog->LogError("Error saving %s", m_szFileName);
        g_pLog->LogDetailedTrace("Replacing the file failed with error %lu", dwError);
        return 0;
    }
    g_pLog->LogDetailedTrace("Successfully saved %s", m_szFileName);
    return 1;
}

int CRKXML::Unload()
{
    CRKTraceScope trace("CRKXML::Unload");
    if (m_bComInitialized) {
        CoUninitialize();
        m_bComInitialized = false;
    }
    g_pLog->LogDetailedTrace("Unloaded the XML document");
    return 1;
}

}  // namespace replika
