#include <gtest/gtest.h>

#include "testsupport.h"

namespace {

// Renders what the parser reported: "-" before flags, "$" after the last parameter.
class CRecordingCmdLine : public CCommandLineInfo
{
public:
    void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override
    {
        if (!params.IsEmpty())
            params += '|';
        params += CString(bFlag ? "-" : "") + pszParam + (bLast ? "$" : "");
    }
    CString params;
};

CString Parse(const char* pszCmdLine)
{
    LPSTR saved = theApp.m_lpCmdLine;
    char szLine[512];
    lstrcpynA(szLine, pszCmdLine, sizeof szLine);
    theApp.m_lpCmdLine = szLine;
    CRecordingCmdLine info;
    theApp.ParseCommandLine(info);
    theApp.m_lpCmdLine = saved;
    return info.params;
}

}  // namespace

TEST(CommandLineTest, FlagsQuotesAndBackslashesFollowTheRuntimeRules)
{
    const struct
    {
        const char* line;
        const char* params;
    } cases[] = {
        {"-CtxID \"#QV#Model 5#1234\" /n  -ctxid", "-CtxID|#QV#Model 5#1234|-n|-ctxid$"},
        {"a\\\\\"b c\" d\\\"e f\\g \"\"", "a\\b c|d\"e|f\\g|$"},
        {"   ", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_STREQ(c.params, Parse(c.line));
    }
    CCommandLineInfo info;
    info.ParseParam("n", TRUE, FALSE);
    info.ParseParam("first.txt", FALSE, FALSE);
    info.ParseParam("second.txt", FALSE, TRUE);
    EXPECT_STREQ("first.txt", info.m_strFileName);
}

TEST(ExceptionTest, ThrownAsPointersAndTurnedIntoResults)
{
    try {
        AfxThrowOleException(E_NOINTERFACE);
        FAIL();
    } catch (CException* e) {
        COleException* ole = dynamic_cast<COleException*>(e);
        ASSERT_NE(nullptr, ole);
        EXPECT_EQ(E_NOINTERFACE, ole->m_sc);
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
        EXPECT_FALSE(e->IsKindOf(RUNTIME_CLASS(CMemoryException)));
        EXPECT_EQ(E_NOINTERFACE, COleException::Process(e));
        char szText[8];
        EXPECT_TRUE(e->GetErrorMessage(szText, sizeof szText));
        EXPECT_LT(strlen(szText), sizeof szText);
        e->Delete();
    }
    try {
        AfxThrowMemoryException();
        FAIL();
    } catch (CMemoryException* e) {
        char szText[64];
        UINT nHelp = 99;
        EXPECT_TRUE(e->GetErrorMessage(szText, sizeof szText, &nHelp));
        EXPECT_EQ(0u, nHelp);
        EXPECT_EQ(E_OUTOFMEMORY, COleException::Process(e));
        e->Delete();
    }
}

namespace {

// Ends before it is shown; notes what the template gave it.
class CPeekDlg : public CDialog
{
public:
    CPeekDlg() : CDialog(137u) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        GetWindowText(m_caption);
        CWnd* pIcon = GetDlgItem(1042);
        m_bIconLoaded = pIcon && pIcon->SendMessage(STM_GETICON) != 0;
        EndDialog(9);
        return TRUE;
    }
    CString m_caption;
    BOOL m_bIconLoaded = FALSE;
};

}  // namespace

TEST(ResourceHandleTest, StringsDialogsAndIconsComeFromTheResourceLibrary)
{
    HMODULE hDll = LoadLibraryA(ExeFolder() + "copy2.dll");
    ASSERT_NE(nullptr, hDll) << "copy2.dll beside the test";
    CString s("old");
    EXPECT_TRUE(s.LoadString(1114));  // from the executable
    EXPECT_STREQ("QV Copy:", CString(MAKEINTRESOURCEA(1114)));
    EXPECT_FALSE(s.LoadString(65000));
    EXPECT_TRUE(s.IsEmpty());
    AfxSetResourceHandle(GetModuleHandleA("ntdll.dll"));
    EXPECT_FALSE(s.LoadString(1114));
    EXPECT_EQ(-1, CPeekDlg().DoModal());

    AfxSetResourceHandle(hDll);
    EXPECT_EQ(hDll, AfxGetResourceHandle());
    EXPECT_TRUE(s.LoadString(1114));
    EXPECT_STREQ("QV Copy:", s);
    CPeekDlg status;
    EXPECT_EQ(9, status.DoModal());
    EXPECT_STREQ("QV Copy", status.m_caption);
    EXPECT_TRUE(status.m_bIconLoaded);

    AfxSetResourceHandle(AfxGetInstanceHandle());
    FreeLibrary(hDll);
    EXPECT_TRUE(s.LoadString(1114));
    EXPECT_EQ(9, CPeekDlg().DoModal());
}

TEST(AppRunTest, RunEndsThroughExitInstanceWhenInitFailsOrTheMainWindowGoes)
{
    EXPECT_EQ(&theApp, AfxGetApp());
    EXPECT_EQ(&theApp, AfxGetThread());
    EXPECT_STREQ("test_framework", theApp.m_pszExeName);
    DlgTemplate t(50, 30, "Main");
    CDialog main;
    ASSERT_TRUE(main.CreateIndirect(t.Get()));
    // Destroyed from inside the loop, the main window posts the quit message.
    struct Destroyer
    {
        static VOID CALLBACK Fire(HWND hWnd, UINT, UINT_PTR id, DWORD)
        {
            KillTimer(hWnd, id);
            DestroyWindow(hWnd);
        }
    };
    const struct
    {
        BOOL bInitResult;
        CWnd* pMainWnd;
    } runs[] = {{FALSE, nullptr}, {TRUE, nullptr}, {TRUE, &main}};
    for (const auto& run : runs) {
        SCOPED_TRACE(&run - runs);
        theApp.m_nInitCalls = theApp.m_nExitCalls = 0;
        theApp.m_msgCur.wParam = 0;
        theApp.m_bInitResult = run.bInitResult;
        theApp.m_pWndForInit = run.pMainWnd;
        if (run.pMainWnd)
            SetTimer(main.m_hWnd, 1, 1, &Destroyer::Fire);
        EXPECT_EQ(0, AfxWinMain(GetModuleHandleA(NULL), NULL, NULL, SW_SHOWNORMAL));
        EXPECT_EQ(1, theApp.m_nInitCalls);
        EXPECT_EQ(1, theApp.m_nExitCalls);
        EXPECT_EQ(nullptr, theApp.m_pMainWnd);
    }
    EXPECT_EQ(nullptr, main.m_hWnd);
    theApp.m_bInitResult = TRUE;
    theApp.m_pWndForInit = nullptr;
}
