#include "testsupport.h"

CTestApp theApp;

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
    };
    LPSTR saved = theApp.m_lpCmdLine;
    for (const auto& c : cases) {
        char szLine[512];
        lstrcpynA(szLine, c.line, sizeof szLine);
        theApp.m_lpCmdLine = szLine;
        CRecordingCmdLine info;
        theApp.ParseCommandLine(info);
        EXPECT_STREQ(c.params, info.params) << c.line;
    }
    theApp.m_lpCmdLine = saved;
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
        EndDialog(9);
        return TRUE;
    }
    CString m_caption;
};

}  // namespace

TEST(ResourceHandleTest, StringsAndDialogsComeFromTheResourceModule)
{
    HMODULE hDll = LoadLibraryA(qvtest::BesideExe("copy2.dll").c_str());
    ASSERT_NE(nullptr, hDll) << "copy2.dll beside the test";
    CString s("old");
    EXPECT_FALSE(s.LoadString(65000));
    EXPECT_TRUE(s.IsEmpty());
    AfxSetResourceHandle(GetModuleHandleA("ntdll.dll"));
    EXPECT_FALSE(s.LoadString(1114));
    EXPECT_EQ(-1, CPeekDlg().DoModal());

    AfxSetResourceHandle(hDll);
    EXPECT_TRUE(s.LoadString(1114));
    EXPECT_STREQ(s, CString(MAKEINTRESOURCEA(1114)));
    CPeekDlg status;
    EXPECT_EQ(9, status.DoModal());
    EXPECT_FALSE(status.m_caption.IsEmpty());

    AfxSetResourceHandle(AfxGetInstanceHandle());
    FreeLibrary(hDll);
    EXPECT_TRUE(s.LoadString(1114));
}

static VOID CALLBACK DestroyOnTimer(HWND hWnd, UINT, UINT_PTR, DWORD) { DestroyWindow(hWnd); }

TEST(AppRunTest, RunEndsThroughExitInstanceWhenInitFailsOrTheMainWindowGoes)
{
    EXPECT_EQ(&theApp, AfxGetApp());
    EXPECT_STREQ("test_framework", theApp.m_pszExeName);
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, "STATIC", "Main", WS_POPUP, 0, 0, 50, 30, NULL, NULL));
    // Destroyed from inside the loop, the main window posts the quit message.
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
            SetTimer(main.m_hWnd, 1, 1, DestroyOnTimer);
        EXPECT_EQ(0, AfxWinMain(GetModuleHandleA(NULL), NULL, NULL, SW_SHOWNORMAL));
        EXPECT_EQ(1, theApp.m_nInitCalls);
        EXPECT_EQ(1, theApp.m_nExitCalls);
        EXPECT_EQ(nullptr, theApp.m_pMainWnd);
    }
    EXPECT_EQ(nullptr, main.m_hWnd);
    theApp.m_bInitResult = TRUE;
    theApp.m_pWndForInit = nullptr;
}
