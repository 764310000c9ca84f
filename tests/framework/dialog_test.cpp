#include <gtest/gtest.h>

#include <functional>

#include "testsupport.h"

namespace {

enum {
    IDC_BUTTON = 1001,
    IDC_EDIT = 1002,
    IDC_COMBO = 1003,
    IDC_SPIN = 1004,
    IDC_SLIDER = 1005,
    IDC_OWNERDRAW = 1006,
    IDC_STATIC_OD = 1007,
    IDC_LABEL = 1008,
};

const UINT WM_RUN_SCRIPT = WM_APP + 1;
const UINT WM_FINISH = WM_APP + 2;
const UINT_PTR SAFETY_TIMER = 99;

UINT g_nRegisteredMsg;  // registered at run time: the map reads it at dispatch

// A control whose messages pass through the framework: it counts them.
class CCountingButton : public CButton {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == BM_SETCHECK) ++m_nSetChecks;
        return CButton::WindowProc(message, wParam, lParam);
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
        ++m_nDraws;
        ::FillRect(lpDIS->hDC, &lpDIS->rcItem, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    }
    int m_nSetChecks = 0;
    int m_nDraws = 0;
};

class COwnerDrawStatic : public CStatic {
public:
    void DrawItem(LPDRAWITEMSTRUCT) override { ++m_nDraws; }
    int m_nDraws = 0;
};

class CTestDlg : public CDialog {
public:
    CTestDlg() {}
    std::function<void(CTestDlg&)> script;  // runs inside the modal loop

    CCountingButton m_button;
    CCountingButton m_ownerDraw;
    CEdit m_edit;
    CComboBox m_combo;
    CSpinButtonCtrl m_spin;
    CSliderCtrl m_slider;
    COwnerDrawStatic m_staticOD;
    CString m_label;

    int m_nInit = 0, m_nClicks = 0, m_nEditChanges = 0, m_nSelChanges = 0, m_nDeltaPos = 0;
    int m_nPreTranslated = 0, m_nCtlColorStatic = 0, m_nTimers = 0, m_nDestroys = 0, m_nPostNcDestroy = 0;
    int m_nHScrolls = 0;
    WPARAM m_lastRegisteredW = 0;
    HBRUSH m_hbrBack = (HBRUSH)::GetStockObject(WHITE_BRUSH);

    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_BUTTON, m_button);
        DDX_Control(pDX, IDC_EDIT, m_edit);
        DDX_Control(pDX, IDC_COMBO, m_combo);
        DDX_Control(pDX, IDC_SPIN, m_spin);
        DDX_Control(pDX, IDC_SLIDER, m_slider);
        DDX_Control(pDX, IDC_OWNERDRAW, m_ownerDraw);
        DDX_Text(pDX, IDC_LABEL, m_label);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        ++m_nInit;
        m_staticOD.SubclassDlgItem(IDC_STATIC_OD, this);
        SetTimer(SAFETY_TIMER, 10000, NULL);
        PostMessage(WM_RUN_SCRIPT);
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_RUN_SCRIPT) ++m_nPreTranslated;
        return CDialog::PreTranslateMessage(pMsg);
    }
    void PostNcDestroy() override { ++m_nPostNcDestroy; }

    afx_msg LRESULT OnRunScript(WPARAM, LPARAM) {
        if (script) script(*this);
        return 0;
    }
    afx_msg LRESULT OnFinish(WPARAM wParam, LPARAM) {
        EndDialog((int)wParam);
        return 0;
    }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) {
        m_lastRegisteredW = wParam;
        return (LRESULT)g_nRegisteredMsg;
    }
    afx_msg void OnButton() { ++m_nClicks; }
    afx_msg void OnEditChange() { ++m_nEditChanges; }
    afx_msg void OnComboSelChange() { ++m_nSelChanges; }
    afx_msg void OnDeltaPosSpin(NMHDR* pNMHDR, LRESULT* pResult) {
        NMUPDOWN* pUD = (NMUPDOWN*)pNMHDR;
        ++m_nDeltaPos;
        *pResult = pUD->iDelta > 5;  // refuse big steps
    }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
        if (nCtlColor == CTLCOLOR_STATIC) {
            ++m_nCtlColorStatic;
            pDC->SetBkMode(TRANSPARENT);
            return m_hbrBack;
        }
        return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent) {
        ++m_nTimers;
        if (nIDEvent == SAFETY_TIMER) EndDialog(-2);
    }
    afx_msg void OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
        if (pScrollBar && pScrollBar->m_hWnd == m_slider.m_hWnd) ++m_nHScrolls;
    }
    afx_msg void OnDestroy() {
        ++m_nDestroys;
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
    ON_WM_HSCROLL()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

// A derived dialog with its own map that chains to CTestDlg's.
class CDerivedDlg : public CTestDlg {
public:
    int m_nDerivedClicks = 0;
    afx_msg void OnButtonDerived() { ++m_nDerivedClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedDlg, CTestDlg)
    ON_BN_CLICKED(IDC_BUTTON, &CDerivedDlg::OnButtonDerived)
END_MESSAGE_MAP()

DlgTemplate MakeTemplate(const char* pszFont = "MS Shell Dlg", WORD wPointSize = 8) {
    DlgTemplate t(240, 160, "Framework test", pszFont, wPointSize);
    t.AddItem("BUTTON", "&Press", IDC_BUTTON, BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 60, 14);
    t.AddItem("EDIT", "", IDC_EDIT, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 5, 25, 40, 14);
    t.AddItem(UPDOWN_CLASSA, "", IDC_SPIN, UDS_SETBUDDYINT | UDS_ARROWKEYS, 45, 25, 10, 14);
    t.AddItem("COMBOBOX", "", IDC_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 5, 45, 80, 60);
    t.AddItem(TRACKBAR_CLASSA, "", IDC_SLIDER, TBS_AUTOTICKS, 5, 65, 100, 20);
    t.AddItem("BUTTON", "Drawn", IDC_OWNERDRAW, BS_OWNERDRAW, 120, 5, 60, 14);
    t.AddItem("STATIC", "", IDC_STATIC_OD, SS_OWNERDRAW, 120, 25, 60, 14);
    t.AddItem("STATIC", "Label", IDC_LABEL, SS_LEFT, 120, 45, 60, 10);
    return t;
}

INT_PTR RunModal(CTestDlg& dlg, const DlgTemplate& t, std::function<void(CTestDlg&)> script) {
    dlg.script = std::move(script);
    dlg.InitModalIndirect(t.Get());
    return dlg.DoModal();
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!g_nRegisteredMsg) g_nRegisteredMsg = RegisterWindowMessageA("FrameworkTest.Registered");
    }
};

}  // namespace

TEST_F(DialogTest, MessageMapReceivesInitClicksNotificationsAndRegisteredMessages) {
    DlgTemplate t = MakeTemplate();
    CTestDlg dlg;
    dlg.m_label = "From DDX";
    LRESULT registeredResult = 0;
    CString labelText;
    INT_PTR result = RunModal(dlg, t, [&](CTestDlg& d) {
        d.m_button.SendMessage(BM_CLICK);
        d.m_edit.SetWindowText("12");
        registeredResult = d.SendMessage(g_nRegisteredMsg, 7, 0);
        d.m_combo.AddString("A4");
        d.m_combo.AddString("Letter");
        d.m_combo.SetCurSel(1);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_COMBO, CBN_SELCHANGE), (LPARAM)d.m_combo.m_hWnd);
        NMUPDOWN nm = {};
        nm.hdr.hwndFrom = d.m_spin.m_hWnd;
        nm.hdr.idFrom = IDC_SPIN;
        nm.hdr.code = UDN_DELTAPOS;
        nm.iDelta = 10;
        LRESULT refused = d.SendMessage(WM_NOTIFY, IDC_SPIN, (LPARAM)&nm);
        EXPECT_EQ(1, refused);
        d.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 3), (LPARAM)d.m_slider.m_hWnd);
        HDC hDC = ::GetDC(d.m_hWnd);
        HBRUSH hbr = (HBRUSH)d.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)d.GetDlgItem(IDC_LABEL)->m_hWnd);
        EXPECT_EQ(d.m_hbrBack, hbr);
        EXPECT_EQ(TRANSPARENT, ::GetBkMode(hDC));
        ::ReleaseDC(d.m_hWnd, hDC);
        d.GetDlgItemText(IDC_LABEL, labelText);
        d.PostMessage(WM_FINISH, 77);
    });
    EXPECT_EQ(77, result);
    EXPECT_EQ(1, dlg.m_nInit);
    EXPECT_EQ(1, dlg.m_nPreTranslated);
    EXPECT_EQ(1, dlg.m_nClicks);
    EXPECT_GE(dlg.m_nEditChanges, 1);
    EXPECT_EQ(1, dlg.m_nSelChanges);
    EXPECT_EQ(1, dlg.m_nDeltaPos);
    EXPECT_EQ(1, dlg.m_nHScrolls);
    EXPECT_EQ(1, dlg.m_nCtlColorStatic);
    EXPECT_EQ(0, dlg.m_nTimers);
    EXPECT_EQ((LRESULT)g_nRegisteredMsg, registeredResult);
    EXPECT_EQ(7u, dlg.m_lastRegisteredW);
    EXPECT_STREQ("From DDX", labelText);
    EXPECT_EQ(1, dlg.m_nDestroys);
    EXPECT_EQ(1, dlg.m_nPostNcDestroy);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_button.m_hWnd);  // controls unbound with their windows
}

TEST_F(DialogTest, ControlsBoundByDataExchangeSeeTheirMessages) {
    DlgTemplate t = MakeTemplate();
    CTestDlg dlg;
    HWND hButton = NULL;
    INT_PTR result = RunModal(dlg, t, [&](CTestDlg& d) {
        hButton = d.GetDlgItem(IDC_BUTTON)->m_hWnd;
        EXPECT_EQ(&d.m_button, CWnd::FromHandlePermanent(hButton));
        EXPECT_EQ(&d.m_button, d.GetDlgItem(IDC_BUTTON));
        // The edit is bound; the label is not and comes back as a temporary.
        CWnd* pLabel = d.GetDlgItem(IDC_LABEL);
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(pLabel->m_hWnd));
        EXPECT_EQ(pLabel, CWnd::FromHandle(pLabel->m_hWnd));
        d.m_button.SetCheck(BST_CHECKED);
        ((CButton*)d.GetDlgItem(IDC_BUTTON))->SetCheck(BST_UNCHECKED);
        d.m_ownerDraw.RedrawWindow();
        d.m_staticOD.RedrawWindow();
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(2, dlg.m_button.m_nSetChecks);
    EXPECT_GE(dlg.m_ownerDraw.m_nDraws, 1);
    EXPECT_GE(dlg.m_staticOD.m_nDraws, 1);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hButton));
}

TEST_F(DialogTest, DerivedMapIsSearchedBeforeItsBase) {
    DlgTemplate t = MakeTemplate();
    CDerivedDlg dlg;
    INT_PTR result = RunModal(dlg, t, [](CTestDlg& d) {
        d.m_button.SendMessage(BM_CLICK);
        d.SendMessage(WM_COMMAND, IDOK, 0);  // the base's OnOK ends it
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(1, dlg.m_nDerivedClicks);
    EXPECT_EQ(0, dlg.m_nClicks);
}

TEST_F(DialogTest, InputPassesThroughPreTranslateAndTheMessageFilter) {
    DlgTemplate t = MakeTemplate();
    CTestDlg dlg;
    int nFilterBefore = theApp.m_nFilterCalls;
    INT_PTR result = RunModal(dlg, t, [](CTestDlg& d) {
        d.m_button.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        d.PostMessage(WM_FINISH, 5);
    });
    EXPECT_EQ(5, result);
    EXPECT_GT(theApp.m_nFilterCalls, nFilterBefore);
    EXPECT_EQ(MSGF_DIALOGBOX, theApp.m_nLastFilterCode);
}

TEST_F(DialogTest, ClosingCancels) {
    DlgTemplate t = MakeTemplate();
    CTestDlg dlg;
    INT_PTR result = RunModal(dlg, t, [](CTestDlg& d) { d.PostMessage(WM_CLOSE); });
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(DialogTest, TemplateCopyWithAnotherFontIsUsed) {
    DlgTemplate small = MakeTemplate("Arial", 8);
    DlgTemplate large = MakeTemplate("Arial", 16);
    LONG widthSmall = 0, widthLarge = 0;
    CTestDlg dlgSmall, dlgLarge;
    RunModal(dlgSmall, small, [&](CTestDlg& d) {
        CRect r;
        d.GetClientRect(&r);
        widthSmall = r.Width();
        d.EndDialog(IDOK);
    });
    RunModal(dlgLarge, large, [&](CTestDlg& d) {
        CRect r;
        d.GetClientRect(&r);
        widthLarge = r.Width();
        LOGFONTA lf = {};
        d.GetFont()->GetLogFont(&lf);
        EXPECT_STREQ("Arial", lf.lfFaceName);
        d.EndDialog(IDOK);
    });
    EXPECT_GT(widthSmall, 0);
    EXPECT_GT(widthLarge, widthSmall * 3 / 2);
}

TEST_F(DialogTest, MissingTemplateGivesMinusOne) {
    CDialog dlg(64999u);
    EXPECT_EQ(-1, dlg.DoModal());
}

TEST_F(DialogTest, EndDialogDuringInitSkipsTheLoop) {
    class CQuickDlg : public CDialog {
    public:
        BOOL OnInitDialog() override {
            CDialog::OnInitDialog();
            EndDialog(3);
            return TRUE;
        }
    } dlg;
    DlgTemplate t = MakeTemplate();
    dlg.InitModalIndirect(t.Get());
    EXPECT_EQ(3, dlg.DoModal());
}
