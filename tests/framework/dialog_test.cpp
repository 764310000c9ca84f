#include "testsupport.h"

namespace {

enum { IDC_BUTTON = 1001, IDC_DRAWN, IDC_LABEL };

// An owner-drawn button: the parent hands its WM_DRAWITEM back to it.
class CDrawnButton : public CButton
{
public:
    void DrawItem(LPDRAWITEMSTRUCT) override { ++m_nDraws; }
    int m_nDraws = 0;
};

// Inside its modal loop it clicks, draws, reads its label and closes.
class CTestDlg : public CDialog
{
public:
    CString m_log, m_label = "From DDX";
    std::string m_labelShown;
    CButton m_button;
    CDrawnButton m_drawn;

    void Note(const char* psz) { m_log += CString(m_log.IsEmpty() ? "" : " ") + psz; }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_BUTTON, m_button);
        DDX_Control(pDX, IDC_DRAWN, m_drawn);
        DDX_Text(pDX, IDC_LABEL, m_label);
    }
    BOOL OnInitDialog() override { return CDialog::OnInitDialog() && ::PostMessageA(m_hWnd, WM_APP, 0, 0); }
    void PostNcDestroy() override { Note("postncdestroy"); }
    afx_msg LRESULT OnRunScript(WPARAM, LPARAM)
    {
        m_button.SendMessage(BM_CLICK);
        m_drawn.RedrawWindow();
        m_labelShown = qvtest::WindowText(::GetDlgItem(m_hWnd, IDC_LABEL));
        ::PostMessageA(m_button.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));  // input meets the filter
        ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        return 0;
    }
    afx_msg void OnButton() { Note("click"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
ON_MESSAGE(WM_APP, &CTestDlg::OnRunScript)
ON_BN_CLICKED(IDC_BUTTON, &CTestDlg::OnButton)
END_MESSAGE_MAP()

// Its own map is searched before CTestDlg's.
class CDerivedDlg : public CTestDlg
{
public:
    afx_msg void OnButtonDerived() { Note("derived click"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedDlg, CTestDlg)
ON_BN_CLICKED(IDC_BUTTON, &CDerivedDlg::OnButtonDerived)
END_MESSAGE_MAP()

}  // namespace

TEST(DialogTest, ModalLoopBindsControlsFiltersInputAndCancelsOnClose)
{
    qvtest::DlgTemplate t(200, 60, "Framework test");
    t.AddItem("BUTTON", "&Press", IDC_BUTTON, BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 60, 14);
    t.AddItem("BUTTON", "Drawn", IDC_DRAWN, BS_OWNERDRAW, 80, 5, 60, 14);
    t.AddItem("STATIC", "Label", IDC_LABEL, SS_LEFT, 5, 25, 60, 10);
    HGLOBAL hTemplate = t.Copy();
    CTestDlg base;
    CDerivedDlg derived;
    const struct
    {
        CTestDlg* pDlg;
        const char* log;
    } runs[] = {{&base, "click postncdestroy"}, {&derived, "derived click postncdestroy"}};
    for (const auto& run : runs) {
        int nFilterBefore = theApp.m_nFilterCalls;
        run.pDlg->InitModalIndirect(hTemplate);
        EXPECT_EQ(IDCANCEL, run.pDlg->DoModal());
        EXPECT_STREQ(run.log, run.pDlg->m_log);
        EXPECT_EQ("From DDX", run.pDlg->m_labelShown);
        EXPECT_GE(run.pDlg->m_drawn.m_nDraws, 1);
        EXPECT_EQ(nullptr, run.pDlg->m_button.m_hWnd);  // unbound with its window
        EXPECT_GT(theApp.m_nFilterCalls, nFilterBefore);
        EXPECT_EQ(MSGF_DIALOGBOX, theApp.m_nLastFilterCode);
    }
    ::GlobalFree(hTemplate);
}
