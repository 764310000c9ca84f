// CRKXML's way in and out of the file: loading it (refusing what is no
// settings file) and saving the document back to it.
#include "settings/RKXML.h"

#include "log/RKLog.h"
#include "settings/DocumentBytes.h"
#include "settings/FileReplace.h"
#include "settings/XmlFailure.h"

#include <string>

namespace replika {

namespace {
const char kXslNamespaces[] = "xmlns:xsl='http://www.w3.org/1999/XSL/Transform'";

// A VARIANT that lends a BSTR or an object to a call; the caller keeps ownership.
VARIANT Lent(BSTR bstr)
{
    VARIANT var;
    VariantInit(&var);
    var.vt = VT_BSTR;
    var.bstrVal = bstr;
    return var;
}

VARIANT Lent(IUnknown* pUnknown)
{
    VARIANT var;
    VariantInit(&var);
    var.vt = VT_UNKNOWN;
    var.punkVal = pUnknown;
    return var;
}

HRESULT StreamOf(const std::string& bytes, CComPtr<IStream>& stream)
{
    HRESULT hr = CreateStreamOnHGlobal(NULL, TRUE, &stream);
    if (SUCCEEDED(hr) && !bytes.empty())
        hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), NULL);
    LARGE_INTEGER start = {};
    if (SUCCEEDED(hr))
        hr = stream->Seek(start, STREAM_SEEK_SET, NULL);
    return hr;
}
}  // namespace

int CRKXML::FailLoad(HRESULT hr)
{
    ComFailure failure(hr);
    ShowErrorDump(failure);
    LogFailureWithCode("CRKXML::Load", failure);
    return 0;
}

int CRKXML::Load(const char* pszPath, int nMode)
{
    CRKTraceScope trace("CRKXML::Load");
    return LoadFrom(pszPath, nMode, nullptr);
}

int CRKXML::LoadDocument(const std::string& bytes, const char* pszPath)
{
    CRKTraceScope trace("CRKXML::Load");
    return LoadFrom(pszPath, 0, &bytes);
}

int CRKXML::LoadFrom(const char* pszPath, int nMode, const std::string* pBytes)
{
    m_index.Clear();
    m_selection.clear();
    m_currentNode.Release();
    lstrcpynA(m_szFileName, pszPath ? pszPath : "", sizeof(m_szFileName));

    HRESULT hr = m_document ? m_document->put_async(VARIANT_FALSE) : E_POINTER;
    // Whitespace is kept so that a saved file keeps the layout it was loaded with.
    if (SUCCEEDED(hr))
        hr = m_document->put_preserveWhiteSpace(VARIANT_TRUE);
    if (SUCCEEDED(hr))
        hr = m_document->put_resolveExternals(VARIANT_FALSE);
    if (SUCCEEDED(hr))
        hr = m_document->put_validateOnParse(VARIANT_FALSE);
    if (FAILED(hr))
        return FailLoad(hr);
    if (pBytes ? !ParseBytes(*pBytes) : !LoadFileContent()) {
        g_pLog->LogError("Could not load %s", m_szFileName);
        return 0;
    }

    g_pLog->LogDetailedTrace("Successfully loaded %s", m_szFileName);
    m_bReadOnly = (nMode == 1) ? 1 : 0;
    CBstr language("SelectionLanguage"), xpath("XPath"), namespaces("SelectionNamespaces"), xsl(kXslNamespaces);
    hr = m_document->setProperty(language, Lent(xpath));
    if (SUCCEEDED(hr))
        hr = m_document->setProperty(namespaces, Lent(xsl));
    return SUCCEEDED(hr) ? 1 : FailLoad(hr);
}

// The file's bytes go to the document as a stream; a file that cannot be
// read or parsed is a bad file, whatever status the parser gives for it.
bool CRKXML::LoadFileContent()
{
    std::string bytes;
    DWORD dwError = ReadSettingsBytes(m_szFileName, bytes);
    if (dwError == ERROR_FILE_TOO_LARGE) {
        g_pLog->LogError("%s is larger than %lu bytes: no settings file, refused", m_szFileName,
                         static_cast<unsigned long>(kMaxSettingsFileBytes));
        return false;
    }
    if (dwError != ERROR_SUCCESS) {
        g_pLog->LogDetailedTrace("%s", ComFailure(HRESULT_FROM_WIN32(dwError)).szMessage);
        return false;
    }
    return ParseBytes(bytes);
}

bool CRKXML::ParseBytes(const std::string& bytes)
{
    if (CarriesDocumentType(bytes)) {
        g_pLog->LogError("%s declares a document type: no settings file, refused", m_szFileName);
        return false;
    }
    CComPtr<IStream> stream;
    HRESULT hr = StreamOf(bytes, stream);
    VARIANT_BOOL bLoaded = VARIANT_FALSE;
    if (SUCCEEDED(hr))
        hr = m_document->load(Lent(stream.Get()), &bLoaded);
    if (SUCCEEDED(hr) && bLoaded == VARIANT_TRUE) {
        // The bytes were checked; this catches an encoding that hid the declaration from that check.
        CComPtr<IXMLDOMDocumentType> type;
        if (FAILED(m_document->get_doctype(&type)) || !type)
            return true;
        g_pLog->LogError("%s declares a document type: no settings file, refused", m_szFileName);
        return false;
    }
    LogParseError();
    if (FAILED(hr))
        g_pLog->LogDetailedTrace("%s", ComFailure(hr).szMessage);
    return false;
}

void CRKXML::LogParseError()
{
    CComPtr<IXMLDOMParseError> error;
    CBstr reason;
    long nLine = 0;
    if (FAILED(m_document->get_parseError(&error)) || !error || FAILED(error->get_reason(&reason)) || !reason)
        return;
    error->get_line(&nLine);
    char szReason[256];
    WideToAnsi(reason, szReason, sizeof(szReason));
    g_pLog->LogDetailedTrace("Line %ld: %s", nLine, szReason);
}

// The bytes are the document's own text, so the layout it was loaded with
// (indentation, CR LF) stays.
int CRKXML::SaveFile()
{
    CRKTraceScope trace("CRKXML::SaveFile");
    CBstr xml;
    HRESULT hr = m_document ? m_document->get_xml(&xml) : E_POINTER;
    const wchar_t* pwszXml = xml;
    UINT nLen = xml.Length();
    // The component ends the text with a line end the file never had.
    while (nLen > 0 && (pwszXml[nLen - 1] == L'\n' || pwszXml[nLen - 1] == L'\r'))
        --nLen;
    DWORD dwError = ERROR_INVALID_DATA;
    if (SUCCEEDED(hr) && nLen > 0 && m_szFileName[0] != '\0')
        dwError = ReplaceFileWhole(m_szFileName, EncodeDocumentText(pwszXml, nLen));
    if (dwError != ERROR_SUCCESS) {
        g_pLog->LogError("Error saving %s", m_szFileName);
        if (FAILED(hr))
            LogFailureWithCode("CRKXML::SaveFile", ComFailure(hr));
        else
            g_pLog->LogDetailedTrace("Replacing the file failed with error %lu", dwError);
        return 0;
    }
    g_pLog->LogDetailedTrace("Successfully saved %s", m_szFileName);
    return 1;
}

}  // namespace replika
