#include <gtest/gtest.h>

#include "testsupport.h"

namespace {

struct Param {
    CString text;
    BOOL bFlag;
    BOOL bLast;
};

class CRecordingCmdLine : public CCommandLineInfo {
public:
    void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override {
        params.push_back(Param{pszParam, bFlag, bLast});
    }
    std::vector<Param> params;
};

std::vector<Param> Parse(const char* pszCmdLine) {
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

TEST(CommandLineTest, FlagsLoseTheirFirstCharacter) {
    auto params = Parse("-CtxID \"#QV#Model 5#1234\" /n  -ctxid");
    ASSERT_EQ(4u, params.size());
    EXPECT_STREQ("CtxID", params[0].text);
    EXPECT_TRUE(params[0].bFlag);
    EXPECT_STREQ("#QV#Model 5#1234", params[1].text);
    EXPECT_FALSE(params[1].bFlag);
    EXPECT_STREQ("n", params[2].text);
    EXPECT_TRUE(params[2].bFlag);
    EXPECT_STREQ("ctxid", params[3].text);
    EXPECT_TRUE(params[3].bLast);
    EXPECT_FALSE(params[2].bLast);
}

TEST(CommandLineTest, QuotesAndBackslashesFollowTheRuntimeRules) {
    auto params = Parse("a\\\\\"b c\" d\\\"e f\\g \"\"");
    ASSERT_EQ(4u, params.size());
    EXPECT_STREQ("a\\b c", params[0].text);
    EXPECT_STREQ("d\"e", params[1].text);
    EXPECT_STREQ("f\\g", params[2].text);
    EXPECT_STREQ("", params[3].text);
    EXPECT_TRUE(Parse("   ").empty());
    EXPECT_TRUE(Parse("").empty());
}

TEST(CommandLineTest, BaseInfoKeepsTheFirstFileName) {
    CCommandLineInfo info;
    info.ParseParam("n", TRUE, FALSE);
    info.ParseParam("first.txt", FALSE, FALSE);
    info.ParseParam("second.txt", FALSE, TRUE);
    EXPECT_STREQ("first.txt", info.m_strFileName);
}

TEST(AppTest, ApplicationObjectIsGlobal) {
    EXPECT_EQ(&theApp, AfxGetApp());
    EXPECT_EQ(&theApp, AfxGetThread());
    EXPECT_EQ(GetModuleHandleA(NULL), AfxGetInstanceHandle());
    EXPECT_STREQ("test_framework", theApp.m_pszExeName);
    EXPECT_EQ(nullptr, AfxGetMainWnd());
}

TEST(ExceptionTest, ThrownAsPointersAndDeleted) {
    try {
        AfxThrowOleException(E_NOINTERFACE);
        FAIL();
    } catch (CException* e) {
        COleException* ole = dynamic_cast<COleException*>(e);
        ASSERT_NE(nullptr, ole);
        EXPECT_EQ(E_NOINTERFACE, ole->m_sc);
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(COleException)));
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

TEST(ResourceHandleTest, StringsComeFromTheResourceLibrary) {
    CString dllPath = ExeFolder() + "copy2.dll";
    HMODULE hDll = LoadLibraryA(dllPath);
    ASSERT_NE(nullptr, hDll) << "copy2.dll beside the test";
    HINSTANCE hNoStrings = GetModuleHandleA("ntdll.dll");
    ASSERT_NE(nullptr, hNoStrings);

    AfxSetResourceHandle(hNoStrings);
    CString s;
    EXPECT_FALSE(s.LoadString(1114));
    AfxSetResourceHandle(hDll);
    EXPECT_EQ(hDll, AfxGetResourceHandle());
    EXPECT_TRUE(s.LoadString(1114));
    EXPECT_STREQ("QV Copy:", s);

    AfxSetResourceHandle(AfxGetInstanceHandle());
    FreeLibrary(hDll);
    EXPECT_EQ(AfxGetInstanceHandle(), AfxGetResourceHandle());
    EXPECT_TRUE(s.LoadString(1114));
}

namespace {

void DrainQueue() {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

struct AppRunState {
    AppRunState() {
        theApp.m_nInitCalls = theApp.m_nExitCalls = 0;
        theApp.m_msgCur.wParam = 0;
    }
    ~AppRunState() {
        theApp.m_bInitResult = TRUE;
        theApp.m_pWndForInit = nullptr;
        theApp.m_pMainWnd = nullptr;
        DrainQueue();
    }
};

}  // namespace

TEST(AppRunTest, FailedInitSkipsTheLoopButExits) {
    AppRunState state;
    theApp.m_bInitResult = FALSE;
    EXPECT_EQ(0, AfxWinMain(GetModuleHandleA(NULL), NULL, NULL, SW_SHOWNORMAL));
    EXPECT_EQ(1, theApp.m_nInitCalls);
    EXPECT_EQ(1, theApp.m_nExitCalls);
}

TEST(AppRunTest, WithoutMainWindowTheLoopEndsAtOnce) {
    AppRunState state;
    EXPECT_EQ(0, AfxWinMain(GetModuleHandleA(NULL), NULL, NULL, SW_SHOWNORMAL));
    EXPECT_EQ(1, theApp.m_nInitCalls);
    EXPECT_EQ(1, theApp.m_nExitCalls);
}

TEST(AppRunTest, DestroyingTheMainWindowEndsTheLoop) {
    AppRunState state;
    DlgTemplate t(50, 30, "Main");
    CDialog main;
    ASSERT_TRUE(main.CreateIndirect(t.Get()));
    theApp.m_pWndForInit = &main;
    // Destroying it from inside the loop posts the quit message.
    struct Destroyer {
        static VOID CALLBACK Fire(HWND hWnd, UINT, UINT_PTR id, DWORD) {
            KillTimer(hWnd, id);
            DestroyWindow(hWnd);
        }
    };
    SetTimer(main.m_hWnd, 1, 1, &Destroyer::Fire);
    EXPECT_EQ(0, AfxWinMain(GetModuleHandleA(NULL), NULL, NULL, SW_SHOWNORMAL));
    EXPECT_EQ(nullptr, main.m_hWnd);
    EXPECT_EQ(nullptr, theApp.m_pMainWnd);
    EXPECT_EQ(1, theApp.m_nExitCalls);
}

namespace {

// Ends before it is shown; notes what the template gave it.
class CPeekDlg : public CDialog {
public:
    explicit CPeekDlg(UINT nIDTemplate) : CDialog(nIDTemplate) {}
    BOOL OnInitDialog() override {
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

TEST(ResourceHandleTest, DialogTemplatesAndTheirIconsComeFromTheResourceLibrary) {
    HMODULE hDll = LoadLibraryA(ExeFolder() + "copy2.dll");
    ASSERT_NE(nullptr, hDll);
    AfxSetResourceHandle(GetModuleHandleA("ntdll.dll"));
    CPeekDlg missing(137);
    EXPECT_EQ(-1, missing.DoModal());

    AfxSetResourceHandle(hDll);
    CPeekDlg status(137);
    EXPECT_EQ(9, status.DoModal());
    EXPECT_STREQ("QV Copy", status.m_caption);
    EXPECT_TRUE(status.m_bIconLoaded);

    AfxSetResourceHandle(AfxGetInstanceHandle());
    FreeLibrary(hDll);
    CPeekDlg own(137);
    EXPECT_EQ(9, own.DoModal());
}
