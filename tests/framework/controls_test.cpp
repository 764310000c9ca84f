#include <gtest/gtest.h>

#include "testsupport.h"

namespace {

enum { IDC_BUTTON = 2001, IDC_EDIT, IDC_SPIN, IDC_COMBO, IDC_SLIDER };

// A modeless dialog with one control of each kind; messages are sent
// directly, so no loop is needed.
class ControlsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_template.AddItem("BUTTON", "&Help", IDC_BUTTON, BS_PUSHBUTTON, 5, 5, 60, 14);
        m_template.AddItem("EDIT", "", IDC_EDIT, ES_NUMBER | WS_BORDER, 5, 25, 30, 14);
        m_template.AddItem(UPDOWN_CLASSA, "", IDC_SPIN, UDS_SETBUDDYINT, 35, 25, 10, 14);
        m_template.AddItem("COMBOBOX", "", IDC_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL, 5, 45, 80, 60);
        m_template.AddItem(TRACKBAR_CLASSA, "", IDC_SLIDER, TBS_AUTOTICKS, 5, 65, 100, 20);
        ASSERT_TRUE(m_dlg.CreateIndirect(m_template.Get()));
        ASSERT_TRUE(m_button.SubclassDlgItem(IDC_BUTTON, &m_dlg));
        ASSERT_TRUE(m_edit.SubclassDlgItem(IDC_EDIT, &m_dlg));
        ASSERT_TRUE(m_spin.SubclassDlgItem(IDC_SPIN, &m_dlg));
        ASSERT_TRUE(m_combo.SubclassDlgItem(IDC_COMBO, &m_dlg));
        ASSERT_TRUE(m_slider.SubclassDlgItem(IDC_SLIDER, &m_dlg));
    }
    void TearDown() override { m_dlg.DestroyWindow(); }

    DlgTemplate m_template{200, 120, "Controls"};
    CDialog m_dlg;
    CButton m_button;
    CEdit m_edit;
    CSpinButtonCtrl m_spin;
    CComboBox m_combo;
    CSliderCtrl m_slider;
};

}  // namespace

TEST_F(ControlsTest, ComboKeepsTextsAndItemData)
{
    EXPECT_EQ(0, m_combo.AddString("A4"));
    EXPECT_EQ(1, m_combo.AddString("Letter"));
    EXPECT_EQ(1, m_combo.InsertString(1, "Legal"));
    int legal = 12;
    EXPECT_NE(CB_ERR, m_combo.SetItemDataPtr(1, &legal));
    EXPECT_NE(CB_ERR, m_combo.SetItemData(2, 0xFEEDu));
    EXPECT_EQ(&legal, m_combo.GetItemDataPtr(1));
    EXPECT_EQ(0xFEEDu, m_combo.GetItemData(2));
    EXPECT_EQ(2, m_combo.FindStringExact(-1, "letter"));  // case-insensitive, whole text
    EXPECT_EQ(CB_ERR, m_combo.FindStringExact(-1, "Lett"));
    EXPECT_EQ(1, m_combo.SelectString(-1, "Leg"));
    CString text;
    m_combo.GetLBText(m_combo.GetCurSel(), text);
    EXPECT_STREQ("Legal", text);
    m_combo.GetLBText(7, text);
    EXPECT_TRUE(text.IsEmpty());
    m_combo.ResetContent();
    EXPECT_EQ(0, m_combo.GetCount());
    EXPECT_EQ(CB_ERR, m_combo.GetCurSel());
}

TEST_F(ControlsTest, SpinAndSliderKeepTheirRanges)
{
    m_spin.SetBuddy(&m_edit);
    EXPECT_EQ(m_edit.m_hWnd, m_spin.GetBuddy()->m_hWnd);
    m_spin.SetRange32(25, 400);
    int nLower = 0, nUpper = 0;
    m_spin.GetRange32(nLower, nUpper);
    EXPECT_EQ(25, nLower);
    EXPECT_EQ(400, nUpper);
    m_spin.SetPos32(400);
    BOOL bError = TRUE;
    EXPECT_EQ(400, m_spin.GetPos32(&bError));
    EXPECT_FALSE(bError);
    CString text;
    m_edit.GetWindowText(text);
    EXPECT_STREQ("400", text);

    m_slider.SetRange(0, 100, TRUE);
    m_slider.SetLineSize(10);
    int nMin = -1, nMax = -1;
    m_slider.GetRange(nMin, nMax);
    EXPECT_EQ(0, nMin);
    EXPECT_EQ(100, nMax);
    EXPECT_EQ(10, m_slider.GetLineSize());
    m_slider.SetPos(150);
    EXPECT_EQ(100, m_slider.GetPos());
}

TEST_F(ControlsTest, StylesChangeOnlyWhenDifferent)
{
    EXPECT_FALSE(m_button.ModifyStyle(0, WS_VISIBLE));
    EXPECT_TRUE(m_button.ModifyStyleEx(0, WS_EX_LAYOUTRTL));
    EXPECT_TRUE(m_button.GetExStyle() & WS_EX_LAYOUTRTL);
    EXPECT_TRUE(m_button.ModifyStyleEx(WS_EX_LAYOUTRTL, 0, SWP_FRAMECHANGED));
    EXPECT_FALSE(m_button.GetExStyle() & WS_EX_LAYOUTRTL);
}

TEST_F(ControlsTest, ToolTipsAreAddedPerControlAndGoWithTheirObject)
{
    HWND hTip = NULL;
    {
        CToolTipCtrl tip;
        ASSERT_TRUE(tip.Create(&m_dlg));
        hTip = tip.m_hWnd;
        EXPECT_EQ(&tip, CWnd::FromHandlePermanent(hTip));
        EXPECT_TRUE(tip.AddTool(&m_button, "Click here to display detailed on-line help"));
        EXPECT_TRUE(tip.AddTool(&m_combo, 1114));  // text from the string table
        EXPECT_FALSE(tip.AddTool(&m_combo, 65000u));
        EXPECT_EQ(2, tip.GetToolCount());
        tip.Activate(TRUE);
        MSG msg = {m_button.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3), GetTickCount(), {0, 0}};
        tip.RelayEvent(&msg);
        char szText[128] = "";
        TTTOOLINFOA ti;
        ASSERT_TRUE(tip.GetToolInfo(&ti, &m_combo));
        ti.lpszText = szText;
        tip.SendMessage(TTM_GETTEXTA, sizeof szText, (LPARAM)&ti);
        EXPECT_STREQ("QV Copy:", szText);
        tip.DelTool(&m_button);
        EXPECT_EQ(1, tip.GetToolCount());
        EXPECT_TRUE(IsWindow(hTip));
    }
    EXPECT_FALSE(IsWindow(hTip));
}
