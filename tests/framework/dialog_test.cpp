#include "testsupport.h"

#include <functional>

namespace {

enum { IDC_BUTTON = 1001, IDC_EDIT, IDC_COMBO, IDC_SPIN, IDC_OWNERDRAW, IDC_STATIC_OD, IDC_LABEL };

const UINT WM_RUN_SCRIPT = WM_APP + 1;
const UINT WM_FINISH = WM_APP + 2;
const UINT_PTR SAFETY_TIMER = 99;

UINT g_nRegisteredMsg;  // registered at run time: the map reads it at dispatch

// A control whose messages pass through the framework: it counts them.
class CCountingButton : public CButton
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == BM_SETCHECK)
            ++m_nSetChecks;
        return CButton::WindowProc(message, wParam, lParam);
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        ++m_nDraws;
        ::FillRect(lpDIS->hDC, &lpDIS->rcItem, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    }
    int m_nSetChecks = 0;
    int m_nDraws = 0;
};

class COwnerDrawStatic : public CStatic
{
public:
    void DrawItem(LPDRAWITEMSTRUCT) override { ++m_nDraws; }
    int m_nDraws = 0;
};

// Runs its script inside the modal loop; handlers note themselves in m_log.
class CTestDlg : public CDialog
{
public:
    std::function<void(CTestDlg&)> script;
    CString m_log;
    CString m_label;
    HBRUSH m_hbrBack = (HBRUSH)::GetStockObject(WHITE_BRUSH);

    CCountingButton m_button;
    CCountingButton m_ownerDraw;
    CEdit m_edit;
    CComboBox m_combo;
    CSpinButtonCtrl m_spin;
    COwnerDrawStatic m_staticOD;

    void Note(const char* psz) { m_log += CString(m_log.IsEmpty() ? "" : " ") + psz; }
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_BUTTON, m_button);
        DDX_Control(pDX, IDC_EDIT, m_edit);
        DDX_Control(pDX, IDC_COMBO, m_combo);
        DDX_Control(pDX, IDC_SPIN, m_spin);
        DDX_Control(pDX, IDC_OWNERDRAW, m_ownerDraw);
        DDX_Text(pDX, IDC_LABEL, m_label);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        Note("init");
        m_staticOD.SubclassDlgItem(IDC_STATIC_OD, this);
        SetTimer(SAFETY_TIMER, 10000, NULL);
        PostMessage(WM_RUN_SCRIPT);
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_RUN_SCRIPT)
            Note("pretranslate");
        return CDialog::PreTranslateMessage(pMsg);
    }
    void PostNcDestroy() override { Note("postncdestroy"); }

    afx_msg LRESULT OnRunScript(WPARAM, LPARAM)
    {
        if (script)
            script(*this);
        return 0;
    }
    afx_msg LRESULT OnFinish(WPARAM wParam, LPARAM)
    {
        EndDialog((int)wParam);
        return 0;
    }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM)
    {
        Note(wParam == 7 ? "registered" : "registered?");
        return (LRESULT)g_nRegisteredMsg;
    }
    afx_msg void OnButton() { Note("click"); }
    afx_msg void OnEditChange() { Note("edit"); }
    afx_msg void OnComboSelChange() { Note("selchange"); }
    afx_msg void OnDeltaPosSpin(NMHDR* pNMHDR, LRESULT* pResult)
    {
        Note("deltapos");
        *pResult = ((NMUPDOWN*)pNMHDR)->iDelta > 5;  // refuse big steps
    }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        if (nCtlColor != CTLCOLOR_STATIC || pWnd->GetDlgCtrlID() != IDC_LABEL)
            return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
        Note("ctlcolor");
        pDC->SetBkMode(TRANSPARENT);
        return m_hbrBack;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent == SAFETY_TIMER)
            EndDialog(-2);
    }
    afx_msg void OnDestroy()
    {
        Note("destroy");
        CDialog::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
ON_MESSAGE(WM_RUN_SCRIPT, &CTestDlg::OnRunScript)
ON_MESSAGE(WM_FINISH, &CTestDlg::OnFinish)
ON_REGISTERED_MESSAGE(g_nRegisteredMsg, &CTestDlg::OnRegistered)
ON_BN_CLICKED(IDC_BUTTON, &CTestDlg::OnButton)
ON_EN_CHANGE(IDC_EDIT, &CTestDlg::OnEditChange)
ON_CBN_SELCHANGE(IDC_COMBO, &CTestDlg::OnComboSelChange)
ON_NOTIFY(UDN_DELTAPOS, IDC_SPIN, &CTestDlg::OnDeltaPosSpin)
ON_WM_CTLCOLOR()
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

// A derived dialog with its own map that chains to CTestDlg's.
class CDerivedDlg : public CTestDlg
{
public:
    afx_msg void OnButtonDerived() { Note("derived click"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedDlg, CTestDlg)
ON_BN_CLICKED(IDC_BUTTON, &CDerivedDlg::OnButtonDerived)
END_MESSAGE_MAP()

INT_PTR RunModal(CTestDlg& dlg, std::function<void(CTestDlg&)> script)
{
    if (!g_nRegisteredMsg)
        g_nRegisteredMsg = RegisterWindowMessageA("FrameworkTest.Registered");
    qvtest::DlgTemplate t(240, 160, "Framework test");
    t.AddItem("BUTTON", "&Press", IDC_BUTTON, BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 60, 14);
    t.AddItem("EDIT", "", IDC_EDIT, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 5, 25, 40, 14);
    t.AddItem(UPDOWN_CLASSA, "", IDC_SPIN, UDS_SETBUDDYINT | UDS_ARROWKEYS, 45, 25, 10, 14);
    t.AddItem("COMBOBOX", "", IDC_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 5, 45, 80, 60);
    t.AddItem("BUTTON", "Drawn", IDC_OWNERDRAW, BS_OWNERDRAW, 120, 5, 60, 14);
    t.AddItem("STATIC", "", IDC_STATIC_OD, SS_OWNERDRAW, 120, 25, 60, 14);
    t.AddItem("STATIC", "Label", IDC_LABEL, SS_LEFT, 120, 45, 60, 10);
    dlg.script = std::move(script);
    dlg.InitModalIndirect(t.Get());
    return dlg.DoModal();
}

}  // namespace

TEST(DialogTest, MessageMapReceivesInitClicksNotificationsAndRegisteredMessages)
{
    CTestDlg dlg;
    dlg.m_label = "From DDX";
    LRESULT registeredResult = 0, refused = 0;
    CString labelText;
    HWND hButton = NULL;
    INT_PTR result = RunModal(dlg, [&](CTestDlg& d) {
        d.m_button.SendMessage(BM_CLICK);
        d.m_edit.SetWindowText("12");
        registeredResult = d.SendMessage(g_nRegisteredMsg, 7, 0);
        d.m_combo.AddString("A4");
        d.m_combo.SetCurSel(0);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_COMBO, CBN_SELCHANGE), (LPARAM)d.m_combo.m_hWnd);
        NMUPDOWN nm = {};
        nm.hdr.hwndFrom = d.m_spin.m_hWnd;
        nm.hdr.idFrom = IDC_SPIN;
        nm.hdr.code = UDN_DELTAPOS;
        nm.iDelta = 10;
        refused = d.SendMessage(WM_NOTIFY, IDC_SPIN, (LPARAM)&nm);
        HDC hDC = ::GetDC(d.m_hWnd);
        HBRUSH hbr = (HBRUSH)d.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)d.GetDlgItem(IDC_LABEL)->m_hWnd);
        EXPECT_EQ(d.m_hbrBack, hbr);
        EXPECT_EQ(TRANSPARENT, ::GetBkMode(hDC));
        ::ReleaseDC(d.m_hWnd, hDC);
        d.GetDlgItemText(IDC_LABEL, labelText);
        // Bound controls are found as themselves and see their messages; the label is a temporary.
        EXPECT_EQ(&d.m_button, d.GetDlgItem(IDC_BUTTON));
        CWnd* pLabel = d.GetDlgItem(IDC_LABEL);
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(pLabel->m_hWnd));
        EXPECT_EQ(pLabel, CWnd::FromHandle(pLabel->m_hWnd));
        hButton = d.m_button.m_hWnd;
        d.m_button.SetCheck(BST_CHECKED);
        ((CButton*)d.GetDlgItem(IDC_BUTTON))->SetCheck(BST_UNCHECKED);
        d.m_ownerDraw.RedrawWindow();
        d.m_staticOD.RedrawWindow();
        d.PostMessage(WM_FINISH, 77);
    });
    EXPECT_EQ(77, result);
    EXPECT_STREQ("init pretranslate click edit registered selchange deltapos ctlcolor destroy postncdestroy",
                 dlg.m_log);
    EXPECT_EQ((LRESULT)g_nRegisteredMsg, registeredResult);
    EXPECT_EQ(1, refused);
    EXPECT_STREQ("From DDX", labelText);
    EXPECT_EQ(2, dlg.m_button.m_nSetChecks);
    EXPECT_GE(dlg.m_ownerDraw.m_nDraws, 1);
    EXPECT_GE(dlg.m_staticOD.m_nDraws, 1);
    EXPECT_EQ(nullptr, dlg.m_button.m_hWnd);  // controls unbound with their windows
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hButton));
}

TEST(DialogTest, DerivedMapIsSearchedBeforeItsBase)
{
    CDerivedDlg dlg;
    INT_PTR result = RunModal(dlg, [](CTestDlg& d) {
        d.m_button.SendMessage(BM_CLICK);
        d.SendMessage(WM_COMMAND, IDOK, 0);  // the base's OnOK ends it
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_STREQ("init pretranslate derived click destroy postncdestroy", dlg.m_log);
}

TEST(DialogTest, InputPassesThroughTheMessageFilterAndClosingCancels)
{
    CTestDlg dlg;
    int nFilterBefore = theApp.m_nFilterCalls;
    INT_PTR result = RunModal(dlg, [](CTestDlg& d) {
        d.m_button.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        // The application object has no thread map: a stray thread message is dropped.
        PostThreadMessageA(GetCurrentThreadId(), WM_APP + 10, 0, 0);
        d.PostMessage(WM_CLOSE);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_GT(theApp.m_nFilterCalls, nFilterBefore);
    EXPECT_EQ(MSGF_DIALOGBOX, theApp.m_nLastFilterCode);
}
