// Shared by the framework tests: the application object and in-memory
// dialog templates, so no test depends on the program's own dialogs.
#pragma once
#include "framework/afxwin.h"

#include <vector>

class CTestApp : public CWinApp
{
public:
    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL ProcessMessageFilter(int code, LPMSG lpMsg) override;
    BOOL m_bInitResult = TRUE;
    CWnd* m_pWndForInit = nullptr;  // becomes the main window in InitInstance
    int m_nInitCalls = 0, m_nExitCalls = 0, m_nFilterCalls = 0, m_nLastFilterCode = -1;
};
extern CTestApp theApp;

// Builds a DLGTEMPLATE with its items in memory.
class DlgTemplate
{
public:
    DlgTemplate(short cx, short cy, const char* pszCaption, const char* pszFont = "MS Shell Dlg", WORD wPointSize = 8,
                DWORD dwStyle = WS_POPUP | WS_BORDER);
    void AddItem(const char* pszClass, const char* pszText, WORD wID, DWORD dwStyle, short x, short y, short cx,
                 short cy);
    LPCDLGTEMPLATE Get() const { return (LPCDLGTEMPLATE)m_words.data(); }

private:
    void PushDword(DWORD d);
    void PushString(const char* psz);
    void AlignDword();
    std::vector<WORD> m_words;
};

// The folder of the test executable, with a trailing backslash.
CString ExeFolder();
