// CRKXML: one MSXML 4.0 document loaded from a settings file, with a selection
// of elements and a current element to read or replace, saved back to its file.
// Also opens the process-wide lock that serialises settings-file saves
// between processes (settings/SaveLock.h).
#pragma once

#include "framework/afxcore.h"  // before afxcom.h, which needs AFXAPI
#include "framework/afxcom.h"
#include "settings/ElementIndex.h"

#include <windows.h>
#include <msxml2.h>

#include <cstddef>
#include <string>

namespace replika {

class CRKXML
{
public:
    CRKXML();
    virtual ~CRKXML();

    // nMode 1 loads read-only (UpdateValue refuses); anything else is writable.
    // Files over 1 MiB and files declaring a document type are refused.
    int Load(const char* pszPath, int nMode);
    // A writable document from the bytes of a whole file, to be saved as pszPath.
    int LoadDocument(const std::string& bytes, const char* pszPath);
    // XPath relative to the root element; the number of matches, or -1 when none.
    int Select(const char* pszXPath);
    int SelectByIndex(int nIndex);
    // The current element's text without the white space around it, cut to
    // cchValue - 1 characters.
    int GetCurrentNodeValue(char* pszValue, size_t cchValue);
    template <size_t N>
    int GetCurrentNodeValue(char (&szValue)[N])
    {
        return GetCurrentNodeValue(szValue, N);
    }
    // Leaves the current element holding exactly this text; an empty element is refused.
    int UpdateValue(const char* pszValue);
    // Replaces the file as a whole, in the encoding its declaration names.
    int SaveFile();
    int Unload();

    // The settings-file semaphore, or NULL when none could be made.
    static HANDLE GetSaveSemaphore();

    // The error dump is shown in a message box unless a handler takes it
    // (tests and unattended runs install one).
    typedef void (*ErrorDumpHandler)(const char* pszText);
    static void SetErrorDumpHandler(ErrorDumpHandler pfnHandler);

    CRKXML(const CRKXML&) = delete;
    CRKXML& operator=(const CRKXML&) = delete;

private:
    int LoadFrom(const char* pszPath, int nMode, const std::string* pBytes);
    bool LoadFileContent();
    bool ParseBytes(const std::string& bytes);
    void LogParseError();
    int FailLoad(HRESULT hr);
    HRESULT FetchFirstSelected();
    HRESULT SelectByXPath(IXMLDOMElement* pRoot, const char* pszXPath);
    HRESULT ReplaceContent(const char* pszValue);

    char m_szFileName[MAX_PATH];
    CComPtr<IXMLDOMDocument2> m_document;
    CElementIndex m_index;
    NodeSet m_selection;
    CComPtr<IXMLDOMNode> m_currentNode;
    BYTE m_bReadOnly;
    bool m_bComInitialized;
    bool m_bHoldsSaveLock;
};

}  // namespace replika
