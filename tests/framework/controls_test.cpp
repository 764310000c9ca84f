#include <gtest/gtest.h>

#include "testsupport.h"

namespace {

enum { IDC_BUTTON = 2001, IDC_EDIT, IDC_SPIN, IDC_COMBO, IDC_SLIDER, IDC_PICTURE, IDC_LABEL };

// A modeless dialog with one control of each kind; messages are sent
// directly, so no loop is needed.
class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        DlgTemplate t(200, 120, "Controls");
        t.AddItem("BUTTON", "&Help", IDC_BUTTON, BS_PUSHBUTTON, 5, 5, 60, 14);
        t.AddItem("EDIT", "", IDC_EDIT, ES_CENTER | ES_NUMBER | WS_BORDER, 5, 25, 30, 14);
        t.AddItem(UPDOWN_CLASSA, "", IDC_SPIN, UDS_SETBUDDYINT | UDS_ARROWKEYS, 35, 25, 10, 14);
        t.AddItem("COMBOBOX", "", IDC_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL, 5, 45, 80, 60);
        t.AddItem(TRACKBAR_CLASSA, "", IDC_SLIDER, TBS_AUTOTICKS, 5, 65, 100, 20);
        t.AddItem("STATIC", "", IDC_PICTURE, SS_BITMAP, 120, 5, 15, 13);
        t.AddItem("STATIC", "Original: ", IDC_LABEL, SS_LEFT, 120, 25, 60, 10);
        m_template = t;
        ASSERT_TRUE(m_dlg.CreateIndirect(m_template.Get()));
        ASSERT_TRUE(m_button.SubclassDlgItem(IDC_BUTTON, &m_dlg));
        ASSERT_TRUE(m_edit.SubclassDlgItem(IDC_EDIT, &m_dlg));
        ASSERT_TRUE(m_spin.SubclassDlgItem(IDC_SPIN, &m_dlg));
        ASSERT_TRUE(m_combo.SubclassDlgItem(IDC_COMBO, &m_dlg));
        ASSERT_TRUE(m_slider.SubclassDlgItem(IDC_SLIDER, &m_dlg));
        ASSERT_TRUE(m_picture.SubclassDlgItem(IDC_PICTURE, &m_dlg));
    }
    void TearDown() override { m_dlg.DestroyWindow(); }

    DlgTemplate m_template{1, 1, ""};
    CDialog m_dlg;
    CButton m_button;
    CEdit m_edit;
    CSpinButtonCtrl m_spin;
    CComboBox m_combo;
    CSliderCtrl m_slider;
    CStatic m_picture;
    HWND m_hTip = NULL;
};

struct MediaItemData {
    int nMediaID;
    int bBorderless;
};

}  // namespace

TEST_F(ControlsTest, ComboKeepsTextsAndItemData) {
    EXPECT_EQ(0, m_combo.AddString("A4"));
    EXPECT_EQ(1, m_combo.AddString("Letter"));
    EXPECT_EQ(1, m_combo.InsertString(1, "Legal"));
    EXPECT_EQ(3, m_combo.GetCount());
    MediaItemData legal{12, 1};
    EXPECT_NE(CB_ERR, m_combo.SetItemDataPtr(1, &legal));
    EXPECT_NE(CB_ERR, m_combo.SetItemData(2, 0xFEEDu));
    EXPECT_EQ(&legal, m_combo.GetItemDataPtr(1));
    EXPECT_EQ(0xFEEDu, m_combo.GetItemData(2));
    EXPECT_EQ(2, m_combo.FindStringExact(-1, "letter"));  // case-insensitive, whole text
    EXPECT_EQ(CB_ERR, m_combo.FindStringExact(-1, "Lett"));
    EXPECT_EQ(CB_ERR, m_combo.GetCurSel());
    EXPECT_EQ(1, m_combo.SelectString(-1, "Leg"));
    EXPECT_EQ(1, m_combo.GetCurSel());
    CString text;
    m_combo.GetLBText(m_combo.GetCurSel(), text);
    EXPECT_STREQ("Legal", text);
    m_combo.GetLBText(7, text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(0, m_combo.SetCurSel(0));
    m_combo.ResetContent();
    EXPECT_EQ(0, m_combo.GetCount());
    EXPECT_EQ(CB_ERR, m_combo.GetCurSel());
}

TEST_F(ControlsTest, SpinKeepsItsRangeAndWritesItsBuddy) {
    m_spin.SetBuddy(&m_edit);
    EXPECT_EQ(m_edit.m_hWnd, m_spin.GetBuddy()->m_hWnd);
    m_spin.SetRange32(1, 99);
    int nLower = 0, nUpper = 0;
    m_spin.GetRange32(nLower, nUpper);
    EXPECT_EQ(1, nLower);
    EXPECT_EQ(99, nUpper);
    m_spin.SetPos32(50);
    EXPECT_EQ(50, m_spin.GetPos32());
    CString text;
    m_edit.GetWindowText(text);
    EXPECT_STREQ("50", text);
    m_spin.SetRange32(25, 400);
    m_spin.SetPos32(400);
    BOOL bError = TRUE;
    EXPECT_EQ(400, m_spin.GetPos32(&bError));
    EXPECT_FALSE(bError);
}

TEST_F(ControlsTest, SliderKeepsRangeSizesAndPosition) {
    m_slider.SetTicFreq(10);
    m_slider.SetRange(0, 100, TRUE);
    m_slider.SetLineSize(10);
    m_slider.SetPageSize(10);
    int nMin = -1, nMax = -1;
    m_slider.GetRange(nMin, nMax);
    EXPECT_EQ(0, nMin);
    EXPECT_EQ(100, nMax);
    EXPECT_EQ(10, m_slider.GetLineSize());
    EXPECT_EQ(10, m_slider.GetPageSize());
    m_slider.SetPos(37);
    EXPECT_EQ(37, m_slider.GetPos());
    m_slider.SetPos(150);
    EXPECT_EQ(100, m_slider.GetPos());
}

TEST_F(ControlsTest, ButtonStaticAndEditWrappers) {
    m_button.SetButtonStyle(BS_OWNERDRAW);
    EXPECT_EQ((UINT)BS_OWNERDRAW, m_button.GetButtonStyle() & BS_TYPEMASK);
    CButton* pLabelAsButton = (CButton*)m_dlg.GetDlgItem(IDC_LABEL);  // a temporary, as with MFC
    EXPECT_EQ(BST_UNCHECKED, pLabelAsButton->GetCheck());

    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(15, 13, 1, 32, NULL));
    m_picture.SetBitmap(bitmap);
    EXPECT_NE(nullptr, m_picture.GetBitmap());

    m_edit.SetLimitText(3);
    EXPECT_EQ(3u, m_edit.GetLimitText());
    m_edit.SetWindowText("12");
    m_edit.SetSel(0, -1);
    m_edit.ReplaceSel("7");
    CString text;
    m_edit.GetWindowText(text);
    EXPECT_STREQ("7", text);
    m_picture.SetBitmap(NULL);
}

TEST_F(ControlsTest, StylesChangeOnlyWhenDifferent) {
    CWnd* pLabel = m_dlg.GetDlgItem(IDC_LABEL);
    EXPECT_FALSE(pLabel->ModifyStyle(0, WS_VISIBLE));
    EXPECT_TRUE(pLabel->ModifyStyleEx(0, WS_EX_LAYOUTRTL | WS_EX_RTLREADING));
    EXPECT_TRUE(pLabel->GetExStyle() & WS_EX_LAYOUTRTL);
    EXPECT_TRUE(pLabel->ModifyStyleEx(WS_EX_LAYOUTRTL | WS_EX_RTLREADING, 0, SWP_FRAMECHANGED));
    EXPECT_FALSE(pLabel->GetExStyle() & WS_EX_LAYOUTRTL);
}

TEST_F(ControlsTest, ToolTipsAreAddedPerControl) {
    CString tipText = "Click here to display detailed on-line help";
    {
        CToolTipCtrl tip;
        ASSERT_TRUE(tip.Create(&m_dlg));
        HWND hTip = tip.m_hWnd;
        EXPECT_EQ(&tip, CWnd::FromHandlePermanent(hTip));
        EXPECT_TRUE(tip.AddTool(&m_button, tipText));
        EXPECT_TRUE(tip.AddTool(&m_combo, 1114));  // text from the string table
        EXPECT_FALSE(tip.AddTool(&m_combo, 65000u));
        EXPECT_EQ(2, tip.GetToolCount());
        tip.SetMaxTipWidth(300);
        EXPECT_EQ(300, tip.SetMaxTipWidth(200));
        tip.Activate(TRUE);
        MSG msg = {m_button.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3), GetTickCount(), {0, 0}};
        tip.RelayEvent(&msg);
        char szText[128] = "";
        TTTOOLINFOA ti;
        ASSERT_TRUE(tip.GetToolInfo(&ti, &m_button));
        ti.lpszText = szText;
        tip.SendMessage(TTM_GETTEXTA, sizeof szText, (LPARAM)&ti);
        EXPECT_STREQ(tipText, szText);
        tip.DelTool(&m_button);
        EXPECT_EQ(1, tip.GetToolCount());
        // The tooltip window goes with its object.
        EXPECT_TRUE(IsWindow(hTip));
        m_hTip = hTip;
    }
    EXPECT_FALSE(IsWindow(m_hTip));
}
