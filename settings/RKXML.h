// CRKXML: one MSXML 4.0 document loaded from a settings file, with a selection
// of elements and a current element to read or replace, saved back to its file.
// Also owns the process-wide semaphore that serialises settings-file saves
// between processes.
#pragma once

#include <windows.h>
#include <msxml2.h>
#include <cstddef>

namespace replika {

class CRKXML
{
public:
    CRKXML();
    virtual ~CRKXML();

    // nMode 1 loads read-only (UpdateValue refuses); anything else is writable.
    int Load(const char* pszPath, int nMode);
    // XPath relative to the root element; the number of matches, or -1 when none.
    int Select(const char* pszXPath);
    int SelectByIndex(int nIndex);
    // Copies the current element's text into the buffer, cut to cchValue - 1 characters.
    int GetCurrentNodeValue(char* pszValue, size_t cchValue);
    template <size_t N>
    int GetCurrentNodeValue(char (&szValue)[N])
    {
        return GetCurrentNodeValue(szValue, N);
    }
    int UpdateValue(const char* pszValue);
    // Replaces the file as a whole: the old content stays until the new one is complete.
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
    bool LoadFileContent();
    HRESULT FetchFirstSelected();
    HRESULT WriteDocumentTo(const char* pszTempPath);
    void CreateSaveSemaphore();
    void ReleaseReferences();

    char m_szFileName[MAX_PATH];
    IXMLDOMDocument2* m_pDocument;
    IXMLDOMNodeList* m_pSelection;
    IXMLDOMNode* m_pCurrentNode;
    BYTE m_bReadOnly;
    bool m_bComInitialized;
    bool m_bHoldsSemaphore;
};

}  // namespace replika
