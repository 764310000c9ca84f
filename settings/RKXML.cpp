// CRKXML: the document, its selection, and the value of the current element.
#include "settings/RKXML.h"

#include "log/RKLog.h"
#include "settings/DocumentBytes.h"
#include "settings/SaveLock.h"
#include "settings/XmlFailure.h"

#include <string>

// libuuid declares these but does not define them.
extern "C" const CLSID CLSID_DOMDocument40 = {
    0x88d969c0, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
extern "C" const IID IID_IXMLDOMDocument2 = {
    0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

namespace replika {

namespace {
bool IsXmlSpace(wchar_t ch) { return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n'; }

// The value as the document keeps it (settings/DocumentBytes.h).
HRESULT DocumentTextOf(const char* pszValue, CBstr& text)
{
    CBstr value(pszValue ? pszValue : "");
    if (!value.Valid())
        return E_OUTOFMEMORY;
    std::wstring kept = ValueToDocumentText(std::wstring(value, value.Length()));
    *&text = ::SysAllocStringLen(kept.data(), static_cast<UINT>(kept.size()));
    return text.Valid() ? S_OK : E_OUTOFMEMORY;
}
}  // namespace

CRKXML::CRKXML() : m_bReadOnly(0), m_bComInitialized(false), m_bHoldsSaveLock(false)
{
    RKTraceEnter("CRKXML::CRKXML");
    m_szFileName[0] = '\0';

    m_bComInitialized = SUCCEEDED(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED));
    CComPtr<IUnknown> unknown;
    HRESULT hr = unknown.CoCreateInstance(CLSID_DOMDocument40, IID_IUnknown, CLSCTX_ALL);
    if (SUCCEEDED(hr))
        hr = OleRun(unknown.Get());
    if (SUCCEEDED(hr))
        hr = unknown.QueryInterface(IID_IXMLDOMDocument2, m_document);
    if (FAILED(hr) || !m_document) {
        m_document.Release();
        g_pLog->LogError("%s", ComFailure(FAILED(hr) ? hr : E_NOINTERFACE).szMessage);
        return;
    }
    g_pLog->LogDetailedTrace("Created DOMDocument40 object");
    m_bHoldsSaveLock = OpenSaveLock();
    if (m_bHoldsSaveLock)
        g_pLog->LogDetailedTrace("Created semaphore for XML class");
}

CRKXML::~CRKXML()
{
    if (m_bHoldsSaveLock)
        CloseSaveLock();
    m_currentNode.Release();
    m_selection.clear();
    m_index.Clear();
    m_document.Release();
    if (m_bComInitialized)
        CoUninitialize();
}

HANDLE CRKXML::GetSaveSemaphore() { return SaveSemaphore(); }

void CRKXML::SetErrorDumpHandler(ErrorDumpHandler pfnHandler) { SetErrorDumpHandlerOf(pfnHandler); }

// Paths of plain names are found through the index; anything else goes to the component's XPath.
int CRKXML::Select(const char* pszXPath)
{
    CRKTraceScope trace("CRKXML::Select");
    m_selection.clear();
    m_currentNode.Release();

    const char* pszPath = pszXPath ? pszXPath : "";
    CComPtr<IXMLDOMElement> root;
    HRESULT hr = m_document ? m_document->get_documentElement(&root) : E_POINTER;
    if (SUCCEEDED(hr) && !root)
        hr = E_POINTER;
    if (SUCCEEDED(hr))
        hr = CElementIndex::Answers(pszPath) ? m_index.Find(root.Get(), pszPath, m_selection)
                                             : SelectByXPath(root.Get(), pszPath);
    if (FAILED(hr))
        LogFailure("CRKXML::Select", ComFailure(hr));
    if (FAILED(hr) || m_selection.empty()) {
        m_selection.clear();
        return -1;
    }
    m_currentNode = m_selection[0];
    return static_cast<int>(m_selection.size());
}

HRESULT CRKXML::SelectByXPath(IXMLDOMElement* pRoot, const char* pszXPath)
{
    CBstr xpath(pszXPath);
    CComPtr<IXMLDOMNodeList> list;
    HRESULT hr = xpath.Valid() ? pRoot->selectNodes(xpath, &list) : E_OUTOFMEMORY;
    long nCount = 0;
    if (SUCCEEDED(hr) && list)
        hr = list->get_length(&nCount);
    for (long i = 0; SUCCEEDED(hr) && i < nCount; ++i) {
        CComPtr<IXMLDOMNode> node;
        hr = list->get_item(i, &node);
        if (SUCCEEDED(hr) && node)
            m_selection.push_back(node);
    }
    return hr;
}

int CRKXML::SelectByIndex(int nIndex)
{
    CRKTraceScope trace("CRKXML::SelectByIndex");
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_selection.size()) {
        g_pLog->LogError("Index out of bounds");
        return 0;
    }
    m_currentNode = m_selection[static_cast<size_t>(nIndex)];
    return 1;
}

HRESULT CRKXML::FetchFirstSelected()
{
    if (m_currentNode)
        return S_OK;
    if (m_selection.empty())
        return E_POINTER;
    m_currentNode = m_selection[0];
    return S_OK;
}

// The document keeps white space for the sake of the layout; a value is read
// as the component reads it by default, without the white space around it.
int CRKXML::GetCurrentNodeValue(char* pszValue, size_t cchValue)
{
    CRKTraceScope trace("CRKXML::GetCurrentNodeValue");
    if (!pszValue || cchValue == 0)
        return 0;
    pszValue[0] = '\0';
    HRESULT hr = FetchFirstSelected();
    CBstr text;
    if (SUCCEEDED(hr))
        hr = m_currentNode->get_text(&text);
    if (FAILED(hr)) {
        LogFailureWithCode("CRKXML::GetCurrentNodeValue", ComFailure(hr));
        return 0;
    }
    const wchar_t* pwszText = text.Valid() ? static_cast<BSTR>(text) : L"";
    size_t nLen = text.Length();
    while (nLen > 0 && IsXmlSpace(pwszText[0]))
        ++pwszText, --nLen;
    while (nLen > 0 && IsXmlSpace(pwszText[nLen - 1]))
        --nLen;
    WideToAnsi(DocumentTextToValue(std::wstring(pwszText, nLen)).c_str(), pszValue, cchValue);
    return 1;
}

// Comments, child elements and other text of the element go too, so that it
// reads back as exactly the value. An empty element has nothing to replace.
HRESULT CRKXML::ReplaceContent(const char* pszValue)
{
    CComPtr<IXMLDOMNode> child;
    HRESULT hr = m_currentNode->get_firstChild(&child);
    if (SUCCEEDED(hr) && !child)
        return E_POINTER;
    CBstr value;
    if (SUCCEEDED(hr))
        hr = DocumentTextOf(pszValue, value);
    CComPtr<IXMLDOMText> text;
    if (SUCCEEDED(hr))
        hr = m_document->createTextNode(value, &text);
    while (SUCCEEDED(hr) && child) {
        CComPtr<IXMLDOMNode> removed;
        hr = m_currentNode->removeChild(child.Get(), &removed);
        if (SUCCEEDED(hr))
            hr = m_currentNode->get_firstChild(&child);
    }
    CComPtr<IXMLDOMNode> added;
    if (SUCCEEDED(hr))
        hr = m_currentNode->appendChild(text.Get(), &added);
    return hr;
}

int CRKXML::UpdateValue(const char* pszValue)
{
    CRKTraceScope trace("CRKXML::UpdateValue");
    if (m_bReadOnly) {
        g_pLog->LogError("File is readonly");
        return 0;
    }
    if (!m_currentNode) {
        HRESULT hr = FetchFirstSelected();
        if (FAILED(hr)) {
            LogFailureWithCode("CRKXML::UpdateValue", ComFailure(hr));
            return 0;
        }
        g_pLog->LogDetailedTrace("Successfully updated the node");
    }
    HRESULT hr = ReplaceContent(pszValue);
    if (FAILED(hr)) {
        LogFailure("CRKXML::UpdateValue", ComFailure(hr));
        return 0;
    }
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
